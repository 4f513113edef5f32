#include "ControlsProbes.h"
#include "controls/CxSrlBar.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

// Colours of the test atlases (res/vbar.bmp, res/hbar.bmp): the hot look is each colour halved.
constexpr ARGB kArrow = 0xFFFF0000;
constexpr ARGB kArrowHot = 0xFF7F0000;
constexpr ARGB kTrack = 0xFF0000FF;
constexpr ARGB kFirstCap = 0xFFFFFF00;
constexpr ARGB kFirstCapHot = 0xFF7F7F00;
constexpr ARGB kGrip = 0xFFFF00FF;
constexpr ARGB kLastCap = 0xFF00FFFF;
constexpr ARGB kSecondArrow = 0xFFFF8000;
constexpr ARGB kCornerMark = 0xFFFFFFFF;
constexpr ARGB kHostFill = 0xFF204060;

// A borderless host with native scroll bars whose rendering is a flat fill with the skinned bars on top.
class BarHost : public CStatic, public CxWnd, public CxSrlBar {
public:
    void PreSubclassWindow() override
    {
        Load(this);
        CStatic::PreSubclassWindow();
    }
    void DrawImage(Graphics& target, Graphics&, RectF& area) override
    {
        SolidBrush fill{Color(kHostFill)};
        target.FillRectangle(&fill, 0.0f, 0.0f, area.Width, area.Height);
        DrawBar(target);
    }
    void SetBar(int bar, int max, int page, int pos)
    {
        SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, max, UINT(page), pos, 0};
        ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
    }
};

const CPoint kOrigin(20, 20);

class SrlBar : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
    }
    // Creates the host at kOrigin with a window of width x height and the given scroll-bar styles.
    void MakeHost(DWORD bars, int width, int height, UINT vert = IDB_VBAR, UINT horz = IDB_HBAR)
    {
        ASSERT_TRUE(host.Create(L"", WS_CHILD | WS_VISIBLE | bars,
                                CRect(kOrigin.x, kOrigin.y, kOrigin.x + width, kOrigin.y + height), &dialog, 1501));
        host.SetAtt(&host, vert, horz, IDB_CORNER);
        dialog.Compose(host);
    }
    CRect Client()
    {
        CRect client;
        host.GetClientRect(&client);
        return client;
    }
    // The composed colour at (x, y) of the host window.
    ARGB At(int x, int y)
    {
        host.Redraw(1, nullptr);
        surface = dialog.Render(host);
        return PixelAt(*surface, kOrigin.x + x, kOrigin.y + y);
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    BarHost host;
    std::unique_ptr<Bitmap> surface;
};

TEST_F(SrlBar, VerticalThumbOfAHundredPixelBar)
{
    MakeHost(WS_VSCROLL, 120, 102);  // the bar runs from y 1 to y 101
    host.SetBar(SB_VERT, 99, 10, 0);
    const int x = Client().right + 4;
    EXPECT_EQ(At(x, 17), kArrow);
    EXPECT_EQ(At(x, 18), kFirstCap) << "thumb of 6 pixels: the top cap covers the 2-pixel body";
    EXPECT_EQ(At(x, 19), kLastCap) << "the bottom cap starts one pixel higher without a horizontal bar";
    EXPECT_EQ(At(x, 22), kTrack);
    EXPECT_EQ(At(x, 83), kSecondArrow) << "lower arrow moved up by one pixel";
    EXPECT_EQ(At(Client().right - 1, 50), kHostFill) << "nothing is painted into the client area";

    host.SetBar(SB_VERT, 99, 10, 90);
    EXPECT_EQ(At(x, 77), kTrack);
    EXPECT_EQ(At(x, 78), kFirstCap) << "p = trunc(90 x 0.67) = 60";

    host.SetBar(SB_VERT, 99, 40, 0);  // t = trunc(40 x 0.67) = 26: grip at p + t / 2 + 14 = 27
    EXPECT_EQ(At(x, 22), 0xFF00FF00u) << "the body between the caps";
    EXPECT_EQ(At(x, 27), kGrip);
    EXPECT_EQ(At(x, 35), kGrip);
}

