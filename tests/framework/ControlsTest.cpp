#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A hidden top-level window that hosts the controls under test.
class Host {
public:
    Host() { m_wnd.CreateEx(0, nullptr, L"host", WS_POPUP | WS_CLIPCHILDREN, CRect(0, 0, 400, 300), nullptr, 0); }
    CWnd* operator->() { return &m_wnd; }
    CWnd* Get() { return &m_wnd; }

private:
    CWnd m_wnd;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// A value no 32-bit item field could hold on 64-bit Windows (and a plain pointer-sized value on 32-bit).
const DWORD_PTR kWideData = sizeof(DWORD_PTR) == 8 ? DWORD_PTR(0x123456789ABCDEF0ULL) : DWORD_PTR(0x89ABCDEF);

TEST(ListCtrl, ItemDataTextAndChecksSurviveTheRoundTrip)
{
    Host host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(kChild | LVS_REPORT, CRect(0, 0, 300, 200), host.Get(), 10));
    EXPECT_EQ(list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120), 0);
    CString longText(L'x', 600);
    ASSERT_EQ(list.InsertItem(0, longText), 0);
    ASSERT_EQ(list.InsertItem(1, L"second"), 1);
    EXPECT_EQ(list.GetItemText(0, 0), longText);
    EXPECT_EQ(list.GetItemText(1, 0), CString(L"second"));
    ASSERT_TRUE(list.SetItemData(1, kWideData));
    EXPECT_EQ(list.GetItemData(1), kWideData);

    // An item whose check state was never set is not checked.
    EXPECT_FALSE(list.GetCheck(0));
    ASSERT_TRUE(list.SetCheck(0, TRUE));
    EXPECT_TRUE(list.GetCheck(0));
    ASSERT_TRUE(list.SetCheck(0, FALSE));
    EXPECT_FALSE(list.GetCheck(0));

    CRect bounds;
    ASSERT_TRUE(list.GetItemRect(1, bounds, LVIR_BOUNDS));
    EXPECT_EQ(list.HitTest(bounds.CenterPoint()), 1);
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 0, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell.top, bounds.top);
    EXPECT_EQ(list.GetColumnWidth(0), 120);
    EXPECT_TRUE(IsWindow(list.GetHeaderCtrl()));
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT), 0u);
    EXPECT_EQ(list.GetExtendedStyle(), DWORD(LVS_EX_FULLROWSELECT));
}

TEST(ListCtrl, AnInstalledImageListStaysWithItsOwnerWhenTheControlGoes)
{
    Host host;
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
    CBitmap picture;
    ASSERT_TRUE(picture.CreateCompatibleBitmap(nullptr, 16, 16));
    ASSERT_EQ(ImageList_Add(images.GetSafeHandle(), picture.Get(), nullptr), 0);
    {
        CListCtrl list;
        ASSERT_TRUE(list.Create(kChild | LVS_ICON, CRect(0, 0, 300, 200), host.Get(), 11));
        EXPECT_EQ(list.SetImageList(&images, LVSIL_NORMAL), nullptr);
        EXPECT_EQ(list.GetImageList(LVSIL_NORMAL), images.GetSafeHandle());
        ASSERT_EQ(list.InsertItem(0, L"moved", 0), 0);
        ASSERT_TRUE(list.SetItemPosition(0, POINT{70000, 40}));
        POINT where{};
        ASSERT_TRUE(list.GetItemPosition(0, &where));
        EXPECT_EQ(where.x, 70000);
        EXPECT_EQ(where.y, 40);
    }
    // The list view destroyed itself without destroying the shared list.
    EXPECT_EQ(images.GetImageCount(), 1);
}

// Counts the items that the box reports as deleted, with their data.
template <class Box>
class RecordBox : public Box {
public:
    void DeleteItem(DELETEITEMSTRUCT* item) override { deleted.push_back(item->itemData); }
    void MeasureItem(MEASUREITEMSTRUCT* item) override { item->itemHeight = 18; }
    std::vector<ULONG_PTR> deleted;
};

