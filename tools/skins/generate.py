#!/usr/bin/python3
"""Draws album's skin images into album/res/skins.

Shapes are drawn at four times the size and reduced with a Lanczos filter, which gives anti-aliased
edges with partial alpha. The output is reproducible: no randomness, fixed colours and sizes.
Run with the system Python (Debian's python3-pil): /usr/bin/python3 tools/skins/generate.py
"""
import os

from PIL import Image, ImageDraw

SCALE = 4
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "album", "res", "skins")

# One palette for the whole look: soft neutral panels, a darker caption band, one accent.
CAPTION_TOP = (214, 221, 230)
CAPTION_BOTTOM = (190, 200, 212)
FRAME = (196, 205, 216)
OUTLINE = (120, 132, 148)
HIGHLIGHT = (236, 240, 245)


def supersampled(width, height):
    """A transparent RGBA canvas at SCALE times the size, and its drawing context."""
    image = Image.new("RGBA", (width * SCALE, height * SCALE), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image)


def reduced(image, width, height):
    return image.resize((width, height), Image.LANCZOS)


def vertical_gradient(width, height, top, bottom):
    gradient = Image.new("RGBA", (width, height))
    for y in range(height):
        t = y / max(height - 1, 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
        gradient.paste(colour, (0, y, width, y + 1))
    return gradient


def frame():
    """PNG 129, 159 x 336: caption band (rows 0-23) with rounded top corners, ten-pixel sides whose
    source row is 15, and a bottom band from row 327 with rounded bottom corners."""
    width, height, radius = 159, 336, 8
    s = SCALE
    mask, draw = supersampled(width, height)
    draw.rounded_rectangle((0, 0, width * s - 1, height * s - 1), radius * s, fill=(255, 255, 255, 255))
    mask = reduced(mask, width, height).getchannel("A")

    body = Image.new("RGBA", (width, height), FRAME + (255,))
    caption = vertical_gradient(width, 24, CAPTION_TOP, CAPTION_BOTTOM)
    body.paste(caption, (0, 0))
    # The side columns are sampled from row 15: give that row the frame colour at the edges only.
    body.paste(FRAME + (255,), (0, 15, 10, 16))
    body.paste(FRAME + (255,), (149, 15, 159, 16))

    outline, draw = supersampled(width, height)
    draw.rounded_rectangle((0, 0, width * s - 1, height * s - 1), radius * s, outline=OUTLINE + (255,), width=s)
    draw.line((s, 1.5 * s, width * s - s, 1.5 * s), fill=HIGHLIGHT + (200,), width=s)
    outline = reduced(outline, width, height)

    result = Image.alpha_composite(body, outline)
    result.putalpha(Image.composite(result.getchannel("A"), Image.new("L", (width, height), 0), mask))
    return result


def main():
    os.makedirs(OUT, exist_ok=True)
    frame().save(os.path.join(OUT, "frame129.png"), optimize=True)


if __name__ == "__main__":
    main()
