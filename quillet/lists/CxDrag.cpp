#include "lists/CxDrag.h"

#include <commctrl.h>

void CxDrag::SetAtt(CListCtrl* listCtrl)
{
    list = listCtrl;
    images = list ? list->GetImageList(LVSIL_NORMAL) : nullptr;
}

void CxDrag::BeginDrag(NMHDR*, LRESULT* result)
{
    if (result) *result = 0;
    if (!list || !list->m_hWnd || dragging) return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    list->ScreenToClient(&cursor);
    dragItem = list->HitTest(cursor);
    if (dragItem == -1) return;
    dragging = true;
    list->SetCapture();
    list->GetItemPosition(dragItem, &itemPos);
    grabOffset = cursor - itemPos;
    ImageList_BeginDrag(images, dragItem, cursor.x, cursor.y);
    ImageList_DragEnter(list->m_hWnd, cursor.x, cursor.y);
}

void CxDrag::OnMouseMove(UINT, CPoint point)
{
    if (!dragging) return;
    ImageList_DragMove(point.x + itemPos.x - list->GetScrollPos(SB_HORZ),
                       point.y + itemPos.y - list->GetScrollPos(SB_VERT));
}

void CxDrag::OnLButtonUp(UINT, CPoint point)
{
    if (!dragging) return;
    dragging = false;
    ImageList_DragLeave(list->m_hWnd);
    ImageList_EndDrag();
    ::ReleaseCapture();
    CRect client;
    list->GetClientRect(&client);
    const CPoint target = point - grabOffset;
    if (!client.PtInRect(point) || target.x < 0 || target.y < 0 || list->HitTest(point) == dragItem) return;
    list->SetItemPosition(dragItem, target);
}

void CxDrag::OnSize(UINT, int, int)
{
    if (list && list->m_hWnd) list->Arrange(LVA_DEFAULT);
}