TEST_F(SrlBar, BothBarsMoveTheLowerArrowAndShowTheCorner)
{
    MakeHost(WS_VSCROLL | WS_HSCROLL, 160, 120);
    host.SetBar(SB_VERT, 99, 10, 0);
    host.SetBar(SB_HORZ, 99, 10, 0);
    const CRect client = Client();
    const int width = 160, height = 120;
    CRect bar(client.right, 1, width, height - 1);
    host.GetSedBtnInfo(bar);
    EXPECT_EQ(CRect(host.GetScrollBarInfo(SB_VERT)->secondButton),
              CRect(client.right, height - 1 - 33, width, height - 1 - 16));
    EXPECT_EQ(host.GetScrollBarInfo(2), nullptr);

    EXPECT_EQ(At(client.right + 4, height - 1 - 33), kSecondArrow);
    const int glyphX = width - 13, glyphY = client.bottom + 5;
    EXPECT_EQ(At(glyphX + 5, glyphY + 5), kCornerMark);
    EXPECT_EQ(At(glyphX, glyphY), kTrack) << "black is transparent in the corner glyph";
    EXPECT_EQ(At(width - 34 + 4, client.bottom + 4), kSecondArrow) << "right arrow left of the vertical bar";
}

// Every pixel of a row or column of the bar shows only arrows or track.
#define EXPECT_NO_THUMB(colour, where)                                                                  \
    do {                                                                                             \
        ARGB c_ = (colour);                                                                          \
        EXPECT_TRUE(c_ == kArrow || c_ == kTrack || c_ == kSecondArrow) << where;                    \
    } while (0)

TEST_F(SrlBar, VerticalBarFourPixelsTooShortHasNoThumb)
{
    MakeHost(WS_VSCROLL, 60, 51);  // bar of 49: scale 0.16, page 25 gives t = 4
    host.SetBar(SB_VERT, 99, 25, 0);
    for (int y = 1; y < 50; ++y) EXPECT_NO_THUMB(At(Client().right + 4, y), "y " << y);
}

TEST_F(SrlBar, ShortHorizontalThumbDrawsNoBody)
{
    MakeHost(WS_HSCROLL, 40, 60);  // scale (40 - 35) / 100, page 90 gives t = 4: a body of -1
    host.SetBar(SB_HORZ, 99, 90, 5);
    const int y = Client().bottom + 4;
    for (int x = 0; x < 40; ++x) EXPECT_NO_THUMB(At(x, y), "x " << x);
}

TEST_F(SrlBar, HotPartFollowsTheCursorAtTheNextPainting)
{
    MakeHost(WS_VSCROLL, 120, 102);
    host.SetBar(SB_VERT, 99, 40, 0);
    const int x = Client().right + 4;
    PutCursor(host, {x, 5});
    EXPECT_EQ(At(x, 5), kArrowHot);
    EXPECT_EQ(At(x, 18), kFirstCap);

    PutCursor(host, {x, 30});
    EXPECT_EQ(At(x, 5), kArrow);
    EXPECT_EQ(At(x, 18), kFirstCapHot);
}

TEST_F(SrlBar, MissingAtlasesAndBarsPaintNothing)
{
    MakeHost(WS_VSCROLL | WS_HSCROLL, 120, 102, 0, 0);
    host.SetBar(SB_VERT, 0, 0, 0);
    host.SetBar(SB_HORZ, 0, 0, 0);
    const CRect client = Client();
    EXPECT_EQ(At(client.right + 4, 5), kHostFill);
    EXPECT_EQ(At(5, client.bottom + 4), kHostFill);
    EXPECT_FALSE(host.IsScrollBarVisible(7));
}

}  // namespace
