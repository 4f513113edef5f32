#include "ListsTestIds.h"
#include "lists/CxComBox.h"
#include "quillet/controls/ControlsProbes.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

constexpr UINT kComboId = 1501;

class ComBox : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
    }
    void Make(CxComBox& combo)
    {
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(20, 20, 160, 120), &dialog,
                                 kComboId));
        dialog.Compose(combo);
    }
    // A list row painted on its own DC, as the drop-down list asks for it.
    COLORREF RowColour(CxComBox& combo, UINT id, UINT state)
    {
        DcSurface surface(0xFF000000);
        DRAWITEMSTRUCT item{ODT_COMBOBOX, kComboId, id, ODA_DRAWENTIRE, state, combo.m_hWnd, surface.Dc(),
                            {0, 0, 120, 20}, 0};
        combo.DrawItem(&item);
        return GetPixel(surface.Dc(), 60, 10);
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxWnd skins;
};

TEST_F(ComBox, SelectionChangeRepaintsThenReportsOnce)
{
    CxComBox combo;
    Make(combo);
    combo.SetAtt(skins.LoadRes(IDP_DROP_ARROW, L"PNG", nullptr));
    combo.AddString(L"red", 0xFF0000);
    combo.AddString(L"green", 0x00FF00);
    combo.SetCurSel(1);
    const int before = dialog.compositions;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(kComboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
    EXPECT_EQ(dialog.compositions, before + 1);
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].wParam, reinterpret_cast<WPARAM>(&combo));
    EXPECT_EQ(dialog.reports[0].lParam, 0);
    ASSERT_FALSE(dialog.commands.empty()) << "the parent still hears of the change";
    EXPECT_EQ(HIWORD(dialog.commands.back().wParam), CBN_SELCHANGE);
}

TEST_F(ComBox, RowsAlternateAndTheSelectedRowIsTinted)
{
    CxComBox combo;
    Make(combo);
    combo.AddString(L"zero", 1);
    combo.AddString(L"one", 2);
    EXPECT_EQ(RowColour(combo, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(RowColour(combo, 0, 0), RGB(240, 240, 240));
    EXPECT_EQ(RowColour(combo, 0, ODS_SELECTED), RGB(232, 238, 230));
    EXPECT_EQ(RowColour(combo, UINT(-1), 0), RGB(0, 0, 0)) << "the empty field row paints nothing";
}

TEST_F(ComBox, EmptyFieldShowsFrameAndArrowButNoText)
{
    CxComBox combo;
    Make(combo);
    combo.SetAtt(skins.LoadRes(IDP_DROP_ARROW, L"PNG", nullptr));
    auto surface = dialog.Render(combo);
    CRect field = ChildRect(combo);
    EXPECT_EQ(PixelAt(*surface, field.left, field.top), 0xFF787878u);
    EXPECT_EQ(PixelAt(*surface, field.left + 10, field.top + 10), 0xFFFFFFFFu);
    EXPECT_NE(PixelAt(*surface, field.right - 15 + 4, field.top + 10 + 1), 0xFFFFFFFFu) << "the arrow";
}

TEST_F(ComBox, ValuesAndIconCellsStayWithTheirItems)
{
    CxBmpComBox combo;
    Make(combo);
    combo.SetAtt(skins.LoadRes(IDP_DROP_ARROW, L"PNG", nullptr), skins.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    combo.AddString(L"b", 1, 0xB);
    combo.InsertString(0, L"a", 2, 0xA);
    EXPECT_EQ(combo.GetItemColor(0), 0xAu);
    EXPECT_EQ(combo.GetItemColor(1), 0xBu);
    EXPECT_EQ(combo.GetItemHeight(0), 23);

    combo.SetItemVal(1, CxBmpComBox::ColImg, short(3));
    short image = 0;
    DWORD value = 0;
    EXPECT_EQ(combo.GetItemVal(1, CxBmpComBox::ColImg, &image), &image);
    EXPECT_EQ(image, 3);
    combo.GetItemVal(0, CxBmpComBox::ColVal, &value);
    EXPECT_EQ(value, 0xAu);
    EXPECT_EQ(combo.GetItemVal(0, CxBmpComBox::ItemCol(2), &value), nullptr);
    EXPECT_EQ(combo.GetItemVal(5, CxBmpComBox::ColVal, &value), nullptr);
    EXPECT_EQ(combo.GetItemColor(-1), 0u);
    combo.SetCurSel(1);
    dialog.Render(combo);
}

}  // namespace
