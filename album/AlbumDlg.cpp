#include "AlbumDlg.h"

#include "AboutDlg.h"
#include "AlbumApp.h"
#include "SetDlg.h"
#include "photo/Capacity.h"
#include "res/resource.h"

#include <cwchar>

using namespace Gdiplus;

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 500;
constexpr int kMinWidth = 200;
constexpr int kMinHeight = 120;
constexpr WPARAM kSysCommandMask = 0xFFF0;
constexpr int kLabelFontHeight = 20;
constexpr int kCaptionChars = 20;
const Color kBlack(255, 0, 0, 0);
const Color kBarTextColour(0xC8000000);
const Color kWhite(255, 255, 255, 255);

// Where the band's rounded start ends and its stretched middle begins, in the band picture.
constexpr int kBandStartWidth = 68;
constexpr int kBandShadowRows = 8;
// How far the splitter has moved the photo list's left edge; the window starts undivided.
constexpr int kSplitterPos = 0;

}  // namespace

CAlbumDlg::CAlbumDlg(CWnd* parent) : CResDlg(IDD_ALBUM_DIALOG, parent) {}

CAlbumDlg::~CAlbumDlg() { DestroyWindow(); }

void CAlbumDlg::DoDataExchange(CDataExchange* dx)
{
    CResDlg::DoDataExchange(dx);
    DDX_Control(dx, IDOK, startButton);
    DDX_Control(dx, IDC_SYSTEM, systemButton);
    DDX_Control(dx, IDCANCEL, exitButton);
    DDX_Control(dx, IDC_CAPACITY_TEXT, capacityText);
    DDX_Control(dx, IDC_VOLUME_LABEL, volumeLabel);
    DDX_Control(dx, IDC_SELECTED_LABEL, selectedLabel);
    DDX_Control(dx, IDC_COUNTER, counter);
    DDX_Control(dx, IDC_SELECT_LABEL, selectLabel);
    DDX_Control(dx, IDC_DATE_LABEL, dateLabel);
    DDX_Control(dx, IDC_SELECT_ALL, selectAll);
    DDX_Control(dx, IDC_SELECT_NONE, selectNone);
    DDX_Control(dx, IDC_DATE_ALL, dateAll);
    DDX_Control(dx, IDC_DATE_NONE, dateNone);
    DDX_Control(dx, IDC_JOB_BAR, jobBar);
    DDX_Control(dx, IDC_CAPACITY_BAR, capacityBar);
    DDX_Control(dx, IDC_OUTPUT_LABEL, outputLabel);
    DDX_Control(dx, IDC_PATH_LABEL, pathLabel);
}

