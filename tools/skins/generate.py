#!/usr/bin/python3
"""Draws album's skin images into album/res/skins.

Shapes are drawn at four times the size and reduced with a Lanczos filter, which gives anti-aliased
edges with partial alpha. The output is reproducible: no randomness, fixed colours and sizes.
Run with the system Python (Debian's python3-pil): /usr/bin/python3 tools/skins/generate.py

The toolkit's controls that album does not use get their images in tests/quillet/skins, where the
toolkit's tests and the skin gallery take them from (chk.png, radio.png, arrow.png, icons.png, thumbs.png, hdr.bmp).

File names in album/res/skins carry the resource type and id: pngNNN.png ("PNG" resources), imgNNN.tif ("IMG" resources,
Deflate-compressed TIFF with alpha) and bmpNNN.bmp (BITMAP resources, 24 bits).
"""
import math
import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SCALE = 4
ICON_SIZES = (16, 24, 32, 48, 256)
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
OUT = os.path.join(ROOT, "album", "res", "skins")
TOOLKIT_OUT = os.path.join(ROOT, "tests", "quillet", "skins")
FONT_DIR = "/usr/share/fonts/truetype/liberation"

# One palette for the whole look: soft neutral panels, a darker caption band, one accent (a calm blue)
# for hover and progress, dark slate text.
CAPTION_TOP = (214, 221, 230)
CAPTION_BOTTOM = (190, 200, 212)
FRAME = (196, 205, 216)
OUTLINE = (120, 132, 148)
HIGHLIGHT = (236, 240, 245)
PANEL = (244, 246, 249)
PANEL_EDGE = (208, 214, 222)
WHITE = (255, 255, 255)
TEXT = (38, 46, 58)
MUTED = (128, 138, 152)
TRACK = (234, 237, 241)
SLATE_TOP = (120, 131, 146)
SLATE_BOTTOM = (102, 113, 128)
ACCENT = (47, 128, 196)
ACCENT_DARK = (30, 96, 156)
ACCENT_TOP = (66, 148, 214)
ACCENT_PALE = (222, 235, 248)
ACCENT_SOFT = (196, 220, 243)
SHADOW = (40, 52, 70)


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def font(size, bold=False):
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), round(size))


def vertical_gradient(width, height, top, bottom):
    """An RGBA image whose rows go from top to bottom (RGB or RGBA colours)."""
    top, bottom = rgba(top, top[3] if len(top) > 3 else 255), rgba(bottom, bottom[3] if len(bottom) > 3 else 255)
    gradient = Image.new("RGBA", (width, height))
    for y in range(height):
        gradient.paste(mix(top, bottom, y / max(height - 1, 1)), (0, y, width, y + 1))
    return gradient


