#pragma once
// CxMenu: a mix-in that turns system menus into flat owner-drawn menus: a strip slice of the program's bitmap at
// the left of every row, an optional icon in it, a light row, a pale green highlight and etched separators.
#include "QuilletApi.h"

#include "framework/Gdi.h"
#include "framework/Image.h"
#include "framework/Menu.h"

#include <map>
#include <memory>
#include <vector>

class QUILLET_API CxMenu {
public:
    // One converted item; the image part is its icon (empty unless SetBitmaps loads one).
    class QUILLET_API MenuItemData : public CImage {
    public:
        CString text;
        int position = 0;
        int enabled = 1;
        CString lastText;
        CRect lastRect;
    };

    CxMenu() = default;
    // Frees every item record; converted menus must not be shown any more.
    virtual ~CxMenu();
    CxMenu(const CxMenu&) = delete;
    CxMenu& operator=(const CxMenu&) = delete;

    // Width of text on the owner's device context + 16; leaves its height in textHeight.
    virtual int GetMenuLength(CString& text);
    // Draws the row text without its & marks, with a one-pixel shadow to the lower right.
    virtual void DrawTextW(CDC* dc, CString& text, UINT action, CRect rect, CRect* previous, DRAWITEMSTRUCT* record,
                           MenuItemData* item);
    // Draws the item's icon (its left half, or its right half for a disabled item) at (2, 2).
    virtual void DrawLeftImage(CDC* dc, UINT action, int highlighted, CRect rect, UINT itemId, MenuItemData* item);
    // Copies the item's strip slice and fills the row: highlighted for a selected enabled item, else plain.
    virtual void DrawMenuItemBackGround(CDC* dc, CBitmap& strip, MenuItemData* item, UINT action, bool highlighted);
    // Draws a separator row: the strip slice, the row background and an etched line.
    virtual void DrawMenuSeparator(CDC* dc, MenuItemData* item, CBitmap& strip, int width, int height);
    // Hook for an item's icon: a derived class loads it into image and returns it; here nothing, null.
    virtual CImage* SetBitmaps(UINT id, CImage& image);
    // Draws the three-line frame on the window of dc.
    virtual void DrawMenuFrame(CDC* dc);

    // Remembers the owner and its font and loads the left-strip bitmap resource id.
    void SetAtt(UINT id, CWnd* owner);
    // Makes every item of menu (not of its submenus) owner-drawn by this object.
    void RemapMenu(CMenu* menu);
    // WM_MEASUREITEM of a converted menu item: the widest text's width, 22 pixels high (5 for a separator).
    void OnMeasureItem(int controlId, MEASUREITEMSTRUCT* record);
    // WM_DRAWITEM of a converted menu item: paints one row.
    void OnDrawItem(int controlId, DRAWITEMSTRUCT* record);
    // Text of the item last highlighted in a menu whose first item is a command.
    CString& GetSel() { return selText; }
    // Enables or disables the item of command id (EnableMenuItem); the drawn look follows at the next RemapMenu.
    void EnableMenuItem(CMenu* menu, UINT id, int enable);
    // Replaces the item of command id by a plain text item (ModifyMenu); it is no longer owner-drawn.
    void SetMenuText(CMenu* menu, UINT id, const CString& text);

protected:
    // Destroys every item record.
    void FreeBuffer();

    CFont* menuFont = nullptr;
    int itemWidth = 0;
    int textHeight = 0;
    CBitmap leftStrip;
    CBitmap rowBuffer;
    CString selText;
    CWnd* owner = nullptr;
    std::vector<std::unique_ptr<MenuItemData>> items;
    std::map<HMENU, MenuItemData*> lastHighlight;

private:
    // Paints the row of an ODA_SELECT draw: the gaining item highlighted, the one that lost the highlight plain.
    void DrawSelection(CDC& dc, CDC& memory, DRAWITEMSTRUCT* record, MenuItemData* item);
    // Paints one row of item into the memory context (background, text, icon) and copies it to the row.
    void PaintRow(CDC& dc, CDC& memory, DRAWITEMSTRUCT* record, MenuItemData* item, bool highlighted,
                  const CString& text, CRect* previous, const CRect& row);
};
