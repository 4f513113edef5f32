#include "AboutDlg.h"

#include "AlbumApp.h"
#include "res/resource.h"

using namespace Gdiplus;

CAboutDlg::CAboutDlg(CWnd* parent) : CResDlg(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CResDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_VERSION, version);
    DDX_Control(dx, IDC_ABOUT_LINE2, line2);
    DDX_Control(dx, IDOK, okButton);
    DDX_Control(dx, IDC_ABOUT_PICTURE, picture);
    DDX_Control(dx, IDC_ABOUT_LINE3, line3);
}

BOOL CAboutDlg::OnInitDialog()
{
    CResDlg::OnInitDialog();
    SetWindowText(L"About Daduz");
    okButton.SetAtt(okButton.LoadRes(IDI_BUTTON, L"IMG", nullptr), CAlbumApp::AppFont(), 0, 0, Color(255, 0, 0, 0));
    picture.SetAtt(IDP_ABOUT_PICTURE, L"PNG", nullptr);
    CenterWindow();
    ShowWindow(SW_SHOW);
    Update();
    return TRUE;
}

void CAboutDlg::DrawWnd(Graphics& g) { DrawControls(g, {&version, &line2, &okButton, &picture, &line3}); }
