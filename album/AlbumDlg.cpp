#include "AlbumDlg.h"

#include "AboutDlg.h"
#include "AlbumApp.h"
#include "SetDlg.h"
#include "photo/Capacity.h"
#include "photo/CompressJob.h"
#include "photo/DateStamp.h"
#include "photo/PhotoScanner.h"
#include "res/resource.h"

#include <shlobj.h>

#include <algorithm>

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
// The narrowest the splitter may make the photo list (dragging right) and the tree (dragging left).
constexpr int kMinListWidth = 250;
constexpr int kMinTreeWidth = 170;
// During a scan or a job the window is recomposed at most once per display frame, and the work between two
// recompositions takes at least twice as long as the last recomposition did.
constexpr DWORD kFrameMs = 16;
constexpr DWORD kWorkPerRepaint = 2;

// The search pattern of every entry of a folder; a drive root ("E:\") already ends in its backslash.
CString PatternOf(const CString& folder) { return folder + (folder.Right(1) == L"\\" ? L"*.*" : L"\\*.*"); }

}  // namespace

CAlbumDlg::CAlbumDlg(CWnd* parent) : CResDlg(IDD_ALBUM_DIALOG, parent) {}

CAlbumDlg::~CAlbumDlg() { DestroyWindow(); }

void CAlbumDlg::DoDataExchange(CDataExchange* dx)
{
    CResDlg::DoDataExchange(dx);
    DDX_Control(dx, IDOK, startButton);
    DDX_Control(dx, IDC_SYSTEM, systemButton);
    DDX_Control(dx, IDC_FOLDER_TREE, folderTree);
    DDX_Control(dx, IDC_PHOTO_LIST, photoList);
    DDX_Control(dx, IDCANCEL, exitButton);
    DDX_Control(dx, IDC_CAPACITY_TEXT, capacityText);
    DDX_Control(dx, IDC_VOLUME_LABEL, volumeLabel);
    DDX_Control(dx, IDC_SPLITTER, splitter);
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
    DDX_Control(dx, IDC_OUTPUT_PATH, outputEdit);
    DDX_Control(dx, IDC_BROWSE, browseButton);
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
    browseButton.SetAtt(image(IDI_BROWSE_BUTTON, L"IMG"), image(IDI_BROWSE_ICON, L"IMG"), font, 2, 1, kBlack,
                        Point(0, 0), Point(0, 0));
    folderTree.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER, image(IDP_EXPAND_GLYPHS, L"PNG"));
    photoList.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER, CSize(180, 32),
                     image(IDP_CELL_STRIP, L"PNG"));
    splitter.SetAtt(image(IDI_SPLITTER_GRIP, L"IMG"));
    for (CxPrg* bar : {&capacityBar, &jobBar}) bar->SetAtt(image(IDI_PROGRESS, L"IMG"), kCaptionChars, kBarTextColour);
    jobBar.SetStep(1);
    gripImage = LoadPicture(IDP_GRIP);
    labelFont.CreateFont(kLabelFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    for (CxStatic* label : {&selectedLabel, &selectLabel, &dateLabel}) label->SetFont(&labelFont);
    mainMenu.LoadMenu(IDR_MAIN_MENU);

    CWinApp* app = AfxGetApp();
    ShowDriveCapacity(static_cast<CxWinApp*>(app)->workPath.Left(3));
    folderTree.SelectPath(app->GetProfileString(L"Log", L"TreePath"));
    folderTree.Expand(folderTree.GetSelectedItem(), TVE_EXPAND);
    jobBar.SetTextColor(kWhite);
    outputEdit.SetWindowText(app->GetProfileString(L"Log", L"SavePath"));
    ScanSelectedFolder();

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

int CAlbumDlg::ScanSelectedFolder(CString* folder)
{
    HTREEITEM item = folderTree.GetSelectedItem();
    CString path;
    if (!item || !folderTree.GetItemPath(path, item) || path.IsEmpty()) return 1;
    ScanFolder(PatternOf(path));
    if (folder) *folder = path;
    return 0;
}

void CAlbumDlg::ScanFolder(const CString& pattern)
{
    photoList.ClearPhotos();
    PhotoScanner::Events events;
    events.loading = [this](const CString& name) {
        photoList.SetWindowText(L"Loading " + name);
        photoList.Redraw(0, nullptr);
        // No message loop runs during the scan: the window is repainted here or not at all.
        Repaint(false);
    };
    events.added = [this](std::unique_ptr<PhotoItem> photo) { photoList.AddPhoto(std::move(photo)); };
    events.finished = [this, &pattern](int, bool anyEntry) {
        photoList.SetRedraw(TRUE);
        if (anyEntry) {
            photoList.SetWindowText(L"");
            photoList.Arrange(LVA_DEFAULT);
            ShowDriveCapacity(pattern.Left(3));
        }
        photoList.Redraw(1, nullptr);
        ShowCounter();
    };
    lastRepaint = 0;
    // While it redraws, Wine's list view lays out and invalidates on every insert: 1,000 photos cost 2 s of inserts
    // instead of 10 ms. The scan's own repaints draw from the item positions, which it keeps up to date either way.
    photoList.SetRedraw(FALSE);
    PhotoScanner::ScanFolder(pattern, events);
}

void CAlbumDlg::Repaint(bool force)
{
    const DWORD start = GetTickCount();
    if (!force && start - lastRepaint < std::max(kFrameMs, kWorkPerRepaint * repaintCost)) return;
    Update();
    lastRepaint = GetTickCount();
    repaintCost = lastRepaint - start;
}

void CAlbumDlg::ShowCounter()
{
    CString text;
    text.Format(L"%d/%d", photoList.CountMarked(), photoList.GetItemCount());
    counter.SetWindowText(text);
    counter.Redraw(0, nullptr);
}

void CAlbumDlg::OnOK()
{
    CompressJob::Events events;
    events.range = [this](int upper) {
        CompressJob::SetBarRange(jobBar.m_hWnd, upper);
        jobBar.SetPos(0);
        jobBar.Redraw(1, nullptr);
    };
    events.step = [this] {
        jobBar.StepIt();
        jobBar.Redraw(0, nullptr);
        Repaint(false);
    };
    events.written = [this](const CString& name) {
        jobBar.SetWindowText(name);
        jobBar.Redraw(0, nullptr);
        Repaint(true);
    };
    events.quality = [] { return int(AfxGetApp()->GetProfileInt(L"Log", L"Quality", CompressJob::kDefaultQuality)); };
    events.stamp = [this](Graphics& surface, const wchar_t* text, int x, int y, int alignment) {
        DrawOutlineText(surface, text, x, y, alignment);
    };

    std::vector<const PhotoItem*> photos;
    for (int i = 0; i < photoList.GetItemCount(); ++i) {
        if (const PhotoItem* photo = photoList.GetPhoto(i)) photos.push_back(photo);
    }
    CompressJob job(events);
    lastRepaint = 0;
    CompressJob::Result result = job.Run(photos, outputEdit.GetWindowText());
    MessageBox(result.message);
    if (result.outcome != CompressJob::Outcome::Completed) return;
    AfxGetApp()->WriteProfileString(L"Log", L"SavePath", result.outputFolder);
    jobBar.SetPos(0);
    jobBar.SetWindowText(L"");
    jobBar.Redraw(0, nullptr);
}

void CAlbumDlg::DrawOutlineText(Graphics& surface, const wchar_t* text, int x, int y, int alignment)
{
    ::DrawOutlineText(surface, text, x, y, alignment);
}

BOOL CAlbumDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_LBUTTONDOWN || !folderTree.m_hWnd || msg->hwnd != folderTree.m_hWnd)
        return CResDlg::PreTranslateMessage(msg);
    // The framework's loop hands a message to the dialog manager only after this walk, so the click is given to it
    // here: the tree selects or expands before the scan reads its selection.
    ::IsDialogMessageW(m_hWnd, msg);
    CString folder;
    if (ScanSelectedFolder(&folder) == 0) AfxGetApp()->WriteProfileString(L"Log", L"TreePath", folder);
    return TRUE;
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
    case WM_USER:
        return OnControlReport(wParam, lParam);
    case WM_USER + 1:
        if (wParam == reinterpret_cast<WPARAM>(&photoList)) ShowCounter();
        break;
    case WM_MOVE: {
        LRESULT result = CResDlg::WindowProc(msg, wParam, lParam);
        HideBadge();
        return result;
    }
    case WM_SETCURSOR: {
        CPoint cursor;
        GetCursorPos(&cursor);
        if (::WindowFromPoint(cursor) != photoList.m_hWnd) HideBadge();
        break;
    }
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
    case IDC_BROWSE:
        BrowseOutputFolder();
        return TRUE;
    case IDC_SELECT_ALL:
    case IDC_SELECT_NONE:
        MarkAll(LOWORD(wParam) == IDC_SELECT_ALL);
        return TRUE;
    case IDC_DATE_ALL:
    case IDC_DATE_NONE:
        StampAll(LOWORD(wParam) == IDC_DATE_ALL);
        return TRUE;
    case IDC_SPLITTER:
        return TRUE;  // a drag ends in a click, which is no command
    }
    return CResDlg::OnCommand(wParam, lParam);
}

