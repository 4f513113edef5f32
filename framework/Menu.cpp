#include "Menu.h"

#include "Borrowed.h"

#include <utility>

CMenu::~CMenu() { DestroyMenu(); }

CMenu::CMenu(CMenu&& other) noexcept : m_hMenu(std::exchange(other.m_hMenu, nullptr)) {}

CMenu& CMenu::operator=(CMenu&& other) noexcept
{
    if (this != &other) Attach(other.Detach());
    return *this;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    static BorrowedMap<CMenu, HMENU> menus;
    return menus.Get(menu, [](HMENU handle) { return IsMenu(handle) != FALSE; });
}

BOOL CMenu::LoadMenu(UINT id)
{
    const wchar_t* name = MAKEINTRESOURCEW(id);
    return Attach(::LoadMenuW(AfxFindResourceHandle(name, RT_MENU), name));
}

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::Attach(HMENU menu)
{
    if (menu == m_hMenu) return menu != nullptr;
    DestroyMenu();
    m_hMenu = menu;
    return menu != nullptr;
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }

BOOL CMenu::DestroyMenu()
{
    HMENU menu = Detach();
    return menu && ::DestroyMenu(menu);
}

int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    int length = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0) {
        text.Empty();
        return 0;
    }
    int copied = ::GetMenuStringW(m_hMenu, item, text.GetBufferSetLength(length + 1), length + 1, flags);
    text.ReleaseBuffer(copied);
    return copied;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }

BOOL CMenu::GetMenuItemInfo(UINT item, MENUITEMINFOW* info, BOOL byPosition) const
{
    return ::GetMenuItemInfoW(m_hMenu, item, byPosition, info);
}

BOOL CMenu::SetMenuItemInfo(UINT item, const MENUITEMINFOW* info, BOOL byPosition)
{
    return ::SetMenuItemInfoW(m_hMenu, item, byPosition, info);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const wchar_t* newItem)
{
    return ::AppendMenuW(m_hMenu, flags, id, newItem);
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR id, const wchar_t* newItem)
{
    return ::ModifyMenuW(m_hMenu, position, flags, id, newItem);
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return UINT(::EnableMenuItem(m_hMenu, item, enable)); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT excludeRect) const
{
    TPMPARAMS params{sizeof(params), excludeRect ? *excludeRect : RECT{}};
    return ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner ? owner->m_hWnd : nullptr, excludeRect ? &params : nullptr);
}
