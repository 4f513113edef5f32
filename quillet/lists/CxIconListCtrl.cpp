#include "lists/CxIconListCtrl.h"

#include "controls/ControlPaint.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxIconListCtrl, CListCtrl)

namespace {

constexpr ARGB kDefaultTint = 0x80FFFFFF;
constexpr COLORREF kBorderDark = RGB(120, 120, 120);
constexpr COLORREF kBorderLight = RGB(255, 255, 255);
constexpr COLORREF kSelFrame = RGB(128, 128, 128);

BYTE AlphaOf(ARGB color) { return BYTE(color >> 24); }

COLORREF RgbOf(ARGB color) { return RGB(BYTE(color >> 16), BYTE(color >> 8), BYTE(color)); }

// The device context of a GDI+ graphics for one scope.
class GraphicsDc {
public:
    explicit GraphicsDc(Graphics& g) : m_graphics(g), m_dc(g.GetHDC()) {}
    ~GraphicsDc()
    {
        if (m_dc) m_graphics.ReleaseHDC(m_dc);
    }
    GraphicsDc(const GraphicsDc&) = delete;
    GraphicsDc& operator=(const GraphicsDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    Graphics& m_graphics;
    HDC m_dc;
};

}  // namespace

CxIconListCtrl::~CxIconListCtrl()
{
    cellStrip.reset();
    cellImages.DeleteImageList();
    backFill.Destroy();
    selFill.Destroy();
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

CImage CxIconListCtrl::MakeFill(Color color)
{
    CImage fill;
    fill.Create(1, 1, 24);
    fill.SetPixel(0, 0, RgbOf(color.GetValue()));
    return fill;
}

void CxIconListCtrl::SetBgmColor(Color color)
{
    backFill = MakeFill(color);
    bgmColor = color.GetValue();
}

void CxIconListCtrl::SetSelColor(Color color)
{
    selFill = MakeFill(color);
    selColor = color.GetValue();
}

int CxIconListCtrl::GetItemImg(int item)
{
    LVITEMW info{};
    info.mask = LVIF_IMAGE;
    info.iItem = item;
    return GetItem(&info) ? info.iImage : -1;
}

int CxIconListCtrl::GetViewCount()
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollInfo(SB_VERT, &info, SIF_RANGE)) return 1;
    int page = info.nMax - GetScrollLimit(SB_VERT) + 1;
    return page == 0 ? 1 : page;
}

bool CxIconListCtrl::GetVisibleBounds(int item, CRect& bounds) const
{
    // Geometry rather than LVM_ISITEMVISIBLE: Wine answers that from the window DC's visible region (one DC per
    // item), which stays empty for the children of a layered window whose region the server has not updated.
    CRect client;
    GetClientRect(&client);
    // Wine works the bounds out from the label's metrics, while the position is stored: items placed well away from
    // the client area (no item reaches twice the icon spacing from its position) are passed over without them.
    const DWORD spacing = DWORD(::SendMessageW(m_hWnd, LVM_GETITEMSPACING, FALSE, 0));
    CRect reach = client;
    reach.InflateRect(2 * LOWORD(spacing), 2 * HIWORD(spacing));
    POINT at{};
    if (GetItemPosition(item, &at) && !reach.PtInRect(at)) return false;
    CRect shown;
    return GetItemRect(item, &bounds, LVIR_BOUNDS) && shown.IntersectRect(bounds, client);
}

void CxIconListCtrl::PreSubclassWindow()
{
    Load(this);
    SetBgmColor(Color(kDefaultTint));
    SetSelColor(Color(kDefaultTint));
    CListCtrl::PreSubclassWindow();
}

void CxIconListCtrl::BlendFill(CDC& dc, const CImage& fill, ARGB color, const RECT& rect)
{
    if (fill.IsNull()) return;
    fill.AlphaBlend(dc.GetSafeHdc(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, 1, 1,
                    AlphaOf(color));
}

void CxIconListCtrl::RenderBody(Graphics& background, const RectF& area)
{
    const int width = std::max(INT(area.Width), 1), height = std::max(INT(area.Height), 1);
    if (!body || body->Width() != width || body->Height() != height)
        body = std::make_unique<LayerSurface>(width, height);
    {
        GraphicsDc source(background);
        if (source.Get()) ::BitBlt(body->Dc(), 0, 0, width, height, source.Get(), INT(area.X), INT(area.Y), SRCCOPY);
    }
    CDC dc(body->Dc());
    BlendFill(dc, backFill, bgmColor, CRect(0, 0, width, height));
    DrawTextW(dc);
}

void CxIconListCtrl::DrawBody(Graphics& target, Graphics& background, const RectF& area)
{
    RenderBody(background, area);
    // The body is opaque over the background it copied; GDI's fills and captions leave alpha bytes at 0.
    body->MakeOpaque(CRect(0, 0, body->Width(), body->Height()));
    body->DrawOnto(target, 0, 0);
}

void CxIconListCtrl::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    DrawBody(target, background, area);
    DrawBar(target);
    if (!(GetStyle() & WS_BORDER)) return;
    const int width = INT(area.Width), height = INT(area.Height);
    ControlPaint::Draw3dFrame(target, CRect(0, 0, width, height), Color(255, 120, 120, 120), Color(0xFFFFFFFF));
    ControlPaint::Draw3dFrame(target, CRect(1, 1, width - 1, height - 1), Color(0xFFFFFFFF),
                              Color(255, 120, 120, 120));
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
    for (int i = 0; i < count; ++i) {
        CRect rect;
        if (!GetVisibleBounds(i, rect)) continue;
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
    BlendFill(dc, selFill, selColor, rect);
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
    switch (msg) {
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove();
    case WM_NCMOUSELEAVE:
        return OnNcMouseLeave();
    case WM_MOUSEWHEEL:
        return OnMouseWheel();
    case WM_LBUTTONDOWN:
        return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_VSCROLL:
        return OnVScroll();
    case WM_HSCROLL:
        return OnHScroll();
    case WM_KEYDOWN:
        return OnKeyDown();
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    }
    return CListCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CxIconListCtrl::OnNcMouseMove()
{
    GetLeaveMsg(TME_HOVER | TME_LEAVE | TME_NONCLIENT);
    Redraw(1, nullptr);
    return Default();
}

LRESULT CxIconListCtrl::OnNcMouseLeave()
{
    Redraw(1, nullptr);
    return Default();
}

LRESULT CxIconListCtrl::OnMouseWheel()
{
    LRESULT result = Default();
    Redraw(1, nullptr);
    return result;
}

LRESULT CxIconListCtrl::OnVScroll()
{
    LRESULT result = Default();
    Redraw(1, nullptr);
    return result;
}

LRESULT CxIconListCtrl::OnHScroll()
{
    LRESULT result = Default();
    Redraw(1, nullptr);
    return result;
}

LRESULT CxIconListCtrl::OnKeyDown()
{
    LRESULT result = Default();
    Redraw(1, nullptr);
    return result;
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

LRESULT CxIconListCtrl::OnMouseLeave()
{
    LRESULT result = Default();
    if (hotItem != -1) {
        hotItem = -1;
        Redraw(1, nullptr);
    }
    return result;
}

LRESULT CxIconListCtrl::OnMouseMove(UINT, CPoint point)
{
    LRESULT result = Default();
    GetLeaveMsg(TME_HOVER | TME_LEAVE);
    int item = HitTest(point);
    if (item != hotItem) {
        hotItem = item;
        Redraw(1, nullptr);
    }
    return result;
}