LRESULT CAlbumDlg::OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((wParam & kSysCommandMask) != IDM_ABOUTBOX) return CResDlg::WindowProc(msg, wParam, lParam);
    ShowAbout();
    return 0;
}

void CAlbumDlg::BrowseOutputFolder()
{
    BROWSEINFOW info{};
    info.hwndOwner = m_hWnd;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (!chosen) return;
    wchar_t path[MAX_PATH] = L"";
    const BOOL isFolder = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!isFolder || !path[0]) return;
    outputEdit.SetWindowText(path);
    outputEdit.Redraw(1, nullptr);
}

void CAlbumDlg::MarkAll(int compress)
{
    const int total = photoList.GetItemCount();
    for (int i = 0; i < total; ++i) {
        if (PhotoItem* photo = photoList.GetPhoto(i)) photo->compress = compress;
    }
    ShowCounter();
    photoList.Redraw(0, nullptr);
}

void CAlbumDlg::StampAll(int stampDate)
{
    for (int i = 0; i < photoList.GetItemCount(); ++i) {
        if (PhotoItem* photo = photoList.GetPhoto(i)) photo->stampDate = stampDate;
    }
    photoList.Redraw(0, nullptr);
}

LRESULT CAlbumDlg::OnControlReport(WPARAM source, LPARAM value)
{
    if (source != reinterpret_cast<WPARAM>(&splitter)) return 0;
    const int dx = int(value);
    if (dx > 0 && photoList.GetRect().Width < kMinListWidth) return 0;
    if (dx < 0 && folderTree.GetRect().Width < kMinTreeWidth) return 0;
    SetRedraw(1);
    outputLabel.Move(dx, 0, 0, 0);
    startButton.Move(dx, 0, 0, 0);
    folderTree.Move(0, 0, dx, 0);
    photoList.Move(dx, 0, -dx, 0);
    outputEdit.Move(dx, 0, -dx, 0);
    jobBar.Move(dx, 0, -dx, 0);
    pathLabel.Move(dx, 0, 0, 0);
    SetRedraw(0);
    Update();
    return 1;
}

