#include "Controls.h"

void AfxEnsureCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init{sizeof(init), classes};
    InitCommonControlsEx(&init);
}

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CButton::Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"BUTTON", caption, style, rect, parent, id);
}

int CButton::GetCheck() const { return int(SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }

void CButton::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CButton::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_DRAWITEM) return CWnd::OnChildNotify(msg, wParam, lParam, result);
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return TRUE;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"EDIT", nullptr, style, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0, last = 0;
    SendMessage(EM_GETSEL, WPARAM(&first), LPARAM(&last));
    start = int(first);
    end = int(last);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end));
    if (!noScroll) SendMessage(EM_SCROLLCARET);
}

int CEdit::GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }

int CEdit::GetFirstVisibleLine() const { return int(SendMessage(EM_GETFIRSTVISIBLELINE)); }

int CEdit::LineIndex(int line) const { return int(SendMessage(EM_LINEINDEX, WPARAM(line))); }

int CEdit::GetLine(int line, wchar_t* buffer, int maxLength) const
{
    // EM_GETLINE reads the buffer's capacity from its first word, so it needs room for at least that word.
    if (!buffer || maxLength < 1) return 0;
    *reinterpret_cast<WORD*>(buffer) = WORD(maxLength > 0xFFFF ? 0xFFFF : maxLength);
    return int(SendMessage(EM_GETLINE, WPARAM(line), LPARAM(buffer)));
}

CPoint CEdit::PosFromChar(UINT index) const
{
    LRESULT position = SendMessage(EM_POSFROMCHAR, WPARAM(index));
    return CPoint(short(LOWORD(position)), short(HIWORD(position)));
}

int CEdit::CharFromPos(CPoint point) const { return int(SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y))); }

void CEdit::GetRect(LPRECT rect) const { SendMessage(EM_GETRECT, 0, LPARAM(rect)); }

BOOL CStatic::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"STATIC", text, style, rect, parent, id);
}

HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }

HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxEnsureCommonControls(ICC_BAR_CLASSES);
    return CWnd::Create(TRACKBAR_CLASSW, nullptr, style, rect, parent, id);
}

int CSliderCtrl::GetPos() const { return int(SendMessage(TBM_GETPOS)); }

void CSliderCtrl::SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw)
{
    // TBM_SETRANGE packs both bounds into 16-bit words; the two single-bound messages take full ints.
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, redraw, maximum);
}

int CSliderCtrl::GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }

int CSliderCtrl::GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }

void CSliderCtrl::GetChannelRect(LPRECT rect) const { SendMessage(TBM_GETCHANNELRECT, 0, LPARAM(rect)); }

void CSliderCtrl::GetThumbRect(LPRECT rect) const { SendMessage(TBM_GETTHUMBRECT, 0, LPARAM(rect)); }

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxEnsureCommonControls(ICC_PROGRESS_CLASS);
    return CWnd::Create(PROGRESS_CLASSW, nullptr, style, rect, parent, id);
}

void CProgressCtrl::SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }

void CProgressCtrl::SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    PBRANGE range{0, 0};
    SendMessage(PBM_GETRANGE, TRUE, LPARAM(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

int CProgressCtrl::GetPos() const { return int(SendMessage(PBM_GETPOS)); }

int CProgressCtrl::SetPos(int position) { return int(SendMessage(PBM_SETPOS, WPARAM(position))); }

int CProgressCtrl::SetStep(int step) { return int(SendMessage(PBM_SETSTEP, WPARAM(step))); }

int CProgressCtrl::StepIt() { return int(SendMessage(PBM_STEPIT)); }

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    AfxEnsureCommonControls(ICC_WIN95_CLASSES);
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CRect(), parent, 0);
}

void CToolTipCtrl::SetDelayTime(DWORD duration, int milliseconds)
{
    SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(milliseconds, 0));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const wchar_t* text, LPCRECT rect, UINT_PTR id)
{
    if (!wnd || !wnd->m_hWnd) return FALSE;
    TTTOOLINFOW tool{};
    // The version 5 structure size: version 6 of the common controls accepts it too, version 5 rejects the
    // larger size that the headers give under _WIN32_WINNT >= 0x0501.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!rect && id == 0) {
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = ::GetParent(wnd->m_hWnd);
        tool.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        tool.hwnd = wnd->m_hWnd;
        tool.uId = id;
        if (rect) tool.rect = *rect;
    }
    tool.lpszText = const_cast<wchar_t*>(text ? text : L"");
    return BOOL(SendMessage(TTM_ADDTOOLW, 0, LPARAM(&tool)));
}

int CToolTipCtrl::GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }

void CToolTipCtrl::RelayEvent(MSG* msg)
{
    if (msg) SendMessage(TTM_RELAYEVENT, 0, LPARAM(msg));
}
