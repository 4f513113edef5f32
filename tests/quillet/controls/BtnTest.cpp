#include "ControlsProbes.h"
#include "controls/CxBtn.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

constexpr UINT kButtonId = 1201;

class Btn : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);  // away from every window of the test
    }
    // Creates button as a visible child at (20, 30) and configures it with the test strip.
    void Make(CxBtn& button, const wchar_t* caption = L"", Font* font = nullptr, int textTop = 0)
    {
        ASSERT_TRUE(button.Create(caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 30, 60, 50), &dialog,
                                  kButtonId));
        button.SetAtt(button.LoadRes(IDP_BTN_STRIP, L"PNG", nullptr), font, textTop, 0, 0xFF000000);
        dialog.Compose(button);
    }
    // The strip frame the button shows, read from the middle of its rendering; -1 when none matches.
    int FrameOf(CxBtn& button)
    {
        CRect rect = ChildRect(button);
        auto surface = dialog.Render(button);
        ARGB colour = PixelAt(*surface, rect.CenterPoint().x, rect.CenterPoint().y);
        for (int frame = 0; frame < 7; ++frame) {
            if (Skin::kFrames[frame] == colour) return frame;
        }
        return -1;
    }
    CPoint Middle(CxBtn& button)
    {
        CRect client;
        button.GetClientRect(&client);
        return client.CenterPoint();
    }
    void Send(CWnd& wnd, UINT msg, CPoint point, WPARAM flags = 0)
    {
        wnd.SendMessage(msg, flags, MAKELPARAM(point.x, point.y));
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
};

TEST_F(Btn, SetAttSizesTheButtonToOneFrameAndMovesKeepTheFrameSize)
{
    CxBtn button;
    Make(button);
    EXPECT_EQ(ChildRect(button), CRect(20, 30, 72, 52)) << "a 364 x 22 strip gives 52 x 22";
    SizeF frame = button.GetImgSize();
    EXPECT_FLOAT_EQ(frame.Width, 52.0f);
    EXPECT_FLOAT_EQ(frame.Height, 22.0f);

    button.MoveTo(12, 25, -1, -1);
    EXPECT_EQ(ChildRect(button), CRect(12, 25, 64, 47));
    button.MoveTo(-1, -1, 30, 10);
    EXPECT_EQ(ChildRect(button), CRect(12, 25, 42, 35));

    button.MoveWindow(12, 25, 80, 22);
    button.Move(10, 0, 0, 0);
    EXPECT_EQ(ChildRect(button), CRect(22, 25, 74, 47)) << "Move sizes relative to the frame, not the window";
    button.Move(0, 5, 4, -2);
    EXPECT_EQ(ChildRect(button), CRect(22, 30, 78, 50));
}

TEST(BtnGeometry, PositionsAreInTheParentsWindowFrame)
{
    GdiplusSession gdiplus;
    ControlsDialog framed(IDD_FRAMED_DIALOG);
    ASSERT_TRUE(framed.Open());
    CxBtn button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 30, 60, 50), &framed, kButtonId));
    button.SetAtt(button.LoadRes(IDP_BTN_STRIP, L"PNG", nullptr), nullptr, 0, 0, 0xFF000000);
    int thick = button.GetThick();
    ASSERT_GT(thick, 0);
    EXPECT_EQ(ChildRect(button), CRect(20, 30, 72, 52)) << "SetAtt keeps the position";

    button.MoveTo(12, 25, -1, -1);
    Rect rect = button.GetRect(button.GetRect());
    EXPECT_EQ(rect.X, 12);
    EXPECT_EQ(rect.Y, 25);
    EXPECT_EQ(rect.Width, 52);
    EXPECT_EQ(rect.Height, 22);
    EXPECT_EQ(ChildRect(button), CRect(12 - thick, 25 - thick, 64 - thick, 47 - thick));
    button.Move(1, 2, 0, 0);
    EXPECT_EQ(ChildRect(button), CRect(13 - thick, 27 - thick, 65 - thick, 49 - thick));
}

