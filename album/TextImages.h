#pragma once
// CTextImages: strings drawn from images rendered once. Wine's GDI+ rasterises every glyph of a string anew on each
// DrawString, so the photo cards' texts cost more than the rest of a card. Each image holds its string drawn with
// the given font, colour and text rendering hint onto transparent pixels; blending it where the string belongs
// gives the pixels that drawing the string there gives.
#include "framework/Geometry.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <unordered_map>

class CTextImages {
public:
    // font is borrowed and must outlive the images' use.
    CTextImages(const Gdiplus::Font* font, Gdiplus::ARGB colour);

    // Draws text with its layout origin at `at`, as DrawString with the default near alignment would.
    void Draw(Gdiplus::Graphics& g, const wchar_t* text, CPoint at);
    // Forgets the images not drawn since the previous call, so that the memory follows what is shown.
    void Trim();

private:
    struct Entry {
        std::unique_ptr<Gdiplus::Bitmap> image;
        bool drawn = false;
    };
    // The string drawn at (kMargin, kMargin) of a transparent image of its measured size plus the margins.
    std::unique_ptr<Gdiplus::Bitmap> Render(const std::wstring& text) const;

    const Gdiplus::Font* m_font;
    Gdiplus::SolidBrush m_brush;
    Gdiplus::StringFormat m_format;
    std::unordered_map<std::wstring, Entry> m_images;
};