void CAlbumDlg::HideBadge()
{
    if (photoList.m_hWnd) photoList.HideBadge();
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
    if (photoList.m_hWnd) {
        CRect rect;
        GetWindowRect(&rect);
        PlaceControls(rect.Width(), rect.Height(), splitter.GetPos());
    }
    SetRedraw(0);
    Update();
    return result;
}

void CAlbumDlg::PlaceControls(int width, int height, int splitterPos)
{
    const int p = splitterPos;
    systemButton.MoveTo(12, 25, -1, -1);
    folderTree.Redraw(0, nullptr);
    folderTree.MoveTo(10, 128, p + 180, height - 137);
    photoList.Redraw(0, nullptr);
    photoList.MoveTo(p + 198, 128, width - p - 208, height - 228);
    capacityText.MoveTo(width - 80, 29, 60, -1);
    capacityBar.MoveTo(width - 227, 28, 140, -1);
    volumeLabel.MoveTo(width - 385, 29, 150, -1);
    splitter.MoveTo(p + 188, 124, -1, height - 134);
    startButton.MoveTo(p + 220, height - 34, -1, -1);
    exitButton.MoveTo(width - 103, height - 34, -1, -1);
    jobBar.MoveTo(p + 295, height - 33, width - p - 407, -1);
    outputLabel.MoveTo(p + 203, height - 95, -1, -1);
    pathLabel.MoveTo(p + 218, height - 61, -1, -1);
    outputEdit.MoveTo(p + 255, height - 64, width - p - 320, 20);
    // The header row keeps its place whatever the window's width and the splitter's position.
    selectedLabel.MoveTo(236, -1, -1, -1);
    counter.MoveTo(250, -1, -1, -1);
    selectLabel.MoveTo(343, -1, -1, -1);
    selectAll.MoveTo(355, -1, -1, -1);
    selectNone.MoveTo(393, -1, -1, -1);
    dateLabel.MoveTo(460, -1, -1, -1);
    dateAll.MoveTo(477, -1, -1, -1);
    dateNone.MoveTo(515, -1, -1, -1);
    browseButton.MoveTo(width - 58, height - 64, -1, -1);
}

LRESULT CAlbumDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize = CPoint(kMinWidth, kMinHeight);
    return 0;
}

LRESULT CAlbumDlg::OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam)
{
    header.reset();
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
    const int p = splitter.GetPos();
    DrawControls(g, {&capacityBar, &folderTree});
    // The list is composed through its drawing alone: its window text is the scan status, shown in its status bar.
    photoList.Compose(g);
    DrawControls(g, {&splitter, &selectedLabel, &counter, &selectLabel, &dateLabel, &selectAll, &selectNone,
                     &dateAll, &dateNone});
    DrawHeader(g, width, height, p);
    DrawControls(g, {&startButton, &systemButton, &exitButton, &capacityText, &volumeLabel, &jobBar, &outputLabel,
                     &outputEdit, &browseButton, &pathLabel});
}

void CAlbumDlg::DrawHeader(Graphics& g, int width, int height, int p)
{
    if (!header || header->Width() != width || header->Height() != height || headerSplitter != p) {
        header = std::make_unique<LayerSurface>(width, height);
        headerSplitter = p;
        Graphics& layer = header->BeginFrame();
        if (headerImage) {
            const int headerHeight = headerImage->GetHeight();
            layer.DrawImage(headerImage.get(), 10, 23, width - 20, headerHeight);
            layer.DrawImage(headerImage.get(), p + 198, height - 100, width - p - 208, headerHeight);
        }
        if (logoImage) layer.DrawImage(logoImage.get(), 18, 50, logoImage->GetWidth(), logoImage->GetHeight());
        if (bandImage) DrawBand(layer, width);
        headerBands = header->Bands();
    }
    // Only the bands of the pictures: blending the transparent rest of the layer would cost as much again.
    for (const RECT& band : headerBands) header->DrawOnto(g, 0, 0, band);
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
