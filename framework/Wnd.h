#pragma once
// CWnd: a C++ object bound to an HWND, with one framework window procedure, subclassing,
// notification reflection, the pre-translation walk and thin wrappers over the window API.
#include "App.h"
#include "Geometry.h"

// A window. Each class routes the messages it handles in its WindowProc and passes the rest to its base.
class FW_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    // Destroys the window if it still exists.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to hwnd, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The object bound to hwnd, or a temporary unbound wrapper that lives until hwnd is destroyed.
    static CWnd* FromHandle(HWND hwnd);

    // Binds the object to an existing window without subclassing it.
    BOOL Attach(HWND hwnd);
    HWND Detach();

    // Creates the window; the object receives every message, the very first included.
    virtual BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                          const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id);
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    virtual BOOL DestroyWindow();

    // Routes an existing window's messages through this object; PreSubclassWindow runs first (it also
    // runs for windows made by CreateEx, right after they are bound).
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow() {}

    // The class's message switch; unhandled messages end in Default.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled to the window's previous procedure.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // A parent offers its children's notifications here first; return TRUE to take one.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called by the framework's loop for messages to this window or its descendants; TRUE consumes.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Runs after the last message (WM_NCDESTROY), once the object is unbound.
    virtual void PostNcDestroy() {}

    // Offers msg to the objects from its target window up to the top-level window.
    static BOOL WalkPreTranslateTree(MSG& msg);
    // The message being processed by the innermost WindowProc.
    static const MSG* GetCurrentMessage();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void SetWindowText(const wchar_t* text);
    void GetWindowText(CString& text) const;
    CString GetWindowText() const;
    int GetWindowTextLength() const;

    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow(CWnd* alternateOwner = nullptr);

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; a non-zero flags value also applies the frame change with SetWindowPos.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;

    // Device contexts of the client area and of the whole window; release with ReleaseDC.
    HDC GetDC();
    HDC GetWindowDC();
    int ReleaseDC(HDC dc);

    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;
    HMENU GetSystemMenu(BOOL revert) const;
    // A message box owned by this window, titled with the application's name when caption is null.
    int MessageBox(const wchar_t* text, const wchar_t* caption = nullptr, UINT type = MB_OK);

    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetRedraw(BOOL redraw = TRUE);
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    // Scroll state of the window's standard scroll bars (SB_HORZ, SB_VERT).
    int GetScrollPos(int bar) const;
    BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = SIF_ALL) const;
    // The largest position the bar can reach: its maximum less one page (0 without a scroll bar).
    int GetScrollLimit(int bar) const;

protected:
    WNDPROC m_pfnSuper = nullptr;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CWndCreationHook;
    friend class CDialog;
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Bind(HWND hwnd);
    void Unbind();
    bool m_temporary = false;
};

// The framework's window procedure; every bound window is subclassed to it.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class served by the framework and returns its name.
FW_API const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                          HICON icon = nullptr);

// Unpacks a mouse message's coordinates.
inline CPoint PointFrom(LPARAM lParam) { return CPoint(lParam); }
