#include "controls/CxChkBtn.h"

#include "controls/ControlPaint.h"
#include "framework/Gdi.h"

#include <cstdarg>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxChkBtn, CxBtn)
IMPLEMENT_DYNAMIC(CxRadBtn, CxChkBtn)

namespace {

constexpr int kFrameCount = 9;

// Strip frames of the check states; frame 0 is never shown and focus does not change the look.
constexpr int kFrameDisabled = 1;
constexpr int kFrameNormal = 2;
constexpr int kFrameHover = 3;
constexpr int kFramePressed = 4;
constexpr int kFrameDisabledChecked = 5;
constexpr int kFrameChecked = 6;
constexpr int kFrameHoverChecked = 7;
constexpr int kFramePressedChecked = 8;

}  // namespace

SizeF CxChkBtn::GetImgSize()
{
    if (!image) return SizeF(0, 0);
    return SizeF(REAL(image->GetWidth()) / kFrameCount, REAL(image->GetHeight()));
}

float CxChkBtn::GetPos(int frameWidth)
{
    const bool checked = GetCheck() != 0;
    int frame;
    if (!IsWindowEnabled()) {
        frame = checked ? kFrameDisabledChecked : kFrameDisabled;
    } else if (pressed) {
        frame = checked ? kFramePressedChecked : kFramePressed;
    } else if (hover) {
        frame = checked ? kFrameHoverChecked : kFrameHover;
    } else {
        frame = checked ? kFrameChecked : kFrameNormal;
    }
    return float(frame * frameWidth);
}

void CxChkBtn::ReclacWnd()
{
    if (GetWindowTextLength() > 0) return;
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    const int width = image ? int(image->GetWidth()) / kFrameCount : 0;
    MoveWindow(r.X - thick, r.Y - thick, width, FrameHeight(), FALSE);
}

void CxChkBtn::DrawTextW(Graphics& target, RectF&)
{
    CString text = GetWindowText();
    // A zero-sized layout rectangle places the caption at its origin without wrapping or clipping.
    RectF origin(GetImgSize().Width, 0, 0, 0);
    ControlPaint::DrawCaption(target, text, font, nullptr, origin, true, textColor);
}

void CxChkBtn::PreSubclassWindow()
{
    // An owner-drawn button cannot hold a check state, and an automatic box would toggle itself on a space
    // key as well as through Toggle; a plain check box only keeps the state it is given.
    // The style is written directly: the window may not have had its creation messages yet.
    ModifyStyle(BS_TYPEMASK, BS_CHECKBOX);
    CxBtn::PreSubclassWindow();
}

LRESULT CxChkBtn::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONUP:
        return OnLButtonUp(UINT(wParam), PointFrom(lParam));
    case WM_KEYUP:
        return OnKeyUp(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_PAINT:
        return OnPaint();
    }
    return CxBtn::WindowProc(msg, wParam, lParam);
}

LRESULT CxChkBtn::OnLButtonUp(UINT flags, CPoint point)
{
    LRESULT result = CxBtn::OnLButtonUp(flags, point);
    if (CursorInside()) Toggle();
    return result;
}

LRESULT CxChkBtn::OnKeyUp(UINT key, UINT, UINT)
{
    // The native box sends its BN_CLICKED on this key-up only when the space press is still pending.
    const bool clicked = key == VK_SPACE && (SendMessage(BM_GETSTATE) & BST_PUSHED);
    LRESULT result = Default();
    if (clicked) Toggle();
    return result;
}

LRESULT CxChkBtn::OnPaint()
{
    CPaintDC dc(this);
    return 0;
}

int CxChkBtn::NextCheck(int state) { return state == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED; }

void CxChkBtn::Toggle()
{
    const int state = NextCheck(GetCheck());
    SetCheck(state);
    Redraw(1, nullptr);
    ::SendMessageW(::GetParent(m_hWnd), WM_USER, reinterpret_cast<WPARAM>(this), LPARAM(state));
}

bool CxChkBtn::CursorInside() const
{
    POINT cursor{};
    GetCursorPos(&cursor);
    CRect rect;
    GetWindowRect(&rect);
    return rect.PtInRect(cursor);
}

void CxRadBtn::SetAtt(IStream* strip, CxRadGroup* grp, Font* captionFont, int captionTop, int copyBack,
                      Color textColour)
{
    CxBtn::SetAtt(strip, captionFont, captionTop, copyBack, textColour);
    group = grp;
}

LRESULT CxRadBtn::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONUP:
        return OnLButtonUp(UINT(wParam), PointFrom(lParam));
    case WM_KEYUP:
        return OnKeyUp(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
    }
    return CxChkBtn::WindowProc(msg, wParam, lParam);
}

LRESULT CxRadBtn::OnLButtonUp(UINT flags, CPoint point)
{
    LRESULT result = CxChkBtn::OnLButtonUp(flags, point);
    // Also after a release outside the button: a press on a radio button always selects it.
    CheckAlone();
    return result;
}

LRESULT CxRadBtn::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    LRESULT result = CxChkBtn::OnKeyUp(key, repeat, flags);
    if (key == VK_SPACE) CheckAlone();
    return result;
}

int CxRadBtn::NextCheck(int) { return BST_CHECKED; }

void CxRadBtn::CheckAlone()
{
    if (!group) return;
    for (CxRadBtn* button : group->GetButtons()) {
        button->SetCheck(button == this ? BST_CHECKED : BST_UNCHECKED);
        button->Redraw(0, nullptr);
    }
    // The marks above only dirty the caches; one recomposition shows the whole group's new state.
    Redraw(1, nullptr);
}

void CxRadGroup::SetAtt(IStream* strip, Font* font, int textTop, int copyBackground, Color textColour, int count,
                        ...)
{
    if (count < 1) return;
    va_list args;
    va_start(args, count);
    for (int i = 0; i < count; ++i) {
        auto* button = va_arg(args, CxRadBtn*);
        if (!button) continue;
        buttons.push_back(button);
        // Every button decodes the one stream from its start.
        if (strip) strip->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        button->SetAtt(strip, this, font, textTop, copyBackground, textColour);
    }
    va_end(args);
}

void CxRadGroup::SetVal(int index)
{
    for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetCheck(int(i) == index ? BST_CHECKED : BST_UNCHECKED);
}

int CxRadGroup::GetVal() const
{
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->GetCheck()) return int(i);
    }
    return -1;
}
