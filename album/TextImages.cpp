#include "TextImages.h"

#include <cmath>

using namespace Gdiplus;

namespace {

// Room around the measured box for antialiased edges and overhanging glyphs.
constexpr int kMargin = 2;

}  // namespace

CTextImages::CTextImages(const Font* font, ARGB colour) : m_font(font), m_brush(Color(colour))
{
    m_format.SetAlignment(StringAlignmentNear);
}

std::unique_ptr<Bitmap> CTextImages::Render(const std::wstring& text) const
{
    Bitmap probe(1, 1, PixelFormat32bppPARGB);
    Graphics measure(&probe);
    measure.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    RectF box;
    measure.MeasureString(text.c_str(), INT(text.size()), m_font, PointF(0, 0), &m_format, &box);
    const INT width = INT(std::ceil(box.GetRight())) + 2 * kMargin;
    const INT height = INT(std::ceil(box.GetBottom())) + 2 * kMargin;
    auto image = std::make_unique<Bitmap>(width, height, PixelFormat32bppPARGB);
    Graphics target(image.get());
    target.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    target.DrawString(text.c_str(), INT(text.size()), m_font, PointF(kMargin, kMargin), &m_format, &m_brush);
    return image;
}

void CTextImages::Draw(Graphics& g, const wchar_t* text, CPoint at)
{
    if (!m_font || !text || !*text) return;
    Entry& entry = m_images[text];
    if (!entry.image) entry.image = Render(text);
    entry.drawn = true;
    const INT width = INT(entry.image->GetWidth()), height = INT(entry.image->GetHeight());
    g.DrawImage(entry.image.get(), Rect(at.x - kMargin, at.y - kMargin, width, height), 0, 0, width, height,
                UnitPixel);
}

void CTextImages::Trim()
{
    for (auto it = m_images.begin(); it != m_images.end();) {
        if (!it->second.drawn) {
            it = m_images.erase(it);
            continue;
        }
        it->second.drawn = false;
        ++it;
    }
}
