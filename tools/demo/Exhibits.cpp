#include "Exhibits.h"

#include "GalleryIds.h"

#include <iterator>
#include <utility>

using namespace Gdiplus;

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const Color kBlack(255, 0, 0, 0);
const Color kCaptionGrey(255, 128, 138, 152);
const Color kWhite(255, 255, 255, 255);
constexpr int kCaptionHeight = 16;
constexpr int kRow = 20;

// The cells of the generated item icons.
enum ItemIcon { kPage, kFolder, kPhoto, kStar, kUnticked, kTicked };

CString Quoted(const CString& text) { return L"\u201C" + text + L"\u201D"; }

// A click as the user gives it: the pointer over the control's point, then the button down and up. The skinned
// buttons read where the pointer is when the button comes up.
void Click(CWnd& control, CPoint at)
{
    CPoint screen = at;
    control.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void ClickMiddle(CWnd& control)
{
    CRect client;
    control.GetClientRect(&client);
    Click(control, client.CenterPoint());
}

void PressKey(CWnd& control, UINT key)
{
    control.SendMessage(WM_KEYDOWN, key, 1);
    control.SendMessage(WM_KEYUP, key, 0xC0000001);
}

// Holds the thread's view of the left button down, which is what a drag reads, for the life of the object.
class LeftButtonHeld {
public:
    LeftButtonHeld() { Set(0x80); }
    ~LeftButtonHeld() { Set(0); }
    LeftButtonHeld(const LeftButtonHeld&) = delete;
    LeftButtonHeld& operator=(const LeftButtonHeld&) = delete;

private:
    static void Set(BYTE state)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_LBUTTON] = state;
        ::SetKeyboardState(keys);
    }
};

// A drag from one client point of the control to another, in one step.
void Drag(CWnd& control, CPoint from, CPoint to)
{
    LeftButtonHeld held;
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    control.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

// Ends the menu that a driven click opened: a thread timer, which the menu's own loop dispatches.
constexpr UINT kMenuShownMs = 300;
void CALLBACK EndOpenMenu(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

}  // namespace

CxStatic& CaptionedExhibit::Caption(const wchar_t* text, const CRect& rect)
{
    captions.push_back(std::make_unique<CxStatic>());
    CxStatic& caption = *captions.back();
    caption.Create(text, kChild, rect, gallery, gallery->NextId());
    caption.SetFont(&gallery->UiFont());
    caption.SetTextColor(kCaptionGrey);
    Show({&caption});
    return caption;
}

// Buttons.

void ButtonsExhibit::Make(CxBtn& button, const wchar_t* text, int x, int y, int width, int height)
{
    button.Create(text, kChild | WS_TABSTOP, CRect(x, y, x + width, y + height), gallery, gallery->NextId());
    Show({&button});
}

void ButtonsExhibit::Create(const CRect& area)
{
    const int x = area.left, y = area.top;
    Font* font = gallery->CaptionFont();
    Make(ok, L"OK", x, y, 64, 18);
    Make(cancel, L"Cancel", x + 72, y, 64, 18);
    Make(apply, L"Apply", x + 144, y, 64, 18);
    for (CxBtn* button : {&ok, &cancel, &apply})
        button->SetAtt(button->LoadRes(IDI_BUTTON, L"IMG", nullptr), font, 1, 0, kBlack);
    apply.EnableWindow(FALSE);
    Caption(L"CxBtn; disabled", CRect(x + 224, y + 2, area.right, y + 2 + kCaptionHeight));

    Make(start, L"Start", x, y + 30, 64, 18);
    start.SetAtt(start.LoadRes(IDI_BUTTON, L"IMG", nullptr), start.LoadRes(IDI_START_ICON, L"IMG", nullptr), font, 0,
                 0, kBlack, Point(3, 0), Point(22, 2));
    start.SetTip(L"CxBmpBtn with a tooltip");
    Make(browse, L"", x + 72, y + 29, 24, 20);
    browse.SetAtt(browse.LoadRes(IDI_BROWSE_BUTTON, L"IMG", nullptr), browse.LoadRes(IDI_BROWSE_ICON, L"IMG", nullptr),
                  font, 2, 1, kBlack, Point(0, 0), Point(0, 0));
    Caption(L"CxBmpBtn: icon and caption, icon only", CRect(x + 104, y + 32, area.right, y + 32 + kCaptionHeight));

    Make(all, L"All", x, y + 60, 36, 18);
    Make(none, L"None", x + 40, y + 60, 36, 18);
    for (CxBtn* button : {&all, &none})
        button->SetAtt(button->LoadRes(IDP_SMALL_BUTTON, L"PNG", nullptr), font, 1, 1, kBlack);
    Make(menuButton, L"Menu", x + 84, y + 59, 60, 20);
    menuButton.SetAtt(menuButton.LoadRes(IDP_SYSTEM_BUTTON, L"PNG", nullptr), font, 3, 1, kBlack);
    Caption(L"other strips; Menu opens a CxMenu", CRect(x + 152, y + 62, area.right, y + 62 + kCaptionHeight));
}

bool ButtonsExhibit::OnCommand(UINT id)
{
    if (id == UINT(menuButton.GetDlgCtrlID())) {
        CRect rect;
        menuButton.GetWindowRect(&rect);
        gallery->ShowMenu(CPoint(rect.left, rect.bottom));
        return true;
    }
    for (CxBtn* button : std::initializer_list<CxBtn*>{&ok, &cancel, &start, &browse, &all, &none}) {
        if (id != UINT(button->GetDlgCtrlID())) continue;
        CString text = button->GetWindowText();
        gallery->Report(text.IsEmpty() ? CString(L"The browse button clicked") : Quoted(text) + L" clicked");
        return true;
    }
    return false;
}

void ButtonsExhibit::Drive()
{
    ClickMiddle(ok);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kMenuShownMs, EndOpenMenu);
    ClickMiddle(menuButton);
    ::KillTimer(nullptr, timer);
}

