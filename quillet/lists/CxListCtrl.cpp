#include "lists/CxListCtrl.h"

#include "controls/ControlPaint.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNCREATE(CxHdrCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CxListCtrl, CxListBase)
IMPLEMENT_DYNAMIC(CxBmpListCtrl, CxListCtrl)
IMPLEMENT_DYNAMIC(CxChkListCtrl, CxBmpListCtrl)

namespace {

constexpr ARGB kGridColor = 0x80808080;
constexpr COLORREF kGridRgb = RGB(128, 128, 128);
constexpr BYTE kGridAlpha = 128;
constexpr BYTE kHotColumnAlpha = 100;
// The hot row is tinted once with the selection colour, fainter than a selection.
constexpr BYTE kHotRowAlpha = 64;
// Every second row is tinted faintly with the selection colour, to guide the eye along wide rows.
constexpr BYTE kZebraAlpha = 24;
// The pitch of the ruling below the last row when no row can be measured.
constexpr int kEmptyRowPitch = 19;
// Room that a vertical scroll bar takes from the header's right end.
constexpr int kBarWidth = 18;
constexpr int kIconSize = 18;
// Header texts are single lines in which an ampersand shows as itself.
constexpr UINT kTextFormat = DT_NOPREFIX | DT_SINGLELINE;

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// CxHdrCtrl

CxHdrCtrl::~CxHdrCtrl()
{
    // The window belongs to the list: leave it to the list instead of destroying it with this object.
    if (m_hWnd) UnsubclassWindow();
}

void CxHdrCtrl::SetAtt(HWND headerWindow, UINT bitmap)
{
    if (!headerWindow || !SubclassWindow(headerWindow)) return;
    ModifyStyleEx(0, WS_EX_LAYERED);
    skin.LoadFromResource(AfxGetResourceHandle(), bitmap);
}

void CxHdrCtrl::PreSubclassWindow()
{
    Load(this);
    SetTextColor(Color(0xFF000000));
    CHeaderCtrl::PreSubclassWindow();
}

const wchar_t* CxHdrCtrl::ReadText(int col)
{
    text[0] = L'\0';
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text.data();
    item.cchTextMax = int(text.size());
    if (col < 0 || !GetItem(col, &item)) text[0] = L'\0';
    text.back() = L'\0';
    return text.data();
}

CString CxHdrCtrl::GetItemText(int col) { return CString(ReadText(col)); }

CWnd* CxHdrCtrl::Composer() const
{
    CWnd* list = GetParent();
    return list ? list->GetParent() : nullptr;
}

int CxHdrCtrl::ScrollPos() const
{
    HWND list = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return list ? ::GetScrollPos(list, SB_HORZ) : 0;
}

RectF CxHdrCtrl::GetRect()
{
    CWnd* composer = Composer();
    if (!m_hWnd || !composer) return {};
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    MapWindowPoints(nullptr, composer->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    // The list moves its header left by the scroll position and widens it as much; the visible part starts at
    // the list's client edge.
    const int thick = BorderOf(composer->m_hWnd);
    const int left = rect.left + thick + ScrollPos();
    return RectF(REAL(left), REAL(rect.top + thick), REAL(rect.right + thick - left), REAL(rect.bottom - rect.top));
}

void CxHdrCtrl::DoDraw(Graphics& g)
{
    if (!m_hWnd || !IsWindowVisible()) return;
    RectF area = GetRect();
    CWnd* list = GetParent();
    const int width = INT(area.Width) - (list && list->GetScrollLimit(SB_VERT) != 0 ? kBarWidth : 0);
    const int height = INT(area.Height) - 1;
    if (width <= 0 || height <= 0) return;
    if (dirty || !cache || INT(cache->GetWidth()) != width || INT(cache->GetHeight()) != height)
        RenderCache(width, height, g, area);
    ComposeCache(g, INT(area.X), INT(area.Y), width, height);
}

void CxHdrCtrl::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    const int hpos = ScrollPos();
    const int columns = GetItemCount();
    {
        ControlPaint::GraphicsDc destination(target);
        if (!destination.Get()) return;
        ControlPaint::CopyBackground(destination.Get(), background, area);
        const int skinHeight = skin.GetHeight();
        if (!skin.IsNull()) skin.AlphaBlend(destination.Get(), 0, 0, INT(area.Width), skinHeight, 0, 0, 1, skinHeight);
        CRect hot;
        if (hotColumn != -1 && skin.GetWidth() > 1 && GetItemRect(hotColumn, &hot)) {
            skin.AlphaBlend(destination.Get(), hot.left - hpos, hot.top, hot.Width(), skinHeight, 1, 0, 1, skinHeight,
                            kHotColumnAlpha);
        }
        CDC dc(destination.Get());
        DrawTextW(dc, area);
    }
    Pen separator{Color(kGridColor), 1.0f};
    for (int col = 0; col < columns; ++col) {
        CRect rect;
        if (!GetItemRect(col, &rect)) continue;
        const INT x = rect.right - hpos - 2;
        target.DrawLine(&separator, x, INT(rect.top), x, INT(rect.bottom));
    }
}

void CxHdrCtrl::DrawTextW(CDC& dc, RectF& area)
{
    CSelectionGuard font(dc.GetSafeHdc(), GetFont());
    dc.SetTextColor(RGB(BYTE(textColor >> 16), BYTE(textColor >> 8), BYTE(textColor)));
    // Captions are drawn over the skin, not in boxes of the DC's background colour.
    dc.SetBkMode(TRANSPARENT);
    const int hpos = ScrollPos();
    const int columns = GetItemCount();
    for (int col = 0; col < columns; ++col) {
        CRect rect;
        if (!GetItemRect(col, &rect) || rect.right - hpos < 0 || rect.left - hpos >= INT(area.Width)) continue;
        CRect box(rect.left - hpos + 4, rect.top, rect.right - hpos - 2, rect.bottom);
        dc.DrawText(ReadText(col), -1, &box, kTextFormat | DT_VCENTER);
    }
}

LRESULT CxHdrCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    }
    return CHeaderCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CxHdrCtrl::OnMouseMove(UINT, CPoint point)
{
    LRESULT result = Default();
    GetLeaveMsg(TME_HOVER | TME_LEAVE);
    HDHITTESTINFO info{};
    info.pt = point;
    const int column = HitTest(&info);
    if (column != hotColumn) {
        hotColumn = column;
        Redraw(1, Composer());
    }
    return result;
}

