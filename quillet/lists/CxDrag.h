#pragma once
// CxDrag: moves the items of an icon-view list by dragging. The item's picture follows the mouse as a drag image;
// on release inside the list the item is placed at the drop point. The window that owns the list routes the
// list's begin-drag notification, mouse moves, left-button releases and size changes to it.
#include "QuilletApi.h"

#include "framework/ListControls.h"

class QUILLET_API CxDrag {
public:
    CxDrag() = default;

    // Attaches list and takes its normal image list (call again after that list changes).
    void SetAtt(CListCtrl* list);
    // LVN_BEGINDRAG: starts dragging the item under the cursor; nothing when there is none.
    void BeginDrag(NMHDR* note, LRESULT* result);
    // Moves the drag image with the mouse (point in the list's client coordinates).
    void OnMouseMove(UINT flags, CPoint point);
    // Ends the drag and places the item at the drop point. A release outside the list's client area, a place
    // above or left of the client origin, or a release over the dragged item itself leaves the item where it was.
    void OnLButtonUp(UINT flags, CPoint point);
    // Rearranges the items when the list's size changes.
    void OnSize(UINT type, int cx, int cy);

    // True while an item is being dragged.
    bool IsDragging() const { return dragging; }

private:
    CListCtrl* list = nullptr;
    bool dragging = false;
    CPoint grabOffset;
    CPoint itemPos;
    HIMAGELIST images = nullptr;
    int dragItem = -1;
};
