#include "AlbumDlg.h"

#include "res/resource.h"

using namespace Gdiplus;

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 500;
constexpr ARGB kPanelColour = 0xFFF4F6F9;

}  // namespace

CAlbumDlg::CAlbumDlg(CWnd* parent) : CxDlg(IDD_ALBUM_DIALOG, parent) {}

BOOL CAlbumDlg::OnInitDialog()
{
    CxDlg::OnInitDialog();
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