// Check boxes and radio buttons.

void ChecksExhibit::Create(const CRect& area)
{
    const wchar_t* checkTexts[] = {L"Show the date on each photo", L"Compress large photos", L"Keep the camera data"};
    const wchar_t* radioTexts[] = {L"Small", L"Medium", L"Large"};
    Font* font = gallery->CaptionFont();
    for (int i = 0; i < 3; ++i) {
        const int top = area.top + i * 24;
        checks[i].Create(checkTexts[i], kChild | WS_TABSTOP | BS_AUTOCHECKBOX,
                         CRect(area.left, top, area.left + 200, top + 18), gallery, gallery->NextId());
        checks[i].SetAtt(checks[i].LoadRes(IDP_CHECK_STRIP, L"PNG", nullptr), font, 2, 0, kBlack);
        radios[i].Create(radioTexts[i], kChild | WS_TABSTOP | BS_AUTOCHECKBOX,
                         CRect(area.left + 220, top, area.right, top + 18), gallery, gallery->NextId());
        Show({&checks[i], &radios[i]});
    }
    checks[0].SetCheck(BST_CHECKED);
    checks[2].SetCheck(BST_CHECKED);
    checks[2].EnableWindow(FALSE);
    group.SetAtt(radios[0].LoadRes(IDP_RADIO_STRIP, L"PNG", nullptr), font, 2, 0, kBlack, 3, &radios[0], &radios[1],
                 &radios[2]);
    group.SetVal(1);
}

bool ChecksExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT&)
{
    for (CxChkBtn& check : checks) {
        if (!Sent(sender, check)) continue;
        gallery->Report(Quoted(check.GetWindowText()) + (value == BST_CHECKED ? L" checked" : L" cleared"));
        return true;
    }
    for (CxRadBtn& radio : radios) {
        if (!Sent(sender, radio)) continue;
        gallery->Report(L"Size " + Quoted(radio.GetWindowText()) + L" chosen");
        return true;
    }
    return false;
}

void ChecksExhibit::Drive()
{
    ClickMiddle(checks[1]);
    ClickMiddle(radios[2]);
}

