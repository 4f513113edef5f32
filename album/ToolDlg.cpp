#include "ToolDlg.h"

#include "res/resource.h"

namespace {

constexpr UINT_PTR kFadeTimer = 0;
constexpr UINT kFadeMs = 10;
constexpr BYTE kFadeStep = 25;
constexpr BYTE kFadeEndAlpha = 230;

}  // namespace

CToolDlg::CToolDlg() : CPictureDlg(IDD_BADGE, nullptr) {}

BOOL CToolDlg::Create(CWnd* owner) { return CDialog::Create(IDD_BADGE, owner); }

BOOL CToolDlg::OnInitDialog()
{
    CxDlg::OnInitDialog();
    SetAtt(IDP_BADGE, L"PNG", nullptr);
    FitToPicture();
    blend.SourceConstantAlpha = 0;
    ModifyStyleEx(0, WS_EX_LAYERED);
    ShowWindow(SW_SHOW);
    Update();
    ModifyStyle(WS_POPUP, WS_CHILD);
    return TRUE;
}

void CToolDlg::ShowAt(CPoint screen)
{
    // The window stays top-level under its child style, so its position is in screen coordinates.
    MoveTo(screen.x, screen.y, -1, -1);
    ShowWindow(SW_SHOW);
    SetTimer(kFadeTimer, kFadeMs);
}

void CToolDlg::Hide()
{
    blend.SourceConstantAlpha = 0;
    Update();
    ShowWindow(SW_HIDE);
}

LRESULT CToolDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        return OnTimer();
    case WM_NCHITTEST:
    case WM_LBUTTONDOWN:
        return Default();
    }
    return CPictureDlg::WindowProc(msg, wParam, lParam);
}

LRESULT CToolDlg::OnTimer()
{
    blend.SourceConstantAlpha = BYTE(blend.SourceConstantAlpha + kFadeStep);
    CRect rect;
    GetWindowRect(&rect);
    MoveWindow(rect.left - 1, rect.top, rect.Width(), rect.Height(), FALSE);
    Update();
    if (blend.SourceConstantAlpha > kFadeEndAlpha) {
        KillTimer(kFadeTimer);
        blend.SourceConstantAlpha = 0;
    }
    return Default();
}
