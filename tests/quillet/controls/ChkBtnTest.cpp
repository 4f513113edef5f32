#include "ControlsProbes.h"
#include "controls/CxChkBtn.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

constexpr UINT kFirstId = 1301;
constexpr int kCell = 18;  // the generated strips have 18 x 18 frames

class ChkBtn : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
        strip.reset(new Bitmap(skins.LoadRes(IDP_CHK_STRIP, L"PNG", nullptr)));
    }
    void Create(CxChkBtn& box, int x, UINT id, const wchar_t* caption = L"")
    {
        ASSERT_TRUE(box.Create(caption, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(x, 30, x + 60, 50), &dialog,
                               id));
        dialog.Compose(box);
    }
    void Make(CxChkBtn& box, int x = 20, const wchar_t* caption = L"")
    {
        Create(box, x, kFirstId, caption);
        box.SetAtt(box.LoadRes(IDP_CHK_STRIP, L"PNG", nullptr), nullptr, 0, 0, 0xFF000000);
    }
    // The strip frame the box shows: the one whose opaque inner pixels (on the fill and on the mark) match the
    // rendering; -1 when none does.
    int FrameOf(CxChkBtn& box)
    {
        CRect rect = ChildRect(box);
        auto surface = dialog.Render(box);
        for (int frame = 1; frame < 9; ++frame) {
            bool same = true;
            for (CPoint p : {CPoint(9, 9), CPoint(8, 11), CPoint(12, 12), CPoint(6, 6)}) {
                same = same && Near(PixelAt(*surface, rect.left + p.x, rect.top + p.y),
                                    PixelAt(*strip, frame * kCell + p.x, p.y), 2);
            }
            if (same) return frame;
        }
        return -1;
    }
    void Click(CWnd& wnd, CPoint releaseAt)
    {
        PutCursor(wnd, {5, 5});
        wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PutCursor(wnd, releaseAt);
        wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(releaseAt.x, releaseAt.y));
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxWnd skins;
    std::unique_ptr<Bitmap> strip;
};

TEST_F(ChkBtn, EmptyCaptionSizesToOneFrameAndACaptionKeepsTheTemplateSize)
{
    CxChkBtn bare, labelled;
    Make(bare);
    Make(labelled, 100, L"Label");
    EXPECT_EQ(ChildRect(bare), CRect(20, 30, 38, 48));
    EXPECT_EQ(ChildRect(labelled), CRect(100, 30, 160, 50));
    EXPECT_FLOAT_EQ(bare.GetImgSize().Width, 18.0f);
}

TEST_F(ChkBtn, ClickSendsCommandThenTheNewStateAndShowsIt)
{
    CxChkBtn box;
    Make(box);
    EXPECT_EQ(FrameOf(box), 2);
    Click(box, {5, 5});
    ASSERT_EQ(dialog.commands.size(), 1u);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.commands[0].wParam, MAKEWPARAM(kFirstId, 0));
    EXPECT_EQ(dialog.reports[0].wParam, reinterpret_cast<WPARAM>(&box));
    EXPECT_EQ(dialog.reports[0].lParam, 1);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED) << "an automatic box must not toggle a second time by itself";
    EXPECT_EQ(FrameOf(box), 7) << "checked under the pointer, shown at once";
    box.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(FrameOf(box), 6);
    box.EnableWindow(FALSE);
    EXPECT_EQ(FrameOf(box), 5);
    box.EnableWindow(TRUE);

    Click(box, {5, 5});
    ASSERT_EQ(dialog.reports.size(), 2u);
    EXPECT_EQ(dialog.reports[1].lParam, 0);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
}

TEST_F(ChkBtn, ReleaseOutsideNeitherTogglesNorReports)
{
    CxChkBtn box;
    Make(box);
    Click(box, {40, 5});
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_TRUE(dialog.reports.empty());
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
}

TEST_F(ChkBtn, SpaceKeyClicksAsTheMouseDoes)
{
    CxChkBtn box;
    Make(box);
    box.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    box.SendMessage(WM_KEYUP, VK_SPACE, 0xC0000001);
    ASSERT_EQ(dialog.commands.size(), 1u);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].lParam, 1);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    box.SendMessage(WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(dialog.reports.size(), 1u) << "a key-up without its press is no click";
}

class RadGroup : public ChkBtn {
protected:
    void SetUp() override
    {
        ChkBtn::SetUp();
        for (int i = 0; i < 3; ++i) Create(buttons[i], 20 + 30 * i, kFirstId + i);
        IStream* stream = skins.LoadRes(IDP_CHK_STRIP, L"PNG", nullptr);
        group.SetAtt(stream, nullptr, 0, 0, 0xFF000000, 3, &buttons[0], &buttons[1], &buttons[2]);
    }

    CxRadBtn buttons[3];
    CxRadGroup group;
};

TEST_F(RadGroup, EveryButtonDecodesTheOneStream)
{
    for (CxRadBtn& button : buttons) EXPECT_EQ(ChildRect(button).Size(), CSize(18, 18));
    ASSERT_EQ(group.GetButtons().size(), 3u);
    EXPECT_EQ(group.GetVal(), -1);
    group.SetVal(1);
    EXPECT_EQ(group.GetVal(), 1);
    group.SetVal(7);
    EXPECT_EQ(group.GetVal(), -1);
}

TEST_F(RadGroup, ClickChecksOnlyThatButtonEvenWhenReleasedOutside)
{
    group.SetVal(0);
    Click(buttons[2], {40, 5});
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_TRUE(dialog.reports.empty());
    EXPECT_EQ(group.GetVal(), 2);
    EXPECT_EQ(buttons[0].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(FrameOf(buttons[0]), 2) << "the mate shows unchecked without another redraw";

    Click(buttons[2], {5, 5});
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].lParam, 1) << "clicking the checked button keeps and reports it checked";
    EXPECT_EQ(group.GetVal(), 2);

    buttons[1].SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    buttons[1].SendMessage(WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(group.GetVal(), 1);
}

TEST_F(ChkBtn, EmptyGroupAndUngroupedButtonAreHarmless)
{
    CxRadGroup group;
    group.SetAtt(nullptr, nullptr, 0, 0, 0xFF000000, 0);
    EXPECT_EQ(group.GetVal(), -1);
    group.SetVal(0);

    CxRadBtn loose;
    Create(loose, 20, kFirstId);
    static_cast<CxBtn&>(loose).SetAtt(skins.LoadRes(IDP_CHK_STRIP, L"PNG", nullptr), nullptr, 0, 0, 0xFF000000);
    Click(loose, {5, 5});
    EXPECT_EQ(loose.GetCheck(), BST_CHECKED);
}

}  // namespace
