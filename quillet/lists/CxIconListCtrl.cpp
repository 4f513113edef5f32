#include "lists/CxIconListCtrl.h"

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxIconListCtrl, CxListBase)

namespace {

constexpr ARGB kDefaultTint = 0x80FFFFFF;
constexpr COLORREF kSelFrame = RGB(128, 128, 128);

}  // namespace

CxIconListCtrl::~CxIconListCtrl()
{
    cellStrip.reset();
    cellImages.DeleteImageList();
}

void CxIconListCtrl::SetAtt(UINT a, UINT b, UINT c, CSize cell, IStream* strip)
{
    Load(this);
    cellImages.Create(cell.cx, cell.cy, ILC_COLOR32 | ILC_MASK, 1, 1);
    SetImageList(&cellImages, LVSIL_NORMAL);
    cellStrip = ImageFrom(strip);
    cellWidth = cell.cx;
    cellHeight = cell.cy;
    CxSrlBar::SetAtt(this, a, b, c);
}

CxIconListCtrl::View CxIconListCtrl::GetView() const
{
    View view;
    GetClientRect(&view.client);
    // Wine works the bounds out from the label's metrics, while the position is stored: items placed well away from
    // the client area (no item reaches twice the icon spacing from its position) are passed over without them.
    const DWORD spacing = DWORD(::SendMessageW(m_hWnd, LVM_GETITEMSPACING, FALSE, 0));
    view.reach = view.client;
    view.reach.InflateRect(2 * LOWORD(spacing), 2 * HIWORD(spacing));
    return view;
}

bool CxIconListCtrl::GetVisibleBounds(int item, CRect& bounds, const View& view) const
{
    // Geometry rather than LVM_ISITEMVISIBLE: Wine answers that from the window DC's visible region (one DC per
    // item), which stays empty for the children of a layered window whose region the server has not updated.
    POINT at{};
    if (GetItemPosition(item, &at) && !view.reach.PtInRect(at)) return false;
    CRect shown;
    return GetItemRect(item, &bounds, LVIR_BOUNDS) && shown.IntersectRect(bounds, view.client);
}

void CxIconListCtrl::PreSubclassWindow()
{
    Load(this);
    SetBgmColor(Color(kDefaultTint));
    SetSelColor(Color(kDefaultTint));
    CListCtrl::PreSubclassWindow();
}

void CxIconListCtrl::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    DrawBody(target, background, area);
    DrawBar(target);
    if (GetStyle() & WS_BORDER) DrawBorder(target, INT(area.Width), INT(area.Height));
}

void CxIconListCtrl::DrawTextW(CDC& dc)
{
    const int count = GetItemCount();
    if (count == 0) return;
    CSelectionGuard font(dc.GetSafeHdc(), GetFont());
    dc.SetTextColor(RgbOf(textColor));
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    // Captions are drawn over the tint, not in boxes of the DC's background colour.
    dc.SetBkMode(TRANSPARENT);
    const View view = GetView();
    for (int i = 0; i < count; ++i) {
        CRect rect;
        if (!GetVisibleBounds(i, rect, view)) continue;
        DrawItemImg(dc, i, rect);
        if (GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED) DrawSel(dc, rect);
        DrawTextW(dc, rect, GetItemText(i, 0));
    }
}

void CxIconListCtrl::DrawTextW(CDC& dc, CRect& rect, const wchar_t* text)
{
    dc.TextOut(rect.left + (rect.right - rect.left) / 2, rect.top, text);
}

void CxIconListCtrl::DrawSel(CDC& dc, CRect rect)
{
    CxListBase::DrawSel(dc, rect);
    dc.Draw3dRect(&rect, kSelFrame, kSelFrame);
}

void CxIconListCtrl::DrawItemImg(CDC& dc, int item, CRect& rect)
{
    if (!cellStrip) return;
    LayerSurface::GraphicsOn(dc.GetSafeHdc())
        ->DrawImage(cellStrip.get(), Rect(rect.left, rect.top, cellWidth, cellHeight), GetItemImg(item) * cellWidth, 0,
                    cellWidth, cellHeight, UnitPixel);
}

LRESULT CxIconListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN) return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    return CxListBase::WindowProc(msg, wParam, lParam);
}

LRESULT CxIconListCtrl::OnLButtonDown(UINT, CPoint point)
{
    LRESULT result = Default();
    int item = HitTest(point);
    if (item == lastClicked) return result;
    ::SendMessageW(::GetParent(m_hWnd), WM_USER, reinterpret_cast<WPARAM>(this), LPARAM(item));
    lastClicked = item;
    Redraw(1, nullptr);
    return result;
}