TEST_F(Btn, FrameFollowsTheStateTable)
{
    CxBtn button;
    Make(button);
    EXPECT_EQ(FrameOf(button), 1);
    EXPECT_FLOAT_EQ(button.GetPos(52), 52.0f);

    PutCursor(button, Middle(button));
    Send(button, WM_SETFOCUS, {});
    EXPECT_EQ(FrameOf(button), 5) << "focused";
    Send(button, WM_MOUSEMOVE, Middle(button));
    EXPECT_EQ(FrameOf(button), 6) << "hover with focus";
    Send(button, WM_MOUSELEAVE, {});
    EXPECT_EQ(FrameOf(button), 5) << "leaving a focused button";
    Send(button, WM_LBUTTONDOWN, Middle(button), MK_LBUTTON);
    EXPECT_EQ(FrameOf(button), 3) << "pressed with focus";
    Send(button, WM_KILLFOCUS, {});
    EXPECT_EQ(FrameOf(button), 0) << "pressed without focus";

    button.EnableWindow(FALSE);
    EXPECT_EQ(FrameOf(button), 4) << "disabled wins over pressed";
    Send(button, WM_SETFOCUS, {});
    Send(button, WM_MOUSEMOVE, Middle(button));
    EXPECT_EQ(FrameOf(button), 4) << "disabled wins over hover and focus";
    EXPECT_FLOAT_EQ(button.GetPos(11), 44.0f);

    button.EnableWindow(TRUE);
    Send(button, WM_LBUTTONUP, Middle(button));
    Send(button, WM_KILLFOCUS, {});
    EXPECT_EQ(FrameOf(button), 2) << "hover without focus";
    Send(button, WM_MOUSELEAVE, {});
    EXPECT_EQ(FrameOf(button), 1);
}

