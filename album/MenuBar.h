#pragma once
// album's skinned popup menus: CxMenuBar, a fading layered window that lays out and draws the items of a system
// menu and turns a click into a command; Daduz, which gives album's commands their icons; and CxMenuEx, the holder
// that shows one popup and is listed among the open menus until they are all closed.
#include "skin/CxDlg.h"

#include "framework/Menu.h"

#include <memory>
#include <vector>

class CxMenuEx;

class CxMenuBar : public CxDlg {
    DECLARE_DYNAMIC(CxMenuBar)
public:
    // Where a row is in the popup, and its icon (two halves: normal, then disabled).
    struct ItemBox {
        int left = 0;
        int top = 0;
        int height = 0;
        std::unique_ptr<Gdiplus::Image> icon;
    };

    CxMenuBar(UINT templateId, CWnd* parent);
    // Closes an open submenu first, then the window.
    ~CxMenuBar() override;

    // Draws the text of the command row at position: black, or white under grey when disabled.
    virtual void DrawItemText(Gdiplus::Graphics& g, int position);
    // Draws every row in menu order.
    virtual void DrawItems(Gdiplus::Graphics& g);
    // Draws the highlight under the pointer when it is over the enabled row at position.
    virtual void DrawItemHover(Gdiplus::Graphics& g, int position);
    // Draws the separator row at position: a two-pixel line from the background image.
    virtual void DrawItemSeparator(Gdiplus::Graphics& g, int position);
    // The icon of the item with command id at position; none here.
    virtual void GetItemIcon(UINT id, int position, std::unique_ptr<Gdiplus::Image>& icon);
    // Draws the row's icon (its disabled half for a disabled item) and, for a submenu row, the arrow.
    virtual void DrawItemIcon(Gdiplus::Graphics& g, int position);

    // Lays out the rows, places the popup at (posX, posY), takes the mouse and starts fading in.
    BOOL OnInitDialog() override;
    // Draws the nine-part frame from the background image, then the rows.
    void DrawBgm(Gdiplus::Graphics& g) override;
    // Closes every popup on a key or right-button release, and on a left-button release unless it falls on a
    // disabled or submenu row; a release on a command row first posts its command. Key presses are consumed.
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // One fade-in step: 25 more alpha, opaque after ten.
    LRESULT OnTimer(UINT_PTR id);
    // Moves the highlight with the pointer and opens or closes submenus.
    LRESULT OnMouseMove(UINT flags, CPoint point);

    // The row under point (popup coordinates); -1 for none, also in the icon column left of every row.
    int HitTest(CPoint point) const;
    const std::vector<ItemBox>& Boxes() const { return boxes; }

    CMenu* menu = nullptr;
    CWnd* owner = nullptr;
    Gdiplus::Image* hoverImage = nullptr;
    Gdiplus::Image* arrowImage = nullptr;
    UINT bgResId = 0;
    CString resType;
    HINSTANCE resModule = nullptr;
    int posX = 0;
    int posY = 0;
    int barWidth = 0;
    int barHeight = 0;
    std::unique_ptr<CxMenuEx> openSubmenu;

private:
    // Measures every item and gives it its box; sets barWidth and barHeight.
    void Layout();
    // Frees the open submenu and its popup and takes the mouse back.
    void CloseSubmenu();
    // The window that receives the commands: the owner, or for a submenu the owner of the first popup.
    CWnd* CommandTarget() const;
    // The popup that opened this one (or one before it) whose window holds the screen point; null for none.
    CxMenuBar* OpenerAt(CPoint screen) const;
    // Passes a mouse message at a point outside this popup to the popup that opened it and lies under it;
    // true when passed. The capture keeps those messages here, but they are meant for that popup.
    bool PassToOpener(UINT msg, CPoint point) const;
    bool IsDisabled(int position) const;
    CString ItemText(int position) const;

    std::unique_ptr<Gdiplus::Font> font;
    std::vector<ItemBox> boxes;
};

// The popup of album's menus: it gives album's commands their icons.
class Daduz : public CxMenuBar {
public:
    explicit Daduz(CWnd* parent);
    // The "IMG" icon of About, Options, Minisize, Exit and of submenu rows; none for other commands.
    void GetItemIcon(UINT id, int position, std::unique_ptr<Gdiplus::Image>& icon) override;
};

// Shows one popup menu and owns it with its two images; a holder stays listed among the open menus until
// CloseAllMenus.
class CxMenuEx : public CxWnd {
public:
    CxMenuEx() = default;
    // Frees the popup and leaves the list of open menus.
    ~CxMenuEx() override;

    // Shows menu in a new popup whose top-left corner is at the screen point; commands go to owner, skin images
    // come from module. The popup shown before by this holder is freed.
    void Show(CMenu* shown, CWnd* ownerWnd, HINSTANCE module, CPoint at);
    // Releases the mouse and hides every open popup; the list of open menus is emptied.
    static void CloseAllMenus();
    // The holders whose popups were shown since the last CloseAllMenus.
    static const std::vector<CxMenuEx*>& OpenMenus();

    std::unique_ptr<Daduz> popup;
    CMenu* menu = nullptr;
    UINT bgResId = 0;
    CString resType;
    HINSTANCE resModule = nullptr;
    std::unique_ptr<Gdiplus::Image> hoverImage;
    std::unique_ptr<Gdiplus::Image> arrowImage;
};
