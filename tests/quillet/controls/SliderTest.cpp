#include "ControlsProbes.h"
#include "controls/CxEdit.h"
#include "controls/CxSlider.h"
#include "controls/CxSplitter.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Gdiplus;

namespace {

class Slider : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
        ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, CRect(20, 40, 220, 70), &dialog,
                                  1401));
        slider.SetRange(0, 10);
        slider.SetPos(0);
        slider.SetAtt(slider.LoadRes(IDP_THUMB, L"PNG", nullptr));
        dialog.Compose(slider);
    }
    // The client x of the channel at fraction of its length.
    int ChannelX(double fraction)
    {
        CRect channel;
        slider.GetChannelRect(&channel);
        return channel.left + int(fraction * channel.Width());
    }
    CPoint ThumbMiddle()
    {
        CRect thumb;
        slider.GetThumbRect(&thumb);
        return thumb.CenterPoint();
    }
    void Move(int x, int y, WPARAM flags)
    {
        PutCursor(slider, {x, y});
        slider.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(x, y));
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxSlider slider;
};

TEST_F(Slider, DragReportsEachNewPositionOnce)
{
    CPoint grip = ThumbMiddle();
    Move(grip.x, grip.y, 0);
    ASSERT_EQ(dialog.reports.size(), 1u) << "the first position is always reported";
    EXPECT_EQ(dialog.reports[0].lParam, 0);
    Move(grip.x, grip.y + 1, 0);
    EXPECT_EQ(dialog.reports.size(), 1u) << "moving without a new position reports nothing";

    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
    EXPECT_EQ(CWnd::GetCapture(), &slider);
    std::vector<LPARAM> seen;
    for (double fraction : {0.3, 0.3, 0.55, 0.8, 0.8}) {
        Move(ChannelX(fraction), grip.y, MK_LBUTTON);
        if (seen.empty() || seen.back() != slider.GetPos()) seen.push_back(slider.GetPos());
    }
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ChannelX(0.8), grip.y));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    ASSERT_EQ(seen.size(), 3u) << "three distinct positions";
    ASSERT_EQ(dialog.reports.size(), 4u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(dialog.reports[i + 1].wParam, reinterpret_cast<WPARAM>(&slider));
        EXPECT_EQ(dialog.reports[i + 1].lParam, seen[i]);
    }
}

TEST_F(Slider, DrawsTheChannelFrameAndTheThumbLookUnderTheCursor)
{
    CRect channel, thumb;
    slider.GetChannelRect(&channel);
    slider.GetThumbRect(&thumb);
    const CPoint origin(20, 40);
    auto surface = dialog.Render(slider);
    EXPECT_EQ(PixelAt(*surface, origin.x + channel.left + 30, origin.y + channel.top),
              Color::MakeARGB(255, 168, 168, 168));
    EXPECT_EQ(PixelAt(*surface, origin.x + channel.left + 30, origin.y + channel.bottom - 1),
              Color::MakeARGB(255, 210, 210, 210));
    EXPECT_EQ(PixelAt(*surface, origin.x + thumb.left + 2, origin.y + thumb.top + 2), Skin::kThumbNormal);
    EXPECT_NE(PixelAt(*surface, origin.x + thumb.left + 11 + 2, origin.y + thumb.top + 2), Skin::kThumbNormal)
        << "one look, 11 pixels wide, whatever the native thumb's width";
    EXPECT_EQ(PixelAt(*surface, 5, 5), Skin::kBackground);

    PutCursor(slider, {thumb.left + 2, thumb.top + 2});
    slider.Redraw(1, nullptr);
    surface = dialog.Render(slider);
    EXPECT_EQ(PixelAt(*surface, origin.x + thumb.left + 2, origin.y + thumb.top + 2), Skin::kThumbHot);
}

class Prg : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 20, 130, 50), &dialog, 1402));
        bar.SetAtt(bar.LoadRes(IDP_BAR, L"PNG", nullptr), 20, 0xC8000000);
        bar.SetRange32(0, 100);
        dialog.Compose(bar);
    }
    // The test bar's colour at client x of the bar, in the middle row.
    ARGB ColourAt(Bitmap& surface, int x) { return PixelAt(surface, 10 + x, 20 + 8); }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxPrg bar;
};

TEST_F(Prg, LayoutOfTheParts)
{
    CxPrg::BarLayout half = CxPrg::Layout(120, 0, 100, 50);
    EXPECT_EQ(half.fill, 58);
    EXPECT_EQ(half.filledX, 2);
    EXPECT_EQ(half.filledWidth, 59) << "filled part x 2-60";
    EXPECT_EQ(half.emptyX, 60);
    EXPECT_EQ(half.emptyWidth, 61);
    EXPECT_EQ(half.rightCapX, 118);

    CxPrg::BarLayout empty = CxPrg::Layout(120, 0, 100, 0);
    EXPECT_EQ(empty.filledWidth, 1);
    EXPECT_EQ(empty.emptyX, 2);
    CxPrg::BarLayout full = CxPrg::Layout(120, 0, 100, 100);
    EXPECT_EQ(full.fill, 116);
    EXPECT_EQ(full.filledX + full.filledWidth, 119) << "the filled part reaches x 118";
    EXPECT_EQ(full.rightCapX, 118);
}

TEST_F(Prg, LayoutSurvivesDegenerateAndWideRanges)
{
    CxPrg::BarLayout flat = CxPrg::Layout(120, 5, 5, 5);
    EXPECT_EQ(flat.fill, 0) << "an empty range shows no fill instead of dividing by zero";
    EXPECT_EQ(CxPrg::Layout(120, 10, 0, 5).fill, 0);

    CxPrg::BarLayout wide = CxPrg::Layout(120, 0, 2000000000, 1000000000);
    EXPECT_EQ(wide.fill, 58) << "no overflow of width x position";

    CxPrg::BarLayout negative = CxPrg::Layout(120, -100, 0, -50);
    EXPECT_EQ(negative.fill, 58);
    EXPECT_EQ(negative.emptyX + negative.emptyWidth, 121) << "the empty part still runs under the right cap";
    EXPECT_EQ(CxPrg::Layout(4, 0, 100, 50).fill, 0);
}