// Slider and progress bar.

void SliderExhibit::Create(const CRect& area)
{
    Caption(L"Quality", CRect(area.left, area.top + 4, area.left + 56, area.top + 4 + kCaptionHeight));
    slider.Create(kChild | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS,
                  CRect(area.left + 56, area.top, area.right - 56, area.top + 24), gallery, gallery->NextId());
    slider.SetRange(0, 100);
    slider.SetPos(40);
    slider.SetAtt(slider.LoadRes(IDP_SLIDER_THUMB, L"PNG", nullptr));
    value = &Caption(L"", CRect(area.right - 48, area.top + 4, area.right, area.top + 4 + kCaptionHeight));
    progress.Create(kChild, CRect(area.left, area.top + 34, area.right, area.top + 54), gallery, gallery->NextId());
    progress.SetAtt(progress.LoadRes(IDI_PROGRESS, L"IMG", nullptr), 40, kWhite);
    progress.SetRange32(0, 100);
    progress.SetWindowText(L"Compressing IMG_0042.JPG");
    Show({&slider, &progress});
    ShowValue(slider.GetPos());
}

void SliderExhibit::ShowValue(int percent)
{
    CString text;
    text.Format(L"%d %%", percent);
    value->SetWindowText(text);
    progress.SetPos(percent);
    value->Redraw(1, nullptr);
    progress.Redraw(1, nullptr);
}

bool SliderExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT&)
{
    if (!Sent(sender, slider)) return false;
    ShowValue(int(value));
    CString text;
    text.Format(L"Quality set to %d %%", int(value));
    gallery->Report(text);
    return true;
}

void SliderExhibit::Drive()
{
    CRect thumb, channel;
    slider.GetThumbRect(&thumb);
    slider.GetChannelRect(&channel);
    const CPoint from = thumb.CenterPoint();
    Drag(slider, from, CPoint(channel.left + channel.Width() * 3 / 4, from.y));
}

// Edits.

void EditsExhibit::Create(const CRect& area)
{
    const int left = area.left + 80;
    HFONT font = gallery->UiFont().Get();
    Caption(L"CxEdit", CRect(area.left, area.top + 3, left, area.top + 3 + kCaptionHeight));
    line.Create(kChild | WS_TABSTOP | ES_AUTOHSCROLL, CRect(left, area.top, area.right, area.top + kRow), gallery,
                gallery->NextId());
    line.SetFont(font, FALSE);
    line.SetWindowText(L"Holiday 2026: the beach at dawn");

    Caption(L"CxIconEdit", CRect(area.left, area.top + 31, left, area.top + 31 + kCaptionHeight));
    path.Create(kChild | WS_TABSTOP | ES_AUTOHSCROLL, CRect(left, area.top + 28, area.right, area.top + 28 + kRow),
                gallery, gallery->NextId());
    path.SetFont(font, FALSE);
    path.SetAtt(path.LoadRes(IDI_BROWSE_ICON, L"IMG", nullptr));
    path.SetWindowText(L"C:\\Users\\Mirelle\\Pictures\\Holiday 2026");

    Caption(L"multi-line", CRect(area.left, area.top + 59, left, area.top + 59 + kCaptionHeight));
    notes.Create(kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                 CRect(left, area.top + 56, area.right, area.bottom), gallery, gallery->NextId());
    notes.SetFont(font, FALSE);
    notes.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER);
    notes.SetWindowText(L"Notes for the album:\r\n- the beach at dawn, before the wind\r\n- the harbour from the "
                        L"lighthouse\r\n- grandmother's birthday, the cake\r\n- scans of the old slides\r\n- the "
                        L"night sky over the bay\r\n- keep the camera data of the best ones");
    Show({&line, &path, &notes});
    line.SetFocus();
    line.SetSel(14, 23);
}

void EditsExhibit::Drive()
{
    line.SendMessage(WM_CHAR, L'!', 1);
    notes.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
}

// Splitter.

