#include "controls/CxSrlBar.h"

#include "controls/ControlPaint.h"

#include "framework/Image.h"

using namespace Gdiplus;

namespace {

// Atlas columns (vertical) or rows (horizontal) of the normal and the hot look.
constexpr int kNormal = 0;
constexpr int kHot = 18;
constexpr int kThumbWidth = 17;
constexpr int kArrowLength = 17;
constexpr int kTrackLine = 34;
constexpr int kLowerArrowRow = 67;
constexpr COLORREF kCornerTransparent = RGB(0, 0, 0);
constexpr int kCornerWidth = 11;
constexpr int kCornerHeight = 12;

int Look(const CRect& hotRect, CPoint cursor) { return hotRect.PtInRect(cursor) ? kHot : kNormal; }

// Restricts dc's drawing to r until the end of the scope, so that no part lands outside its bar.
class ClipGuard {
public:
    ClipGuard(const CDC& dc, const CRect& r) : m_dc(dc.GetSafeHdc()), m_saved(SaveDC(m_dc))
    {
        IntersectClipRect(m_dc, r.left, r.top, r.right, r.bottom);
    }
    ~ClipGuard() { RestoreDC(m_dc, m_saved); }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

}  // namespace

void CxSrlBar::SetAtt(CWnd* host, UINT vertId, UINT horzId, UINT cornerId)
{
    owner = host;
    if (vertId) vertAtlas.LoadBitmap(vertId);
    if (horzId) horzAtlas.LoadBitmap(horzId);
    if (cornerId) cornerGlyph.LoadBitmap(cornerId);
}

CxSrlBar::SrlBarInfo* CxSrlBar::GetScrollBarInfo(int bar)
{
    if (bar == SB_HORZ) return &horzInfo;
    if (bar == SB_VERT) return &vertInfo;
    return nullptr;
}

void CxSrlBar::WindowAndClient(CRect& window, CRect& client) const
{
    window.SetRectEmpty();
    client.SetRectEmpty();
    if (!owner || !owner->m_hWnd) return;
    owner->GetWindowRect(&window);
    owner->GetClientRect(&client);
}

BOOL CxSrlBar::IsScrollBarVisible(int bar)
{
    CRect window, client;
    WindowAndClient(window, client);
    if (window.IsRectEmpty()) return FALSE;
    if (bar == SB_HORZ) return client.Height() + 5 < window.Height();
    if (bar == SB_VERT) return client.Width() + 5 < window.Width();
    return FALSE;
}

void CxSrlBar::GetSedBtnInfo(CRect& bar)
{
    RECT& button = vertInfo.secondButton;
    button.left = bar.left;
    button.right = bar.right;
    if (IsScrollBarVisible(SB_HORZ)) {
        button.top = bar.bottom - 33;
        button.bottom = bar.bottom - 16;
    } else {
        button.top = bar.bottom - 17;
        button.bottom = bar.bottom;
    }
}

CPoint CxSrlBar::ReadState(int bar)
{
    CPoint cursor;
    GetCursorPos(&cursor);
    owner->ScreenToClient(&cursor);
    scrollInfo = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(owner->m_hWnd, bar, &scrollInfo);
    return cursor;
}

void CxSrlBar::DrawVertScrollBar(CDC* dc, CRect& r)
{
    if (!dc || !owner || !vertAtlas.GetSafeHandle()) return;
    ClipGuard clip(*dc, r);
    CPoint cursor = ReadState(SB_VERT);
    CMemoryDC atlas(dc);
    CSelectionGuard selected = atlas.SelectObject(vertAtlas);
    GetSedBtnInfo(r);

    const int height = r.Height();
    const int range = scrollInfo.nMax - scrollInfo.nMin + 1;
    const bool horzShown = IsScrollBarVisible(SB_HORZ);
    const CRect lower(vertInfo.secondButton);
    double scale = 0;
    if (horzShown) {
        scale = double(height - 49) / range;
        dc->StretchBlt(r.left, r.top, r.Width(), height - 17, &atlas, kNormal, kTrackLine, 18, 1, SRCCOPY);
        int c = Look(CRect(r.left, r.bottom - 36, r.left + 18, r.bottom - 18), cursor);
        dc->BitBlt(lower.left, lower.top, lower.Width(), lower.Height(), &atlas, c, kLowerArrowRow, SRCCOPY);
    } else {
        scale = double(height - 33) / range;
        dc->StretchBlt(r.left, r.top, r.Width(), height, &atlas, kNormal, kTrackLine, 18, 1, SRCCOPY);
        int c = Look(CRect(r.left, r.bottom - 18, r.left + 18, r.bottom), cursor);
        dc->BitBlt(lower.left, lower.top - 1, lower.Width(), lower.Height(), &atlas, c, kLowerArrowRow, SRCCOPY);
    }
    int c = Look(CRect(r.left, r.top, r.left + 18, r.top + 18), cursor);
    dc->BitBlt(r.left, r.top, r.Width(), kArrowLength, &atlas, c, 0, SRCCOPY);

    // An empty or inverted range, or a page beyond the range, has no thumb to show.
    if (range <= 0 || int(scrollInfo.nPage) > range) return;
    const int p = int(scrollInfo.nPos * scale);
    const int t = int(scrollInfo.nPage * scale);
    if (t <= 4) return;
    c = Look(CRect(r.left, p + 18, r.left + 18, p + t + 14), cursor);
    dc->StretchBlt(r.left, p + 18, kThumbWidth, t - 4, &atlas, c, 38, kThumbWidth, 1, SRCCOPY);
    dc->BitBlt(r.left, p + 18, kThumbWidth, 4, &atlas, c, 35, SRCCOPY);
    dc->BitBlt(r.left, horzShown ? p + t + 14 : p + t + 13, kThumbWidth, 3, &atlas, c, 48, SRCCOPY);
    if (t >= 20) dc->BitBlt(r.left, p + t / 2 + 14, kThumbWidth, 10, &atlas, c, 39, SRCCOPY);
}

void CxSrlBar::DrawHorzScrollBar(CDC* dc, CRect& r)
{
    if (!dc || !owner || !horzAtlas.GetSafeHandle()) return;
    ClipGuard clip(*dc, r);
    CPoint cursor = ReadState(SB_HORZ);
    CMemoryDC atlas(dc);
    CSelectionGuard selected = atlas.SelectObject(horzAtlas);
    GetSedBtnInfo(r);

    const int width = r.Width();
    const int range = scrollInfo.nMax - scrollInfo.nMin + 1;
    const bool vertShown = IsScrollBarVisible(SB_VERT);
    double scale = 0;
    CRect rightHot;
    int rightX = 0;
    if (vertShown) {
        scale = double(width - 51) / range;
        rightHot.SetRect(r.right - 36, r.top, r.right - 18, r.bottom);
        rightX = width - 34;
    } else {
        scale = double(width - 35) / range;
        rightHot.SetRect(r.right - 18, r.top, r.right, r.bottom);
        rightX = width - 18;
    }
    dc->StretchBlt(r.left, r.top, width, r.Height(), &atlas, kTrackLine, kNormal, 1, 18, SRCCOPY);
    dc->BitBlt(rightX, r.top, kArrowLength, kArrowLength, &atlas, kLowerArrowRow, Look(rightHot, cursor), SRCCOPY);
    int c = Look(CRect(r.left, r.top, r.left + 18, r.bottom), cursor);
    dc->BitBlt(r.left, r.top, kArrowLength, kArrowLength, &atlas, 0, c, SRCCOPY);

    // No thumb for an empty range or a page beyond it, and none whose body would have a negative width.
    const int p = range > 0 ? int(scrollInfo.nPos * scale) : 0;
    const int t = range > 0 ? int(scrollInfo.nPage * scale) : 0;
    if (range > 0 && int(scrollInfo.nPage) <= range && t >= 5) {
        c = Look(CRect(p + 19, r.top, p + t + 14, r.top + 17), cursor);
        dc->StretchBlt(p + 19, r.top, t - 5, kThumbWidth, &atlas, 36, c, 1, kThumbWidth, SRCCOPY);
        dc->BitBlt(p + 19, r.top, 3, kThumbWidth, &atlas, 35, c, SRCCOPY);
        dc->BitBlt(p + t + 14, r.top, 3, kThumbWidth, &atlas, 47, c, SRCCOPY);
        if (t >= 20) {
            int gripX = int(scrollInfo.nPos * scale + scrollInfo.nPage * scale * 0.5) + 13;
            dc->BitBlt(gripX, r.top, 10, kThumbWidth, &atlas, 38, c, SRCCOPY);
        }
    }

    if (vertShown && cornerGlyph.GetSafeHandle()) {
        CMemoryDC glyph(dc);
        CSelectionGuard glyphSelected = glyph.SelectObject(cornerGlyph);
        dc->TransparentBlt(width - 13, r.top + 5, kCornerWidth, kCornerHeight, &glyph, 0, 0, kCornerWidth,
                           kCornerHeight, kCornerTransparent);
    }
}

void CxSrlBar::DrawScrollBar(CDC* dc, CRect& windowRect, CRect& clientRect)
{
    const int width = windowRect.Width(), height = windowRect.Height();
    if (IsScrollBarVisible(SB_HORZ)) {
        CRect bar(0, clientRect.bottom, width, height);
        DrawHorzScrollBar(dc, bar);
    }
    if (IsScrollBarVisible(SB_VERT)) {
        CRect bar(clientRect.right, 1, width, height - 1);
        DrawVertScrollBar(dc, bar);
    }
}

void CxSrlBar::OnNcPaint()
{
    if (!owner || !owner->m_hWnd) return;
    CWindowDC dc(owner);
    DrawBar(dc);
}

void CxSrlBar::DrawBar(CDC& dc)
{
    CRect window, client;
    WindowAndClient(window, client);
    DrawScrollBar(&dc, window, client);
}

void CxSrlBar::DrawBar(Graphics& target)
{
    CRect window, client;
    WindowAndClient(window, client);
    if (window.IsRectEmpty()) return;
    CRect horzBar, vertBar;
    if (IsScrollBarVisible(SB_HORZ) && horzAtlas.GetSafeHandle())
        horzBar.SetRect(0, client.bottom, window.Width(), window.Height());
    if (IsScrollBarVisible(SB_VERT) && vertAtlas.GetSafeHandle())
        vertBar.SetRect(client.right, 1, window.Width(), window.Height() - 1);
    if (horzBar.IsRectEmpty() && vertBar.IsRectEmpty()) return;

    // GDI paints into a separate DIB and leaves its alpha bytes at zero; the bars are then made opaque and
    // blended onto the cache, so the rest of the host's rendering stays as it is.
    CImage bars;
    if (!bars.Create(window.Width(), window.Height(), 32)) return;
    {
        CDC dc(bars.GetDC());
        DrawScrollBar(&dc, window, client);
        bars.ReleaseDC();
    }
    Bitmap view(bars.GetWidth(), bars.GetHeight(), bars.GetPitch(), PixelFormat32bppPARGB,
                static_cast<BYTE*>(bars.GetBits()));
    for (const CRect& bar : {horzBar, vertBar}) {
        if (bar.IsRectEmpty()) continue;
        ControlPaint::MakeOpaque(bars, bar);
        target.DrawImage(&view, Rect(bar.left, bar.top, bar.Width(), bar.Height()), bar.left, bar.top,
                         bar.Width(), bar.Height(), UnitPixel);
    }
}