class Sketch:
    """A transparent canvas drawn at SCALE times the size in output-pixel coordinates."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.image = Image.new("RGBA", (width * SCALE, height * SCALE), background)
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def scaled(values):
        return [v * SCALE for v in values]

    def rounded(self, box, radius, fill=None, outline=None, width=1.0):
        self.draw.rounded_rectangle(self.scaled(box), radius * SCALE, fill=fill, outline=outline,
                                    width=round(width * SCALE))

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.draw.ellipse(self.scaled(box), fill=fill, outline=outline, width=round(width * SCALE))

    def polygon(self, points, fill):
        self.draw.polygon([(x * SCALE, y * SCALE) for x, y in points], fill=fill)

    def line(self, points, fill, width=1.0):
        self.draw.line([(x * SCALE, y * SCALE) for x, y in points], fill=fill, width=round(width * SCALE),
                       joint="curve")

    def arc(self, box, start, end, fill, width=1.0):
        self.draw.arc(self.scaled(box), start, end, fill=fill, width=round(width * SCALE))

    def text(self, origin, content, size, fill, bold=False, anchor="la"):
        self.draw.text(self.scaled(origin), content, font=font(size * SCALE, bold), fill=fill, anchor=anchor)

    def layer(self, image, origin=(0, 0)):
        """Blends an RGBA image drawn at SCALE over the canvas."""
        self.image.alpha_composite(image, tuple(v * SCALE for v in origin))

    def rounded_gradient(self, box, radius, top, bottom):
        """A rounded rectangle filled with a vertical gradient."""
        left, upper, right, lower = self.scaled(box)
        mask = Image.new("L", self.image.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle((left, upper, right, lower), radius * SCALE, fill=255)
        gradient = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        band = vertical_gradient(self.image.width, round(lower - upper) + 1, top, bottom)
        gradient.paste(band, (0, round(upper)))
        empty = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        self.image.alpha_composite(Image.composite(gradient, empty, mask))

    def shadow(self, box, radius, alpha, blur, offset=(0, 1)):
        """A soft drop shadow under a rounded rectangle."""
        shade = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        moved = [box[0] + offset[0], box[1] + offset[1], box[2] + offset[0], box[3] + offset[1]]
        ImageDraw.Draw(shade).rounded_rectangle(self.scaled(moved), radius * SCALE, fill=rgba(SHADOW, alpha))
        self.image.alpha_composite(shade.filter(ImageFilter.GaussianBlur(blur * SCALE)))

    def result(self):
        return self.image.resize((self.width, self.height), Image.LANCZOS)


def strip(frames):
    """Equal frames side by side, left to right."""
    width, height = frames[0].size
    image = Image.new("RGBA", (width * len(frames), height), (0, 0, 0, 0))
    for index, frame_image in enumerate(frames):
        image.paste(frame_image, (index * width, 0))
    return image


def on_background(image, colour):
    """Flattens an RGBA image over an opaque colour, for BITMAP resources."""
    flat = Image.new("RGBA", image.size, rgba(colour))
    flat.alpha_composite(image)
    return flat.convert("RGB")


# ---------------------------------------------------------------------------------------------------
# Buttons: seven frames per strip, in the order the button reads them.

class Look:
    """Fill gradient and outline of one button look; a Look of None leaves the frame transparent."""

    def __init__(self, top, bottom, outline):
        self.top, self.bottom, self.outline = top, bottom, outline


RAISED = Look((255, 255, 255), (232, 237, 243), (168, 179, 193))
HOVERED = Look((236, 245, 253), ACCENT_SOFT, (108, 160, 210))
PRESSED = Look((176, 205, 234), (203, 223, 243), ACCENT_DARK)
DISABLED = Look((241, 243, 246), (236, 239, 242), (212, 217, 224))
GHOST = Look((255, 255, 255, 90), (236, 241, 246, 120), (168, 179, 193, 110))

# Frame k of a strip: pressed, normal, hover, pressed+focus, disabled, focus, hover+focus.
FRAME_STATES = (("pressed", False), ("normal", False), ("hover", False), ("pressed", True),
                ("disabled", False), ("normal", True), ("hover", True))


def button_frame(width, height, look, focused, radius):
    sketch = Sketch(width, height)
    if look is not None:
        box = (0.5, 0.5, width - 0.5, height - 0.5)
        sketch.rounded_gradient(box, radius, look.top, look.bottom)
        sketch.rounded(box, radius, outline=rgba(ACCENT) if focused else look.outline)
        if focused:
            sketch.rounded((1.5, 1.5, width - 1.5, height - 1.5), radius - 1, outline=rgba(ACCENT, 110))
    return sketch.result()


def button_strip(width, height, looks, radius=4):
    """A seven-frame strip; looks maps "normal", "hover", "pressed", "disabled" to a Look or None."""
    return strip([button_frame(width, height, looks[state], focused and looks[state] is not None, radius)
                  for state, focused in FRAME_STATES])


def push_buttons():
    """IMG 133: Start, Exit, OK and Cancel, 64 x 18 per frame."""
    return button_strip(64, 18, {"normal": RAISED, "hover": HOVERED, "pressed": PRESSED, "disabled": DISABLED})


def system_button():
    """PNG 137: the System button on the header bar, 60 x 20, a faint ghost until hovered."""
    return button_strip(60, 20, {"normal": GHOST, "hover": HOVERED, "pressed": PRESSED, "disabled": DISABLED})


def flat_buttons():
    """PNG 164: the All/None buttons, 36 x 18; frames 1 and 5 are empty so only the caption shows."""
    return button_strip(36, 18, {"normal": None, "hover": HOVERED, "pressed": PRESSED, "disabled": DISABLED})


def browse_button():
    """IMG 179: the browse button beside the output path, 24 x 20 per frame."""
    return button_strip(24, 20, {"normal": RAISED, "hover": HOVERED, "pressed": PRESSED, "disabled": DISABLED})


def close_button():
    """IMG 131: the close button in the caption, seven round 11 x 11 frames."""
    looks = {"normal": Look((205, 213, 223), (188, 198, 210), (150, 162, 178)),
             "hover": Look(ACCENT_TOP, ACCENT, ACCENT_DARK),
             "pressed": Look(ACCENT_DARK, ACCENT_DARK, (22, 72, 120)),
             "disabled": Look((220, 225, 231), (214, 220, 227), (196, 204, 214))}
    return button_strip(11, 11, looks, radius=5)


# ---------------------------------------------------------------------------------------------------
# Icon pairs: two looks of one glyph side by side.

def icon_pair(width, height, glyph, colours):
    """Two halves of width x height; glyph(sketch, colour) draws into one half."""
    halves = []
    for colour in colours:
        sketch = Sketch(width, height)
        glyph(sketch, colour)
        halves.append(sketch.result())
    return strip(halves)


def round_badge_pair(symbol):
    """An 18 x 18 pair: a disc with a white symbol, in the accent (left) and in grey (right)."""
    def glyph(sketch, colour):
        sketch.ellipse((1.5, 1.5, 16.5, 16.5), fill=rgba(colour))
        symbol(sketch)
    return icon_pair(18, 18, glyph, (ACCENT, MUTED))


def play_symbol(sketch):
    sketch.polygon([(7.2, 5.3), (7.2, 12.7), (12.6, 9)], fill=rgba(WHITE))


def tune_symbol(sketch):
    for y, knob in ((6, 10.5), (9, 6.5), (12, 9.5)):
        sketch.line([(5, y), (13, y)], fill=rgba(WHITE, 235), width=1.2)
        sketch.ellipse((knob - 1.5, y - 1.5, knob + 1.5, y + 1.5), fill=rgba(WHITE))


def info_symbol(sketch):
    sketch.ellipse((8.1, 4.4, 9.9, 6.2), fill=rgba(WHITE))
    sketch.rounded((8.15, 7.6, 9.85, 13.4), 0.8, fill=rgba(WHITE))


def close_icon():
    """IMG 132: the cross of the close button, drawn where the 11 x 11 button shows it (at -3, -3)."""
    def glyph(sketch, colour):
        sketch.line([(6.2, 6.2), (10.8, 10.8)], fill=rgba(colour), width=1.5)
        sketch.line([(6.2, 10.8), (10.8, 6.2)], fill=rgba(colour), width=1.5)
    return icon_pair(18, 18, glyph, (WHITE, (70, 80, 94)))


def folder_icon():
    """IMG 180: a folder over the 24 x 20 browse button; accent on hover (left), slate otherwise."""
    def glyph(sketch, colour):
        sketch.rounded((5, 5, 11, 9), 1.2, fill=rgba(colour))
        sketch.rounded((5, 6.5, 19, 15.5), 1.5, fill=rgba(colour))
        sketch.rounded((6, 8.5, 18, 14.5), 1, fill=rgba(WHITE, 70))
    return icon_pair(24, 20, glyph, (ACCENT, (96, 108, 124)))


def tree_glyphs():
    """PNG 148, 12 x 9: expanded (down) on the left, collapsed (right, also the submenu arrow) on the right."""
    sketch = Sketch(12, 9)
    sketch.polygon([(0.6, 4.6), (5.4, 4.6), (3, 7.6)], fill=rgba(MUTED))
    sketch.polygon([(7.8, 2), (7.8, 7.4), (10.9, 4.7)], fill=rgba(MUTED))
    return sketch.result()


# ---------------------------------------------------------------------------------------------------
# Bars, grips and panels.

def progress_bar():
    """IMG 157, 158 x 17: accent fill on the left, slate channel on the right, 2-pixel caps."""
    width, height = 158, 17
    sketch = Sketch(width, height)
    box = (0, 0, width, height)
    sketch.rounded_gradient(box, 2, SLATE_TOP, SLATE_BOTTOM)
    filled = Sketch(width, height)
    filled.rounded_gradient((0, 0, width // 2 + 4, height), 2, ACCENT_TOP, ACCENT_DARK)
    filled.line([(1.5, 1), (width // 2 + 2, 1)], fill=rgba(WHITE, 70))
    sketch.layer(filled.image)
    sketch.rounded((0.5, 0.5, width - 0.5, height - 0.5), 2, outline=rgba(SHADOW, 120))
    return sketch.result()


def slider_thumbs():
    """PNG 165, 22 x 21: the quality slider's thumb, normal (left) and hot (right)."""
    def glyph(sketch, look):
        sketch.shadow((1, 1, 10, 19.5), 4, 60, 0.6)
        sketch.rounded_gradient((1, 1, 10, 19.5), 4, look.top, look.bottom)
        sketch.rounded((1.5, 1.5, 9.5, 19), 3.5, outline=look.outline)
        sketch.line([(5.5, 7), (5.5, 13.5)], fill=rgba(look.outline, 160), width=1)
    return icon_pair(11, 21, glyph, (RAISED, Look(ACCENT_TOP, ACCENT, ACCENT_DARK)))