namespace {

constexpr int kMinPane = 80;
constexpr int kSplitterWidth = 10;

void DrawPane(Graphics& g, const CRect& pane, const wchar_t* caption, Font* font)
{
    SolidBrush fill(Color(255, 250, 251, 252));
    g.FillRectangle(&fill, pane.left, pane.top, pane.Width(), pane.Height());
    Pen edge(Color(255, 190, 198, 210), 1.0f);
    g.DrawRectangle(&edge, pane.left, pane.top, pane.Width() - 1, pane.Height() - 1);
    SolidBrush text(kCaptionGrey);
    g.DrawString(caption, -1, font, PointF(REAL(pane.left + 8), REAL(pane.top + 8)), &text);
}

}  // namespace

void SplitterExhibit::Create(const CRect& area)
{
    panes = area;
    const int x = area.left + area.Width() / 3;
    splitter.Create(L"", kChild | BS_PUSHBUTTON, CRect(x, area.top, x + kSplitterWidth, area.bottom), gallery,
                    gallery->NextId());
    splitter.SetAtt(splitter.LoadRes(IDI_SPLITTER_GRIP, L"IMG", nullptr));
    Show({&splitter});
}

void SplitterExhibit::Draw(Graphics& g)
{
    Rect bar = splitter.GetRect(splitter.GetRect());
    Font* font = gallery->CaptionFont();
    DrawPane(g, CRect(panes.left, bar.Y, bar.X, bar.GetBottom()), L"Folders", font);
    DrawPane(g, CRect(bar.GetRight(), bar.Y, panes.right, bar.GetBottom()), L"Photos", font);
    Exhibit::Draw(g);
}

bool SplitterExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT& result)
{
    if (!Sent(sender, splitter)) return false;
    Rect bar = splitter.GetRect(splitter.GetRect());
    const int dx = int(value);
    result = bar.X + dx - panes.left >= kMinPane && panes.right - (bar.GetRight() + dx) >= kMinPane;
    CString text;
    text.Format(L"Splitter %s at %d pixels from the left", result ? L"moved" : L"stopped", bar.X - panes.left);
    gallery->Report(text);
    return true;
}

void SplitterExhibit::Drive() { Drag(splitter, CPoint(4, 20), CPoint(24, 20)); }

// Tree.

void TreeExhibit::Create(const CRect& area)
{
    tree.Create(kChild | WS_TABSTOP | WS_VSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                    TVS_SHOWSELALWAYS,
                area, gallery, gallery->NextId());
    tree.SetFont(gallery->UiFont().Get(), FALSE);
    tree.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER, tree.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr),
                tree.LoadRes(IDP_EXPAND_GLYPHS, L"PNG", nullptr));
    auto add = [this](const wchar_t* text, ItemIcon icon, HTREEITEM parent = TVI_ROOT) {
        return tree.InsertItem(text, icon, icon, parent);
    };
    HTREEITEM pictures = add(L"Pictures", kFolder);
    HTREEITEM holiday = add(L"Holiday 2026", kFolder, pictures);
    add(L"Beach at dawn.jpg", kPhoto, holiday);
    HTREEITEM harbour = add(L"Harbour.jpg", kPhoto, holiday);
    add(L"Lighthouse.jpg", kStar, holiday);
    add(L"Night over the bay.jpg", kPhoto, holiday);
    HTREEITEM family = add(L"Family", kFolder, pictures);
    add(L"Birthday.jpg", kStar, family);
    add(L"Garden.jpg", kPhoto, family);
    add(L"Scans", kFolder, pictures);
    HTREEITEM documents = add(L"Documents", kFolder);
    add(L"Captions.txt", kPage, documents);
    add(L"Print order.txt", kPage, documents);
    add(L"Favourites", kStar);
    tree.Expand(pictures, TVE_EXPAND);
    tree.Expand(holiday, TVE_EXPAND);
    tree.Expand(documents, TVE_EXPAND);
    tree.SelectItem(harbour);
    Show({&tree});
}

