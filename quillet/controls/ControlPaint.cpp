#include "controls/ControlPaint.h"

#include "skin/LayerSurface.h"

#include "framework/Gdi.h"
#include "framework/Image.h"

using namespace Gdiplus;

namespace ControlPaint {

void CopyBackground(Graphics& target, Graphics& background, const RectF& area)
{
    HDC destination = target.GetHDC();
    if (!destination) return;
    CopyBackground(destination, background, area);
    target.ReleaseHDC(destination);
}

void CopyBackground(HDC target, Graphics& background, const RectF& area)
{
    HDC source = background.GetHDC();
    if (!source) return;
    BitBlt(target, 0, 0, INT(area.Width), INT(area.Height), source, INT(area.X), INT(area.Y), SRCCOPY);
    background.ReleaseHDC(source);
}

void DrawCaption(Graphics& target, const wchar_t* text, const Font* font, const StringFormat* format,
                 const RectF& layout, bool enabled, ARGB colour)
{
    if (!font || !text) return;
    if (enabled) {
        SolidBrush brush{Color(colour)};
        target.DrawString(text, -1, font, layout, format, &brush);
        return;
    }
    SolidBrush light{Color(0xFFFFFFFF)};
    RectF shifted(layout.X + 1, layout.Y + 1, layout.Width, layout.Height);
    target.DrawString(text, -1, font, shifted, format, &light);
    SolidBrush grey{Color(0xFF808080)};
    target.DrawString(text, -1, font, layout, format, &grey);
}

std::unique_ptr<Font> FontFromGdi(HDC dc, HFONT font)
{
    LOGFONTW logFont{};
    if (font && GetObjectW(font, sizeof(logFont), &logFont)) return std::make_unique<Font>(dc, &logFont);
    return std::make_unique<Font>(dc);
}

void Draw3dFrame(Graphics& target, const RECT& rect, Color topLeft, Color bottomRight)
{
    // GDI drawing into the 32-bit ARGB cache would leave the frame's alpha at 0 (invisible once composed),
    // so the frame is filled with GDI+.
    const INT x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0) return;
    SolidBrush light(topLeft);
    SolidBrush dark(bottomRight);
    target.FillRectangle(&light, x, y, cx - 1, 1);
    target.FillRectangle(&light, x, y, 1, cy - 1);
    target.FillRectangle(&dark, x + cx - 1, y, 1, cy);
    target.FillRectangle(&dark, x, y + cy - 1, cx, 1);
}

namespace {

// The part of rect inside a 32-bit DIB image; empty for any other image.
CRect InsideImage(const CImage& image, const RECT& rect)
{
    CRect inside;
    if (image.IsNull() || !image.IsDIBSection() || image.GetBPP() != 32) return inside;
    CRect whole(0, 0, image.GetWidth(), image.GetHeight());
    if (!inside.IntersectRect(rect, whole)) inside.SetRectEmpty();
    return inside;
}

}  // namespace

void BlendRect(CImage& image, const RECT& rect, COLORREF colour, BYTE alpha)
{
    const CRect area = InsideImage(image, rect);
    if (area.IsRectEmpty() || alpha == 0) return;
    GdiFlush();
    // Red and blue are blended side by side in one 32-bit value, each lane divided by 255 as (x + x / 256) / 256.
    const DWORD keep = 255u - alpha;
    const DWORD addRedBlue = ((GetRValue(colour) * alpha) << 16 | GetBValue(colour) * alpha) + 0x00800080u;
    const DWORD addGreen = GetGValue(colour) * alpha + 0x80u;
    for (int y = area.top; y < area.bottom; ++y) {
        auto* pixel = static_cast<DWORD*>(image.GetPixelAddress(area.left, y));
        for (int x = area.left; x < area.right; ++x, ++pixel) {
            DWORD redBlue = (*pixel & 0x00FF00FFu) * keep + addRedBlue;
            redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
            DWORD green = ((*pixel >> 8) & 0xFFu) * keep + addGreen;
            green = (green + (green >> 8)) >> 8;
            *pixel = (*pixel & 0xFF000000u) | redBlue | green << 8;
        }
    }
}

void MakeOpaque(CImage& image, const RECT& rect)
{
    const CRect area = InsideImage(image, rect);
    if (area.IsRectEmpty()) return;
    GdiFlush();
    LayerSurface::MakeOpaque(image.GetPixelAddress(0, 0), image.GetPitch(), area);
}

std::unique_ptr<Bitmap> BitmapOver(const CImage& image)
{
    if (image.IsNull() || !image.IsDIBSection()) return nullptr;
    PixelFormat format = image.GetBPP() == 32 ? (image.HasAlphaChannel() ? PixelFormat32bppPARGB : PixelFormat32bppRGB)
                                              : PixelFormat24bppRGB;
    return std::make_unique<Bitmap>(image.GetWidth(), image.GetHeight(), image.GetPitch(), format,
                                    static_cast<BYTE*>(image.GetBits()));
}

}  // namespace ControlPaint