def splitter_grip():
    """IMG 160, 10 x 49: a hairline (the last row is stretched over the bar) with a grip in the middle."""
    sketch = Sketch(10, 49)
    sketch.line([(5, 0), (5, 49)], fill=rgba(PANEL_EDGE, 200), width=1)
    sketch.rounded((2, 8, 8, 41), 3, fill=rgba(PANEL, 230), outline=rgba((176, 186, 199)))
    for y in (20, 24.5, 29):
        sketch.ellipse((4, y - 1, 6, y + 1), fill=rgba(MUTED))
    return sketch.result()


def header_bar():
    """PNG 136, 224 x 32: a pale glass bar laid over the caption row (and the capacity bar under it);
    also the popup menu's hover highlight. Clear in the middle rows so that what lies under it shows."""
    width, height = 224, 32
    sketch = Sketch(width, height)
    sketch.rounded_gradient((0, 0, width, height), 3, rgba((236, 244, 252), 150), rgba((214, 229, 244), 60))
    sketch.rounded((0, height * 0.55, width, height), 3, fill=rgba((205, 223, 242), 40))
    sketch.rounded((0.5, 0.5, width - 0.5, height - 0.5), 3, outline=rgba((170, 196, 224), 220))
    sketch.line([(2, 1.5), (width - 2, 1.5)], fill=rgba(WHITE, 200))
    return sketch.result()