bool TreeExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT&)
{
    if (!Sent(sender, static_cast<CxTreeBase&>(tree))) return false;
    gallery->Report(L"Tree: " + Quoted(tree.GetItemText(reinterpret_cast<HTREEITEM>(value))) + L" selected");
    return true;
}

void TreeExhibit::Drive() { PressKey(tree, VK_DOWN); }

// Shell folder tree.

void ShellTreeExhibit::Create(const CRect& area)
{
    AfxEnableControlContainer();  // COM for the shell's folders and context menus
    tree.Create(kChild | WS_TABSTOP | WS_VSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, area, gallery,
                gallery->NextId());
    tree.SetFont(gallery->UiFont().Get(), FALSE);
    tree.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER, tree.LoadRes(IDP_EXPAND_GLYPHS, L"PNG", nullptr));
    tree.SelectPath(gallery->Folder());
    tree.Expand(tree.GetSelectedItem(), TVE_EXPAND);
    Show({&tree});
}

bool ShellTreeExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT&)
{
    if (!Sent(sender, static_cast<CxTreeBase&>(tree))) return false;
    gallery->Report(L"Shell tree: " + Quoted(tree.GetItemText(reinterpret_cast<HTREEITEM>(value))) + L" selected");
    return true;
}

void ShellTreeExhibit::Drive() { tree.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0); }

// Icon list.

namespace {

// A cell of the thumbnail strip: the caption band, then the picture.
constexpr int kThumbWidth = 80;
constexpr int kThumbHeight = 62;

}  // namespace

void IconListExhibit::Create(const CRect& area)
{
    list.Create(kChild | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS, area, gallery, gallery->NextId());
    list.SetFont(gallery->UiFont().Get(), FALSE);
    list.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER, CSize(kThumbWidth, kThumbHeight),
                list.LoadRes(IDP_THUMBNAILS, L"PNG", nullptr));
    // Items as wide as a cell, so that the caption the list centres on an item stands over its thumbnail.
    list.SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(kThumbWidth, kThumbHeight + 6));
    const wchar_t* names[] = {L"Meadow", L"Sunset", L"Snow",   L"Harbour", L"Forest",  L"Night",
                              L"Hills",  L"Dusk",   L"Glacier", L"Bay",     L"Orchard", L"Stars"};
    for (int i = 0; i < int(std::size(names)); ++i) list.InsertItem(i, names[i], i % 6);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Show({&list});
}

bool IconListExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT&)
{
    if (!Sent(sender, list)) return false;
    gallery->Report(value < 0 ? CString(L"Icon list: empty space clicked")
                              : L"Icon list: " + Quoted(list.GetItemText(int(value), 0)) + L" clicked");
    return true;
}

void IconListExhibit::Drive()
{
    CRect item;
    list.GetItemRect(1, &item, LVIR_ICON);
    Click(list, item.CenterPoint());
    PressKey(list, VK_RIGHT);
}

// List boxes.

void ListBoxesExhibit::Make(CxListBox& box, const wchar_t* caption, const CRect& rect)
{
    Caption(caption, CRect(rect.left, rect.top, rect.right, rect.top + kCaptionHeight));
    box.Create(kChild | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY,
               CRect(rect.left, rect.top + kCaptionHeight + 2, rect.right, rect.bottom), gallery, gallery->NextId());
    box.SetFont(gallery->UiFont().Get(), FALSE);
    Show({&box});
}

