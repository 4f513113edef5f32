#include "SetDlg.h"

#include "AlbumApp.h"
#include "res/resource.h"

using namespace Gdiplus;

namespace {

constexpr wchar_t kSection[] = L"Log";
constexpr wchar_t kQuality[] = L"Quality";
constexpr int kDefaultQuality = 30;

}  // namespace

CSetDlg::CSetDlg(CWnd* parent) : CResDlg(IDD_SET_DIALOG, parent) {}

void CSetDlg::DoDataExchange(CDataExchange* dx)
{
    CResDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_QUALITY_LABEL, label);
    DDX_Control(dx, IDC_QUALITY_SLIDER, slider);
    DDX_Control(dx, IDC_QUALITY_VALUE, value);
    DDX_Control(dx, IDOK, okButton);
    DDX_Control(dx, IDCANCEL, cancelButton);
}

LRESULT CSetDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER && wParam == reinterpret_cast<WPARAM>(&slider)) return OnSliderMoved();
    return CResDlg::WindowProc(msg, wParam, lParam);
}

BOOL CSetDlg::OnInitDialog()
{
    CResDlg::OnInitDialog();
    slider.SetAtt(slider.LoadRes(IDP_SLIDER_THUMB, L"PNG", nullptr));
    slider.SetRange(0, 100, FALSE);
    for (CxBtn* button : {&okButton, &cancelButton}) {
        button->SetAtt(button->LoadRes(IDI_BUTTON, L"IMG", nullptr), CAlbumApp::AppFont(), 1, 0,
                       Color(255, 0, 0, 0));
    }
    SetWindowText(L"Set Quality");
    int quality = int(AfxGetApp()->GetProfileInt(kSection, kQuality, kDefaultQuality));
    slider.SetPos(quality);
    ShowValue(quality);
    CenterWindow();
    ShowWindow(SW_SHOW);
    Update();
    return TRUE;
}

void CSetDlg::OnOK()
{
    AfxGetApp()->WriteProfileInt(kSection, kQuality, slider.GetPos());
    CResDlg::OnOK();
}

void CSetDlg::DrawWnd(Graphics& g) { DrawControls(g, {&label, &slider, &value, &okButton, &cancelButton}); }

LRESULT CSetDlg::OnSliderMoved()
{
    ShowValue(slider.GetPos());
    value.Redraw(1, nullptr);
    return 0;
}

void CSetDlg::ShowValue(int quality)
{
    CString text;
    text.Format(L"%d", quality);
    value.SetWindowText(text);
}
