#include "controls/ControlPaint.h"

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

std::unique_ptr<Bitmap> BitmapOver(const CImage& image)
{
    if (image.IsNull() || !image.IsDIBSection()) return nullptr;
    PixelFormat format = image.GetBPP() == 32 ? (image.HasAlphaChannel() ? PixelFormat32bppPARGB : PixelFormat32bppRGB)
                                              : PixelFormat24bppRGB;
    return std::make_unique<Bitmap>(image.GetWidth(), image.GetHeight(), image.GetPitch(), format,
                                    static_cast<BYTE*>(image.GetBits()));
}

}  // namespace ControlPaint