void ListBoxesExhibit::Create(const CRect& area)
{
    const int width = (area.Width() - 16) / 3;
    auto column = [&](int i) {
        const int left = area.left + i * (width + 8);
        return CRect(left, area.top, left + width, area.bottom);
    };
    Make(plain, L"CxListBox", column(0));
    plain.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER);
    for (const wchar_t* text : {L"Small, 800 px", L"Medium, 1600 px", L"Large, 2400 px", L"Original size",
                                L"Half size", L"Quarter size", L"Thumbnails", L"Custom..."})
        plain.AddString(text, kRow);
    plain.SetCurSel(1);

    Make(icons, L"CxBmpListBox", column(1));
    icons.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER, icons.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    const std::pair<const wchar_t*, ItemIcon> rows[] = {{L"Pictures", kFolder}, {L"Beach.jpg", kPhoto},
                                                        {L"Harbour.jpg", kPhoto}, {L"Lighthouse.jpg", kStar},
                                                        {L"Captions.txt", kPage}};
    for (const auto& [text, icon] : rows) icons.AddString(text, kRow, icon, 0);
    icons.SetCurSel(2);

    Make(checks, L"CxChkListBox", column(2));
    checks.SetAtt(IDB_SCROLL_VERT, IDB_SCROLL_HORZ, IDB_SCROLL_CORNER,
                  checks.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    const wchar_t* photos[] = {L"Beach", L"Harbour", L"Lighthouse", L"Birthday", L"Garden"};
    for (int i = 0; i < int(std::size(photos)); ++i) checks.AddString(photos[i], kRow, i, kUnticked, kTicked, i % 2);
}

bool ListBoxesExhibit::OnReport(WPARAM sender, LPARAM value, LRESULT&)
{
    if (!Sent(sender, checks)) return false;
    CString text;
    checks.GetText(int(value), text);
    int checked = 0;
    checks.GetItemVal(int(value), CxChkListBox::ColChk, &checked);
    gallery->Report(Quoted(text) + (checked ? L" ticked" : L" unticked"));
    return true;
}

void ListBoxesExhibit::Drive()
{
    CRect row;
    plain.GetItemRect(2, &row);
    Click(plain, row.CenterPoint());
    checks.GetItemRect(1, &row);
    Click(checks, CPoint(row.left + 9, row.CenterPoint().y));
    PressKey(icons, VK_DOWN);
}

// Combo boxes.

void CombosExhibit::Make(CxComBox& combo, const wchar_t* caption, const CRect& rect)
{
    Caption(caption, CRect(rect.left, rect.top + 4, rect.left + 100, rect.top + 4 + kCaptionHeight));
    combo.Create(kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(rect.left + 100, rect.top, rect.right,
                                                                          rect.top + 160),
                 gallery, gallery->NextId());
    combo.SetFont(gallery->UiFont().Get(), FALSE);
    Show({&combo});
}

void CombosExhibit::Create(const CRect& area)
{
    Make(plain, L"CxComBox", area);
    plain.SetAtt(plain.LoadRes(IDP_DROP_ARROW, L"PNG", nullptr));
    for (const auto& [text, quality] : {std::pair{L"Low quality (30)", 30}, std::pair{L"Medium quality (60)", 60},
                                        std::pair{L"High quality (85)", 85}, std::pair{L"Best quality (95)", 95}})
        plain.AddString(text, DWORD(quality));
    plain.SetCurSel(2);

    Make(icons, L"CxBmpComBox", CRect(area.left, area.top + 36, area.right, area.bottom));
    icons.SetAtt(icons.LoadRes(IDP_DROP_ARROW, L"PNG", nullptr), icons.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr));
    const std::pair<const wchar_t*, ItemIcon> items[] = {
        {L"Documents", kPage}, {L"Folders", kFolder}, {L"Photos", kPhoto}, {L"Favourites", kStar}};
    for (const auto& [text, icon] : items) icons.AddString(text, icon, DWORD(icon));
    icons.SetCurSel(2);
}

bool CombosExhibit::OnReport(WPARAM sender, LPARAM, LRESULT&)
{
    for (CxComBox* combo : {static_cast<CxComBox*>(&plain), static_cast<CxComBox*>(&icons)}) {
        if (!Sent(sender, *combo)) continue;
        CString text;
        combo->GetLBText(combo->GetCurSel(), text);
        gallery->Report(L"Combo box: " + Quoted(text) + L" chosen");
        return true;
    }
    return false;
}

void CombosExhibit::Drive()
{
    PressKey(plain, VK_DOWN);
    icons.SendMessage(CB_SHOWDROPDOWN, TRUE, 0);
    icons.SendMessage(CB_SHOWDROPDOWN, FALSE, 0);
}

// Report list.