TEST(ListBox, OwnerDrawnBoxesReportEveryDeletedItemToTheirObject)
{
    Host host;
    RecordBox<CListBox> list;
    ASSERT_TRUE(list.Create(kChild | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, CRect(0, 0, 200, 100),
                            host.Get(), 12));
    CString longText(L'y', 300);
    for (const wchar_t* text : {L"one", L"two", longText.GetString()}) list.AddString(text);
    for (int i = 0; i < 3; ++i) list.SetItemData(i, kWideData - DWORD_PTR(i));
    CString text;
    list.GetText(2, text);
    EXPECT_EQ(text, longText);
    list.GetText(7, text);
    EXPECT_EQ(text, CString());
    EXPECT_EQ(list.GetItemHeight(0), 18);
    CRect row;
    ASSERT_NE(list.GetItemRect(1, row), LB_ERR);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(row.CenterPoint(), outside), 1u);
    EXPECT_FALSE(outside);

    list.DeleteString(0);
    ASSERT_EQ(list.deleted.size(), 1u);
    EXPECT_EQ(list.deleted[0], kWideData);
    list.DestroyWindow();
    EXPECT_EQ(list.deleted.size(), 3u);

    RecordBox<CComboBox> combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(0, 0, 200, 200), host.Get(), 13));
    combo.AddString(longText);
    combo.SetItemData(0, kWideData);
    combo.GetLBText(0, text);
    EXPECT_EQ(text, longText);
    EXPECT_EQ(combo.GetItemData(0), kWideData);
    combo.ResetContent();
    ASSERT_EQ(combo.deleted.size(), 1u);
    EXPECT_EQ(combo.deleted[0], kWideData);
}

TEST(TreeCtrl, WalksItemsAndReadsLongTextsAndRectangles)
{
    Host host;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(kChild | TVS_HASBUTTONS | TVS_HASLINES, CRect(0, 0, 300, 250), host.Get(), 14));
    CString longName(L'z', 700);
    HTREEITEM root = tree.InsertItem(L"Desktop");
    HTREEITEM child = tree.InsertItem(longName, 3, 4, root);
    HTREEITEM sibling = tree.InsertItem(L"Documents", root);
    ASSERT_TRUE(root && child && sibling);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), child);
    EXPECT_EQ(tree.GetNextSiblingItem(child), sibling);
    EXPECT_EQ(tree.GetParentItem(sibling), root);
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.ItemHasChildren(sibling));
    EXPECT_EQ(tree.GetItemText(child), longName);
    int image = 0, selected = 0;
    ASSERT_TRUE(tree.GetItemImage(child, image, selected));
    EXPECT_EQ(image, 3);
    EXPECT_EQ(selected, 4);
    ASSERT_TRUE(tree.SetItemData(sibling, kWideData));
    EXPECT_EQ(tree.GetItemData(sibling), kWideData);

    ASSERT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(tree.GetNextVisibleItem(root), child);
    EXPECT_EQ(tree.GetPrevVisibleItem(sibling), child);
    CRect text, row;
    ASSERT_TRUE(tree.GetItemRect(sibling, text, TRUE));
    ASSERT_TRUE(tree.GetItemRect(sibling, row, FALSE));
    EXPECT_GT(text.left, row.left);
    EXPECT_EQ(tree.HitTest(text.CenterPoint()), sibling);
    ASSERT_TRUE(tree.SelectItem(sibling));
    EXPECT_EQ(tree.GetSelectedItem(), sibling);
}

TEST(Menu, OwnedMenusAreDestroyedAndBorrowedSubmenusAreNot)
{
    HMENU handle = nullptr, subHandle = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        CMenu sub;
        ASSERT_TRUE(sub.CreatePopupMenu());
        ASSERT_TRUE(sub.AppendMenu(MF_STRING, 32777, L"About &Daduz"));
        ASSERT_TRUE(menu.AppendMenu(MF_POPUP, UINT_PTR(sub.GetSafeHmenu()), L"Main"));
        subHandle = sub.Detach();  // the outer menu owns it now
        ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        ASSERT_TRUE(menu.AppendMenu(MF_STRING | MF_GRAYED, 2, L"Exit"));
        handle = menu.GetSafeHmenu();

        EXPECT_EQ(menu.GetMenuItemCount(), 3);
        EXPECT_EQ(menu.GetMenuItemID(0), UINT(-1));
        EXPECT_EQ(menu.GetMenuItemID(1), 0u);
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->GetSafeHmenu(), subHandle);
        EXPECT_EQ(menu.GetSubMenu(0), popup);
        EXPECT_EQ(menu.GetSubMenu(2), nullptr);
        CString text;
        EXPECT_EQ(popup->GetMenuString(0, text, MF_BYPOSITION), 12);
        EXPECT_EQ(text, CString(L"About &Daduz"));
        EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_POPUP);
        EXPECT_TRUE(menu.GetMenuState(2, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(menu.GetMenuState(99, MF_BYCOMMAND), UINT(-1));
        EXPECT_NE(menu.EnableMenuItem(2, MF_ENABLED), UINT(-1));
        EXPECT_FALSE(menu.GetMenuState(2, MF_BYCOMMAND) & MF_GRAYED);
        ASSERT_TRUE(menu.ModifyMenu(2, MF_BYCOMMAND | MF_STRING, 2, L"Quit"));
        EXPECT_EQ(menu.GetMenuString(2, text, MF_BYCOMMAND), 4);
    }
    EXPECT_FALSE(IsMenu(handle));
    EXPECT_FALSE(IsMenu(subHandle));
    // A borrowed view never destroys what it wraps.
    CMenu owner;
    ASSERT_TRUE(owner.CreatePopupMenu());
    CMenu* view = CMenu::FromHandle(owner.GetSafeHmenu());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(CMenu::FromHandle(owner.GetSafeHmenu()), view);
    EXPECT_TRUE(IsMenu(owner.GetSafeHmenu()));
}