def panel_band():
    """PNG 158, 225 x 62: the band behind the selection row, drawn over its labels and buttons, so its
    panel is a faint tint with an outline. It starts right of the logo with a rounded end and runs to the
    right edge; its first column is transparent above a soft shadow (the bottom eight rows), which the
    window stretches across its whole width under the band."""
    width, height = 225, 62
    sketch = Sketch(width, height)
    for row in range(8):
        alpha = round(46 * (1 - row / 8) ** 2)
        sketch.line([(0, height - 8 + row + 0.5), (width, height - 8 + row + 0.5)], fill=rgba(SHADOW, alpha))
    sketch.rounded_gradient((26, 5, width + 20, height - 12), 10, rgba(WHITE, 70), rgba((220, 230, 242), 40))
    sketch.rounded((26.5, 5.5, width + 20, height - 12.5), 10, outline=rgba(PANEL_EDGE))
    sketch.line([(34, 6.5), (width, 6.5)], fill=rgba(WHITE, 220))
    return sketch.result()


def size_grip(background):
    """An 11 x 12 grip of engraved dots in the lower right corner, over a background colour."""
    image = Image.new("RGBA", (11, 12), background)
    for column in range(3):
        for row in range(3):
            if column + row < 2:
                continue
            x, y = 2 + column * 3, 3 + row * 3
            image.paste(rgba(WHITE), (x + 1, y + 1, x + 3, y + 3))
            image.paste(rgba((140, 150, 164)), (x, y, x + 2, y + 2))
    return image


def grip_png():
    """PNG 146: the window's size grip, with per-pixel alpha."""
    return size_grip((0, 0, 0, 0))


def corner_bitmap():
    """BITMAP 146: the scroll-bar corner glyph; black is the transparent colour."""
    return size_grip((0, 0, 0, 255)).convert("RGB")


def texture():
    """BITMAP 130, 55 x 55: a faint linen that tiles without seams (every wave fits 55 pixels)."""
    size = 55
    image = Image.new("RGB", (size, size))
    for y in range(size):
        for x in range(size):
            wave = 1.3 * math.sin(2 * math.pi * 3 * (x + y) / size) + math.sin(2 * math.pi * 5 * (x - y) / size)
            image.putpixel((x, y), tuple(round(c + wave) for c in PANEL))
    return image


# ---------------------------------------------------------------------------------------------------
# Scroll-bar atlases: drawn with the bar's long axis horizontal (84 x 36, two 18-pixel looks), the
# vertical atlas is its transposition with its own thumb layout.

class ThumbLayout:
    """Where the thumb's caps, straight body and grip lines sit along the long axis."""

    def __init__(self, start, end, radius, straight, grip):
        self.start, self.end, self.radius, self.straight, self.grip = start, end, radius, straight, grip


HORIZONTAL_THUMB = ThumbLayout(35, 50, 1.5, (36, 48), (40, 42, 44))
VERTICAL_THUMB = ThumbLayout(35, 51, 3, (38, 49), (41, 43, 45))
THUMB_CROSS = (4.5, 12.5)


def thumb_colours(hot):
    return (ACCENT, (205, 227, 247)) if hot else ((176, 185, 197), (226, 230, 236))


def scroll_look(sketch, top, hot, layout):
    """One 18-pixel look: arrows at 0-16 and 67-83, the track at 34, the thumb's rounded ends."""
    arrow = ACCENT if hot else MUTED
    for left in (0, 67):
        if hot:
            sketch.rounded((left + 1, top + 1, left + 16, top + 16), 3, fill=rgba(ACCENT_PALE))
    sketch.polygon([(5.5, top + 8.5), (10.5, top + 4.5), (10.5, top + 12.5)], fill=rgba(arrow))
    sketch.polygon([(78.5, top + 8.5), (73.5, top + 4.5), (73.5, top + 12.5)], fill=rgba(arrow))
    sketch.rounded((layout.start, top + THUMB_CROSS[0], layout.end, top + THUMB_CROSS[1]), layout.radius,
                   fill=rgba(thumb_colours(hot)[0]))


def straighten_thumb(atlas, top, hot, layout):
    """Gives every column of the thumb's straight part the same pixels, so the stretched body and the
    grip join without seams, and draws the grip as crisp lines."""
    thumb, grip = thumb_colours(hot)
    body = Sketch(8, 18, rgba(TRACK))
    body.line([(0, 0.5), (8, 0.5)], fill=rgba(PANEL_EDGE))
    body.draw.rectangle((0, THUMB_CROSS[0] * SCALE, 8 * SCALE, THUMB_CROSS[1] * SCALE - 1), fill=rgba(thumb))
    column = on_background(body.result(), TRACK).crop((4, 0, 5, 18))
    for position in range(*layout.straight):
        atlas.paste(column, (position, top))
        if position in layout.grip:
            atlas.paste(grip, (position, top + 7, position + 1, top + 11))


def scroll_atlas(layout):
    sketch = Sketch(84, 36, rgba(TRACK))
    sketch.line([(0, 0.5), (84, 0.5)], fill=rgba(PANEL_EDGE))
    sketch.line([(0, 18.5), (84, 18.5)], fill=rgba(PANEL_EDGE))
    for top, hot in ((0, False), (18, True)):
        scroll_look(sketch, top, hot, layout)
    atlas = on_background(sketch.result(), TRACK)
    for top, hot in ((0, False), (18, True)):
        straighten_thumb(atlas, top, hot, layout)
    return atlas


