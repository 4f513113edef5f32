#include "MenuBar.h"

#include "res/resource.h"

#include "framework/Gdi.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxMenuBar, CxDlg)

namespace {

constexpr UINT_PTR kFadeTimer = 0;
constexpr UINT kFadeMs = 10;
constexpr BYTE kFadeStep = 25;
constexpr BYTE kFadeEnd = 250;

constexpr int kTextLeft = 26;
constexpr int kCommandHeight = 23;
constexpr int kSeparatorHeight = 2;
constexpr int kSubmenuArrowRoom = 6;
constexpr int kExtraWidth = 35;
constexpr int kExtraHeight = 10;
constexpr UINT kSubmenuId = UINT(-1);

std::vector<CxMenuEx*> openMenus;

// The owner as a popup menu, or null when it is an ordinary window.
CxMenuBar* AsMenuBar(CWnd* wnd)
{
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CxMenuBar)) ? static_cast<CxMenuBar*>(wnd) : nullptr;
}

// Draws source of image into destination; nothing for an empty part (a popup smaller than its frame).
void DrawPart(Graphics& g, Image* image, const Rect& destination, const Rect& source)
{
    if (destination.Width <= 0 || destination.Height <= 0) return;
    g.DrawImage(image, destination, source.X, source.Y, source.Width, source.Height, UnitPixel);
}

}  // namespace

CxMenuBar::CxMenuBar(UINT templateId, CWnd* parent) : CxDlg(templateId, parent) {}

CxMenuBar::~CxMenuBar()
{
    openSubmenu.reset();
    DestroyWindow();
}

BOOL CxMenuBar::OnInitDialog()
{
    CxDlg::OnInitDialog();
    ModifyStyleEx(0, WS_EX_LAYERED);
    SetAtt(bgResId, resType, resModule);
    blend.SourceConstantAlpha = 0;
    Layout();
    MoveWindow(posX, posY, barWidth, barHeight, TRUE);
    // Shown before it takes the mouse: Wine never maps a layered window that held the capture while hidden.
    ShowWindow(SW_SHOW);
    SetCapture();
    Update();
    SetTimer(kFadeTimer, kFadeMs);
    return FALSE;
}

void CxMenuBar::Layout()
{
    CClientDC dc(owner);
    Graphics g(dc.GetSafeHdc());
    LOGFONTW logFont{};
    HFONT windowFont = GetFont();
    if (windowFont && ::GetObjectW(windowFont, sizeof(logFont), &logFont))
        font = std::make_unique<Font>(dc.GetSafeHdc(), &logFont);
    else
        font = std::make_unique<Font>(dc.GetSafeHdc());

    boxes.clear();
    const int count = menu ? std::max(0, menu->GetMenuItemCount()) : 0;
    int top = 0;
    for (int position = 0; position < count; ++position) {
        ItemBox box;
        const UINT id = menu->GetMenuItemID(position);
        if (id != 0) {
            barHeight += kCommandHeight;
            CString text = ItemText(position);
            RectF bounds;
            g.MeasureString(text, text.GetLength(), font.get(), PointF(0, 0), &bounds);
            const int width = int(bounds.Width) + (id == kSubmenuId ? kSubmenuArrowRoom : 0);
            barWidth = std::max(barWidth, width);
            GetItemIcon(id, position, box.icon);
            box.height = kCommandHeight;
        } else {
            barHeight += kSeparatorHeight;
            box.height = kSeparatorHeight;
        }
        box.left = kTextLeft;
        box.top = top;
        top = barHeight;
        boxes.push_back(std::move(box));
    }
    barHeight += kExtraHeight;
    barWidth += kExtraWidth;
}

CString CxMenuBar::ItemText(int position) const
{
    CString text;
    menu->GetMenuString(position, text, MF_BYPOSITION);
    return text;
}

bool CxMenuBar::IsDisabled(int position) const
{
    // A greyed item (MF_GRAYED alone, as EnableMenuItem leaves it) is as unavailable as a disabled one.
    return (menu->GetMenuState(position, MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED)) != 0;
}

void CxMenuBar::DrawBgm(Graphics& g)
{
    if (frameImage) {
        Image* image = frameImage.get();
        const int w = image->GetWidth(), h = image->GetHeight();
        const int W = barWidth, H = barHeight;
        // Corners at their own size; edges and centre stretched from narrow source strips.
        DrawPart(g, image, {0, 0, 26, 3}, {0, 0, 26, 3});
        DrawPart(g, image, {0, 3, 26, H - 12}, {0, 3, 26, 1});
        DrawPart(g, image, {0, H - 9, 26, 9}, {0, h - 9, 26, 9});
        DrawPart(g, image, {26, 0, W - 35, 3}, {3, 0, 1, 3});
        DrawPart(g, image, {26, 3, W - 35, H - 12}, {26, 3, 85, 22});
        DrawPart(g, image, {26, H - 9, W - 35, 9}, {26, h - 9, 1, 9});
        DrawPart(g, image, {W - 9, 0, 9, 6}, {w - 9, 0, 9, 6});
        DrawPart(g, image, {W - 9, 6, 9, H - 15}, {w - 9, 6, 9, 1});
        DrawPart(g, image, {W - 9, H - 9, 9, 9}, {w - 9, h - 9, 9, 9});
    }
    DrawItems(g);
}

