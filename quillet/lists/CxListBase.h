#pragma once
// CxListBase: what the skinned list views share. A native list view drawn by the toolkit over a translucent tint
// of the parent's background, with a translucent selection tint and the skinned scroll bars; it repaints after
// scrolling, keys, the wheel and non-client mouse moves, and follows the item under the pointer.
#include "controls/CxSrlBar.h"
#include "skin/CxWnd.h"
#include "skin/LayerSurface.h"

#include "framework/Gdi.h"
#include "framework/Image.h"
#include "framework/ListControls.h"

#include <memory>

class QUILLET_API CxListBase : public CListCtrl, public CxWnd, public CxSrlBar {
    DECLARE_DYNAMIC(CxListBase)
public:
    CxListBase() = default;
    // Deletes both fills.
    ~CxListBase() override;

    // The background tint; its alpha is the tint's opacity.
    void SetBgmColor(Gdiplus::Color color);
    // The selection tint; its alpha is the tint's opacity.
    void SetSelColor(Gdiplus::Color color);
    // The item's image index; -1 when the item cannot be read.
    int GetItemImg(int item);
    using CxWnd::DrawTextW;

    // Routes the mouse, keyboard and scroll messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Repaints when the item under the pointer changes.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Forgets the item under the pointer, repainting when there was one.
    LRESULT OnMouseLeave();
    // The native list acts (scrolls, moves its selection, selects), then the list is repainted; the native result
    // is returned. Handles the scroll messages, the wheel, keys and clicks.
    LRESULT OnNativeChange();
    // Over the scroll bars: asks for the non-client leave message and repaints.
    LRESULT OnNcMouseMove();
    // Repaints the scroll bars as the pointer leaves them.
    LRESULT OnNcMouseLeave();

protected:
    // Draws the items on dc (client coordinates of the list).
    virtual void DrawTextW(CDC& dc) = 0;
    // Tints rect with the selection colour.
    virtual void DrawSel(CDC& dc, CRect rect);
    // Draws over the items, on the same device context; nothing here.
    virtual void DrawCell(CDC& dc, Gdiplus::RectF& area);

    // The vertical scroll page in lines (at least 1).
    int GetViewCount();
    // Background copy, tint, items and what DrawCell adds, drawn into the body surface and then onto target.
    void DrawBody(Gdiplus::Graphics& target, Gdiplus::Graphics& background, const Gdiplus::RectF& area);
    // The same steps into the body surface alone, made for the area's size; its alpha bytes are left to the caller.
    void RenderBody(Gdiplus::Graphics& background, const Gdiplus::RectF& area);
    // The sunken double frame around a width x height control.
    static void DrawBorder(Gdiplus::Graphics& target, int width, int height);
    static void DrawBorder(CDC& dc, int width, int height);
    // Blends a 1 x 1 fill stretched over rect with the given constant alpha.
    static void BlendFill(CDC& dc, const CImage& fill, BYTE alpha, const RECT& rect);
    static BYTE AlphaOf(Gdiplus::ARGB color) { return BYTE(color >> 24); }
    static COLORREF RgbOf(Gdiplus::ARGB color) { return RGB(BYTE(color >> 16), BYTE(color >> 8), BYTE(color)); }

    CImage backFill;
    Gdiplus::ARGB bgmColor = 0xFF000000;
    CImage selFill;
    Gdiplus::ARGB selColor = 0xFF000000;
    int hotItem = -1;
    // Where the body is drawn, through GDI and GDI+ at once, before it goes onto the target.
    std::unique_ptr<LayerSurface> body;

private:
    // A 1 x 1, 24-bit image of the colour's RGB.
    static CImage MakeFill(Gdiplus::Color color);
};