TEST_F(Prg, SetAttTakesTheImageHeightAndKeepsTheWidth)
{
    EXPECT_EQ(ChildRect(bar), CRect(10, 20, 130, 37));
}

TEST_F(Prg, DrawsCapsFilledAndEmptyParts)
{
    bar.SetPos(50);
    bar.Redraw(1, nullptr);
    auto surface = dialog.Render(bar);
    EXPECT_EQ(ColourAt(*surface, 0), Skin::kBarLeftCap);
    EXPECT_EQ(ColourAt(*surface, 1), Skin::kBarLeftCap);
    EXPECT_EQ(ColourAt(*surface, 4), Skin::kBarFilled);
    EXPECT_EQ(ColourAt(*surface, 58), Skin::kBarFilled);
    EXPECT_EQ(ColourAt(*surface, 62), Skin::kBarEmpty);
    EXPECT_EQ(ColourAt(*surface, 116), Skin::kBarEmpty);
    EXPECT_EQ(ColourAt(*surface, 118), Skin::kBarRightCap);
    EXPECT_EQ(ColourAt(*surface, 119), Skin::kBarRightCap);
    EXPECT_EQ(PixelAt(*surface, 130, 28), Skin::kBackground);

    bar.SetPos(100);
    bar.Redraw(1, nullptr);
    surface = dialog.Render(bar);
    EXPECT_EQ(ColourAt(*surface, 116), Skin::kBarFilled);
    EXPECT_EQ(ColourAt(*surface, 119), Skin::kBarRightCap);
}

TEST_F(Prg, FlatRangeDrawsWithoutFill)
{
    bar.SetRange32(7, 7);
    bar.Redraw(1, nullptr);
    auto surface = dialog.Render(bar);
    EXPECT_EQ(ColourAt(*surface, 10), Skin::kBarEmpty);
}

TEST_F(Prg, CaptionIsShortenedFromTheLeft)
{
    const wchar_t* longName = L"0123456789abcdefghijklmnopqrstuvw";  // 33 characters
    EXPECT_EQ(CxPrg::GetText(longName, 20), CString(L"...defghijklmnopqrstuvw"));
    EXPECT_EQ(CxPrg::GetText(L"01234567890123456789", 20), CString(L"01234567890123456789"));
    EXPECT_EQ(CxPrg::GetText(L"", 20), CString(L""));
    EXPECT_EQ(CxPrg::GetText(nullptr, 20), CString(L""));
    EXPECT_EQ(CxPrg::GetText(L"abc", 0), CString(L"..."));
}

TEST_F(Prg, CaptionIsDrawnOverTheBar)
{
    CFont font;
    font.CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    bar.SetFont(font.Get(), FALSE);
    bar.SetPos(100);
    bar.SetWindowText(L"MMMM");
    bar.Redraw(1, nullptr);
    auto surface = dialog.Render(bar);
    int ink = 0;
    for (int y = 20; y < 37; ++y) {
        for (int x = 10; x < 130; ++x) {
            Color c(PixelAt(*surface, x, y));
            if (c.GetG() < 150 && c.GetB() < 100) ++ink;  // darker than the green fill
        }
    }
    EXPECT_GT(ink, 20);
    for (int y = 20; y < 37; ++y) {
        Color c(PixelAt(*surface, 10 + 5, y));
        EXPECT_GT(c.GetG(), 200) << "the caption starts at x 7, row " << y;
    }
}

}  // namespace

namespace {

TEST(ControlsLeaks, RenderingEveryControlLeaksNoGdiHandles)
{
    GdiplusSession gdiplus;
    ControlsDialog dialog;
    ASSERT_TRUE(dialog.Open());
    CxPrg bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 20, 130, 50), &dialog, 1402));
    bar.SetAtt(bar.LoadRes(IDP_BAR, L"PNG", nullptr), 20, 0xC8000000);
    bar.SetWindowText(L"a caption long enough to be shortened");
    CxSlider slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(20, 60, 220, 90), &dialog, 1401));
    slider.SetAtt(slider.LoadRes(IDP_THUMB, L"PNG", nullptr));
    CxEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, CRect(20, 100, 220, 160), &dialog, 1403));
    edit.SetAtt(IDB_VBAR, IDB_HBAR, IDB_CORNER);
    edit.SetWindowText(L"two\r\nlines");
    CxSplitter splitter;
    ASSERT_TRUE(splitter.Create(L"", WS_CHILD | WS_VISIBLE, CRect(240, 20, 250, 160), &dialog, 1404));
    splitter.SetAtt(splitter.LoadRes(IDP_GRIP, L"PNG", nullptr));
    dialog.Compose(bar);
    dialog.Compose(slider);
    dialog.Compose(edit);
    dialog.Compose(splitter);

    auto cycle = [&] {
        bar.Redraw(1, nullptr);
        slider.Redraw(1, nullptr);
        edit.Redraw(1, nullptr);
        splitter.Redraw(1, nullptr);
    };
    cycle();  // the first run fills the system's caches
    int headroom = GdiHandleHeadroom();
    constexpr int kCycles = 150;
    for (int i = 0; i < kCycles; ++i) cycle();
    EXPECT_GE(GdiHandleHeadroom(), headroom - 2) << "GDI handles leaked over " << kCycles << " renderings";
}

}  // namespace
