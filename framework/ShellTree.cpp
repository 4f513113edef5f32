#include "ShellTree.h"

#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <vector>

const UINT AFX_WM_ON_AFTER_SHELL_COMMAND = RegisterWindowMessageW(L"AFX_WM_ON_AFTER_SHELL_COMMAND");

IContextMenu2* CMFCShellTreeCtrl::m_pContextMenu2 = nullptr;

IMPLEMENT_DYNAMIC(CMFCShellTreeCtrl, CTreeCtrl)

AFX_SHELLITEMINFO::~AFX_SHELLITEMINFO()
{
    if (pParentFolder) pParentFolder->Release();
    ILFree(pidlFQ);
    ILFree(pidlRel);
}

namespace {

// Keeps the system from asking for a disk while a drive without a medium (an empty card reader) is read.
class NoCriticalErrorBoxes {
public:
    NoCriticalErrorBoxes() : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~NoCriticalErrorBoxes() { SetErrorMode(m_previous); }
    NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
    NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

private:
    UINT m_previous;
};

CString DisplayName(IShellFolder* folder, LPCITEMIDLIST rel, SHGDNF flags)
{
    STRRET name{};
    wchar_t* text = nullptr;
    if (FAILED(folder->GetDisplayNameOf(rel, flags, &name)) || FAILED(StrRetToStrW(&name, rel, &text))) return {};
    CString result(text);
    CoTaskMemFree(text);
    return result;
}

ComPtr<IShellFolder> Desktop()
{
    ComPtr<IShellFolder> desktop;
    SHGetDesktopFolder(desktop.Put());
    return desktop;
}

// A folder's order of two of its items: below, equal or above zero (the code of CompareIDs' result).
int Compare(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    return short(HRESULT_CODE(folder->CompareIDs(0, a, b)));
}

// The system image list's icons of a plain folder, closed and open.
struct FolderIcons {
    int closed;
    int open;
};

// Looked up once by attributes alone: Wine takes some 20 ms to find each item's icon through the shell, which
// would make the first painting of a freshly expanded folder take half a second.
const FolderIcons& PlainFolderIcons()
{
    static const FolderIcons icons = [] {
        SHFILEINFOW file{};
        const UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
        SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &file, sizeof(file), flags);
        int closed = file.iIcon;
        SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &file, sizeof(file), flags | SHGFI_OPENICON);
        return FolderIcons{closed, file.iIcon};
    }();
    return icons;
}

// True for a file-system directory that cannot carry an icon of its own (customised folders are read-only or
// system directories). The attributes come from the id list itself, without touching the disk.
bool IsPlainFolder(IShellFolder* parent, LPCITEMIDLIST rel)
{
    WIN32_FIND_DATAW data{};
    if (FAILED(SHGetDataFromIDListW(parent, rel, SHGDFIL_FINDDATA, &data, sizeof(data)))) return false;
    const DWORD attributes = data.dwFileAttributes;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
}

// The item's icon index in the system image list, and its open icon's in open.
int IconIndex(const AFX_SHELLITEMINFO& info, int& open)
{
    if (!info.pParentFolder) {
        SHFILEINFOW file{};
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(info.pidlFQ), 0, &file, sizeof(file),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        return open = file.iIcon;
    }
    if (IsPlainFolder(info.pParentFolder, info.pidlRel)) {
        open = PlainFolderIcons().open;
        return PlainFolderIcons().closed;
    }
    // Drives, special and customised folders: the shell decides, through the parent folder already held.
    return SHMapPIDLToSystemImageListIndex(info.pParentFolder, info.pidlRel, &open);
}

}  // namespace

CMFCShellTreeCtrl::~CMFCShellTreeCtrl() { DestroyWindow(); }

BOOL CMFCShellTreeCtrl::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                                 const RECT& rect, CWnd* parent, UINT id, void* param)
{
    // The tree view cannot take items before its WM_CREATE, which comes after PreSubclassWindow.
    m_creating = true;
    BOOL created = CTreeCtrl::CreateEx(exStyle, className, windowName, style, rect, parent, id, param);
    m_creating = false;
    if (created) Refresh();
    return created;
}

void CMFCShellTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    if (!m_creating) Refresh();
}

void CMFCShellTreeCtrl::Refresh()
{
    ReleaseAllItems();
    DeleteAllItems();
    InsertDesktop();
}

