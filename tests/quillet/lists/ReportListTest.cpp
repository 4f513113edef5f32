#include "ControlsProbes.h"
#include "ListsTestIds.h"
#include "lists/CxListCtrl.h"

#include <gtest/gtest.h>

#include <string>

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kGrid = 0xFFBFBFBF;  // the grey grid pen at half opacity over white

// A header class that a list creates through its run-time class.
class ProbeHeader : public CxHdrCtrl {
    DECLARE_DYNCREATE(ProbeHeader)
};
IMPLEMENT_DYNCREATE(ProbeHeader, CxHdrCtrl)

class ProbeList : public CxChkListCtrl {
public:
    using CxListCtrl::GetColText;
};

class ReportList : public testing::Test {
protected:
    // A check list at (10, 10) of the dialog with rows of two 100-pixel columns, over an opaque white tint.
    void Open(int rows, int height = 180)
    {
        ASSERT_TRUE(dialog.Open());
        SetCursorPos(1000, 900);
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 290, 10 + height), &dialog, 1601));
        list.SetAtt(list.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr), IDB_HEADER, IDB_VBAR, IDB_HBAR, IDB_CORNER, 5, 4,
                    nullptr);
        list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, L"Size", LVCFMT_LEFT, 100);
        for (int i = 0; i < rows; ++i) list.InsertItem(i, L"a");
        list.SetBgmColor(Color(kWhite));
        dialog.Compose(list);
    }
    CRect Row(int item)
    {
        CRect row;
        list.GetItemRect(item, &row, LVIR_BOUNDS);
        return row;
    }
    int HeaderHeight() { return ChildRect(*list.GetHeader()).Height(); }
    // The composed colour at a client point of the list.
    ARGB At(Bitmap& surface, int x, int y) { return PixelAt(surface, 10 + x, 10 + y); }
    std::unique_ptr<Bitmap> Composed()
    {
        list.Redraw(0, nullptr);
        return CacheOver(list, Skin::kBackground, 0xFF000000);
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    ProbeList list;
};

TEST_F(ReportList, RulesTheEmptyRowsBelowTheLastRowAtTheRowPitch)
{
    Open(3);
    const int pitch = Row(1).top - Row(0).top;
    EXPECT_EQ(pitch, 19) << "an icon row";
    list.MoveWindow(10, 10, 280, HeaderHeight() + 8 * pitch + 4, FALSE);
    ASSERT_EQ(list.GetCountPerPage(), 8);
    auto surface = Composed();
    const int x = 150;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Near(At(*surface, x, Row(i).top), kGrid)) << "the top of row " << i;
    const int bottom = Row(2).bottom;
    EXPECT_TRUE(Near(At(*surface, x, bottom), kGrid)) << "the last row's bottom";
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(Near(At(*surface, x, bottom + k * pitch), kGrid)) << "empty-row line " << k;
        EXPECT_TRUE(Near(At(*surface, x, bottom + k * pitch - pitch / 2), kWhite)) << "between lines " << k;
    }
    for (int col : {100, 200}) EXPECT_TRUE(Near(At(*surface, col, bottom + 30), kGrid)) << "column line " << col;
    EXPECT_TRUE(Near(At(*surface, 250, bottom + 30), kWhite));
}

TEST_F(ReportList, ComposesTheHeaderOverTheListNarrowerWhileItScrolls)
{
    Open(3);
    CRect header = ChildRect(*list.GetHeader());
    auto surface = Composed();
    const int middle = header.Height() / 2;
    const ARGB skin = At(*surface, 50, middle);
    EXPECT_FALSE(Near(skin, kWhite)) << "the header's skin covers the list";
    EXPECT_TRUE(Near(At(*surface, header.right - 5, middle), skin)) << "full width without a scroll range";

    for (int i = 3; i < 40; ++i) list.InsertItem(i, L"b");
    ASSERT_NE(list.GetScrollLimit(SB_VERT), 0);
    header = ChildRect(*list.GetHeader());
    surface = Composed();
    EXPECT_TRUE(Near(At(*surface, header.right - 19, middle), skin));
    EXPECT_TRUE(Near(At(*surface, header.right - 17, middle), kWhite)) << "18 pixels left for the scroll bar";
}