BOOL CAlbumDlg::OnInitDialog()
{
    CResDlg::OnInitDialog();
    if (CMenu* systemMenu = CMenu::FromHandle(GetSystemMenu(FALSE))) {
        CString about;
        if (about.LoadString(IDS_ABOUTBOX) && !about.IsEmpty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    HINSTANCE module = AfxGetResourceHandle();
    auto icon = [module](int metricX, int metricY) {
        return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                               ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY), LR_SHARED));
    };
    SetIcon(icon(SM_CXICON, SM_CYICON), TRUE);
    SetIcon(icon(SM_CXSMICON, SM_CYSMICON), FALSE);
    CxMenu::SetAtt(IDB_MENU_STRIP, this);
    SetWindowText(L"Mirelle v1.4");
    headerImage = LoadPicture(IDP_HEADER);
    logoImage = LoadPicture(IDP_LOGO);
    bandImage = LoadPicture(IDP_BAND);

    // Every control gets streams of its own: GDI+ images keep reading the stream they were made from.
    Font* font = CAlbumApp::AppFont();
    auto image = [this](UINT id, const wchar_t* type) { return LoadRes(id, type, nullptr); };
    startButton.SetAtt(image(IDI_BUTTON, L"IMG"), image(IDI_START_ICON, L"IMG"), font, 0, 0, kBlack, Point(3, 0),
                       Point(19, 0));
    exitButton.SetAtt(image(IDI_BUTTON, L"IMG"), image(IDI_START_ICON, L"IMG"), font, 0, 0, kBlack, Point(3, 0),
                      Point(22, 0));
    for (CxBtn* button : {&selectAll, &selectNone, &dateAll, &dateNone})
        button->SetAtt(image(IDP_SMALL_BUTTON, L"PNG"), font, 0, 1, kBlack);
    systemButton.SetAtt(image(IDP_SYSTEM_BUTTON, L"PNG"), font, 2, 1, kBlack);
    for (CxPrg* bar : {&capacityBar, &jobBar}) bar->SetAtt(image(IDI_PROGRESS, L"IMG"), kCaptionChars, kBarTextColour);
    jobBar.SetStep(1);
    gripImage = LoadPicture(IDP_GRIP);
    labelFont.CreateFont(kLabelFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    for (CxStatic* label : {&selectedLabel, &selectLabel, &dateLabel}) label->SetFont(&labelFont);
    mainMenu.LoadMenu(IDR_MAIN_MENU);

    ShowDriveCapacity(static_cast<CxWinApp*>(AfxGetApp())->workPath.Left(3));
    jobBar.SetTextColor(kWhite);

    MoveWindow(0, 0, kWidth, kHeight, FALSE);
    CenterWindow();
    ShowWindow(SW_SHOW);
    Update();
    return TRUE;
}

std::unique_ptr<Image> CAlbumDlg::LoadPicture(UINT id) { return ImageFrom(LoadRes(id, L"PNG", nullptr)); }

void CAlbumDlg::ShowDriveCapacity(const CString& root)
{
    DriveCapacity capacity = ReadDriveCapacity(root);
    capacityBar.SetPos(capacity.percent);
    capacityBar.Redraw(0, nullptr);
    capacityText.SetWindowText(capacity.percentText);
    capacityText.Redraw(0, nullptr);
    volumeLabel.SetWindowText(capacity.labelText);
    volumeLabel.Redraw(0, nullptr);
}

void CAlbumDlg::OnOK()
{
    int selectedCount = 0;
    if (swscanf(counter.GetWindowText(), L"%d", &selectedCount) != 1 || selectedCount == 0)
        MessageBox(L"Select one at least");
}

LRESULT CAlbumDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        return OnSysCommand(msg, wParam, lParam);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(GetIcon(TRUE));
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_SIZE:
        return OnSize(msg, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy(msg, wParam, lParam);
    }
    return CResDlg::WindowProc(msg, wParam, lParam);
}

BOOL CAlbumDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_SYSTEM:
        ShowMainMenu();
        return TRUE;
    case ID_MENU_ABOUT:
        ShowAbout();
        return TRUE;
    case ID_MENU_OPTIONS: {
        CSetDlg quality(this);
        quality.DoModal();
        return TRUE;
    }
    case ID_MENU_MINIMISE:
        ShowWindow(SW_SHOWMINIMIZED);
        return TRUE;
    }
    return CResDlg::OnCommand(wParam, lParam);
}

LRESULT CAlbumDlg::OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((wParam & kSysCommandMask) != IDM_ABOUTBOX) return CResDlg::WindowProc(msg, wParam, lParam);
    ShowAbout();
    return 0;
}

void CAlbumDlg::ShowAbout()
{
    CAboutDlg about(this);
    about.DoModal();
}

void CAlbumDlg::ShowMainMenu()
{
    RectF button = systemButton.GetRect();
    CPoint at(int(button.X) - 3, int(button.Y) + 20);
    ClientToScreen(&at);
    if (CMenu* popup = mainMenu.GetSubMenu(0)) mainMenuHolder.Show(popup, this, AfxGetInstanceHandle(), at);
}

LRESULT CAlbumDlg::OnSize(UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetRedraw(1);
    LRESULT result = CResDlg::OnSize(msg, wParam, lParam);
    if (startButton.m_hWnd) {
        CRect rect;
        GetWindowRect(&rect);
        PlaceControls(rect.Width(), rect.Height(), kSplitterPos);
    }
    SetRedraw(0);
    Update();
    return result;
}

