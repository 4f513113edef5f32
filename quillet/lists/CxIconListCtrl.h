#pragma once
// CxIconListCtrl: a native icon-view list whose items are drawn as cells cut from one picture strip, over a
// translucent tint of the parent's background, with a translucent selection and a centred caption per item.
// The native control keeps placing, scrolling and navigating the items: it is given an image list of the cell
// size, so that its icon layout spaces the cells.
#include "lists/CxListBase.h"

#include <memory>

class QUILLET_API CxIconListCtrl : public CxListBase {
    DECLARE_DYNAMIC(CxIconListCtrl)
public:
    CxIconListCtrl() = default;
    // Deletes the strip and the image list.
    ~CxIconListCtrl() override;

    // Configures the list once: a, b, c are the scroll bar's skin bitmaps; cell the size of one picture of strip.
    void SetAtt(UINT a, UINT b, UINT c, CSize cell, IStream* strip);

    // Sets both tints to white at opacity 128 and attaches the skin part.
    void PreSubclassWindow() override;
    // Copies the background, tints it, draws the visible items and the scroll bars, and frames a bordered list.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    using CxWnd::DrawTextW;

    // Adds the click report to the messages every skinned list handles.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Reports a click on a new item (or on empty space) to the parent as WM_USER with the item's index.
    LRESULT OnLButtonDown(UINT flags, CPoint point);

protected:
    // Draws every visible item: picture, selection tint and caption.
    void DrawTextW(CDC& dc) override;
    // Draws the caption centred under the top of rect.
    virtual void DrawTextW(CDC& dc, CRect& rect, const wchar_t* text);
    // Tints rect with the selection colour and frames it in grey.
    void DrawSel(CDC& dc, CRect rect) override;
    // Draws the item's cell of the strip at the top-left corner of rect.
    virtual void DrawItemImg(CDC& dc, int item, CRect& rect);

    // Where items can be seen: the client area, and the area an item's position must lie in for any of its bounds to
    // reach the client area.
    struct View {
        CRect client;
        CRect reach;
    };
    View GetView() const;
    // The item's bounds, and whether any of them lies in the client area (of view, when given).
    bool GetVisibleBounds(int item, CRect& bounds) const { return GetVisibleBounds(item, bounds, GetView()); }
    bool GetVisibleBounds(int item, CRect& bounds, const View& view) const;

    CImageList cellImages;
    std::unique_ptr<Gdiplus::Image> cellStrip;
    int cellWidth = 0;
    int cellHeight = 0;
    int lastClicked = -1;
};
