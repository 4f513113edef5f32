#include "AlbumApp.h"
#include "DialogTestSupport.h"
#include "TextImages.h"

#include <algorithm>
#include <cstdlib>

using namespace Gdiplus;

namespace {

class TextImages : public AlbumDialogTest {};

// The strings of a card drawn from their images give the pixels of DrawString in place, over any background.
TEST_F(TextImages, DrawAsDrawStringDoes)
{
    auto font = CAlbumApp::MakeFont(L"Courier New", 8);
    constexpr ARGB kColour = 0xDC000000;
    const wchar_t* texts[] = {L"IMG_0001.jpg", L"4000x3000 3.5MB", L"Compress"};
    // The second background is drawn from the images rendered for the first.
    CTextImages images(font.get(), kColour);
    for (ARGB under : {ARGB(0xFFF0F4F8), ARGB(0xFF406080)}) {
        Bitmap direct(160, 60, PixelFormat32bppPARGB);
        Bitmap cached(160, 60, PixelFormat32bppPARGB);
        {
            Graphics g(&direct);
            g.Clear(Color(under));
            g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
            StringFormat format;
            SolidBrush brush{Color(kColour)};
            for (int i = 0; i < 3; ++i)
                g.DrawString(texts[i], -1, font.get(), PointF(7.0f, 5.0f + 18 * i), &format, &brush);
            Graphics c(&cached);
            c.Clear(Color(under));
            for (int i = 0; i < 3; ++i) images.Draw(c, texts[i], CPoint(7, 5 + 18 * i));
            images.Trim();
        }
        int inked = 0, worst = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 160; ++x) {
                Color a, b;
                direct.GetPixel(x, y, &a);
                cached.GetPixel(x, y, &b);
                inked += a.GetValue() != under;
                worst = std::max({worst, std::abs(a.GetR() - b.GetR()), std::abs(a.GetB() - b.GetB())});
            }
        }
        EXPECT_GT(inked, 100) << "the strings were drawn";
        EXPECT_LE(worst, 3) << "over " << std::hex << under;
    }
}

}  // namespace
