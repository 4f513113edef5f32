#include "ControlsProbes.h"
#include "controls/CxSplitter.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

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

// Sets the thread's view of the left button, which is what the splitter reads while dragging.
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
        ASSERT_TRUE(splitter.Create(L"", WS_CHILD | WS_VISIBLE, CRect(100, 30, 130, 150), &dialog, 1011));
        splitter.SetAtt(splitter.LoadRes(IDP_GRIP, L"PNG", nullptr));
        dialog.Compose(splitter);
        SetLeftButton(true);
        splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 10));
    }
    void TearDown() override { SetLeftButton(false); }
    void MoveTo(int x) { splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 10)); }

    GdiplusSession gdiplus;
    SplitterParent dialog;
    CxSplitter splitter;
};

TEST_F(Splitter, AcceptedStepsMoveTheBarAndAddUp)
{
    MoveTo(14);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].wParam, reinterpret_cast<WPARAM>(&splitter));
    EXPECT_EQ(dialog.reports[0].lParam, 10);
    MoveTo(6);  // relative to the moved bar
    MoveTo(0);
    ASSERT_EQ(dialog.reports.size(), 3u);
    EXPECT_EQ(dialog.reports[1].lParam, 2);
    EXPECT_EQ(dialog.reports[2].lParam, -4);
    EXPECT_EQ(splitter.GetPos(), 8);
    EXPECT_EQ(ChildRect(splitter), CRect(108, 30, 118, 150)) << "grip width, height kept";
}

TEST_F(Splitter, ARefusedStepEndsTheDragAndMovesWithoutTheButtonSendNothing)
{
    EXPECT_EQ(CWnd::GetCapture(), &splitter);
    dialog.accept = false;
    MoveTo(24);
    EXPECT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(splitter.GetPos(), 0);
    EXPECT_EQ(ChildRect(splitter).left, 100);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    SetLeftButton(false);
    splitter.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(8, 10));
    EXPECT_EQ(dialog.reports.size(), 1u);
}

TEST_F(Splitter, ShowsTheSizeCursorAndDrawsTheGripCentredOnItsLastRow)
{
    EXPECT_TRUE(splitter.SendMessage(WM_SETCURSOR, WPARAM(splitter.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));

    // The test grip is 10 x 49: a green first row, a red body and a blue last row.
    auto surface = dialog.Render(splitter);
    const int x = 105, top = 30;
    EXPECT_EQ(PixelAt(*surface, x, top + 34), 0xFF2050D0u);
    EXPECT_EQ(PixelAt(*surface, x, top + 35), 0xFF20C040u) << "(120 - 49) / 2 truncates to 35";
    EXPECT_EQ(PixelAt(*surface, x, top + 119), 0xFF2050D0u);
    EXPECT_EQ(PixelAt(*surface, x, top + 120), Skin::kBackground);
}

}  // namespace