LRESULT CxHdrCtrl::OnMouseLeave()
{
    hotColumn = -1;
    Redraw(1, Composer());
    return Default();
}

// ---------------------------------------------------------------------------------------------------------------
// CxListCtrl

CxListCtrl::~CxListCtrl() { header.reset(); }

void CxListCtrl::PreSubclassWindow()
{
    Load(this);
    SetBgmColor(Color(0xFF000000));
    SetSelColor(Color(0x55A8A8A8));
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CListCtrl::PreSubclassWindow();
}

void CxListCtrl::SetAtt(UINT headerBitmap, UINT a, UINT b, UINT c, const CRuntimeClass* headerClass)
{
    CxSrlBar::SetAtt(this, a, b, c);
    header.reset();
    if (headerClass && headerClass->IsDerivedFrom(RUNTIME_CLASS(CxHdrCtrl))) {
        // Derived from CxHdrCtrl through its window base, so the created object is one.
        header.reset(static_cast<CxHdrCtrl*>(headerClass->CreateObject()));
    }
    if (!header) header = std::make_unique<CxHdrCtrl>();
    header->SetAtt(GetHeaderCtrl(), headerBitmap);
}

void CxListCtrl::DoDraw(Graphics& g)
{
    if (m_hWnd && IsWindowVisible()) {
        RectF area = GetRect();
        if (dirty || surface.GetWidth() != INT(area.Width) || surface.GetHeight() != INT(area.Height))
            Paint(LayerSurface::BackgroundOf(g), area);
        Compose(g, INT(area.X), INT(area.Y));
    }
    if (header) header->DoDraw(g);
}

void CxListCtrl::Redraw(int notify, CWnd* wnd)
{
    // The header is composed by the list's own composition: mark it only. Repainting its native window here would
    // cost a paint that a layered parent never shows; under an ordinary parent its target repaints it anyway.
    if (header) header->CxWnd::Redraw(0, GetParent());
    CxWnd::Redraw(notify, wnd);
}

void CxListCtrl::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    Paint(background, area);
    Compose(target, 0, 0);
}

void CxListCtrl::Paint(Graphics& background, RectF& area)
{
    const int width = INT(area.Width), height = INT(area.Height);
    if (width <= 0 || height <= 0) return;
    if (surface.GetWidth() != width || surface.GetHeight() != height) surface.Create(width, height, 32);
    if (surface.IsNull()) return;
    const CRect whole(0, 0, width, height);
    {
        CDC dc(surface.GetDC());
        ControlPaint::CopyBackground(dc.GetSafeHdc(), background, area);
        ControlPaint::BlendRect(surface, whole, RgbOf(bgmColor), AlphaOf(bgmColor));
        DrawTextW(dc);
        DrawCell(dc, area);
        DrawBar(dc);
        DrawBorder(dc, width, height);
        surface.ReleaseDC();
    }
    // The list covers what lies under it: GDI's zero alpha where it drew must not show through.
    ControlPaint::MakeOpaque(surface, whole);
    dirty = 0;
}

