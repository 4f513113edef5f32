#pragma once
// The skinned report view: CxListCtrl paints rows, cell texts, grid, selection, hot-row and alternate-row tints
// over the skin background and composes its skinned header, CxHdrCtrl, on top. CxBmpListCtrl adds an 18 x 18
// icon per row from a skin strip; CxChkListCtrl chooses that icon from the row's check state. The native
// control keeps items, columns, selection, check states and scrolling.
#include "lists/CxListBase.h"

#include <array>
#include <memory>

// The skinned header of a report view: a background stretched from column 0 of a bitmap skin, the column under
// the pointer tinted from column 1, the column texts and separators. It does not own its window (the list does).
class QUILLET_API CxHdrCtrl : public CHeaderCtrl, public CxWnd {
    DECLARE_DYNCREATE(CxHdrCtrl)
public:
    CxHdrCtrl() = default;
    // Hands the window back to its list.
    ~CxHdrCtrl() override;

    // Takes over a list's header window and loads the skin from bitmap resource `bitmap` of the resource module.
    void SetAtt(HWND headerWindow, UINT bitmap);
    // The text of column col (up to 255 characters); empty for a column that does not exist.
    CString GetItemText(int col);
    // The column under the pointer; -1 for none.
    int GetHotColumn() const { return hotColumn; }

    // Attaches the skin part, with black text.
    void PreSubclassWindow() override;
    // The header's rectangle in the list's parent's window frame, its left edge where the list's client area
    // starts even while the list is scrolled sideways.
    Gdiplus::RectF GetRect() override;
    using CxWnd::GetRect;
    // Composes the header, 18 pixels narrower while the list has a vertical scroll range and 1 pixel lower.
    void DoDraw(Gdiplus::Graphics& g) override;
    // Background copy, skin background, hot-column tint, texts and separators.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    using CxWnd::DrawTextW;

    // Routes the mouse messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Recomposes when the column under the pointer changes.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Forgets the column under the pointer and recomposes.
    LRESULT OnMouseLeave();

protected:
    // Draws the visible column texts on dc.
    virtual void DrawTextW(CDC& dc, Gdiplus::RectF& area);

    // The list's horizontal scroll position in pixels.
    int ScrollPos() const;
    // The window the list is composed onto (the list's parent).
    CWnd* Composer() const;
    // The text of column col read into the text buffer; empty for a column that does not exist.
    const wchar_t* ReadText(int col);

    CImage skin;
    std::array<wchar_t, 256> text{};
    int hotColumn = -1;
};

class QUILLET_API CxListCtrl : public CxListBase {
    DECLARE_DYNAMIC(CxListCtrl)
public:
    CxListCtrl() = default;
    // Deletes the header object first.
    ~CxListCtrl() override;

    // Configures the list once: headerBitmap is the header's bitmap skin, a, b, c the scroll bar's skin bitmaps.
    // The header object is made from headerClass (a creatable class derived from CxHdrCtrl), or is a plain
    // CxHdrCtrl when headerClass is null or describes no such class.
    void SetAtt(UINT headerBitmap, UINT a, UINT b, UINT c, const CRuntimeClass* headerClass);
    // The header object; null before SetAtt.
    CxHdrCtrl* GetHeader() const { return header.get(); }

    // Opaque black tint, a grey selection at opacity 85, full-row selection.
    void PreSubclassWindow() override;
    // Composes the list from its cached image (painted again only when dirty or resized), then the header over it.
    void DoDraw(Gdiplus::Graphics& g) override;
    // Marks the header for repainting too.
    void Redraw(int notify, CWnd* wnd) override;
    // Paints the list into its cached image, then copies that into target at (0, 0).
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    using CxWnd::DrawTextW;

    // Adds clicks and the end of a column-divider drag to the messages every skinned list handles.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The end of a column-divider drag: header and list are repainted.
    LRESULT OnEndTrack();

protected:
    // Paints background, tint, rows, grid, scroll bars and the sunken frame into the cached image, opaque.
    void Paint(Gdiplus::Graphics& background, Gdiplus::RectF& area);
    // Copies the cached image onto g at (x, y).
    void Compose(Gdiplus::Graphics& g, int x, int y) const;
    // Tints rect of the cached image with the selection colour.
    void DrawSel(CDC& dc, CRect rect) override;
    // Draws the rows from the top one over one page: tints and cell texts.
    void DrawTextW(CDC& dc) override;
    // Tints the row under the pointer, when it is among the rows drawn.
    virtual void DrawHot(CDC& dc);
    // Rules the grid: column lines, row lines, and lines for the empty rows below the last one.
    void DrawCell(CDC& dc, Gdiplus::RectF& area) override;
    // Draws a row's icon in its first cell; nothing here.
    virtual void DrawItemImg(CDC& dc, int item, CRect& cell);

    // The number of columns.
    int GetColCount() const;
    // The header text of column col; empty for a column that does not exist.
    CString GetColText(int col);
    // The rows drawn by a paint: from the top row over one page, plus one, within the item count.
    void GetDrawnRows(int& first, int& last);
    // Draws the rows; withIcons leaves room for an icon in the first cell and draws it.
    void DrawRows(CDC& dc, bool withIcons);
    // Reads the text of one cell into the text buffer (cut to its size); returns its length.
    int ReadCell(int item, int subItem);

    std::unique_ptr<CxHdrCtrl> header;
    // The cached image: a DIB that GDI draws into directly (GDI+ would lend a copy of its own bitmap per paint).
    CImage surface;
    std::array<wchar_t, 1024> text{};
};

class QUILLET_API CxBmpListCtrl : public CxListCtrl {
    DECLARE_DYNAMIC(CxBmpListCtrl)
public:
    CxBmpListCtrl() = default;
    // Destroys the small image list.
    ~CxBmpListCtrl() override;

    // Configures the list once: icons is a strip of 18 x 18 icons, the rest as CxListCtrl::SetAtt.
    void SetAtt(IStream* icons, UINT headerBitmap, UINT a, UINT b, UINT c, const CRuntimeClass* headerClass);

protected:
    // Draws the rows with an icon in the first cell.
    void DrawTextW(CDC& dc) override;
    // The row's icon, by its image index.
    void DrawItemImg(CDC& dc, int item, CRect& cell) override;
    // Draws icon `index` of the strip at the top-left of cell; nothing for an index outside the strip.
    void DrawIcon(CDC& dc, int index, const CRect& cell);

    CImage iconStrip;
    CImageList smallImages;
};

class QUILLET_API CxChkListCtrl : public CxBmpListCtrl {
    DECLARE_DYNAMIC(CxChkListCtrl)
public:
    CxChkListCtrl() = default;

    // Configures the list once: checkedImg and uncheckedImg are the icons of checked and unchecked rows.
    void SetAtt(IStream* icons, UINT headerBitmap, UINT a, UINT b, UINT c, int checkedImg, int uncheckedImg,
                const CRuntimeClass* headerClass);

protected:
    // The icon of the row's check state.
    void DrawItemImg(CDC& dc, int item, CRect& cell) override;

    int checkedImg = -1;
    int uncheckedImg = -1;
};