void CxMenuBar::DrawItems(Graphics& g)
{
    for (int position = 0; position < int(boxes.size()); ++position) {
        if (menu->GetMenuItemID(position) != 0) {
            DrawItemHover(g, position);
            DrawItemIcon(g, position);
            DrawItemText(g, position);
        } else {
            DrawItemSeparator(g, position);
        }
    }
}

void CxMenuBar::DrawItemHover(Graphics& g, int position)
{
    if (!hoverImage || IsDisabled(position)) return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const ItemBox& box = boxes[position];
    if (!CRect(3, box.top, barWidth, box.top + box.height).PtInRect(cursor)) return;
    DrawPart(g, hoverImage, {3, box.top + 3, barWidth - 13, box.height + 3},
             {0, 0, int(hoverImage->GetWidth()), int(hoverImage->GetHeight())});
}

void CxMenuBar::DrawItemIcon(Graphics& g, int position)
{
    const ItemBox& box = boxes[position];
    if (Image* icon = box.icon.get()) {
        const int half = icon->GetWidth() / 2, height = icon->GetHeight();
        DrawPart(g, icon, {4, box.top + 5, half, height}, {IsDisabled(position) ? half : 0, 0, half, height});
    }
    if (arrowImage && (menu->GetMenuState(position, MF_BYPOSITION) & MF_POPUP)) {
        const int half = arrowImage->GetWidth() / 2, height = arrowImage->GetHeight();
        DrawPart(g, arrowImage, {barWidth - 18, box.top + 9, half, height}, {half, 0, half, height});
    }
}

void CxMenuBar::DrawItemText(Graphics& g, int position)
{
    const ItemBox& box = boxes[position];
    CString text = ItemText(position);
    const PointF at(REAL(box.left), REAL(box.top + 5));
    if (!IsDisabled(position)) {
        SolidBrush black(Color(220, 0, 0, 0));
        g.DrawString(text, text.GetLength(), font.get(), at, &black);
        return;
    }
    SolidBrush white(Color(255, 255, 255, 255));
    SolidBrush grey(Color(220, 128, 128, 128));
    g.DrawString(text, text.GetLength(), font.get(), PointF(at.X + 1, at.Y + 1), &white);
    g.DrawString(text, text.GetLength(), font.get(), at, &grey);
}

void CxMenuBar::DrawItemSeparator(Graphics& g, int position)
{
    if (frameImage) DrawPart(g, frameImage.get(), {5, boxes[position].top + 2, barWidth - 16, 2}, {15, 26, 1, 2});
}

void CxMenuBar::GetItemIcon(UINT, int, std::unique_ptr<Image>&) {}

int CxMenuBar::HitTest(CPoint point) const
{
    for (int position = 0; position < int(boxes.size()); ++position) {
        const ItemBox& box = boxes[position];
        if (CRect(box.left, box.top, barWidth, box.top + box.height).PtInRect(point)) return position;
    }
    return -1;
}

LRESULT CxMenuBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_NCHITTEST:
        // A popup is not dragged by its top rows as the dialog frame would be.
        return HTCLIENT;
    }
    return CxDlg::WindowProc(msg, wParam, lParam);
}

LRESULT CxMenuBar::OnTimer(UINT_PTR)
{
    blend.SourceConstantAlpha += kFadeStep;
    if (blend.SourceConstantAlpha >= kFadeEnd) {
        blend.SourceConstantAlpha = 255;
        KillTimer(kFadeTimer);
    }
    Update();
    return Default();
}

LRESULT CxMenuBar::OnMouseMove(UINT, CPoint point)
{
    if (PassToOpener(WM_MOUSEMOVE, point)) return 0;
    const int row = HitTest(point);
    if (row < 0) {
        if (openSubmenu) CloseSubmenu();
        return 0;
    }
    if (menu->GetMenuItemID(row) == kSubmenuId) {
        CMenu* submenu = menu->GetSubMenu(row);
        // Moves within the row whose submenu is open leave it as it is.
        if (submenu && (!openSubmenu || openSubmenu->menu->GetSafeHmenu() != submenu->GetSafeHmenu())) {
            openSubmenu.reset();
            CPoint at(barWidth - 10, boxes[row].top);
            ClientToScreen(&at);
            openSubmenu = std::make_unique<CxMenuEx>();
            openSubmenu->Show(submenu, this, resModule, at);
        }
    } else if (openSubmenu) {
        CloseSubmenu();
    }
    Update();
    return Default();
}

void CxMenuBar::CloseSubmenu()
{
    openSubmenu.reset();
    SetCapture();
}