void CxListCtrl::Compose(Graphics& g, int x, int y) const
{
    if (surface.IsNull()) return;
    // Onto a window's composition straight through its DC: GDI+ would lend a copy of all its pixels instead.
    if (HDC frame = LayerSurface::FrameDc(g)) {
        surface.Draw(frame, x, y);
        return;
    }
    ControlPaint::GraphicsDc target(g);
    if (target.Get()) surface.Draw(target.Get(), x, y);
}

void CxListCtrl::DrawSel(CDC&, CRect rect)
{
    ControlPaint::BlendRect(surface, rect, RgbOf(selColor), AlphaOf(selColor));
}

int CxListCtrl::GetColCount() const { return int(::SendMessageW(GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0)); }

CString CxListCtrl::GetColText(int col) { return header ? header->GetItemText(col) : CString(); }

int CxListCtrl::ReadCell(int item, int subItem)
{
    LVITEMW cell{};
    cell.iSubItem = subItem;
    cell.pszText = text.data();
    cell.cchTextMax = int(text.size());
    text[0] = L'\0';
    const int length = int(::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, WPARAM(item), LPARAM(&cell)));
    return std::clamp(length, 0, int(text.size()) - 1);
}

void CxListCtrl::GetDrawnRows(int& first, int& last)
{
    const int count = GetItemCount();
    first = std::clamp(GetTopIndex(), 0, count);
    last = std::min(first + GetViewCount() + 1, count);
}

void CxListCtrl::DrawTextW(CDC& dc) { DrawRows(dc, false); }

void CxListCtrl::DrawRows(CDC& dc, bool withIcons)
{
    int first = 0, last = 0;
    GetDrawnRows(first, last);
    if (first >= last) return;
    const int columns = GetColCount();
    CSelectionGuard font(dc.GetSafeHdc(), GetFont());
    dc.SetTextColor(RgbOf(textColor));
    // Cell texts are drawn over the tints, not in boxes of the DC's background colour.
    dc.SetBkMode(TRANSPARENT);
    CRect client;
    GetClientRect(&client);
    const int top = withIcons ? 2 : 0;
    for (int i = first; i < last; ++i) {
        CRect row;
        if (!GetItemRect(i, &row, LVIR_BOUNDS)) continue;
        if (i % 2) ControlPaint::BlendRect(surface, row, RgbOf(selColor), kZebraAlpha);
        if (GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED) DrawSel(dc, row);
        if (i == hotItem) DrawHot(dc);
        if (columns == 0) continue;
        CRect cell(row.left, row.top, row.left + GetColumnWidth(0), row.bottom);
        if (withIcons) DrawItemImg(dc, i, cell);
        for (int k = 0; k < columns; ++k) {
            if (k > 0 && !GetSubItemRect(i, k, LVIR_BOUNDS, cell)) break;
            if (cell.left >= client.right) break;
            if (cell.right <= client.left) continue;
            CRect box(cell.left + (withIcons && k == 0 ? 22 : 4), cell.top + top, cell.right, cell.bottom);
            const int length = ReadCell(i, k);
            // Top-left in a clipping box: ExtTextOut does what DrawText would, without measuring the text first.
            ::ExtTextOutW(dc.GetSafeHdc(), box.left, box.top, ETO_CLIPPED, &box, text.data(), UINT(length), nullptr);
        }
    }
}

void CxListCtrl::DrawHot(CDC&)
{
    CRect row;
    if (hotItem != -1 && GetItemRect(hotItem, &row, LVIR_BOUNDS))
        ControlPaint::BlendRect(surface, row, RgbOf(selColor), kHotRowAlpha);
}

void CxListCtrl::DrawItemImg(CDC&, int, CRect&) {}

