#include "Splash.h"

#include "AlbumDlg.h"
#include "res/resource.h"

using namespace Gdiplus;

namespace {

constexpr UINT_PTR kHoldTimer = 0;
constexpr UINT kHoldMs = 1000;
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeMs = 10;
constexpr BYTE kFadeStep = 8;
constexpr BYTE kFadeEndAlpha = 10;
constexpr DWORD kLongestShowMs = 3000;

}  // namespace

CxSplash::CxSplash(CWnd* parent, TickSource tickSource) : CPictureDlg(IDD_SPLASH, parent), tickSource(tickSource) {}

BOOL CxSplash::OnInitDialog()
{
    CxDlg::OnInitDialog();
    SetAtt(IDP_SPLASH, L"PNG", nullptr);
    // Without its picture the splash is empty but still leads to the main window.
    FitToPicture();
    CenterWindow();
    ModifyStyleEx(0, WS_EX_LAYERED);
    ShowWindow(SW_SHOW);
    Update();
    SetTimer(kHoldTimer, kHoldMs);
    shownTick = tickSource();
    return TRUE;
}

LRESULT CxSplash::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER) return OnTimer(wParam);
    return CxDlg::WindowProc(msg, wParam, lParam);
}

LRESULT CxSplash::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kHoldTimer:
        KillTimer(kHoldTimer);
        SetTimer(kFadeTimer, kFadeMs);
        RunMainWindow();
        break;
    case kFadeTimer:
        if (FadeStep()) return 0;
        break;
    }
    return Default();
}

bool CxSplash::FadeStep()
{
    blend.SourceConstantAlpha -= kFadeStep;
    // Unsigned, so the test also ends the fade while the tick count is still below the limit.
    if (shownTick < tickSource() - kLongestShowMs || blend.SourceConstantAlpha < kFadeEndAlpha) {
        KillTimer(kFadeTimer);
        OnOK();
        return true;
    }
    Update();
    return false;
}

void CxSplash::RunMainWindow()
{
    CAlbumDlg mainWindow;
    CWinApp* app = AfxGetApp();
    app->m_pMainWnd = &mainWindow;
    mainWindow.DoModal();
    app->m_pMainWnd = nullptr;
}
