#include "ControlsProbes.h"
#include "controls/CxSplitter.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

// Rows of the test grip (10 x 49): first row, body, last row.
constexpr ARGB kGripTop = 0xFF20C040;
constexpr ARGB kGripBody = 0xFFC03020;
constexpr ARGB kGripLast = 0xFF2050D0;

// A parent that answers the splitter's drag steps with `accept`.
class SplitterParent : public ControlsDialog {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = ControlsDialog::WindowProc(msg, wParam, lParam);
        return msg == WM_USER ? LRESULT(accept) : result;
    }
    bool accept = true;
};

// The thread's view of the left button, which is what the splitter reads while dragging.
void SetLeftButton(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class Splitter : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(splitter.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(100, 30, 130, 150), &dialog,
                                    1011));
        splitter.SetAtt(splitter.LoadRes(IDP_GRIP, L"PNG", nullptr));
        dialog.Compose(splitter);
    }
    void TearDown() override { SetLeftButton(false); }
    void Press(int x)
    {
        SetLeftButton(true);
        splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    }
    void MoveTo(int x) { splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 10)); }

    GdiplusSession gdiplus;
    SplitterParent dialog;
    CxSplitter splitter;
};

TEST_F(Splitter, TakesTheGripWidthAndTheSizeWeCursor)
{
    EXPECT_EQ(ChildRect(splitter), CRect(100, 30, 110, 150));
    EXPECT_TRUE(splitter.SendMessage(WM_SETCURSOR, WPARAM(splitter.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));
}

TEST_F(Splitter, AcceptedStepsMoveTheBarAndAddUp)
{
    Press(4);
    EXPECT_EQ(CWnd::GetCapture(), &splitter);
    MoveTo(14);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].wParam, reinterpret_cast<WPARAM>(&splitter));
    EXPECT_EQ(dialog.reports[0].lParam, 10);
    EXPECT_EQ(ChildRect(splitter).left, 110);
    EXPECT_EQ(splitter.GetPos(), 10);

    MoveTo(6);  // relative to the moved bar
    ASSERT_EQ(dialog.reports.size(), 2u);
    EXPECT_EQ(dialog.reports[1].lParam, 2);
    MoveTo(0);
    EXPECT_EQ(dialog.reports[2].lParam, -4) << "steps to the left are negative";
    EXPECT_EQ(splitter.GetPos(), 8);
    EXPECT_EQ(ChildRect(splitter), CRect(108, 30, 118, 150)) << "the size is kept";

    splitter.MoveTo(50, -1, -1, -1);
    EXPECT_EQ(splitter.GetPos(), 8) << "moves by the parent are not drag steps";
}

TEST_F(Splitter, ARefusedStepLeavesTheBarAndEndsTheDrag)
{
    dialog.accept = false;
    Press(4);
    MoveTo(24);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(splitter.GetPos(), 0);
    EXPECT_EQ(ChildRect(splitter).left, 100);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(Splitter, MovingWithoutTheButtonSendsNothing)
{
    SetLeftButton(false);
    splitter.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(8, 10));
    EXPECT_TRUE(dialog.reports.empty());
    EXPECT_EQ(splitter.GetPos(), 0);
}

TEST_F(Splitter, StretchesTheLastRowAndCentresTheGrip)
{
    auto surface = dialog.Render(splitter);
    const int x = 100 + 5, top = 30;
    EXPECT_EQ(PixelAt(*surface, x, top), kGripLast);
    EXPECT_EQ(PixelAt(*surface, x, top + 34), kGripLast);
    EXPECT_EQ(PixelAt(*surface, x, top + 35), kGripTop) << "(120 - 49) / 2 truncates to 35";
    EXPECT_EQ(PixelAt(*surface, x, top + 36), kGripBody);
    EXPECT_EQ(PixelAt(*surface, x, top + 82), kGripBody);
    EXPECT_EQ(PixelAt(*surface, x, top + 119), kGripLast);
    EXPECT_EQ(PixelAt(*surface, x, top + 120), Skin::kBackground) << "nothing below the bar";
    EXPECT_EQ(PixelAt(*surface, 110, top + 60), Skin::kBackground) << "nothing right of the bar";
}

}  // namespace
