#include "trees/CxShellTree.h"

#include "framework/Menu.h"

#include <commctrl.h>

#include <utility>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxShellTree, CMFCShellTreeCtrl)

namespace {

constexpr int kShellIndent = 19;  // the native tree's indentation for the shell tree's items
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

// Releases and clears the shared context-menu pointer when the menu operation ends, however it ends.
class SharedMenuRelease {
public:
    SharedMenuRelease() = default;
    ~SharedMenuRelease()
    {
        if (IContextMenu2* shared = std::exchange(CMFCShellTreeCtrl::m_pContextMenu2, nullptr)) shared->Release();
    }
    SharedMenuRelease(const SharedMenuRelease&) = delete;
    SharedMenuRelease& operator=(const SharedMenuRelease&) = delete;
};

// Shows the wait cursor while a shell command runs.
class WaitCursor {
public:
    WaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace

void CxShellTree::SetAtt(UINT a, UINT b, UINT c, IStream* glyphs) { AttachTree(this, a, b, c, glyphs); }

void CxShellTree::DrawIcon(Graphics&, CDC& dc, HTREEITEM item, CRect& rect)
{
    int image = 0, selectedImage = 0;
    HIMAGELIST icons = GetImageList(TVSIL_NORMAL);
    if (!icons || !GetItemImage(item, image, selectedImage)) return;
    ImageList_Draw(icons, image, dc.GetSafeHdc(), rect.left - 18, rect.top, ILD_TRANSPARENT);
}

void CxShellTree::DrawItemLine(CDC* dc, CRect& rect, HTREEITEM item) { DrawConnectors(*dc, rect, item, kShellIndent); }

void CxShellTree::OnShowContextMenu(CPoint point)
{
    if (m_pContextMenu2 || !m_bContextMenu) return;
    HTREEITEM item = nullptr;
    if (point.x == -1 && point.y == -1) {
        item = GetSelectedItem();
        if (!item) return;
        CRect row;
        GetItemRect(item, &row, FALSE);
        point = CPoint(row.left, row.bottom + 1);
        ClientToScreen(&point);
    } else {
        CPoint client = point;
        ScreenToClient(&client);
        item = HitTest(client);
        if (!item) return;
    }
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!GetItem(&data) || !data.lParam) return;
    auto* info = reinterpret_cast<AFX_SHELLITEMINFO*>(data.lParam);

    ComPtr<IShellFolder> folder;
    if (info->pParentFolder) {
        info->pParentFolder->AddRef();
        folder.Attach(info->pParentFolder);
    } else if (FAILED(SHGetDesktopFolder(folder.Put()))) {
        AfxThrowInvalidArgException();
    }
    HWND owner = ::GetParent(m_hWnd);
    LPCITEMIDLIST relative = info->pidlRel;
    ComPtr<IContextMenu> menu;
    if (FAILED(folder->GetUIObjectOf(owner, 1, &relative, IID_IContextMenu, nullptr,
                                     reinterpret_cast<void**>(menu.Put())))) {
        return;
    }
    CMenu popup;
    if (!popup.CreatePopupMenu()) return;
    SharedMenuRelease sharedRelease;
    if (SUCCEEDED(menu->QueryContextMenu(popup.GetSafeHmenu(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE))) {
        menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&m_pContextMenu2));
    }

    // The chosen command may destroy this tree (and its object): after the menu only locals are used
    // until the window is known to exist.
    HWND self = m_hWnd;
    UINT command = UINT(::TrackPopupMenu(popup.GetSafeHmenu(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y,
                                         0, self, nullptr));
    if (!::IsWindow(self) || command == 0) return;

    {
        WaitCursor wait;
        CMINVOKECOMMANDINFO invoke{};
        invoke.cbSize = sizeof(invoke);
        invoke.hwnd = owner;
        invoke.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
        invoke.nShow = SW_SHOWNORMAL;
        if (SUCCEEDED(menu->InvokeCommand(&invoke)) && owner) {
            ::SendMessageW(owner, AFX_WM_ON_AFTER_SHELL_COMMAND, WPARAM(command), 0);
        }
    }
    if (::IsWindow(self)) ::SetFocus(self);
}

LRESULT CxShellTree::OnContextMenu(CWnd*, CPoint point)
{
    if (!m_bContextMenu) return Default();
    OnShowContextMenu(point);
    return 0;
}

LRESULT CxShellTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnTreeMessage(msg, wParam, lParam, result)) return result;
    if (msg == WM_CONTEXTMENU) {
        return OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), PointFrom(lParam));
    }
    return CMFCShellTreeCtrl::WindowProc(msg, wParam, lParam);
}

BOOL CxShellTree::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The skin's selection handling replaces the shell tree's own.
    if (msg == WM_NOTIFY && OnTreeNotify(reinterpret_cast<NMHDR*>(lParam), result)) return TRUE;
    return CMFCShellTreeCtrl::OnChildNotify(msg, wParam, lParam, result);
}