TEST_F(Btn, ReleaseInsideSendsOneCommandBeforeTheRedraw)
{
    CxBtn button;
    Make(button);
    PutCursor(button, Middle(button));
    Send(button, WM_MOUSEMOVE, Middle(button));
    Send(button, WM_LBUTTONDOWN, Middle(button), MK_LBUTTON);
    EXPECT_EQ(CWnd::GetCapture(), &button);
    int compositions = dialog.compositions;
    Send(button, WM_LBUTTONUP, Middle(button));
    PumpPending();

    ASSERT_EQ(dialog.commands.size(), 1u) << "no BN_CLICKED of the native button besides our own command";
    EXPECT_EQ(dialog.commands[0].wParam, MAKEWPARAM(kButtonId, 0));
    EXPECT_EQ(dialog.commands[0].lParam, 0);
    EXPECT_EQ(dialog.commands[0].compositionsBefore, compositions) << "the command comes before the redraw";
    EXPECT_GT(dialog.compositions, compositions);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(Btn, ReleaseOutsideSendsNoCommandButRedraws)
{
    CxBtn button;
    Make(button);
    PutCursor(button, Middle(button));
    Send(button, WM_MOUSEMOVE, Middle(button));
    Send(button, WM_LBUTTONDOWN, Middle(button), MK_LBUTTON);
    ASSERT_EQ(FrameOf(button), 3);

    // Dragged out one pixel past the right edge: the hit rectangle excludes its right and bottom edges.
    CPoint outside(52, 5);
    PutCursor(button, outside);
    Send(button, WM_MOUSEMOVE, outside, MK_LBUTTON);
    int compositions = dialog.compositions;
    Send(button, WM_LBUTTONUP, outside);
    PumpPending();
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_EQ(dialog.compositions, compositions + 1);
    Send(button, WM_MOUSELEAVE, {});
    EXPECT_EQ(FrameOf(button), GetFocus() == button.m_hWnd ? 5 : 1);

    CPoint lastColumn(51, 21);
    PutCursor(button, lastColumn);
    Send(button, WM_LBUTTONDOWN, lastColumn, MK_LBUTTON);
    Send(button, WM_LBUTTONUP, lastColumn);
    PumpPending();
    EXPECT_EQ(dialog.commands.size(), 1u) << "the last column and row are inside";
}

// Pixels of a rendering whose colour passes test, with their bounding box.
struct Ink {
    int count = 0;
    int top = 1000, left = 1000, bottom = -1, right = -1;
};

template <class Test>
Ink FindInk(Bitmap& surface, const CRect& rect, Test test)
{
    Ink ink;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            Color c(PixelAt(surface, x, y));
            if (!test(c)) continue;
            ++ink.count;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

bool IsDark(const Color& c) { return c.GetR() < 60 && c.GetG() < 60 && c.GetB() < 60; }

TEST_F(Btn, CaptionIsCentredBelowTextTopAndEngravedWhenDisabled)
{
    FontFamily family(L"Arial");
    Font font(&family, 10.0f, FontStyleBold, UnitPixel);
    CxBtn plain, lowered;
    Make(plain, L"II", &font, 0);
    Make(lowered, L"II", &font, 2);
    lowered.MoveTo(100, 30, -1, -1);

    auto plainSurface = dialog.Render(plain);
    Ink top0 = FindInk(*plainSurface, ChildRect(plain), IsDark);
    auto loweredSurface = dialog.Render(lowered);
    Ink top2 = FindInk(*loweredSurface, ChildRect(lowered), IsDark);
    ASSERT_GT(top0.count, 0);
    EXPECT_EQ(top2.top - top0.top, 2) << "textTop 2 moves the caption 2 pixels down";
    EXPECT_NEAR((top0.left + top0.right) / 2.0, 20 + 26, 2) << "centred on the frame";

    plain.EnableWindow(FALSE);  // frame 4: magenta, so white and grey ink stand out
    plain.Redraw(1, nullptr);
    auto disabledSurface = dialog.Render(plain);
    CRect rect = ChildRect(plain);
    Ink white = FindInk(*disabledSurface, rect, [](const Color& c) { return c.GetG() >= 200; });
    Ink grey = FindInk(*disabledSurface, rect, [](const Color& c) {
        return c.GetR() >= 110 && c.GetR() <= 150 && c.GetG() >= 110 && c.GetG() <= 150;
    });
    EXPECT_EQ(FindInk(*disabledSurface, rect, IsDark).count, 0) << "no black caption when disabled";
    ASSERT_GT(white.count, 0);
    ASSERT_GT(grey.count, 0);
    EXPECT_EQ(white.right, grey.right + 1) << "the white copy lies one pixel right";
    EXPECT_EQ(white.bottom, grey.bottom + 1) << "and one pixel down";
}

TEST_F(Btn, TipIsRegisteredForTheWholeButton)
{
    CxBtn button;
    Make(button);
    button.SetTip(L"Close");
    HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100);
    EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_NOPREFIX);
    MSG msg{button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), GetTickCount(), {}};
    EXPECT_FALSE(button.PreTranslateMessage(&msg)) << "relayed, not consumed";
}

class SmallBtn : public Btn {
protected:
    // An 11 x 11 close button at (20, 30) with the 36 x 18 icon pair at (-3, -3), as dialogs use it.
    void MakeClose(CxBmpBtn& button)
    {
        ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 30, 40, 40), &dialog,
                                  kButtonId));
        button.SetAtt(button.LoadRes(IDI_SMALL_STRIP, L"IMG", nullptr),
                      button.LoadRes(IDI_CLOSE_ICON, L"IMG", nullptr), nullptr, 0, 0, 0xFF000000, Point(-3, -3),
                      Point(0, 0));
        dialog.Compose(button);
    }
};