def horizontal_atlas():
    """BITMAP 145, 84 x 36: y 0 normal, y 18 hot."""
    return scroll_atlas(HORIZONTAL_THUMB)


def vertical_atlas():
    """BITMAP 144, 36 x 84: x 0 normal, x 18 hot."""
    return scroll_atlas(VERTICAL_THUMB).transpose(Image.TRANSPOSE)


# ---------------------------------------------------------------------------------------------------
# Menus.

def menu_strip():
    """BITMAP 139, 23 x 562: the left strip of the skinned menu, 25 slices of 22 rows and 12 spare rows."""
    sketch = Sketch(23, 562, rgba((238, 241, 245)))
    sketch.line([(22.5, 0), (22.5, 562)], fill=rgba(PANEL_EDGE))
    return sketch.result().convert("RGB")


def popup_background():
    """PNG 139, 120 x 61: the popup menu's nine-part frame: 26-pixel icon gutter, 3-pixel top rows,
    a soft shadow in the 9-pixel right and bottom bands, and the separator sample at (15, 26)."""
    width, height = 120, 61
    sketch = Sketch(width, height)
    panel = (0, 0, width - 6, height - 6)
    sketch.shadow(panel, 3, 70, 2, offset=(2, 2))
    sketch.rounded(panel, 3, fill=rgba((251, 252, 253)))
    sketch.draw.rectangle((1 * SCALE, 3 * SCALE, 25 * SCALE - 1, (height - 9) * SCALE), fill=rgba((240, 243, 247)))
    sketch.line([(25.5, 3), (25.5, height - 8)], fill=rgba((226, 231, 237)))
    sketch.line([(6, 26.5), (22, 26.5)], fill=rgba((206, 212, 220)))
    sketch.line([(6, 27.5), (22, 27.5)], fill=rgba(WHITE))
    sketch.rounded((0.5, 0.5, width - 6.5, height - 6.5), 3, outline=rgba((168, 178, 192)))
    return sketch.result()


# ---------------------------------------------------------------------------------------------------
# Photo list.

def list_cell():
    """PNG 149: one 180 x 32 cell of the icon list's picture strip, a soft rounded card."""
    sketch = Sketch(180, 32)
    sketch.rounded((0.5, 0.5, 179.5, 31.5), 6, fill=rgba(WHITE, 110), outline=rgba(PANEL_EDGE, 200))
    return sketch.result()


def card_frame():
    """PNG 152, 60 x 60: the photo mat behind a thumbnail of at most 52 x 52, centred at (30, 30)."""
    sketch = Sketch(60, 60)
    sketch.shadow((2, 2, 58, 58), 5, 80, 1.2)
    sketch.rounded((2, 2, 58, 58), 5, fill=rgba(WHITE), outline=rgba(PANEL_EDGE))
    sketch.rounded((3.5, 3.5, 56.5, 56.5), 2, fill=rgba((236, 239, 243)))
    return sketch.result()


def check_cells():
    """PNG 155, 40 x 20: ticked (left) and empty (right) round check boxes."""
    sketch = Sketch(40, 20)
    sketch.ellipse((2, 2, 18, 18), fill=rgba(ACCENT), outline=rgba(ACCENT_DARK))
    sketch.line([(6, 10.2), (8.8, 13), (14, 7.2)], fill=rgba(WHITE), width=1.8)
    sketch.ellipse((22.5, 2.5, 37.5, 17.5), fill=rgba(WHITE), outline=rgba((150, 160, 174)), width=1.2)
    return sketch.result()


def status_bar():
    """PNG 175, 417 x 68: the rounded status bar; the window takes the 20-column caps and stretches column 20."""
    width, height = 417, 68
    sketch = Sketch(width, height)
    panel = (4, 12, width - 4, height - 12)
    sketch.shadow(panel, 14, 70, 3, offset=(0, 2))
    sketch.rounded_gradient(panel, 14, rgba(WHITE, 245), rgba((238, 242, 247), 245))
    sketch.rounded((4.5, 12.5, width - 4.5, height - 12.5), 14, outline=rgba((180, 190, 204)))
    return sketch.result()


def circular_arrow(sketch, centre, start, end, clockwise=True, radius=5.0):
    """An arc from start to end degrees (measured clockwise on screen) with an arrow head at its end
    when clockwise, else at its start pointing back."""
    x, y = centre
    sketch.arc((x - radius, y - radius, x + radius, y + radius), start, end, fill=rgba(ACCENT_DARK), width=1.6)
    angle = math.radians(end if clockwise else start)
    turn = 1 if clockwise else -1
    tip = (x + radius * math.cos(angle), y + radius * math.sin(angle))
    along = (-math.sin(angle) * turn, math.cos(angle) * turn)
    across = (math.cos(angle), math.sin(angle))
    sketch.polygon([(tip[0] + across[0] * 2.6, tip[1] + across[1] * 2.6),
                    (tip[0] - across[0] * 2.6, tip[1] - across[1] * 2.6),
                    (tip[0] + along[0] * 3.2, tip[1] + along[1] * 3.2)], fill=rgba(ACCENT_DARK))