void CxListCtrl::DrawCell(CDC&, RectF& area)
{
    // One-pixel lines of half-opaque grey, blended straight into the cached image.
    auto line = [this](int left, int top, int right, int bottom) {
        ControlPaint::BlendRect(surface, CRect(left, top, right, bottom), kGridRgb, kGridAlpha);
    };
    const int width = INT(area.Width), height = INT(area.Height);
    HWND headerWindow = GetHeaderCtrl();
    RECT headerRect{};
    if (headerWindow && ::IsWindowVisible(headerWindow)) ::GetWindowRect(headerWindow, &headerRect);
    const int headerWidth = headerRect.right - headerRect.left, headerHeight = headerRect.bottom - headerRect.top;

    const int hpos = GetScrollPos(SB_HORZ);
    const int columns = GetColCount();
    for (int col = 0; col < columns; ++col) {
        RECT rect{};
        if (!::SendMessageW(headerWindow, HDM_GETITEMRECT, WPARAM(col), LPARAM(&rect))) continue;
        const int x = rect.right - hpos;
        if (x >= 0 && x < width) line(x, headerHeight, x + 1, height);
    }

    int first = 0, last = 0;
    GetDrawnRows(first, last);
    last = std::min(last, first + GetViewCount());
    int read = 0;
    CRect row;
    for (int i = first; i < last; ++i) {
        if (!GetItemRect(i, &row, LVIR_BOUNDS)) continue;
        line(0, row.top, headerWidth, row.top + 1);
        ++read;
    }
    // Empty rows below the last one are ruled at the rows' own pitch, down to the end of the page.
    const int pitch = read ? row.Height() : kEmptyRowPitch;
    int next = headerHeight;
    if (read) {
        line(0, row.bottom, headerWidth, row.bottom + 1);
        next = row.bottom + pitch;
    }
    const int lines = GetCountPerPage() + (read ? 0 : 1) - read;
    for (int k = 0; k < lines && pitch > 0; ++k, next += pitch) line(0, next, headerWidth, next + 1);
}

LRESULT CxListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        // A list made by Create is bound before the native control exists, so its PreSubclassWindow could not set
        // the row selection: set it once the control is there.
        LRESULT result = Default();
        SetExtendedStyle(LVS_EX_FULLROWSELECT);
        return result;
    }
    case WM_LBUTTONDOWN:
        return OnNativeChange();
    case WM_NOTIFY: {
        const auto* note = reinterpret_cast<const NMHDR*>(lParam);
        if (note && note->hwndFrom == GetHeaderCtrl() && (note->code == HDN_ENDTRACKW || note->code == HDN_ENDTRACKA))
            return OnEndTrack();
        break;
    }
    }
    return CxListBase::WindowProc(msg, wParam, lParam);
}

LRESULT CxListCtrl::OnEndTrack()
{
    // The native list still learns that the drag ended (it removes its tracking line).
    Default();
    Redraw(1, nullptr);
    return 0;
}

// ---------------------------------------------------------------------------------------------------------------
// CxBmpListCtrl and CxChkListCtrl

CxBmpListCtrl::~CxBmpListCtrl() { smallImages.DeleteImageList(); }

void CxBmpListCtrl::SetAtt(IStream* icons, UINT headerBitmap, UINT a, UINT b, UINT c,
                           const CRuntimeClass* headerClass)
{
    iconStrip.Destroy();
    if (icons) iconStrip.Load(icons);
    // An empty list of the icon size makes the native rows reserve the icon cell.
    smallImages.Create(kIconSize, kIconSize, ILC_COLOR8, 0, 0);
    SetImageList(&smallImages, LVSIL_SMALL);
    CxListCtrl::SetAtt(headerBitmap, a, b, c, headerClass);
}

void CxBmpListCtrl::DrawTextW(CDC& dc) { DrawRows(dc, true); }

void CxBmpListCtrl::DrawItemImg(CDC& dc, int item, CRect& cell) { DrawIcon(dc, GetItemImg(item), cell); }

void CxBmpListCtrl::DrawIcon(CDC& dc, int index, const CRect& cell)
{
    if (iconStrip.IsNull() || index < 0 || (index + 1) * kIconSize > iconStrip.GetWidth()) return;
    iconStrip.AlphaBlend(dc.GetSafeHdc(), cell.left + 3, cell.top + 1, kIconSize, kIconSize, index * kIconSize, 0,
                         kIconSize, kIconSize);
}

void CxChkListCtrl::SetAtt(IStream* icons, UINT headerBitmap, UINT a, UINT b, UINT c, int checked, int unchecked,
                           const CRuntimeClass* headerClass)
{
    checkedImg = checked;
    uncheckedImg = unchecked;
    CxBmpListCtrl::SetAtt(icons, headerBitmap, a, b, c, headerClass);
}

void CxChkListCtrl::DrawItemImg(CDC& dc, int item, CRect& cell)
{
    DrawIcon(dc, GetCheck(item) ? checkedImg : uncheckedImg, cell);
}