CWnd* CxMenuBar::CommandTarget() const
{
    CxMenuBar* opener = AsMenuBar(owner);
    return opener ? opener->CommandTarget() : owner;
}

CxMenuBar* CxMenuBar::OpenerAt(CPoint screen) const
{
    for (CxMenuBar* opener = AsMenuBar(owner); opener; opener = AsMenuBar(opener->owner)) {
        CRect rect;
        opener->GetWindowRect(&rect);
        if (opener->IsWindowVisible() && rect.PtInRect(screen)) return opener;
    }
    return nullptr;
}

bool CxMenuBar::PassToOpener(UINT msg, CPoint point) const
{
    CPoint screen = point;
    ClientToScreen(&screen);
    CRect own;
    GetWindowRect(&own);
    if (own.PtInRect(screen)) return false;
    CxMenuBar* opener = OpenerAt(screen);
    if (!opener) return false;
    // Posted: the opener may free this popup while it handles the message.
    opener->ScreenToClient(&screen);
    opener->PostMessage(msg, 0, MAKELPARAM(screen.x, screen.y));
    return true;
}

BOOL CxMenuBar::PreTranslateMessage(MSG* msg)
{
    const BOOL result = CxDlg::PreTranslateMessage(msg);
    switch (msg->message) {
    case WM_KEYDOWN:
        // Kept from the dialog manager, whose Enter and Escape would hide this popup alone and leave the others
        // open; the key's release closes them all.
        return TRUE;
    case WM_KEYUP:
    case WM_RBUTTONUP:
        CxMenuEx::CloseAllMenus();
        break;
    case WM_LBUTTONUP: {
        const CPoint point(msg->lParam);
        if (PassToOpener(WM_LBUTTONUP, point)) break;
        const int row = HitTest(point);
        if (row >= 0) {
            if (IsDisabled(row) || (menu->GetMenuState(row, MF_BYPOSITION) & MF_POPUP)) break;
            const UINT id = menu->GetMenuItemID(row);
            CWnd* target = CommandTarget();
            if (id != 0 && target) target->PostMessage(WM_COMMAND, id, 0);
        }
        CxMenuEx::CloseAllMenus();
        break;
    }
    }
    return result;
}

Daduz::Daduz(CWnd* parent) : CxMenuBar(IDD_POPUP_MENU, parent) {}

void Daduz::GetItemIcon(UINT id, int, std::unique_ptr<Image>& icon)
{
    UINT resource = 0;
    switch (id) {
    case ID_MENU_ABOUT:
        resource = IDI_ABOUT_ICON;
        break;
    case ID_MENU_OPTIONS:
        resource = IDI_OPTIONS_ICON;
        break;
    case ID_MENU_MINIMISE:
    case IDCANCEL:
        resource = IDI_START_ICON;
        break;
    case kSubmenuId:
        if (!icon) resource = IDI_START_ICON;
        break;
    }
    if (resource) icon = ImageFrom(LoadRes(resource, L"IMG", resModule));
}

CxMenuEx::~CxMenuEx()
{
    std::erase(openMenus, this);
    // The popup draws with the images, and the images read the streams of this object.
    popup.reset();
    hoverImage.reset();
    arrowImage.reset();
}

void CxMenuEx::Show(CMenu* shown, CWnd* ownerWnd, HINSTANCE module, CPoint at)
{
    if (std::find(openMenus.begin(), openMenus.end(), this) == openMenus.end()) openMenus.push_back(this);
    // The popup shown before (hidden by now, or still open) and its images are freed first.
    popup.reset();
    hoverImage.reset();
    arrowImage.reset();
    FreeStream();

    menu = shown;
    bgResId = IDP_MENU_BACKGROUND;
    resType = L"PNG";
    resModule = module;
    hoverImage = ImageFrom(LoadRes(IDP_MENU_HOVER, L"PNG", module));
    arrowImage = ImageFrom(LoadRes(IDP_MENU_ARROW, L"PNG", module));

    popup = std::make_unique<Daduz>(ownerWnd);
    popup->menu = shown;
    popup->owner = ownerWnd;
    popup->hoverImage = hoverImage.get();
    popup->arrowImage = arrowImage.get();
    popup->bgResId = bgResId;
    popup->resType = resType;
    popup->resModule = resModule;
    popup->posX = at.x;
    popup->posY = at.y;
    popup->Create(IDD_POPUP_MENU, ownerWnd);
    popup->ShowWindow(SW_SHOW);
}

void CxMenuEx::CloseAllMenus()
{
    ::ReleaseCapture();
    // Hiding a popup can run other handlers; work on a copy of the list.
    const std::vector<CxMenuEx*> closing = openMenus;
    for (CxMenuEx* holder : closing) {
        if (holder->popup && holder->popup->m_hWnd) holder->popup->OnOK();
    }
    openMenus.clear();
}

const std::vector<CxMenuEx*>& CxMenuEx::OpenMenus() { return openMenus; }
