#include "Gallery.h"

#include "Exhibits.h"
#include "GalleryIds.h"

using namespace Gdiplus;

namespace {

template <class Kind>
std::unique_ptr<Exhibit> Make()
{
    return std::make_unique<Kind>();
}

// One panel of the gallery: its title, its place (client coordinates) and the exhibit that fills it.
struct Slot {
    const wchar_t* title;
    CRect area;
    std::unique_ptr<Exhibit> (*make)();
};

constexpr int kColumnLeft[] = {20, 406, 792};
constexpr int kColumnWidth = 368;
constexpr int kMargin = 20;

CRect InColumn(int column, int top, int bottom)
{
    return CRect(kColumnLeft[column], top, kColumnLeft[column] + kColumnWidth, bottom);
}

// The gallery, column by column. A control joins it with an Exhibit and one row here.
const Slot kSlots[] = {
    {L"Buttons", InColumn(0, 40, 172), Make<ButtonsExhibit>},
    {L"Check boxes and radio buttons", InColumn(0, 188, 300), Make<ChecksExhibit>},
    {L"Slider and progress bar", InColumn(0, 316, 420), Make<SliderExhibit>},
    {L"Edits", InColumn(0, 436, 634), Make<EditsExhibit>},
    {L"Splitter (drag the bar)", InColumn(0, 650, 850), Make<SplitterExhibit>},
    {L"Tree", InColumn(1, 40, 330), Make<TreeExhibit>},
    {L"Shell folder tree", InColumn(1, 346, 634), Make<ShellTreeExhibit>},
    {L"Icon list", InColumn(2, 40, 250), Make<IconListExhibit>},
    {L"List boxes", InColumn(2, 266, 470), Make<ListBoxesExhibit>},
    {L"Combo boxes", InColumn(2, 486, 634), Make<CombosExhibit>},
    {L"Report list and header", CRect(kColumnLeft[1], 650, kColumnLeft[2] + kColumnWidth, 850),
     Make<ReportListExhibit>},
};

// Inside a panel: the title band, then the exhibit's area.
constexpr int kPanelPadding = 12;
constexpr int kTitleTop = 8;
constexpr int kTitleHeight = 16;
constexpr int kContentTop = 32;
constexpr int kStatusGap = 10;
constexpr int kStatusHeight = 16;

const Color kBackground(255, 244, 246, 249);
const Color kPanelFill(255, 255, 255, 255);
const Color kPanelEdge(255, 208, 214, 222);
const Color kTitleColour(255, 38, 46, 58);
const Color kStatusColour(255, 90, 100, 120);

// The close button's place, from the window's right edge and top.
constexpr int kCloseFromRight = 23;
constexpr int kCloseTop = 11;

// The menu's commands.
struct MenuCommand {
    UINT id;
    const wchar_t* text;
};
constexpr UINT kMenuFirst = 40001;
const MenuCommand kMenuCommands[] = {
    {kMenuFirst, L"&Open..."},       {kMenuFirst + 1, L"&Save as..."},  {kMenuFirst + 2, L"&Print"},
    {kMenuFirst + 3, L"Holiday 2026"}, {kMenuFirst + 4, L"Family"},      {kMenuFirst + 5, L"About the gallery"},
};

const wchar_t* MenuText(UINT id)
{
    for (const MenuCommand& command : kMenuCommands) {
        if (command.id == id) return command.text;
    }
    return nullptr;
}

// The bottom-right corner of everything the gallery shows.
CPoint ContentEnd()
{
    CRect all;
    for (const Slot& slot : kSlots) all.UnionRect(all, slot.area);
    return CPoint(all.right, all.bottom);
}

}  // namespace

void Exhibit::Build(GalleryDlg& owner, const CRect& area)
{
    gallery = &owner;
    Create(area);
}

bool Exhibit::OnReport(WPARAM, LPARAM, LRESULT&) { return false; }

bool Exhibit::OnCommand(UINT) { return false; }

bool Exhibit::OnNotify(const NMHDR&, LRESULT&) { return false; }

void Exhibit::Draw(Graphics& g)
{
    for (CxWnd* control : shown) control->DoDraw(g);
}

void Exhibit::Show(std::initializer_list<CxWnd*> controls) { shown.insert(shown.end(), controls); }

GalleryDlg::GalleryDlg(const CString& shellFolder) : CxDlg(IDD_GALLERY, nullptr), folder(shellFolder) {}

// Destroys the window, and the controls' windows with it, while every control object is still whole.
GalleryDlg::~GalleryDlg()
{
    if (m_hWnd) DestroyWindow();
}

BOOL GalleryDlg::OnInitDialog()
{
    CxDlg::OnInitDialog();
    CxDlg::SetAtt(IDP_FRAME, L"PNG", nullptr);
    ModifyStyleEx(0, WS_EX_LAYERED);
    SetWindowText(L"Quillet gallery");  // not a template caption, which would give the window a caption bar
    const CPoint end = ContentEnd();
    const int width = end.x + kMargin, height = end.y + kStatusGap + kStatusHeight + kMargin;
    MoveWindow(0, 0, width, height, FALSE);
    CenterWindow();
    CreateFonts();
    CreateMenu();
    closeButton.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, IDCANCEL);
    closeButton.SetAtt(closeButton.LoadRes(IDI_CLOSE_STRIP, L"IMG", nullptr),
                       closeButton.LoadRes(IDI_CLOSE_ICON, L"IMG", nullptr), nullptr, 0, 0, Color(255, 0, 0, 0),
                       Point(-3, -3), Point(0, 0));
    closeButton.SetTip(L"Close");
    closeButton.MoveTo(width - kCloseFromRight, kCloseTop, -1, -1);
    status.Create(L"Click, type, drag or scroll: what the controls report shows here.", WS_CHILD | WS_VISIBLE,
                  CRect(kMargin, end.y + kStatusGap, width - kMargin, end.y + kStatusGap + kStatusHeight), this,
                  NextId());
    status.SetFont(&uiFont);
    status.SetTextColor(kStatusColour);
    ShowWindow(SW_SHOW);
    SetRedraw(1);  // one composition for all the controls, not one per control
    CreatePanels();
    backdrop.reset();  // drawn when the window showed, before there were panels
    SetRedraw(0);
    Update();
    return FALSE;  // the first edit holds the focus
}