TEST_F(SmallBtn, IconHalfFollowsHoverOnlyAndIsClippedToTheButton)
{
    CxBmpBtn button;
    MakeClose(button);
    EXPECT_EQ(ChildRect(button), CRect(20, 30, 31, 41));

    auto surface = dialog.Render(button);
    EXPECT_EQ(PixelAt(*surface, 25, 35), Skin::kIconNormal) << "right half when not hovered";
    EXPECT_EQ(PixelAt(*surface, 31, 35), Skin::kBackground) << "the icon is clipped at the button's edge";
    EXPECT_EQ(PixelAt(*surface, 25, 41), Skin::kBackground);

    PutCursor(button, {5, 5});
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    surface = dialog.Render(button);
    EXPECT_EQ(PixelAt(*surface, 25, 35), Skin::kIconHover) << "left half at the same redraw as the hover frame";

    button.SendMessage(WM_SETFOCUS);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    surface = dialog.Render(button);
    EXPECT_EQ(PixelAt(*surface, 25, 35), Skin::kIconHover) << "pressing keeps the look";
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    button.SendMessage(WM_MOUSELEAVE);

    button.EnableWindow(FALSE);
    button.Redraw(1, nullptr);
    surface = dialog.Render(button);
    EXPECT_EQ(PixelAt(*surface, 25, 35), Skin::kIconNormal) << "disabled shows the right half";
}

TEST_F(SmallBtn, DisabledImageButtonShowsFrameFourAroundTheIcon)
{
    CxBmpBtn button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 30, 40, 40), &dialog,
                              kButtonId));
    // The icon sits at (4, 4), leaving a ring of the strip frame visible.
    button.SetAtt(button.LoadRes(IDI_SMALL_STRIP, L"IMG", nullptr), button.LoadRes(IDI_CLOSE_ICON, L"IMG", nullptr),
                  nullptr, 0, 0, 0xFF000000, Point(4, 4), Point(0, 0));
    button.EnableWindow(FALSE);
    auto surface = dialog.Render(button);
    EXPECT_EQ(PixelAt(*surface, 21, 31), Skin::kFrames[4]);
    EXPECT_EQ(PixelAt(*surface, 26, 36), Skin::kIconNormal);
}

TEST_F(SmallBtn, MissingIconStillDrawsTheFrame)
{
    CxBmpBtn button;
    ASSERT_TRUE(button.Create(L"x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 30, 40, 40), &dialog,
                              kButtonId));
    button.SetAtt(button.LoadRes(IDI_SMALL_STRIP, L"IMG", nullptr), nullptr, nullptr, 0, 0, 0xFF000000,
                  Point(-3, -3), Point(0, 0));
    auto surface = dialog.Render(button);
    EXPECT_EQ(PixelAt(*surface, 25, 35), Skin::kFrames[1]) << "frame drawn, no icon, no caption without a font";
}

TEST_F(Btn, CopyBackgroundKeepsTheDialogPixelsInTheCache)
{
    // The small strip's frames are 11 x 11: buttons stretched by hand show their cache beyond the frame.
    CxBtn copying, plain;
    for (CxBtn* button : {&copying, &plain}) {
        int x = button == &copying ? 20 : 100;
        ASSERT_TRUE(button->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(x, 30, x + 40, 50), &dialog,
                                   kButtonId));
        button->SetAtt(button->LoadRes(IDI_SMALL_STRIP, L"IMG", nullptr), nullptr, 0, button == &copying,
                       0xFF000000);
        button->MoveTo(-1, -1, 30, 20);
    }
    constexpr ARGB kOther = 0xFF204060;
    auto copied = CacheOver(copying, Skin::kBackground, kOther);
    EXPECT_EQ(PixelAt(*copied, 25, 35), Skin::kFrames[1]);
    EXPECT_EQ(PixelAt(*copied, 45, 45), Skin::kBackground) << "copied from under the button";
    auto uncopied = CacheOver(plain, Skin::kBackground, kOther);
    EXPECT_EQ(PixelAt(*uncopied, 125, 45), kOther) << "without the copy the cache stays transparent";
}

}  // namespace