void CAlbumDlg::PlaceControls(int width, int height, int splitterPos)
{
    const int p = splitterPos;
    systemButton.MoveTo(12, 25, -1, -1);
    capacityText.MoveTo(width - 80, 29, 60, -1);
    capacityBar.MoveTo(width - 227, 28, 140, -1);
    volumeLabel.MoveTo(width - 385, 29, 150, -1);
    startButton.MoveTo(p + 220, height - 34, -1, -1);
    exitButton.MoveTo(width - 103, height - 34, -1, -1);
    jobBar.MoveTo(p + 295, height - 33, width - p - 407, -1);
    outputLabel.MoveTo(p + 203, height - 95, -1, -1);
    pathLabel.MoveTo(p + 218, height - 61, -1, -1);
    // The header row keeps its place whatever the window's width and the splitter's position.
    selectedLabel.MoveTo(236, -1, -1, -1);
    counter.MoveTo(250, -1, -1, -1);
    selectLabel.MoveTo(343, -1, -1, -1);
    selectAll.MoveTo(355, -1, -1, -1);
    selectNone.MoveTo(393, -1, -1, -1);
    dateLabel.MoveTo(460, -1, -1, -1);
    dateAll.MoveTo(477, -1, -1, -1);
    dateNone.MoveTo(515, -1, -1, -1);
}

LRESULT CAlbumDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize = CPoint(kMinWidth, kMinHeight);
    return 0;
}

LRESULT CAlbumDlg::OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam)
{
    headerImage.reset();
    logoImage.reset();
    bandImage.reset();
    gripImage.reset();
    return CResDlg::OnDestroy(msg, wParam, lParam);
}

void CAlbumDlg::DrawBgm(Graphics& g)
{
    CResDlg::DrawBgm(g);
    if (!gripImage) return;
    CRect rect;
    GetWindowRect(&rect);
    g.DrawImage(gripImage.get(), rect.Width() - 22, rect.Height() - 22, gripImage->GetWidth(), gripImage->GetHeight());
}

void CAlbumDlg::DrawWnd(Graphics& g)
{
    if (IsIconic()) return;
    CRect rect;
    GetWindowRect(&rect);
    const int width = rect.Width();
    const int height = rect.Height();
    const int p = kSplitterPos;
    DrawControls(g, {&capacityBar, &selectedLabel, &counter, &selectLabel, &dateLabel, &selectAll, &selectNone,
                     &dateAll, &dateNone});
    if (headerImage) {
        const int headerHeight = headerImage->GetHeight();
        g.DrawImage(headerImage.get(), 10, 23, width - 20, headerHeight);
        g.DrawImage(headerImage.get(), p + 198, height - 100, width - p - 208, headerHeight);
    }
    if (logoImage) g.DrawImage(logoImage.get(), 18, 50, logoImage->GetWidth(), logoImage->GetHeight());
    if (bandImage) DrawBand(g, width);
    DrawControls(g, {&startButton, &systemButton, &exitButton, &capacityText, &volumeLabel, &jobBar, &outputLabel,
                     &pathLabel});
}

void CAlbumDlg::DrawBand(Graphics& g, int width)
{
    const int w = bandImage->GetWidth();
    const int h = bandImage->GetHeight();
    const int upper = h - kBandShadowRows;
    g.DrawImage(bandImage.get(), Rect(138, 70, kBandStartWidth, upper), 0, 0, kBandStartWidth, upper, UnitPixel);
    g.DrawImage(bandImage.get(), Rect(138 + kBandStartWidth, 70, width - 216, upper), kBandStartWidth, 0,
                w - kBandStartWidth, upper, UnitPixel);
    g.DrawImage(bandImage.get(), Rect(10, 70, width - 20, h), 0, 0, 1, h, UnitPixel);
}