TEST(Controls, BarsEditsTooltipsAndScrollBarsAnswerThroughTheirWrappers)
{
    Host host;
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(kChild, CRect(0, 0, 120, 17), host.Get(), 20));
    progress.SetRange32(0, 100000);
    int lower = -1, upper = -1;
    progress.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 100000);
    progress.SetRange(0, 15);
    progress.SetStep(5);
    EXPECT_EQ(progress.StepIt(), 0);
    EXPECT_EQ(progress.SetPos(12), 5);
    EXPECT_EQ(progress.GetPos(), 12);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(kChild, CRect(0, 20, 200, 50), host.Get(), 21));
    slider.SetRange(0, 100000);
    EXPECT_EQ(slider.GetRangeMax(), 100000);
    slider.SetPos(85);
    EXPECT_EQ(slider.GetPos(), 85);
    CRect thumb, channel;
    slider.GetThumbRect(thumb);
    slider.GetChannelRect(channel);
    EXPECT_FALSE(thumb.IsRectEmpty());
    EXPECT_FALSE(channel.IsRectEmpty());

    CEdit edit;
    ASSERT_TRUE(edit.Create(kChild | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, CRect(0, 60, 200, 120), host.Get(),
                            22));
    edit.SetWindowText(L"first line\r\nsecond");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 12);
    wchar_t line[16] = {};
    EXPECT_EQ(edit.GetLine(1, line, 16), 6);
    EXPECT_STREQ(line, L"second");
    EXPECT_EQ(edit.GetLine(1, line, 0), 0);
    edit.SetSel(2, 5);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 5);
    CPoint second = edit.PosFromChar(12);
    EXPECT_GT(second.y, edit.PosFromChar(0).y);
    EXPECT_EQ(LOWORD(edit.CharFromPos(second)), 12);

    // A single-line edit scrolled to its end puts its first character left of the client area.
    CEdit single;
    ASSERT_TRUE(single.Create(kChild | ES_AUTOHSCROLL, CRect(0, 130, 60, 150), host.Get(), 23));
    single.SetWindowText(CString(L'w', 200));
    single.SetSel(200, 200);
    EXPECT_LT(single.PosFromChar(0).x, 0);

    CButton button;
    ASSERT_TRUE(button.Create(L"Close", kChild | BS_AUTOCHECKBOX, CRect(0, 160, 80, 180), host.Get(), 24));
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(host.Get(), TTS_NOPREFIX));
    tip.SetDelayTime(TTDT_AUTOMATIC, 100);
    ASSERT_TRUE(tip.AddTool(&button, L"Close"));
    EXPECT_EQ(tip.GetToolCount(), 1);

    SCROLLINFO range{sizeof(range), SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
    SetScrollInfo(edit.m_hWnd, SB_VERT, &range, FALSE);
    EXPECT_EQ(edit.GetScrollLimit(SB_VERT), 90);
    range.nPage = 0;
    SetScrollInfo(edit.m_hWnd, SB_VERT, &range, FALSE);
    EXPECT_EQ(edit.GetScrollLimit(SB_VERT), 99);
    EXPECT_EQ(button.GetScrollLimit(SB_VERT), 0);
}

}  // namespace
