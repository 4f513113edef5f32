#include "AlbumDlg.h"

#include "AboutDlg.h"
#include "res/resource.h"

#include "framework/Menu.h"

using namespace Gdiplus;

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 500;
constexpr ARGB kPanelColour = 0xFFF4F6F9;
constexpr WPARAM kSysCommandMask = 0xFFF0;

}  // namespace

CAlbumDlg::CAlbumDlg(CWnd* parent) : CxDlg(IDD_ALBUM_DIALOG, parent) {}

BOOL CAlbumDlg::OnInitDialog()
{
    CxDlg::OnInitDialog();
    if (CMenu* systemMenu = CMenu::FromHandle(GetSystemMenu(FALSE))) {
        CString about;
        if (about.LoadString(IDS_ABOUTBOX) && !about.IsEmpty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetWindowText(L"Mirelle v1.4");
    SetAtt(IDP_FRAME, L"PNG", nullptr);
    ModifyStyleEx(0, WS_EX_LAYERED);
    MoveWindow(0, 0, kWidth, kHeight, FALSE);
    CenterWindow();
    // A layered window shows nothing until its first composition.
    ShowWindow(SW_SHOW);
    Update();
    return TRUE;
}

void CAlbumDlg::DrawWnd(Graphics& g)
{
    CRect rect;
    GetWindowRect(&rect);
    SolidBrush panel{Color(kPanelColour)};
    g.FillRectangle(&panel, 10, 24, rect.Width() - 20, rect.Height() - 33);
}

LRESULT CAlbumDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        return OnSysCommand(msg, wParam, lParam);
    }
    return CxDlg::WindowProc(msg, wParam, lParam);
}

LRESULT CAlbumDlg::OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((wParam & kSysCommandMask) != IDM_ABOUTBOX) return CxDlg::WindowProc(msg, wParam, lParam);
    CAboutDlg about(this);
    about.DoModal();
    return 0;
}
