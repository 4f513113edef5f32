#include "ControlsProbes.h"
#include "lists/CxDrag.h"
#include "lists/CxIconListCtrl.h"

#include <gtest/gtest.h>

namespace {

class Drag : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(10, 10, 290, 190), &dialog, 1701));
        list.SetAtt(0, 0, 0, CSize(52, 22), nullptr);
        for (int i = 0; i < 3; ++i) list.InsertItem(i, L"", i);
        drag.SetAtt(&list);
    }
    CPoint Position(int item)
    {
        CPoint at;
        list.GetItemPosition(item, &at);
        return at;
    }
    CPoint IconMiddle(int item)
    {
        CRect icon;
        list.GetItemRect(item, &icon, LVIR_ICON);
        return icon.CenterPoint();
    }
    // Grabs the item at grab and releases it at drop; returns where item 0 then is.
    CPoint DragTo(CPoint grab, CPoint drop)
    {
        PutCursor(list, grab);
        LRESULT result = 1;
        drag.BeginDrag(nullptr, &result);
        drag.OnMouseMove(0, drop);
        drag.OnLButtonUp(0, drop);
        EXPECT_FALSE(drag.IsDragging());
        return Position(0);
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxIconListCtrl list;
    CxDrag drag;
};

TEST_F(Drag, PlacesTheItemWhereItIsDroppedKeepingTheGrabOffset)
{
    const CPoint grab = IconMiddle(0), start = Position(0);
    EXPECT_EQ(DragTo(grab, CPoint(200, 150)), CPoint(200, 150) - (grab - start));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Drag, LeavesTheItemInPlaceForAReleaseOutsideOrOntoItself)
{
    const CPoint grab = IconMiddle(0), start = Position(0);
    CRect client;
    list.GetClientRect(&client);
    for (CPoint drop : {CPoint(client.right + 4, 50), CPoint(50, client.bottom + 4), CPoint(-4, 50), CPoint(50, -4)})
        EXPECT_EQ(DragTo(grab, drop), start) << "outside at " << drop.x << ", " << drop.y;
    EXPECT_EQ(DragTo(grab, CPoint(grab.x, grab.y - (grab.y - start.y) - 1)), start) << "a negative place";
    EXPECT_EQ(DragTo(grab, grab + CPoint(2, 1)), start) << "onto itself";
}

TEST_F(Drag, StartsNothingWithoutAnItemUnderTheCursor)
{
    const CPoint start = Position(0);
    PutCursor(list, CPoint(270, 170));
    drag.BeginDrag(nullptr, nullptr);
    EXPECT_FALSE(drag.IsDragging());
    drag.OnLButtonUp(0, CPoint(200, 150));
    EXPECT_EQ(Position(0), start);
}

}  // namespace