void GalleryDlg::CreateFonts()
{
    LOGFONTW face{};
    ::GetObjectW(GetFont(), sizeof(face), &face);
    uiFont.CreateFontIndirect(&face);
    face.lfWeight = FW_BOLD;
    titleFont.CreateFontIndirect(&face);
    CClientDC dc(this);
    captionFont = std::make_unique<Font>(dc.GetSafeHdc(), uiFont.Get());
}

void GalleryDlg::CreateMenu()
{
    CxMenu::SetAtt(IDB_MENU_STRIP, this);
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kMenuCommands[0].id, kMenuCommands[0].text);
    menu.AppendMenu(MF_STRING, kMenuCommands[1].id, kMenuCommands[1].text);
    menu.AppendMenu(MF_STRING | MF_GRAYED, kMenuCommands[2].id, kMenuCommands[2].text);
    menu.AppendMenu(MF_SEPARATOR);
    CMenu recent;
    recent.CreatePopupMenu();
    recent.AppendMenu(MF_STRING, kMenuCommands[3].id, kMenuCommands[3].text);
    recent.AppendMenu(MF_STRING, kMenuCommands[4].id, kMenuCommands[4].text);
    RemapMenu(&recent);
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(recent.Detach()), L"Recent folders");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, kMenuCommands[5].id, kMenuCommands[5].text);
    RemapMenu(&menu);
}

void GalleryDlg::CreatePanels()
{
    for (const Slot& slot : kSlots) {
        Panel panel{slot.area, slot.make(), std::make_unique<CxStatic>()};
        const CRect titleRect(slot.area.left + kPanelPadding, slot.area.top + kTitleTop,
                              slot.area.right - kPanelPadding, slot.area.top + kTitleTop + kTitleHeight);
        panel.title->Create(slot.title, WS_CHILD | WS_VISIBLE, titleRect, this, NextId());
        panel.title->SetFont(&titleFont);
        panel.title->SetTextColor(kTitleColour);
        panel.exhibit->Build(*this, CRect(slot.area.left + kPanelPadding, slot.area.top + kContentTop,
                                          slot.area.right - kPanelPadding, slot.area.bottom - kPanelPadding));
        panels.push_back(std::move(panel));
    }
}

void GalleryDlg::DrawPanel(Graphics& g, const CRect& area)
{
    SolidBrush fill(kPanelFill);
    g.FillRectangle(&fill, area.left, area.top, area.Width(), area.Height());
    Pen edge(kPanelEdge, 1.0f);
    g.DrawRectangle(&edge, area.left, area.top, area.Width() - 1, area.Height() - 1);
}

void GalleryDlg::DrawBgm(Graphics& g)
{
    CRect rect;
    GetWindowRect(&rect);
    if (!backdrop || backdrop->Width() != rect.Width() || backdrop->Height() != rect.Height()) {
        backdrop = std::make_unique<LayerSurface>(rect.Width(), rect.Height());
        Graphics& layer = backdrop->BeginFrame();
        CxDlg::DrawBgm(layer);
        SolidBrush background(kBackground);
        layer.FillRectangle(&background, 10, 24, rect.Width() - 20, rect.Height() - 33);
        for (Panel& panel : panels) DrawPanel(layer, panel.area);
    }
    // The backdrop comes first onto a cleared composition: copied rather than blended.
    backdrop->CopyOnto(g, 0, 0);
}

void GalleryDlg::DrawWnd(Graphics& g)
{
    for (Panel& panel : panels) {
        panel.title->DoDraw(g);
        panel.exhibit->Draw(g);
    }
    status.DoDraw(g);
    closeButton.DoDraw(g);
}

LRESULT GalleryDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_USER: {
        LRESULT result = 0;
        for (Panel& panel : panels) {
            if (panel.exhibit->OnReport(wParam, lParam, result)) return result;
        }
        return 0;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        for (Panel& panel : panels) {
            if (panel.exhibit->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
        }
        break;
    }
    case WM_MEASUREITEM:
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType != ODT_MENU) break;
        CxMenu::OnMeasureItem(int(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU) break;
        CxMenu::OnDrawItem(int(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return CxDlg::WindowProc(msg, wParam, lParam);
}

BOOL GalleryDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (const wchar_t* text = MenuText(id)) {
        CString chosen(text);
        chosen.Remove(L'&');
        Report(L"Menu: \"" + chosen + L"\" chosen");
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && id != IDCANCEL) {
        for (Panel& panel : panels) {
            if (panel.exhibit->OnCommand(id)) return TRUE;
        }
    }
    return CxDlg::OnCommand(wParam, lParam);
}

void GalleryDlg::ShowMenu(CPoint at)
{
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, this);
}

void GalleryDlg::Report(const CString& text)
{
    status.SetWindowText(text);
    status.Redraw(1, nullptr);
}

void GalleryDlg::Drive()
{
    for (Panel& panel : panels) panel.exhibit->Drive();
}
