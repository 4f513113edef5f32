#include "misc/Tray.h"

#include "Wnd.h"

#include <cwchar>
#include <iterator>

// The shell reads the record by its size field; the full record of the system's headers is 956 bytes on
// 32-bit Windows (with the balloon icon handle).
static_assert(sizeof(void*) != 4 || sizeof(NOTIFYICONDATAW) == 956);

CxTray::CxTray() : iconData() {}

int CxTray::SetAtt(CWnd* owner, UINT message, const wchar_t* tip, HICON icon, int show)
{
    if (!owner) return 0;
    ownerWnd = owner;
    iconData = NOTIFYICONDATAW();
    iconData.cbSize = sizeof(NOTIFYICONDATAW);
    iconData.hWnd = owner->GetSafeHwnd();
    iconData.uID = 0;
    iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData.uCallbackMessage = message;
    iconData.hIcon = icon;
    CopyTip(tip);
    if (show) Shell_NotifyIconW(NIM_ADD, &iconData);
    return 1;
}

void CxTray::ShowIcon(int show)
{
    shown = show;
    Shell_NotifyIconW(show ? NIM_ADD : NIM_DELETE, &iconData);
}

void CxTray::SetIcon(HICON icon)
{
    iconData.hIcon = icon;
    Shell_NotifyIconW(NIM_MODIFY, &iconData);
}

void CxTray::SetTip(const wchar_t* tip)
{
    CopyTip(tip);
    Shell_NotifyIconW(NIM_MODIFY, &iconData);
}

int CxTray::IsIcon() const { return shown; }

void CxTray::CopyTip(const wchar_t* tip)
{
    // The record holds 127 characters and a terminator; a longer tip is cut rather than overrunning it.
    const std::size_t length = tip ? wcsnlen(tip, std::size(iconData.szTip) - 1) : 0;
    if (length) wmemcpy(iconData.szTip, tip, length);
    iconData.szTip[length] = L'\0';
}
