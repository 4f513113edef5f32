#pragma once
// CxSplash: the start-up picture. It stays opaque for a second, then runs the main window modally inside its
// timer handler while it fades itself out over it.
#include "PictureDlg.h"

class CxSplash : public CPictureDlg {
public:
    // The millisecond clock the fade is timed by.
    using TickSource = DWORD(WINAPI*)();

    explicit CxSplash(CWnd* parent = nullptr, TickSource tickSource = ::GetTickCount);

    // Sizes the window to the picture, centres and shows it opaque, and starts the hold timer.
    BOOL OnInitDialog() override;

    // Routes WM_TIMER to its handler.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Hold timer: starts the fade and runs the main window; fade timer: one fade step.
    LRESULT OnTimer(UINT_PTR id);

protected:
    // Runs the main window modally and returns when it has been closed.
    virtual void RunMainWindow();

    // When the splash became visible, by tickSource.
    DWORD shownTick = 0;

private:
    // Lowers the opacity by one step; ends the splash once it is nearly transparent or has shown too long, and then
    // returns true.
    bool FadeStep();

    TickSource tickSource;
};
