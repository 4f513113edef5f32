#include "controls/CxSlider.h"

#include "controls/ControlPaint.h"
#include "framework/Gdi.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxSlider, CSliderCtrl)
IMPLEMENT_DYNAMIC(CxPrg, CProgressCtrl)

namespace {

const Color kChannelLight(255, 168, 168, 168);
const Color kChannelDark(255, 210, 210, 210);

// The bar's skin: two-column caps at both ends, the filled look in column 2, the empty look 5 columns
// from the right.
constexpr int kCapWidth = 2;
constexpr int kFilledColumn = 2;
constexpr int kEmptyColumnFromRight = 5;
constexpr REAL kCaptionX = 7;

}  // namespace

CxSlider::~CxSlider() { thumbImage.reset(); }

void CxSlider::PreSubclassWindow()
{
    Load(this);
    CSliderCtrl::PreSubclassWindow();
}

void CxSlider::SetAtt(IStream* thumb) { thumbImage = ImageFrom(thumb); }

LRESULT CxSlider::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_LBUTTONDOWN:
        return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(UINT(wParam), PointFrom(lParam));
    }
    return CSliderCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CxSlider::OnLButtonDown(UINT, CPoint)
{
    SetCapture();
    return Default();
}

LRESULT CxSlider::OnLButtonUp(UINT, CPoint)
{
    ReleaseCapture();
    return Default();
}

LRESULT CxSlider::OnMouseMove(UINT, CPoint)
{
    LRESULT result = Default();
    int pos = GetPos();
    if (pos != lastPos) {
        lastPos = pos;
        Redraw(1, nullptr);
        ::SendMessageW(::GetParent(m_hWnd), WM_USER, reinterpret_cast<WPARAM>(this), LPARAM(pos));
    }
    return result;
}

void CxSlider::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    ControlPaint::CopyBackground(target, background, area);
    CRect channel;
    GetChannelRect(&channel);
    ControlPaint::Draw3dFrame(target, channel, kChannelLight, kChannelDark);
    if (!thumbImage) return;

    INT half = INT(thumbImage->GetWidth()) / 2;
    INT height = INT(thumbImage->GetHeight());
    CRect thumb;
    GetThumbRect(&thumb);
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    bool hot = thumb.PtInRect(cursor);
    // The image, not the native thumb rectangle, decides the drawn size.
    target.DrawImage(thumbImage.get(), Rect(thumb.left, thumb.top, half, height), hot ? half : 0, 0, half, height,
                     UnitPixel);
}

CxPrg::~CxPrg() { barImage.reset(); }

void CxPrg::PreSubclassWindow()
{
    Load(this);
    CProgressCtrl::PreSubclassWindow();
}

void CxPrg::SetAtt(IStream* bar, int chars, Color textColour)
{
    barImage = ImageFrom(bar);
    SetTextColor(textColour);
    maxChars = chars;
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    MoveWindow(r.X - thick, r.Y - thick, r.Width, barImage ? INT(barImage->GetHeight()) : r.Height, FALSE);
    Redraw(0, nullptr);
}

CString CxPrg::GetText(const wchar_t* text, int limit)
{
    CString whole(text);
    limit = std::max(limit, 0);
    if (whole.GetLength() <= limit) return whole;
    return L"..." + whole.Right(limit);
}

CxPrg::BarLayout CxPrg::Layout(int width, int lo, int hi, int pos)
{
    // 64-bit products: a 32-bit range times the width overflows int. The range is checked before dividing.
    using Wide = long long;
    Wide fill = 0;
    if (hi > lo) fill = (Wide(width) - 4) * (Wide(pos) - lo) / (Wide(hi) - lo);
    fill = std::clamp(fill, Wide(0), std::max(Wide(0), Wide(width) - 4));
    BarLayout layout{};
    layout.fill = int(fill);
    layout.filledX = kCapWidth;
    layout.filledWidth = layout.fill + 1;
    layout.emptyX = layout.fill + kCapWidth;
    // The empty part runs under the right cap whatever the lower bound.
    layout.emptyWidth = width - layout.fill - 1;
    layout.rightCapX = width - kCapWidth;
    return layout;
}

void CxPrg::DrawImage(Graphics& target, Graphics&, RectF& area)
{
    if (barImage) {
        int lo = 0, hi = 0;
        GetRange(lo, hi);
        const INT w = INT(barImage->GetWidth()), h = INT(barImage->GetHeight());
        BarLayout layout = Layout(INT(area.Width), lo, hi, GetPos());
        Image* bar = barImage.get();
        target.DrawImage(bar, Rect(0, 0, kCapWidth, h), 0, 0, kCapWidth, h, UnitPixel);
        target.DrawImage(bar, Rect(layout.filledX, 0, layout.filledWidth, h), kFilledColumn, 0, 1, h, UnitPixel);
        target.DrawImage(bar, Rect(layout.emptyX, 0, layout.emptyWidth, h), w - kEmptyColumnFromRight, 0, 1, h,
                         UnitPixel);
        target.DrawImage(bar, Rect(layout.rightCapX, 0, kCapWidth, h), w - kCapWidth, 0, kCapWidth, h, UnitPixel);
    }

    CClientDC dc(this);
    std::unique_ptr<Font> font = ControlPaint::FontFromGdi(dc.GetSafeHdc(), GetFont());
    CString caption = GetText(GetWindowText(), maxChars);
    SolidBrush brush{Color(textColor)};
    target.DrawString(caption, -1, font.get(), PointF(kCaptionX, 0), &brush);
}

LRESULT CxPrg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        return CxWnd::OnEraseBkgnd(&dc);
    }
    case WM_PAINT:
        return OnPaint();
    case WM_NCPAINT:
        return 0;
    }
    return CProgressCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CxPrg::OnPaint()
{
    CPaintDC dc(this);
    return 0;
}
