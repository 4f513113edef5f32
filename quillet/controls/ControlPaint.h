#pragma once
// Drawing steps shared by the skinned controls: the background copy, engraved captions, GDI+ fonts made
// from GDI fonts, the sunken channel frame and GDI+ views of DIB images.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

class CImage;

namespace ControlPaint {

// The device context of a GDI+ graphics for one scope. On a 32-bit ARGB bitmap, GDI+ lends a stand-in DC and
// writes back only what changed (made opaque) on release: drawing that reads what is under it (AlphaBlend) must
// therefore happen within one lending, after the background copy.
class GraphicsDc {
public:
    explicit GraphicsDc(Gdiplus::Graphics& g) : m_graphics(g), m_dc(g.GetHDC()) {}
    ~GraphicsDc()
    {
        if (m_dc) m_graphics.ReleaseHDC(m_dc);
    }
    GraphicsDc(const GraphicsDc&) = delete;
    GraphicsDc& operator=(const GraphicsDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    Gdiplus::Graphics& m_graphics;
    HDC m_dc;
};

// Copies the pixels of background under area to (0, 0) of target (BitBlt, SRCCOPY through both DCs).
void CopyBackground(Gdiplus::Graphics& target, Gdiplus::Graphics& background, const Gdiplus::RectF& area);
// The same copy into a device context of the caller's.
void CopyBackground(HDC target, Gdiplus::Graphics& background, const Gdiplus::RectF& area);

// Draws a caption in layout: one pass in colour when enabled; when disabled, a white pass one pixel right
// and down, then a grey pass in place (an engraved look). A null font draws nothing.
void DrawCaption(Gdiplus::Graphics& target, const wchar_t* text, const Gdiplus::Font* font,
                 const Gdiplus::StringFormat* format, const Gdiplus::RectF& layout, bool enabled,
                 Gdiplus::ARGB colour);

// A GDI+ font from the LOGFONT of font, or from the font selected in dc when font is null.
std::unique_ptr<Gdiplus::Font> FontFromGdi(HDC dc, HFONT font);

// A one-pixel frame on rect: top and left edges in topLeft, right and bottom edges in bottomRight, opaque.
void Draw3dFrame(Gdiplus::Graphics& target, const RECT& rect, Gdiplus::Color topLeft, Gdiplus::Color bottomRight);

// Blends colour over rect of a 32-bit DIB image at a constant alpha (GDI is flushed first); nothing outside it.
void BlendRect(CImage& image, const RECT& rect, COLORREF colour, BYTE alpha);
// Sets the alpha byte of every pixel of rect in a 32-bit DIB image (GDI leaves 0 where it draws).
void MakeOpaque(CImage& image, const RECT& rect);

// A GDI+ bitmap over the pixels of a 24- or 32-bit DIB image (premultiplied when the image has alpha, else
// opaque); it borrows the pixels, so the image must outlive it. Null for an empty image.
std::unique_ptr<Gdiplus::Bitmap> BitmapOver(const CImage& image);

}  // namespace ControlPaint
