#include "ListsTestIds.h"
#include "lists/CxListBox.h"
#include "quillet/controls/ControlsProbes.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

constexpr UINT kBoxId = 1401;
constexpr int kRow = 24;

class ListBox : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
    }
    void Make(CxListBox& box, DWORD style = 0)
    {
        ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS |
                                   LBS_NOTIFY | style,
                               CRect(20, 20, 180, 140), &dialog, kBoxId));
        dialog.Compose(box);
    }
    void Click(CWnd& box, int x, int y, WPARAM flags = 0)
    {
        box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y));
        box.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(x, y));
    }
    std::vector<int> Selected(CxListBox& box)
    {
        std::vector<int> out;
        for (int i = 0; i < box.GetCount(); ++i) {
            if (box.GetSel(i) > 0) out.push_back(i);
        }
        return out;
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxWnd skins;
};

TEST_F(ListBox, PlainClickInAMultipleSelectionLeavesOnlyThatItemAndCtrlAdds)
{
    CxListBox box;
    Make(box, LBS_MULTIPLESEL);
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"}) box.AddString(text, kRow);
    box.SetSel(0);
    box.SetSel(2);
    Click(box, 30, kRow + 5);
    EXPECT_EQ(Selected(box), std::vector<int>({1}));
    Click(box, 30, 3 * kRow + 5, MK_CONTROL);
    EXPECT_EQ(Selected(box), std::vector<int>({1, 3}));
}

TEST_F(ListBox, RowsAreTintedSelectedAndFramedOnlyWhereItemsAre)
{
    CxListBox box;
    Make(box);
    box.SetSelColor(Color(0xFF0000FF));
    box.SetBgmColor(Color(0xFF00FF00));
    box.AddString(std::wstring(10000, L'x').c_str(), kRow);
    box.AddString(L"second", kRow);
    box.SetCurSel(1);
    auto surface = dialog.Render(box);
    const int top = 20 + kRow;
    EXPECT_EQ(PixelAt(*surface, 20 + 60, top + 10), 0xFF0000FFu) << "selection tint";
    EXPECT_EQ(PixelAt(*surface, 20 + 3, top + 3), 0xFFC8C8C8u) << "frame corner 3 pixels in";
    EXPECT_EQ(PixelAt(*surface, 20 + 60, top + kRow + 4), 0xFFA0A0A0u) << "frame bottom 5 pixels below the row";
    EXPECT_EQ(PixelAt(*surface, 20 + 60, top + 3 * kRow), 0xFF00FF00u) << "no row below the last item";
    EXPECT_EQ(PixelAt(*surface, 20, 20), 0xFF787878u) << "outer frame";
}

TEST_F(ListBox, NonClientMovesRepaintOnceUnderALayeredParentOnly)
{
    CxListBox box;
    Make(box);
    box.SetAtt(IDB_VBAR, IDB_HBAR, IDB_CORNER);
    int before = dialog.compositions;
    box.SendMessage(WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(200, 80));
    EXPECT_EQ(dialog.compositions, before + 1);
    dialog.ModifyStyleEx(WS_EX_LAYERED, 0);
    box.SendMessage(WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(200, 80));
    EXPECT_EQ(dialog.compositions, before + 1);
}

TEST_F(ListBox, SetItemTextKeepsTheRecordHeightAndSelection)
{
    CxBmpListBox box;
    Make(box);
    box.SetAtt(0, 0, 0, skins.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    box.AddString(L"one", kRow, 2, 10);
    box.InsertString(0, L"zero", 30, 1, 20);
    box.SetCurSel(1);
    box.SetItemText(1, L"uno");

    int value = 0;
    CString text;
    EXPECT_EQ(box.GetItemVal(1, CxBmpListBox::ColVal, &value), &value);
    EXPECT_EQ(value, 10);
    box.GetItemVal(1, CxBmpListBox::ColText, &text);
    EXPECT_EQ(text, L"uno");
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(box.GetItemHeight(1), kRow);
    EXPECT_EQ(box.GetItemHeight(0), 30);

    box.SetItemVal(0, CxBmpListBox::ColImg, short(4));
    short image = 0;
    box.GetItemVal(0, CxBmpListBox::ColImg, &image);
    EXPECT_EQ(image, 4);
}

TEST_F(ListBox, ItemsWithoutARecordOrOutOfRangeGiveNeutralResults)
{
    CxBmpListBox box;
    Make(box);
    box.CListBox::AddString(L"bare");
    box.AddString(L"kept", kRow, 0, 5);
    int value = -1;
    EXPECT_EQ(box.GetItemVal(0, CxBmpListBox::ColVal, &value), nullptr);
    EXPECT_EQ(box.GetItemVal(99, CxBmpListBox::ColVal, &value), nullptr);
    EXPECT_EQ(box.GetItemVal(1, CxBmpListBox::ItemCol(7), &value), nullptr);
    EXPECT_EQ(value, -1);
    box.SetItemVal(0, CxBmpListBox::ColVal, 3);
    box.SetItemText(99, L"nothing");
    dialog.Render(box);  // a row without a record paints nothing
}

TEST_F(ListBox, CheckCellClickTogglesAndReportsOnceTextClickOnlySelects)
{
    CxChkListBox box;
    Make(box);
    box.SetAtt(0, 0, 0, skins.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    box.AddString(L"first", kRow, 7, 4, 5, 0);
    box.AddString(L"second", kRow, 8, 4, 5, 1);
    EXPECT_EQ(box.GetLastCheck(), -1);

    Click(box, 60, kRow + 5);
    EXPECT_TRUE(dialog.reports.empty());
    EXPECT_EQ(box.GetCurSel(), 1);

    Click(box, 5, kRow + 5);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].wParam, reinterpret_cast<WPARAM>(&box));
    EXPECT_EQ(dialog.reports[0].lParam, 1);
    EXPECT_EQ(box.GetLastCheck(), 1);
    int checked = -1;
    box.GetItemVal(1, CxChkListBox::ColChk, &checked);
    EXPECT_EQ(checked, 0);

    // The icon follows the check: the checked cell while checked, the plain one otherwise.
    CxWnd loader;
    Bitmap icons(loader.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    box.SetItemVal(0, CxChkListBox::ColChk, 1);
    auto surface = dialog.Render(box);
    EXPECT_TRUE(Near(PixelAt(*surface, 20 + 3 + 8, 20 + 6 + 11), PixelAt(icons, 5 * 18 + 8, 11)));
    EXPECT_FALSE(Near(PixelAt(*surface, 20 + 3 + 8, 20 + 6 + 11), PixelAt(icons, 4 * 18 + 8, 11)));
}

}  // namespace
