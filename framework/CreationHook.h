#pragma once
// Binds a window to its object from a CBT hook, before the window receives its first message
// (WM_GETMINMAXINFO precedes WM_NCCREATE, so binding in the window procedure would miss it).
#include "Wnd.h"

class CWndCreationHook {
public:
    // Binds the next window created on this thread to wnd while the guard lives.
    explicit CWndCreationHook(CWnd* wnd);
    ~CWndCreationHook();
    CWndCreationHook(const CWndCreationHook&) = delete;
    CWndCreationHook& operator=(const CWndCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);

    CWnd* m_previous;
    HHOOK m_hook;
};
