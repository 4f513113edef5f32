#include "photo/DateStamp.h"

#include "photo/PhotoFile.h"

namespace {

constexpr Gdiplus::ARGB kShadowColor = 0x647D7D7D;
constexpr Gdiplus::ARGB kTextColor = 0xF0FFFFFF;
constexpr Gdiplus::REAL kEmSize = 36.0f;
constexpr Gdiplus::REAL kOutlineWidth = 1.0f;

void AddText(Gdiplus::GraphicsPath& path, const wchar_t* text, int x, int y, const Gdiplus::StringFormat& format)
{
    // Each path gets its own family object, released right after use.
    const Gdiplus::FontFamily family(L"Arial");
    // A zero-sized layout rectangle: no wrapping, no clipping, (x, y) anchors the alignment.
    const Gdiplus::RectF layout(Gdiplus::REAL(x), Gdiplus::REAL(y), 0.0f, 0.0f);
    path.AddString(text, -1, &family, Gdiplus::FontStyleRegular, kEmSize, layout, &format);
}

} // namespace

CString DateText(__time64_t time) { return CTime(time).Format(L"%b. %d. %Y"); }

bool FileDateText(const CString& path, CString& text)
{
    FileFacts facts;
    if (!ReadFileFacts(path, facts)) return false;
    text = DateText(CTime(facts.created).GetTime());
    return true;
}

void DrawOutlineText(Gdiplus::Graphics& surface, const wchar_t* text, int x, int y, int alignment)
{
    if (!text || !*text) return;
    Gdiplus::StringFormat format(0, LANG_NEUTRAL);
    format.SetAlignment(Gdiplus::StringAlignment(alignment));
    Gdiplus::GraphicsPath textPath(Gdiplus::FillModeAlternate);
    Gdiplus::GraphicsPath shadowPath(Gdiplus::FillModeAlternate);
    AddText(textPath, text, x, y, format);
    AddText(shadowPath, text, x + 1, y + 1, format);
    surface.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const Gdiplus::SolidBrush shadow{Gdiplus::Color(kShadowColor)};
    const Gdiplus::SolidBrush fill{Gdiplus::Color(kTextColor)};
    const Gdiplus::Pen outline(Gdiplus::Color(kShadowColor), kOutlineWidth);
    surface.FillPath(&shadow, &shadowPath);
    surface.FillPath(&fill, &textPath);
    surface.DrawPath(&outline, &textPath);
}
