#include "Wnd.h"

#include "App.h"
#include "CreationHook.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

// The framework serves one UI thread, so its maps need no locking.
namespace {

std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

MSG g_currentMessage{};
CWnd* g_windowBeingCreated = nullptr;

}  // namespace

CWndCreationHook::CWndCreationHook(CWnd* wnd) : m_previous(g_windowBeingCreated)
{
    g_windowBeingCreated = wnd;
    m_hook = SetWindowsHookExW(WH_CBT, &CWndCreationHook::CbtProc, nullptr, GetCurrentThreadId());
}

CWndCreationHook::~CWndCreationHook()
{
    if (m_hook) UnhookWindowsHookEx(m_hook);
    g_windowBeingCreated = m_previous;
}

LRESULT CALLBACK CWndCreationHook::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_windowBeingCreated) {
        CWnd* wnd = g_windowBeingCreated;
        g_windowBeingCreated = nullptr;
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        wnd->Bind(hwnd);
        wnd->PreSubclassWindow();
        wnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

CWnd::~CWnd()
{
    if (m_hWnd && !m_temporary) DestroyWindow();
    if (m_hWnd) Unbind();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    auto found = PermanentMap().find(hwnd);
    return found == PermanentMap().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
    auto& temporaries = TemporaryMap();
    std::erase_if(temporaries, [](const auto& entry) { return !IsWindow(entry.first); });
    auto& slot = temporaries[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
        slot->m_temporary = true;
    }
    return slot.get();
}

void CWnd::Bind(HWND hwnd)
{
    m_hWnd = hwnd;
    PermanentMap()[hwnd] = this;
    TemporaryMap().erase(hwnd);
}

void CWnd::Unbind()
{
    if (!m_temporary) PermanentMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return FALSE;
    Bind(hwnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd) Unbind();
    return hwnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* param)
{
    CREATESTRUCTW cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.hMenu = reinterpret_cast<HMENU>(UINT_PTR(id));
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (m_hWnd || !PreCreateWindow(cs)) return FALSE;

    CWndCreationHook hook(this);
    HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    return hwnd != nullptr && hwnd == m_hWnd;
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    if (m_temporary) return ::DestroyWindow(Detach());
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd)) return FALSE;
    PreSubclassWindow();
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (!previous) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND child = parent ? ::GetDlgItem(parent->m_hWnd, int(id)) : nullptr;
    return child && SubclassWindow(child);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return wnd->Dispatch(msg, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = m_hWnd;
    MSG outer = g_currentMessage;
    g_currentMessage = MSG{hwnd, msg, wParam, lParam, 0, {}};
    LRESULT result = 0;
    try {
        result = WindowProc(msg, wParam, lParam);
    } catch (...) {
        // An exception must never unwind through the system's code that called us.
        OutputDebugStringW(L"framework: exception escaped a window procedure\n");
    }
    g_currentMessage = outer;
    if (msg == WM_NCDESTROY && FromHandlePermanent(hwnd) == this) {
        if (m_pfnSuper) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
        Unbind();
        PostNcDestroy();
    }
    return result;
}

const MSG* CWnd::GetCurrentMessage() { return &g_currentMessage; }

LRESULT CWnd::Default()
{
    const MSG& msg = g_currentMessage;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

namespace {

// The child window a notification to its parent is about, or null.
HWND NotifyingChild(HWND parent, UINT msg, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : GetDlgItem(parent, int(item->CtlID));
    }
    case WM_DELETEITEM:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    }
    return nullptr;
}

}  // namespace

// Offers a notification about a child (NotifyingChild knows which messages are) to that child's object.
bool CWnd::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND childHwnd = lParam ? NotifyingChild(m_hWnd, msg, lParam) : nullptr;
    CWnd* child = childHwnd ? FromHandlePermanent(childHwnd) : nullptr;
    return child && child != this && child->OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(msg, wParam, lParam, &result)) return result;
    switch (msg) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) return 0;
        break;
    case WM_NOTIFY:
        if (OnNotify(wParam, lParam, &result)) return result;
        break;
    }
    return Default();
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(MSG& msg)
{
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(&msg)) return TRUE;
        if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, msg, wParam, lParam);
}

void CWnd::SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const
{
    int length = GetWindowTextLength();
    ::GetWindowTextW(m_hWnd, text.GetBufferSetLength(length + 1), length + 1);
    text.ReleaseBuffer();
}

CString CWnd::GetWindowText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }

void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const { MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2); }

void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const { MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2); }

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    bool child = GetStyle() & WS_CHILD;
    HWND center = alternateOwner ? alternateOwner->m_hWnd : child ? ::GetParent(m_hWnd) : GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(center ? center : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    CRect area = monitor.rcWork;
    if (child) {
        ::GetClientRect(::GetParent(m_hWnd), &area);
    }
    CRect target = area;
    if (center && (child || (::IsWindowVisible(center) && !::IsIconic(center)))) {
        ::GetWindowRect(center, &target);
        if (child) MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&target), 2);
    }
    CRect self;
    GetWindowRect(&self);
    if (child) MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&self), 2);
    int x = target.CenterPoint().x - self.Width() / 2;
    int y = target.CenterPoint().y - self.Height() / 2;
    if (!child) {
        // Keep a top-level window on its monitor's work area.
        x = std::max(int(area.left), std::min(x, int(area.right) - self.Width()));
        y = std::max(int(area.top), std::min(y, int(area.bottom) - self.Height()));
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD CWnd::GetStyle() const { return DWORD(GetWindowLongW(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const { return DWORD(GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyWindowLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    DWORD style = DWORD(GetWindowLongW(hwnd, index));
    DWORD updated = (style & ~remove) | add;
    if (style == updated) return FALSE;
    SetWindowLongW(hwnd, index, LONG(updated));
    if (flags) SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(GetAncestor(m_hWnd, GA_ROOT)); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

HDC CWnd::GetDC() { return ::GetDC(m_hWnd); }

HDC CWnd::GetWindowDC() { return ::GetWindowDC(m_hWnd); }

int CWnd::ReleaseDC(HDC dc) { return ::ReleaseDC(m_hWnd, dc); }

void CWnd::SetFont(HFONT font, BOOL redraw) { SendMessage(WM_SETFONT, WPARAM(font), redraw); }

HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, LPARAM(icon)));
}

int CWnd::MessageBox(const wchar_t* text, const wchar_t* caption, UINT type)
{
    CWinApp* app = AfxGetApp();
    if (!caption && app) caption = app->AppName();
    return ::MessageBoxW(m_hWnd, text, caption, type);
}

HICON CWnd::GetIcon(BOOL bigIcon) const
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bigIcon ? ICON_BIG : ICON_SMALL));
}

HMENU CWnd::GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

BOOL CWnd::ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw); }

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }

BOOL CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) const
{
    if (!info) return FALSE;
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::GetScrollLimit(int bar) const
{
    SCROLLINFO info{};
    if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
    // A page of 0 (no page set) takes nothing off the maximum.
    return info.nMax - std::max(int(info.nPage) - 1, 0);
}

const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::set<std::wstring> registered;  // node-based: the names stay where they are
    wchar_t name[96];
    swprintf(name, 96, L"Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor), static_cast<void*>(background),
             static_cast<void*>(icon));
    if (auto found = registered.find(name); found != registered.end()) return found->c_str();
    WNDCLASSW wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = DefWindowProcW;  // bound windows are subclassed to AfxWndProc at creation
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return registered.insert(name).first->c_str();
}
