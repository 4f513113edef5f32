#pragma once
// CMenu: an owned menu, or a borrowed view of one (a submenu, a window's system menu).
#include "Wnd.h"

// A menu. A CMenu that loaded or created its menu destroys it; the CMenu pointers from FromHandle and
// GetSubMenu are borrowed views that the framework keeps while the menu exists. Move-only.
class FW_API CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(CMenu&& other) noexcept;
    CMenu& operator=(CMenu&& other) noexcept;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // A borrowed view of a menu owned elsewhere.
    static CMenu* FromHandle(HMENU menu);
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // Loads a menu resource from the module that holds it; replaces the menu held so far.
    BOOL LoadMenu(UINT id);
    BOOL CreatePopupMenu();
    // Takes ownership of menu (the one held so far is destroyed).
    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL DestroyMenu();

    // Number of items, or -1.
    int GetMenuItemCount() const;
    // Command id at a position: 0 for a separator, UINT(-1) for an item that opens a submenu.
    UINT GetMenuItemID(int position) const;
    // The submenu opened by the item at position, borrowed; null when there is none.
    CMenu* GetSubMenu(int position) const;
    // Text of an item (MF_BYCOMMAND or MF_BYPOSITION); returns its length.
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    // MF_* state of an item, or UINT(-1) when there is no such item.
    UINT GetMenuState(UINT item, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, MENUITEMINFOW* info, BOOL byPosition = FALSE) const;
    BOOL SetMenuItemInfo(UINT item, const MENUITEMINFOW* info, BOOL byPosition = FALSE);
    // Appends an item; newItem is its text, or the owner-draw data or bitmap that flags name.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const wchar_t* newItem = nullptr);
    // Replaces an item, addressed as flags say (MF_BYCOMMAND or MF_BYPOSITION).
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id = 0, const wchar_t* newItem = nullptr);
    // Enables (MF_ENABLED), disables or greys an item; returns its previous state, or UINT(-1).
    UINT EnableMenuItem(UINT item, UINT enable);
    // Shows the menu as a popup at a screen point; with TPM_RETURNCMD returns the chosen command.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT excludeRect = nullptr) const;

    HMENU m_hMenu = nullptr;
};
