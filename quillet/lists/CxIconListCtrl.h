#pragma once
// CxIconListCtrl: a native icon-view list whose items are drawn as cells cut from one picture strip, over a
// translucent tint of the parent's background, with a translucent selection and a centred caption per item.
// The native control keeps placing, scrolling and navigating the items: it is given an image list of the cell
// size, so that its icon layout spaces the cells.
#include "controls/CxSrlBar.h"
#include "skin/CxWnd.h"
#include "skin/LayerSurface.h"

#include "framework/Gdi.h"
#include "framework/Image.h"
#include "framework/ListControls.h"

#include <memory>

class QUILLET_API CxIconListCtrl : public CListCtrl, public CxWnd, public CxSrlBar {
    DECLARE_DYNAMIC(CxIconListCtrl)
public:
    CxIconListCtrl() = default;
    // Deletes the strip, the image list and both fills.
    ~CxIconListCtrl() override;

    // Configures the list once: a, b, c are the scroll bar's skin bitmaps; cell the size of one picture of strip.
    void SetAtt(UINT a, UINT b, UINT c, CSize cell, IStream* strip);
    // The background tint; its alpha is the tint's opacity.
    void SetBgmColor(Gdiplus::Color color);
    // The selection tint; its alpha is the tint's opacity.
    void SetSelColor(Gdiplus::Color color);
    // The item's image index (its cell in the strip); -1 when the item cannot be read.
    int GetItemImg(int item);

    // Sets both tints to white at opacity 128 and attaches the skin part.
    void PreSubclassWindow() override;
    // Copies the background, tints it, draws the visible items and the scroll bars, and frames a bordered list.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    using CxWnd::DrawTextW;

    // Routes the mouse, keyboard and scroll messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Reports a click on a new item (or on empty space) to the parent as WM_USER with the item's index.
    LRESULT OnLButtonDown(UINT flags, CPoint point);
    // Repaints when the item under the pointer changes.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Forgets the item under the pointer, repainting when there was one.
    LRESULT OnMouseLeave();
    // The native list moves its selection, then the list is repainted.
    LRESULT OnKeyDown();
    // The native list scrolls, then the list is repainted; the native result is returned.
    LRESULT OnMouseWheel();
    // The native list scrolls, then the list is repainted.
    LRESULT OnVScroll();
    LRESULT OnHScroll();
    // Over the scroll bars: asks for the non-client leave message and repaints.
    LRESULT OnNcMouseMove();
    // Repaints the scroll bars as the pointer leaves them.
    LRESULT OnNcMouseLeave();

protected:
    // Draws every visible item: picture, selection tint and caption.
    virtual void DrawTextW(CDC& dc);
    // Draws the caption centred under the top of rect.
    virtual void DrawTextW(CDC& dc, CRect& rect, const wchar_t* text);
    // Tints rect with the selection colour and frames it in grey.
    virtual void DrawSel(CDC& dc, CRect rect);
    // Draws the item's cell of the strip at the top-left corner of rect.
    virtual void DrawItemImg(CDC& dc, int item, CRect& rect);

    // The item's bounds, and whether any of them lies in the client area.
    bool GetVisibleBounds(int item, CRect& bounds) const;
    // The vertical scroll page in lines (at least 1).
    int GetViewCount();
    // Background copy, tint and items, drawn into the body surface and then onto target (steps shared with derived
    // lists).
    void DrawBody(Gdiplus::Graphics& target, Gdiplus::Graphics& background, const Gdiplus::RectF& area);
    // The same steps into the body surface alone, made for the area's size; its alpha bytes are left to the caller.
    void RenderBody(Gdiplus::Graphics& background, const Gdiplus::RectF& area);
    // Blends a 1 x 1 fill stretched over rect with the alpha byte of color as constant alpha.
    static void BlendFill(CDC& dc, const CImage& fill, Gdiplus::ARGB color, const RECT& rect);

    CImage backFill;
    Gdiplus::ARGB bgmColor = 0xFF000000;
    CImage selFill;
    Gdiplus::ARGB selColor = 0xFF000000;
    CImageList cellImages;
    std::unique_ptr<Gdiplus::Image> cellStrip;
    int cellWidth = 0;
    int cellHeight = 0;
    int lastClicked = -1;
    int hotItem = -1;
    // Where the body is drawn, through GDI and GDI+ at once, before it goes onto the cache.
    std::unique_ptr<LayerSurface> body;

private:
    // A 1 x 1, 24-bit image of the colour's RGB.
    static CImage MakeFill(Gdiplus::Color color);
};