def hover_badge():
    """PNG 172, 91 x 36: three round buttons with circular arrows on a light pill."""
    sketch = Sketch(91, 36)
    pill = (2, 3, 89, 33)
    sketch.shadow(pill, 15, 80, 1.5)
    sketch.rounded(pill, 15, fill=rgba(WHITE, 245), outline=rgba((180, 190, 204)))
    for centre in ((19, 18), (45.5, 18), (72, 18)):
        sketch.ellipse((centre[0] - 11, centre[1] - 11, centre[0] + 11, centre[1] + 11), fill=rgba(ACCENT_PALE))
    circular_arrow(sketch, (19, 18), 300, 230, clockwise=False)
    circular_arrow(sketch, (45.5, 18), 310, 240)
    circular_arrow(sketch, (72, 18), 200, 330, radius=4.6)
    circular_arrow(sketch, (72, 18), 20, 150, radius=4.6)
    return sketch.result()


# ---------------------------------------------------------------------------------------------------
# The product's mark: a photo card with sky, sun and hills.

def landscape(sketch, box, sky, near, far):
    """A small picture in box: a sky gradient, a sun and two hills."""
    left, top, right, bottom = box
    width, height = right - left, bottom - top
    sketch.rounded_gradient(box, min(width, height) * 0.04, sky[0], sky[1])
    sketch.ellipse((left + width * 0.60, top + height * 0.14, left + width * 0.78, top + height * 0.14 + width * 0.18),
                   fill=rgba((255, 196, 92)))
    sketch.polygon([(left, top + height * 0.70), (left + width * 0.36, top + height * 0.38),
                    (left + width * 0.72, bottom), (left, bottom)], fill=rgba(far))
    sketch.polygon([(left + width * 0.30, bottom), (left + width * 0.66, top + height * 0.52),
                    (right, top + height * 0.78), (right, bottom)], fill=rgba(near))


def photo_mark(size):
    """A square RGBA mark of size x size at SCALE (for drawing into a Sketch with layer())."""
    mark = Sketch(size, size)
    mark.rounded_gradient((0, 0, size, size), size * 0.22, ACCENT_TOP, ACCENT_DARK)
    mark.rounded((size * 0.16, size * 0.16, size * 0.84, size * 0.84), size * 0.08, fill=rgba(WHITE, 245))
    pad = size * 0.22
    landscape(mark, (pad, pad, size - pad, size - pad), ((214, 233, 250), (170, 207, 240)), ACCENT_DARK, ACCENT)
    return mark.image


def about_picture():
    """PNG 134, 48 x 48: the mark and the product name."""
    sketch = Sketch(48, 48)
    sketch.layer(photo_mark(32), (8, 0))
    sketch.text((24, 47.5), "Mirelle", 11, rgba(TEXT), bold=True, anchor="ms")
    return sketch.result()


def program_icon():
    """ICON 128: the mark alone, drawn afresh at each icon size so that the small ones stay crisp."""
    images = []
    for size in ICON_SIZES:
        sketch = Sketch(size, size)
        sketch.layer(photo_mark(size))
        images.append(sketch.result())
    return images


def logo():
    """PNG 150, 161 x 76: mark, name and line of purpose, kept left of x 130 where the band begins."""
    sketch = Sketch(161, 76)
    sketch.layer(photo_mark(38), (2, 20))
    sketch.text((46, 42), "Mirelle", 25, rgba(TEXT), bold=True, anchor="ls")
    sketch.text((47, 56), "photo preparation", 10.5, rgba(MUTED), anchor="ls")
    return sketch.result()


def tilted_card(width, height, angle, sky, near, far):
    """A white photo card with a landscape, turned by angle degrees, at SCALE."""
    card = Sketch(width, height)
    card.rounded((0, 0, width, height), 4, fill=rgba(WHITE))
    landscape(card, (6, 6, width - 6, height - 22), sky, near, far)
    return card.image.rotate(angle, resample=Image.BICUBIC, expand=True)


def splash():
    """PNG 166, 651 x 274: the start-up picture with the product name."""
    width, height = 651, 274
    sketch = Sketch(width, height)
    panel = (8, 6, width - 8, height - 10)
    sketch.shadow(panel, 16, 90, 4, offset=(0, 3))
    sketch.rounded_gradient(panel, 16, (252, 253, 254), (229, 235, 243))
    sketch.rounded((8.5, 6.5, width - 8.5, height - 10.5), 16, outline=rgba((190, 200, 213)))
    sketch.layer(tilted_card(150, 122, 11, ((255, 224, 184), (250, 190, 150)), (196, 112, 92), (226, 150, 116)),
                 (30, 56))
    sketch.layer(tilted_card(150, 122, -7, ((214, 238, 222), (180, 220, 196)), (70, 136, 104), (112, 172, 136)),
                 (150, 44))
    sketch.layer(tilted_card(160, 130, 2, ((222, 238, 252), (176, 211, 242)), ACCENT_DARK, ACCENT), (84, 70))
    sketch.layer(photo_mark(44), (328, 70))
    sketch.text((384, 112), "Mirelle", 54, rgba(TEXT), bold=True, anchor="ls")
    sketch.text((386, 140), "Photos ready to share", 17, rgba(MUTED), anchor="ls")
    sketch.rounded((386, 160, 446, 163), 1.5, fill=rgba(ACCENT))
    sketch.text((386, 190), "Version 1.4", 13, rgba(MUTED), anchor="ls")
    sketch.text((width - 30, height - 30), "Daduz", 12, rgba((160, 170, 184)), bold=True, anchor="rs")
    return sketch.result()