void CMFCShellTreeCtrl::InsertDesktop()
{
    ComPtr<IShellFolder> desktop = Desktop();
    CItemIdList root;
    if (!desktop || FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, root.Put()))) return;

    SHFILEINFOW file{};
    auto icons = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(reinterpret_cast<LPCWSTR>(root.Get()), 0, &file,
                                                             sizeof(file),
                                                             SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    // The system's shared list: the tree view never destroys its image lists.
    SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(icons));

    auto info = std::make_unique<AFX_SHELLITEMINFO>();
    info->pidlRel = ILClone(root.Get());
    info->pidlFQ = root.Detach();
    CString name = DisplayName(desktop.Get(), info->pidlRel, SHGDN_NORMAL);

    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(name.GetString());
    insert.item.iImage = insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = 1;
    insert.item.lParam = LPARAM(info.get());
    auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, LPARAM(&insert)));
    if (!item) return;
    info.release();
    Expand(item, TVE_EXPAND);
}

HTREEITEM CMFCShellTreeCtrl::InsertFolder(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST parentFQ,
                                          ShellChild& child)
{
    auto info = std::make_unique<AFX_SHELLITEMINFO>();
    info->pParentFolder = folder;
    folder->AddRef();
    info->pidlFQ = ILCombine(parentFQ, child.rel.Get());
    info->pidlRel = child.rel.Detach();
    if (!info->pidlFQ) return nullptr;

    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(child.name.GetString());
    // Icons are looked up when an item is first shown, not for every folder listed.
    insert.item.iImage = insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = (child.attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
    insert.item.lParam = LPARAM(info.get());
    auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, LPARAM(&insert)));
    if (item) info.release();
    return item;
}

ComPtr<IShellFolder> CMFCShellTreeCtrl::FolderOf(const AFX_SHELLITEMINFO& info) const
{
    if (!info.pParentFolder) return Desktop();
    ComPtr<IShellFolder> folder;
    info.pParentFolder->BindToObject(info.pidlRel, nullptr, IID_IShellFolder,
                                     reinterpret_cast<void**>(folder.Put()));
    return folder;
}

AFX_SHELLITEMINFO* CMFCShellTreeCtrl::InfoOf(HTREEITEM item) const
{
    return item ? reinterpret_cast<AFX_SHELLITEMINFO*>(GetItemData(item)) : nullptr;
}

void CMFCShellTreeCtrl::FillItem(HTREEITEM item)
{
    ShellListing listing = ListFolder(item);
    InsertChildren(item, listing);
}

CMFCShellTreeCtrl::ShellListing CMFCShellTreeCtrl::ListFolder(HTREEITEM item) const
{
    ShellListing listing;
    AFX_SHELLITEMINFO* info = InfoOf(item);
    if (info) listing.folder = FolderOf(*info);
    IShellFolder* folder = listing.folder.Get();
    if (!folder) return listing;

    NoCriticalErrorBoxes quiet;
    ComPtr<IEnumIDList> found;
    // S_FALSE with no enumerator: nothing to list.
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS, found.Put()) != S_OK || !found) return listing;
    LPITEMIDLIST next = nullptr;
    while (found->Next(1, &next, nullptr) == S_OK) {
        ShellChild child{CItemIdList(next), {}, SFGAO_HASSUBFOLDER};
        LPCITEMIDLIST one = child.rel.Get();
        if (FAILED(folder->GetAttributesOf(1, &one, &child.attributes))) child.attributes = 0;
        child.name = DisplayName(folder, one, SHGDN_INFOLDER);
        listing.children.push_back(std::move(child));
    }
    // A stable merge sort stays in bounds even if a folder's order is not consistent.
    std::stable_sort(listing.children.begin(), listing.children.end(),
                     [folder](const ShellChild& a, const ShellChild& b) {
                         return Compare(folder, a.rel.Get(), b.rel.Get()) < 0;
                     });
    return listing;
}

void CMFCShellTreeCtrl::InsertChildren(HTREEITEM item, ShellListing& listing)
{
    AFX_SHELLITEMINFO* info = InfoOf(item);
    int inserted = 0;
    for (ShellChild& child : listing.children) {
        if (info && InsertFolder(item, listing.folder.Get(), info->pidlFQ, child)) ++inserted;
    }
    if (inserted == 0) {
        TVITEMW noButton{};
        noButton.mask = TVIF_CHILDREN;
        noButton.hItem = item;
        SendMessage(TVM_SETITEMW, 0, LPARAM(&noButton));
    }
}

