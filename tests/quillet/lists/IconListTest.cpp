#include "ControlsProbes.h"
#include "lists/CxIconListCtrl.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;

// Tells which items the list draws.
class ListProbe : public CxIconListCtrl {
public:
    using CxIconListCtrl::GetVisibleBounds;
};

class IconList : public testing::Test {
protected:
    void Open(DWORD style, int items)
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | style, CRect(10, 10, 290, 190), &dialog, 1501));
        list.SetAtt(IDB_VBAR, IDB_HBAR, IDB_CORNER, CSize(52, 22), list.LoadRes(IDP_BTN_STRIP, L"PNG", nullptr));
        for (int i = 0; i < items; ++i) list.InsertItem(i, L"", i % 7);
        dialog.Compose(list);
    }
    CPoint IconMiddle(int item)
    {
        CRect icon;
        list.GetItemRect(item, &icon, LVIR_ICON);
        return icon.CenterPoint();
    }
    void Click(CPoint at) { list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)); }
    // The composed colour at a client point of the list, rendered over a surface of colour.
    ARGB ComposedAt(CPoint at, ARGB colour)
    {
        list.Redraw(0, nullptr);
        auto surface = CacheOver(list, colour, 0xFF000000);
        return PixelAt(*surface, 10 + at.x, 10 + at.y);
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    ListProbe list;
};

TEST_F(IconList, ReportsEachNewItemOnceAndEmptySpaceOnce)
{
    Open(0, 3);
    const CPoint empty(270, 170);
    for (CPoint at : {IconMiddle(1), IconMiddle(1), IconMiddle(2), empty, empty, IconMiddle(2)}) Click(at);
    std::vector<LPARAM> reported;
    for (const auto& report : dialog.reports) {
        EXPECT_EQ(report.wParam, reinterpret_cast<WPARAM>(&list));
        reported.push_back(report.lParam);
    }
    EXPECT_EQ(reported, (std::vector<LPARAM>{1, 2, -1, 2}));
}

TEST_F(IconList, RepaintsOnlyWhenThePointerChangesItem)
{
    Open(0, 3);
    auto move = [&](CPoint at) {
        PutCursor(list, at);
        list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    };
    const int before = dialog.compositions;
    move(IconMiddle(0));
    move(IconMiddle(0) + CPoint(1, 1));
    EXPECT_EQ(dialog.compositions, before + 1);
    move(IconMiddle(1));
    move(CPoint(270, 170));
    EXPECT_EQ(dialog.compositions, before + 3);
    list.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(dialog.compositions, before + 3) << "nothing was hot any more";
}

TEST_F(IconList, DrawsCellsOverTheTintedBackgroundAndFramesABorderedList)
{
    Open(WS_BORDER, 3);
    const CPoint empty(200, 150);
    list.SetBgmColor(Color(0x00FFFFFF));
    EXPECT_TRUE(Near(ComposedAt(empty, Skin::kBackground), Skin::kBackground)) << "alpha 0 leaves the background";
    list.SetBgmColor(Color(kWhite));
    EXPECT_TRUE(Near(ComposedAt(empty, Skin::kBackground), kWhite)) << "alpha 255 covers it";
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Near(ComposedAt(IconMiddle(i), Skin::kBackground), Skin::kFrames[i]));

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetSelColor(Color(kWhite));
    EXPECT_TRUE(Near(ComposedAt(IconMiddle(1), Skin::kBackground), kWhite)) << "an opaque selection tint";

    list.Redraw(0, nullptr);
    auto surface = CacheOver(list, Skin::kBackground, 0xFF000000);
    EXPECT_TRUE(Near(PixelAt(*surface, 10, 10), 0xFF787878)) << "the outer frame's top-left";
    EXPECT_TRUE(Near(PixelAt(*surface, 11, 11), kWhite)) << "the inner frame's top-left";
}

TEST_F(IconList, DrawsExactlyTheItemsThatReachTheClientAreaWhereverItIsScrolled)
{
    Open(0, 400);
    CRect client;
    list.GetClientRect(&client);
    for (int scroll : {0, 1000, 2500, 100000}) {
        list.SendMessage(LVM_SCROLL, 0, scroll);
        for (int i = 0; i < list.GetItemCount(); ++i) {
            CRect bounds, visible;
            list.GetItemRect(i, &bounds, LVIR_BOUNDS);
            const bool reaches = visible.IntersectRect(bounds, client) != FALSE;
            CRect reported;
            EXPECT_EQ(list.GetVisibleBounds(i, reported), reaches) << "item " << i << " after scrolling " << scroll;
        }
    }
}

TEST_F(IconList, EmptyListAndMissingStripDrawOnlyTheBackground)
{
    Open(0, 0);
    list.SetBgmColor(Color(0x00FFFFFF));
    EXPECT_TRUE(Near(ComposedAt({100, 60}, Skin::kBackground), Skin::kBackground));
    CxIconListCtrl bare;
    ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(10, 10, 100, 100), &dialog, 1502));
    bare.InsertItem(0, L"caption");
    auto surface = CacheOver(bare, Skin::kBackground, 0xFF000000);
    EXPECT_NE(PixelAt(*surface, 50, 50), 0u) << "drawn without a strip";
}

}  // namespace
