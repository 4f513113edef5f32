#pragma once
// CxTray: one icon of a window in the notification area of the task bar. Mouse actions on the icon reach the
// owner window as the callback message given to SetAtt; CxTray itself handles no messages.
#include "QuilletApi.h"

#include <windows.h>
#include <shellapi.h>

class CWnd;

// Copies describe the same shell icon. Destruction leaves the icon in place: the owner removes it with
// ShowIcon(0). The icon handle stays the caller's.
class QUILLET_API CxTray {
public:
    CxTray();
    virtual ~CxTray() = default;
    CxTray(const CxTray&) = default;
    CxTray& operator=(const CxTray&) = default;

    // Fills the record for owner's window (icon id 0, message, icon and tip) and adds the icon when show is
    // nonzero; 0 and nothing changed when owner is null. IsIcon is not changed.
    int SetAtt(CWnd* owner, UINT message, const wchar_t* tip, HICON icon, int show);
    // Adds the icon (NIM_ADD) when show is nonzero, else removes it (NIM_DELETE); IsIcon then answers show.
    void ShowIcon(int show);
    // Changes the icon's picture (NIM_MODIFY).
    void SetIcon(HICON icon);
    // Changes the icon's tip (NIM_MODIFY); a longer tip is cut to its first 127 characters.
    void SetTip(const wchar_t* tip);
    // The value of the last ShowIcon call, 0 before one.
    int IsIcon() const;

protected:
    NOTIFYICONDATAW iconData;
    CWnd* ownerWnd = nullptr;
    int shown = 0;

private:
    void CopyTip(const wchar_t* tip);
};