void CMFCShellTreeCtrl::ReleaseAllItems()
{
    if (!m_hWnd) return;
    std::vector<HTREEITEM> pending;
    for (HTREEITEM root = GetRootItem(); root; root = GetNextSiblingItem(root)) pending.push_back(root);
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) pending.push_back(child);
        delete InfoOf(item);
        SetItemData(item, 0);
    }
}

BOOL CMFCShellTreeCtrl::SelectPath(const wchar_t* path)
{
    if (!m_hWnd || !path || !*path) return FALSE;
    ComPtr<IShellFolder> desktop = Desktop();
    if (!desktop) return FALSE;
    CString writable(path);  // ParseDisplayName takes a writable string
    CItemIdList pidl;
    SFGAOF attributes = SFGAO_FOLDER;
    NoCriticalErrorBoxes quiet;
    HRESULT parsed = desktop->ParseDisplayName(nullptr, nullptr, writable.GetBuffer(), nullptr, pidl.Put(),
                                               &attributes);
    if (FAILED(parsed) || !pidl || !(attributes & SFGAO_FOLDER)) return FALSE;
    return SelectPath(pidl.Get());
}

BOOL CMFCShellTreeCtrl::SelectPath(LPCITEMIDLIST pidl)
{
    HTREEITEM item = GetRootItem();
    if (!item || !pidl) return FALSE;
    // Walk down one id at a time, as each level's folder names its own items.
    for (LPCITEMIDLIST step = pidl; step->mkid.cb; step = ILNext(step)) {
        Expand(item, TVE_EXPAND);
        CItemIdList first(ILCloneFirst(step));
        HTREEITEM match = nullptr;
        for (HTREEITEM child = GetChildItem(item); child && !match; child = GetNextSiblingItem(child)) {
            AFX_SHELLITEMINFO* info = InfoOf(child);
            if (info && first && Compare(info->pParentFolder, info->pidlRel, first.Get()) == 0) match = child;
        }
        if (!match) return FALSE;
        item = match;
    }
    // Selecting as the caret also scrolls the item into view.
    return SelectItem(item);
}

BOOL CMFCShellTreeCtrl::GetItemPath(CString& path, HTREEITEM item) const
{
    path.Empty();
    AFX_SHELLITEMINFO* info = InfoOf(item ? item : GetSelectedItem());
    wchar_t buffer[MAX_PATH] = {};
    if (!info || !SHGetPathFromIDListW(info->pidlFQ, buffer) || !buffer[0]) return FALSE;
    path = buffer;
    return TRUE;
}

LRESULT CMFCShellTreeCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_RBUTTONDOWN:
        return OnRButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return OnMenuMessage(msg, wParam, lParam);
    case WM_DESTROY:
        ReleaseAllItems();
        break;
    }
    return CTreeCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CMFCShellTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    SetFocus();
    if (HTREEITEM hit = HitTest(point)) SelectItem(hit);
    return Default();
}

LRESULT CMFCShellTreeCtrl::OnMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The shell draws and measures the owner-drawn items of its own menus (Open With, Send To, ...).
    bool served = m_pContextMenu2 && SUCCEEDED(m_pContextMenu2->HandleMenuMsg(msg, wParam, lParam));
    if (served && msg != WM_INITMENUPOPUP) return TRUE;
    return CTreeCtrl::WindowProc(msg, wParam, lParam);
}

BOOL CMFCShellTreeCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_NOTIFY) return CTreeCtrl::OnChildNotify(msg, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
    case TVN_ITEMEXPANDINGW: {
        auto* change = reinterpret_cast<NMTREEVIEWW*>(lParam);
        if ((change->action & TVE_EXPAND) && !GetChildItem(change->itemNew.hItem)) FillItem(change->itemNew.hItem);
        *result = FALSE;
        return TRUE;
    }
    case TVN_DELETEITEMW:
        delete reinterpret_cast<AFX_SHELLITEMINFO*>(reinterpret_cast<NMTREEVIEWW*>(lParam)->itemOld.lParam);
        *result = 0;
        return TRUE;
    case TVN_GETDISPINFOW: {
        TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(lParam)->item;
        auto* info = reinterpret_cast<AFX_SHELLITEMINFO*>(item.lParam);
        if (!info) return FALSE;
        int open = 0;
        item.iImage = IconIndex(*info, open);
        item.iSelectedImage = open;
        // The tree keeps the indices: each item is looked up once.
        item.mask |= TVIF_DI_SETITEM;
        *result = 0;
        return TRUE;
    }
    }
    return CTreeCtrl::OnChildNotify(msg, wParam, lParam, result);
}