# ---------------------------------------------------------------------------------------------------
# The window frame.

def frame():
    """PNG 129, 159 x 336: caption band (rows 0-23) with rounded top corners, ten-pixel sides whose
    source row is 15, and a bottom band from row 327 with rounded bottom corners."""
    width, height, radius = 159, 336, 8
    edge = (0, 0, width * SCALE - 1, height * SCALE - 1)
    shape = Sketch(width, height)
    shape.draw.rounded_rectangle(edge, radius * SCALE, fill=rgba(WHITE))
    mask = shape.result().getchannel("A")

    body = Image.new("RGBA", (width, height), FRAME + (255,))
    caption = vertical_gradient(width, 24, CAPTION_TOP, CAPTION_BOTTOM)
    body.paste(caption, (0, 0))
    # The side columns are sampled from row 15: give that row the frame colour at the edges only.
    body.paste(FRAME + (255,), (0, 15, 10, 16))
    body.paste(FRAME + (255,), (149, 15, 159, 16))

    outline = Sketch(width, height)
    outline.draw.rounded_rectangle(edge, radius * SCALE, outline=rgba(OUTLINE), width=SCALE)
    outline.line([(1, 1.5), (width - 1, 1.5)], fill=HIGHLIGHT + (200,))
    outline = outline.result()

    result = Image.alpha_composite(body, outline)
    result.putalpha(Image.composite(result.getchannel("A"), Image.new("L", (width, height), 0), mask))
    return result


# ---------------------------------------------------------------------------------------------------
# Toolkit controls album does not use: check and radio buttons, the combo box arrow, list item icons.

# Frame k of a check or radio strip: (look, checked). Frame 0 is never shown; it repeats frame 2.
CHECK_STATES = (("normal", False), ("disabled", False), ("normal", False), ("hover", False), ("pressed", False),
                ("disabled", True), ("normal", True), ("hover", True), ("pressed", True))
CHECK_LOOKS = {"normal": RAISED, "hover": HOVERED, "pressed": PRESSED, "disabled": DISABLED}


def check_strip(round_box):
    """Nine 18 x 18 frames of a check box (a rounded square with a tick) or a radio button (a disc with a dot)."""
    frames = []
    for state, checked in CHECK_STATES:
        look = CHECK_LOOKS[state]
        mark = MUTED if state == "disabled" else ACCENT
        sketch = Sketch(18, 18)
        box = (2.5, 2.5, 15.5, 15.5)
        radius = 6.5 if round_box else 3
        sketch.rounded_gradient(box, radius, look.top, look.bottom)
        sketch.rounded(box, radius, outline=look.outline)
        if checked and round_box:
            sketch.ellipse((6, 6, 12, 12), fill=rgba(mark))
        elif checked:
            sketch.line([(5.5, 9.2), (8, 11.8), (12.8, 6.2)], fill=rgba(mark), width=2)
        frames.append(sketch.result())
    return strip(frames)


def drop_arrow():
    """The combo box's drop-down arrow, 9 x 6, drawn at the right end of the closed field."""
    sketch = Sketch(9, 6)
    sketch.polygon([(0.5, 0.5), (8.5, 0.5), (4.5, 5.5)], fill=rgba(SLATE_BOTTOM))
    return sketch.result()


def item_icons():
    """Six 18 x 18 item icons side by side: a page, a folder, a photo, a star, an empty and a ticked check."""
    cells = []
    for draw in (page_glyph, folder_glyph, photo_glyph, star_glyph, lambda s: check_glyph(s, False),
                 lambda s: check_glyph(s, True)):
        sketch = Sketch(18, 18)
        draw(sketch)
        cells.append(sketch.result())
    return strip(cells)


# Sky, near and far hill colours of the gallery's photo thumbnails: noon, dusk, snow, sea, forest, night.
THUMB_SCENES = (
    (((120, 176, 230), (200, 225, 245)), (90, 150, 90), (130, 180, 120)),
    (((236, 140, 96), (250, 210, 150)), (120, 80, 90), (170, 110, 110)),
    (((170, 200, 230), (230, 240, 250)), (236, 242, 248), (200, 212, 226)),
    (((90, 160, 220), (180, 220, 245)), (40, 110, 170), (70, 150, 200)),
    (((150, 200, 180), (214, 236, 220)), (40, 100, 60), (80, 140, 90)),
    (((30, 40, 90), (70, 80, 140)), (20, 30, 50), (50, 60, 90)),
)


def thumbnails():
    """Six 80 x 62 cells of the gallery's icon list side by side: a framed photo thumbnail under a clear band, where
    the list draws the item's caption."""
    cells = []
    for sky, near, far in THUMB_SCENES:
        sketch = Sketch(80, 62)
        landscape(sketch, (8.5, 16.5, 71.5, 60.5), sky, near, far)
        sketch.rounded((8.5, 16.5, 71.5, 60.5), 2, outline=rgba(OUTLINE))
        cells.append(sketch.result())
    return strip(cells)


