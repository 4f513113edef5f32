#include "controls/CxBtn.h"

#include "controls/ControlPaint.h"
#include "framework/Gdi.h"

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxBtn, CButton)
IMPLEMENT_DYNAMIC(CxBmpBtn, CxBtn)

namespace {

constexpr int kFrameCount = 7;

// Strip frames of the button states.
constexpr int kFramePressed = 0;
constexpr int kFrameNormal = 1;
constexpr int kFrameHover = 2;
constexpr int kFramePressedFocus = 3;
constexpr int kFrameDisabled = 4;
constexpr int kFrameFocus = 5;
constexpr int kFrameHoverFocus = 6;

}  // namespace

CxBtn::~CxBtn()
{
    image.reset();
    tip.DestroyWindow();
}

int CxBtn::FrameWidth() const { return image ? int(image->GetWidth()) / kFrameCount : 0; }

int CxBtn::FrameHeight() const { return image ? int(image->GetHeight()) : 0; }

SizeF CxBtn::GetImgSize()
{
    if (!image) return SizeF(0, 0);
    return SizeF(REAL(image->GetWidth()) / kFrameCount, REAL(image->GetHeight()));
}

float CxBtn::GetPos(int frameWidth)
{
    int frame = kFrameNormal;
    if (!IsWindowEnabled()) {
        frame = kFrameDisabled;
    } else if (pressed) {
        frame = focus ? kFramePressedFocus : kFramePressed;
    } else if (hover) {
        frame = focus ? kFrameHoverFocus : kFrameHover;
    } else if (focus) {
        frame = kFrameFocus;
    }
    return float(frame * frameWidth);
}

void CxBtn::ReclacWnd()
{
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    MoveWindow(r.X - thick, r.Y - thick, FrameWidth(), FrameHeight(), FALSE);
}

void CxBtn::SetAtt(IStream* strip, Font* captionFont, int captionTop, int copyBack, Color textColour)
{
    Load(this);
    image = std::make_unique<Bitmap>(strip);
    font = captionFont;
    textTop = captionTop;
    copyBackground = copyBack;
    SetTextColor(textColour);
    ReclacWnd();
}

void CxBtn::Move(int dx, int dy, int dw, int dh)
{
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    MoveWindow(r.X + dx - thick, r.Y + dy - thick, FrameWidth() + dw, FrameHeight() + dh, FALSE);
    // Not a redraw: the next composition renders the cache at the new size.
    dirty = 1;
}

void CxBtn::MoveTo(int x, int y, int w, int h)
{
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    MoveWindow((x == -1 ? r.X : x) - thick, (y == -1 ? r.Y : y) - thick, w == -1 ? FrameWidth() : w,
               h == -1 ? FrameHeight() : h, FALSE);
    dirty = 1;
}

void CxBtn::SetTip(const wchar_t* text)
{
    if (!tip.Create(GetParent(), TTS_NOPREFIX)) return;
    tip.SetDelayTime(TTDT_AUTOMATIC, 100);
    tip.AddTool(this, text);
}

void CxBtn::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CxBtn::PreTranslateMessage(MSG* msg)
{
    if (tip.m_hWnd) tip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

LRESULT CxBtn::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_LBUTTONDOWN:
        return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(UINT(wParam), PointFrom(lParam));
    case WM_KILLFOCUS:
        return OnKillFocus(reinterpret_cast<HWND>(wParam));
    case WM_SETFOCUS:
        return OnSetFocus(reinterpret_cast<HWND>(wParam));
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    }
    return CButton::WindowProc(msg, wParam, lParam);
}

LRESULT CxBtn::OnMouseMove(UINT, CPoint)
{
    if (!hover) {
        // The hover time is not used: only the leave message matters.
        GetLeaveMsg(TME_HOVER | TME_LEAVE);
        hover = 1;
        Redraw(1, nullptr);
    }
    return Default();
}

LRESULT CxBtn::OnMouseLeave()
{
    hover = 0;
    Redraw(1, nullptr);
    return Default();
}

LRESULT CxBtn::OnLButtonDown(UINT, CPoint)
{
    pressed = 1;
    SetCapture();
    LRESULT result = Default();  // the native button takes the focus here
    Redraw(1, nullptr);
    return result;
}

LRESULT CxBtn::OnLButtonUp(UINT, CPoint)
{
    pressed = 0;
    // Without the capture the native button forgets its press and sends no BN_CLICKED of its own.
    ReleaseCapture();
    LRESULT result = Default();

    POINT cursor{};
    GetCursorPos(&cursor);
    HWND parent = ::GetParent(m_hWnd);
    ::ScreenToClient(parent, &cursor);
    RectF r = GetRect();
    int thick = GetThick();
    RectF hit(r.X - thick, r.Y - thick, r.Width, r.Height);
    if (hit.X <= cursor.x && cursor.x < hit.X + hit.Width && hit.Y <= cursor.y && cursor.y < hit.Y + hit.Height) {
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), 0);
    }
    Redraw(1, nullptr);
    return result;
}

LRESULT CxBtn::OnKillFocus(HWND)
{
    LRESULT result = Default();
    focus = 0;
    Redraw(1, nullptr);
    return result;
}

LRESULT CxBtn::OnSetFocus(HWND)
{
    LRESULT result = Default();
    focus = 1;
    Redraw(1, nullptr);
    return result;
}

LRESULT CxBtn::OnEraseBkgnd(HDC dc)
{
    CDC wrapper(dc);
    return CxWnd::OnEraseBkgnd(&wrapper);
}

void CxBtn::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    SizeF size = GetImgSize();
    if (copyBackground) ControlPaint::CopyBackground(target, background, area);
    if (!image) return;
    target.DrawImage(image.get(), RectF(0, 0, size.Width, size.Height), GetPos(INT(size.Width)), 0, size.Width,
                     size.Height, UnitPixel);
}

void CxBtn::DrawTextW(Graphics& target, RectF& area)
{
    CString text = GetWindowText();
    StringFormat format;
    format.SetAlignment(StringAlignmentCenter);
    format.SetLineAlignment(StringAlignmentNear);
    RectF layout(0, REAL(textTop + 1), area.Width, area.Height);
    ControlPaint::DrawCaption(target, text, font, &format, layout, IsWindowEnabled(), textColor);
}

CxBmpBtn::~CxBmpBtn() { icon.reset(); }

void CxBmpBtn::SetAtt(IStream* strip, IStream* iconStream, Font* captionFont, int captionTop, int copyBack,
                      Color textColour, const Point& iconAt, const Point& textAt)
{
    iconPos = iconAt;
    textPos = textAt;
    icon = ImageFrom(iconStream);
    CxBtn::SetAtt(strip, captionFont, captionTop, copyBack, textColour);
}

void CxBmpBtn::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    CxBtn::DrawImage(target, background, area);
    if (!icon) return;
    REAL height = REAL(icon->GetHeight());
    REAL half = REAL(icon->GetWidth()) / 2;
    // The left half is the hover look; pressed, focused and disabled states keep the icon as it is.
    target.DrawImage(icon.get(), RectF(REAL(iconPos.X), REAL(iconPos.Y), half, height), hover ? 0 : half, 0, half,
                     height, UnitPixel);
}

void CxBmpBtn::DrawTextW(Graphics& target, RectF&)
{
    CString text = GetWindowText();
    // A zero-sized layout rectangle places the caption at its origin without wrapping or clipping.
    RectF origin(REAL(textPos.X), REAL(textPos.Y + 1), 0, 0);
    ControlPaint::DrawCaption(target, text, font, nullptr, origin, IsWindowEnabled(), textColor);
}