namespace {

struct ReportColumn {
    const wchar_t* title;
    int width;
};
const ReportColumn kReportColumns[] = {{L"Photo", 200}, {L"Taken", 150}, {L"Size", 90}, {L"Folder", 260}};
const wchar_t* const kReportFolders[] = {L"Pictures\\Holiday 2026", L"Pictures\\Family", L"Pictures\\Scans",
                                         L"Camera card\\DCIM\\100CANON"};

CString ReportCell(int row, int column)
{
    CString text;
    switch (column) {
    case 0:
        text.Format(L"IMG_%04d.JPG", row + 1);
        break;
    case 1:
        text.Format(L"2026-%02d-%02d %02d:%02d", 1 + row / 28 % 12, 1 + row % 28, 8 + row % 12, row * 7 % 60);
        break;
    case 2:
        text.Format(L"%d.%d MB", 2 + row * 5 % 4, row * 3 % 10);
        break;
    default:
        text = kReportFolders[row / 5 % std::size(kReportFolders)];
    }
    return text;
}

}  // namespace

void ReportListExhibit::Create(const CRect& area)
{
    Caption(L"CxChkListCtrl with its CxHdrCtrl header; click a box to tick it",
            CRect(area.left, area.top, area.right, area.top + kCaptionHeight));
    list.Create(kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                CRect(area.left, area.top + kCaptionHeight + 4, area.right, area.bottom), gallery, gallery->NextId());
    list.SetFont(gallery->UiFont().Get(), FALSE);
    list.SetAtt(list.LoadRes(IDP_ITEM_ICONS, L"PNG", nullptr), IDB_HEADER, IDB_SCROLL_VERT, IDB_SCROLL_HORZ,
                IDB_SCROLL_CORNER, kTicked, kUnticked, nullptr);
    list.SetBgmColor(Color(255, 255, 255, 255));
    for (int i = 0; i < int(std::size(kReportColumns)); ++i)
        list.InsertColumn(i, kReportColumns[i].title, LVCFMT_LEFT, kReportColumns[i].width);
    Fill(12);
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Show({&list});
}

void ReportListExhibit::Fill(int count)
{
    // Without the native list's repaint and layout per row: a fill of thousands of rows stays a fraction of a second.
    list.CListCtrl::SetRedraw(FALSE);
    list.DeleteAllItems();
    list.SendMessage(LVM_SETITEMCOUNT, count);
    for (int row = 0; row < count; ++row) {
        list.InsertItem(row, ReportCell(row, 0));
        for (int column = 1; column < int(std::size(kReportColumns)); ++column)
            list.SetItemText(row, column, ReportCell(row, column));
        list.SetCheck(row, row % 3 != 1);
    }
    list.CListCtrl::SetRedraw(TRUE);
    list.Redraw(1, nullptr);
}

void ReportListExhibit::Toggle(int row)
{
    const bool ticked = !list.GetCheck(row);
    list.SetCheck(row, ticked);
    list.Redraw(1, nullptr);
    gallery->Report(Quoted(list.GetItemText(row, 0)) + (ticked ? L" ticked" : L" cleared"));
}

bool ReportListExhibit::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != list.m_hWnd) return false;
    result = 0;
    if (header.code == NM_CLICK) {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        CRect row;
        // The row's box is the 18-pixel icon cell at the start of its first column.
        if (click.iItem >= 0 && list.GetItemRect(click.iItem, &row, LVIR_BOUNDS) &&
            click.ptAction.x >= row.left + 3 && click.ptAction.x < row.left + 21)
            Toggle(click.iItem);
    } else if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED))
            gallery->Report(L"Report list: " + Quoted(list.GetItemText(change.iItem, 0)) + L" selected");
    }
    return true;
}

void ReportListExhibit::Drive()
{
    CRect row;
    list.GetItemRect(2, &row, LVIR_BOUNDS);
    Click(list, CPoint(row.left + 12, row.CenterPoint().y));
    Click(list, CPoint(row.left + 120, row.CenterPoint().y));
    PressKey(list, VK_DOWN);
    list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
}