def page_glyph(sketch):
    sketch.polygon([(4, 2), (11, 2), (14, 5), (14, 16), (4, 16)], fill=rgba(WHITE))
    sketch.line([(4, 2), (11, 2), (14, 5), (14, 16), (4, 16), (4, 2)], fill=rgba(OUTLINE))
    for y in (7.5, 10, 12.5):
        sketch.line([(6, y), (12, y)], fill=rgba(MUTED))


def folder_glyph(sketch):
    sketch.rounded((1.5, 3.5, 8, 7), 1, fill=rgba((226, 180, 80)))
    sketch.rounded((1.5, 5.5, 16.5, 15.5), 1.5, fill=rgba((240, 200, 100)), outline=rgba((196, 150, 60)))


def photo_glyph(sketch):
    landscape(sketch, (1.5, 3.5, 16.5, 14.5), ((120, 176, 230), (200, 225, 245)), (90, 150, 90), (130, 180, 120))
    sketch.rounded((1.5, 3.5, 16.5, 14.5), 1, outline=rgba(OUTLINE))


def star_glyph(sketch):
    points = []
    for k in range(10):
        radius = 7.5 if k % 2 == 0 else 3.2
        angle = math.pi * (k / 5 - 0.5)
        points.append((9 + radius * math.cos(angle), 9.5 + radius * math.sin(angle)))
    sketch.polygon(points, fill=rgba((240, 180, 40)))


def check_glyph(sketch, ticked):
    sketch.rounded((3.5, 3.5, 14.5, 14.5), 2.5, fill=rgba(WHITE), outline=rgba(ACCENT_DARK if ticked else OUTLINE))
    if ticked:
        sketch.line([(6, 9.2), (8.2, 11.5), (12.2, 6.5)], fill=rgba(ACCENT), width=1.8)


def header_skin():
    """The report list header's BITMAP skin, 2 x 24: column 0 the header's background, column 1 the background of
    the column under the pointer; both are stretched across. A soft gradient closed by a darker bottom edge."""
    height = 24
    skin = Image.new("RGB", (2, height))
    for y in range(height):
        t = y / (height - 2)
        skin.putpixel((0, y), mix(HIGHLIGHT, CAPTION_TOP, t) if y < height - 1 else PANEL_EDGE)
        skin.putpixel((1, y), mix(ACCENT_PALE, ACCENT_SOFT, t) if y < height - 1 else ACCENT)
    return skin


# File name -> drawing function of the toolkit's own images.
TOOLKIT_IMAGES = {
    "chk.png": lambda: check_strip(False),
    "radio.png": lambda: check_strip(True),
    "arrow.png": drop_arrow,
    "icons.png": item_icons,
    "thumbs.png": thumbnails,
    "hdr.bmp": header_skin,
}


# File name -> drawing function. The file name gives the resource type and id.
IMAGES = {
    "frame129.png": frame,
    "png134.png": about_picture,
    "png136.png": header_bar,
    "png137.png": system_button,
    "png139.png": popup_background,
    "png146.png": grip_png,
    "png148.png": tree_glyphs,
    "png149.png": list_cell,
    "png150.png": logo,
    "png152.png": card_frame,
    "png155.png": check_cells,
    "png158.png": panel_band,
    "png164.png": flat_buttons,
    "png165.png": slider_thumbs,
    "png166.png": splash,
    "png172.png": hover_badge,
    "png175.png": status_bar,
    "img131.tif": close_button,
    "img132.tif": close_icon,
    "img133.tif": push_buttons,
    "img135.tif": lambda: round_badge_pair(play_symbol),
    "img141.tif": lambda: round_badge_pair(tune_symbol),
    "img57670.tif": lambda: round_badge_pair(info_symbol),
    "img157.tif": progress_bar,
    "img160.tif": splitter_grip,
    "img179.tif": browse_button,
    "img180.tif": folder_icon,
    "bmp130.bmp": texture,
    "bmp139.bmp": menu_strip,
    "bmp144.bmp": vertical_atlas,
    "bmp145.bmp": horizontal_atlas,
    "bmp146.bmp": corner_bitmap,
    "ico128.ico": program_icon,
}


def save(image, path):
    if path.endswith(".png"):
        image.save(path, optimize=True)
    elif path.endswith(".ico"):
        largest = image[-1]
        largest.save(path, sizes=[i.size for i in image], append_images=image[:-1])
    elif path.endswith(".tif"):
        # Deflate keeps the files small; Wine's decoder cannot read JPEG-compressed TIFF.
        image.save(path, compression="tiff_deflate")
    else:
        image.save(path)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, draw in IMAGES.items():
        save(draw(), os.path.join(OUT, name))
    os.makedirs(TOOLKIT_OUT, exist_ok=True)
    for name, draw in TOOLKIT_IMAGES.items():
        save(draw(), os.path.join(TOOLKIT_OUT, name))


if __name__ == "__main__":
    main()
