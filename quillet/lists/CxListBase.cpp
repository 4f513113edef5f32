#include "lists/CxListBase.h"

#include "controls/ControlPaint.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxListBase, CListCtrl)

namespace {

constexpr ARGB kBorderDark = 0xFF787878;
constexpr ARGB kBorderLight = 0xFFFFFFFF;

COLORREF ColourOf(ARGB color) { return RGB(BYTE(color >> 16), BYTE(color >> 8), BYTE(color)); }

}  // namespace

CxListBase::~CxListBase()
{
    backFill.Destroy();
    selFill.Destroy();
}

CImage CxListBase::MakeFill(Color color)
{
    CImage fill;
    fill.Create(1, 1, 24);
    fill.SetPixel(0, 0, RgbOf(color.GetValue()));
    return fill;
}

void CxListBase::SetBgmColor(Color color)
{
    backFill = MakeFill(color);
    bgmColor = color.GetValue();
}

void CxListBase::SetSelColor(Color color)
{
    selFill = MakeFill(color);
    selColor = color.GetValue();
}

int CxListBase::GetItemImg(int item)
{
    LVITEMW info{};
    info.mask = LVIF_IMAGE;
    info.iItem = item;
    return GetItem(&info) ? info.iImage : -1;
}

int CxListBase::GetViewCount()
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollInfo(SB_VERT, &info, SIF_RANGE)) return 1;
    int page = info.nMax - GetScrollLimit(SB_VERT) + 1;
    return page == 0 ? 1 : page;
}

void CxListBase::BlendFill(CDC& dc, const CImage& fill, BYTE alpha, const RECT& rect)
{
    if (fill.IsNull()) return;
    fill.AlphaBlend(dc.GetSafeHdc(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, 1, 1,
                    alpha);
}

void CxListBase::RenderBody(Graphics& background, const RectF& area)
{
    const int width = std::max(INT(area.Width), 1), height = std::max(INT(area.Height), 1);
    if (!body || body->Width() != width || body->Height() != height)
        body = std::make_unique<LayerSurface>(width, height);
    {
        ControlPaint::GraphicsDc source(background);
        if (source.Get()) ::BitBlt(body->Dc(), 0, 0, width, height, source.Get(), INT(area.X), INT(area.Y), SRCCOPY);
    }
    CDC dc(body->Dc());
    BlendFill(dc, backFill, AlphaOf(bgmColor), CRect(0, 0, width, height));
    DrawTextW(dc);
    RectF cellArea = area;
    DrawCell(dc, cellArea);
}

void CxListBase::DrawBody(Graphics& target, Graphics& background, const RectF& area)
{
    RenderBody(background, area);
    // The body is opaque over the background it copied; GDI's fills and captions leave alpha bytes at 0.
    body->MakeOpaque(CRect(0, 0, body->Width(), body->Height()));
    body->DrawOnto(target, 0, 0);
}

void CxListBase::DrawBorder(Graphics& target, int width, int height)
{
    ControlPaint::Draw3dFrame(target, CRect(0, 0, width, height), Color(kBorderDark), Color(kBorderLight));
    ControlPaint::Draw3dFrame(target, CRect(1, 1, width - 1, height - 1), Color(kBorderLight), Color(kBorderDark));
}

void CxListBase::DrawBorder(CDC& dc, int width, int height)
{
    dc.Draw3dRect(0, 0, width, height, ColourOf(kBorderDark), ColourOf(kBorderLight));
    dc.Draw3dRect(1, 1, width - 2, height - 2, ColourOf(kBorderLight), ColourOf(kBorderDark));
}

void CxListBase::DrawSel(CDC& dc, CRect rect) { BlendFill(dc, selFill, AlphaOf(selColor), rect); }

void CxListBase::DrawCell(CDC&, RectF&) {}

LRESULT CxListBase::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove();
    case WM_NCMOUSELEAVE:
        return OnNcMouseLeave();
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
        return OnNativeChange();
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    }
    return CListCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CxListBase::OnNcMouseMove()
{
    GetLeaveMsg(TME_HOVER | TME_LEAVE | TME_NONCLIENT);
    Redraw(1, nullptr);
    return Default();
}

LRESULT CxListBase::OnNcMouseLeave()
{
    Redraw(1, nullptr);
    return Default();
}

LRESULT CxListBase::OnNativeChange()
{
    LRESULT result = Default();
    Redraw(1, nullptr);
    return result;
}

LRESULT CxListBase::OnMouseLeave()
{
    LRESULT result = Default();
    if (hotItem != -1) {
        hotItem = -1;
        Redraw(1, nullptr);
    }
    return result;
}

LRESULT CxListBase::OnMouseMove(UINT, CPoint point)
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