TEST_F(ReportList, RepaintsOnceForEachChangeOfHotRowOrColumn)
{
    Open(3);
    auto move = [&](CWnd& wnd, CPoint at) {
        PutCursor(wnd, at);
        wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    };
    const int before = dialog.compositions;
    move(list, Row(0).CenterPoint());
    move(list, Row(0).CenterPoint() + CPoint(3, 1));
    EXPECT_EQ(dialog.compositions, before + 1);
    move(list, Row(1).CenterPoint());
    list.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(dialog.compositions, before + 3);

    CxHdrCtrl& header = *list.GetHeader();
    auto surface = Composed();
    const ARGB plain = At(*surface, 150, HeaderHeight() / 2);
    move(header, CPoint(150, 5));
    move(header, CPoint(160, 6));
    EXPECT_EQ(header.GetHotColumn(), 1);
    EXPECT_EQ(dialog.compositions, before + 4);
    surface = Composed();
    EXPECT_FALSE(Near(At(*surface, 150, HeaderHeight() / 2), plain, 2)) << "the hot column is tinted";
    header.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(header.GetHotColumn(), -1);
    EXPECT_EQ(dialog.compositions, before + 5);
}

TEST_F(ReportList, DrawsTheCheckStateIcons)
{
    Open(2);
    list.SetCheck(1, TRUE);
    auto surface = Composed();
    const CPoint icon(3 + 9, 1 + 9);
    EXPECT_FALSE(Near(At(*surface, icon.x, Row(0).top + icon.y), At(*surface, icon.x, Row(1).top + icon.y)));
}

TEST_F(ReportList, MakesTheHeaderFromItsRunTimeClassOrFallsBackToAPlainOne)
{
    Open(1);
    list.SetAtt(nullptr, IDB_HEADER, 0, 0, 0, 5, 4, RUNTIME_CLASS(ProbeHeader));
    EXPECT_TRUE(list.GetHeader()->IsKindOf(RUNTIME_CLASS(ProbeHeader)));
    list.SetAtt(nullptr, IDB_HEADER, 0, 0, 0, 5, 4, RUNTIME_CLASS(CWnd));
    EXPECT_EQ(list.GetHeader()->GetRuntimeClass(), RUNTIME_CLASS(CxHdrCtrl)) << "CWnd is no header";
    EXPECT_TRUE(IsWindow(list.GetHeaderCtrl())) << "a replaced header object leaves the window to the list";
    EXPECT_EQ(list.GetHeader()->GetItemText(1), CString(L"Size"));
}

TEST_F(ReportList, BadColumnsAndLongCellsDrawWithoutHarm)
{
    Open(2);
    EXPECT_EQ(list.GetColText(-1), CString());
    EXPECT_EQ(list.GetColText(2), CString());
    const std::wstring longText(10000, L'W');
    list.SetItemText(0, 1, longText.c_str());
    auto surface = Composed();
    auto inked = [&](int from, int to, int y) {
        for (int x = from; x < to; ++x)
            if (!Near(At(*surface, x, y), kWhite, 40)) return true;
        return false;
    };
    const int middle = Row(0).CenterPoint().y;
    EXPECT_TRUE(inked(110, 190, middle)) << "the long cell's text shows";
    EXPECT_FALSE(inked(205, 270, middle)) << "and stays in its cell";
    while (list.SendMessage(LVM_DELETECOLUMN, 0)) {
    }
    surface = Composed();
    EXPECT_TRUE(Near(At(*surface, 150, Row(1).top + 8), kWhite)) << "no columns: no cells, no lines";
}

}  // namespace
