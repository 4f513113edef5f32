#pragma once
// CMFCShellTreeCtrl: a tree view of the shell namespace's folders, rooted at the desktop, filled one level at a
// time as items are first expanded. Each item carries an AFX_SHELLITEMINFO record in its item data.
#include "ComPtr.h"
#include "ListControls.h"

#include <shlobj.h>

#include <utility>
#include <vector>

// Registered message sent to the tree's parent after a shell context-menu command ran (wParam = command id).
extern FW_API const UINT AFX_WM_ON_AFTER_SHELL_COMMAND;

// An owned item identifier list, freed with ILFree; move-only.
class CItemIdList {
public:
    CItemIdList() = default;
    explicit CItemIdList(LPITEMIDLIST pidl) : m_pidl(pidl) {}
    ~CItemIdList() { ILFree(m_pidl); }
    CItemIdList(CItemIdList&& other) noexcept : m_pidl(std::exchange(other.m_pidl, nullptr)) {}
    CItemIdList& operator=(CItemIdList&& other) noexcept
    {
        std::swap(m_pidl, other.m_pidl);
        return *this;
    }
    CItemIdList(const CItemIdList&) = delete;
    CItemIdList& operator=(const CItemIdList&) = delete;

    LPITEMIDLIST Get() const { return m_pidl; }
    explicit operator bool() const { return m_pidl != nullptr; }
    // Frees the list held and returns the slot for a call that hands out a new one.
    LPITEMIDLIST* Put()
    {
        ILFree(std::exchange(m_pidl, nullptr));
        return &m_pidl;
    }
    // Hands the list to the caller, who then owns it.
    LPITEMIDLIST Detach() { return std::exchange(m_pidl, nullptr); }

private:
    LPITEMIDLIST m_pidl = nullptr;
};

// The shell data of one tree item. It owns a reference on its parent folder and both id lists.
struct FW_API AFX_SHELLITEMINFO {
    AFX_SHELLITEMINFO() = default;
    ~AFX_SHELLITEMINFO();
    AFX_SHELLITEMINFO(const AFX_SHELLITEMINFO&) = delete;
    AFX_SHELLITEMINFO& operator=(const AFX_SHELLITEMINFO&) = delete;

    LPSHELLFOLDER pParentFolder = nullptr;  // the folder holding the item; null for the desktop itself
    LPITEMIDLIST pidlFQ = nullptr;          // the item's id list from the desktop
    LPITEMIDLIST pidlRel = nullptr;         // the item's id list relative to pParentFolder
};

class FW_API CMFCShellTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CMFCShellTreeCtrl)
public:
    CMFCShellTreeCtrl() = default;
    // Destroys the window here, while the records of its items can still be freed.
    ~CMFCShellTreeCtrl() override;

    // Creates the tree, then fills in the desktop and its folders.
    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, void* param = nullptr) override;
    // Fills a tree that a dialog template made, when it is subclassed.
    void PreSubclassWindow() override;

    // Empties the tree and fills in the desktop and its folders anew.
    void Refresh();
    // Selects the folder of a file-system path, expanding the items above it. FALSE (the selection unchanged)
    // for an empty path, a path that does not exist or is not a folder.
    BOOL SelectPath(const wchar_t* path);
    // Selects the folder of an id list from the desktop, expanding the items above it.
    BOOL SelectPath(LPCITEMIDLIST pidl);
    // The file-system path of item (the selected item when null); FALSE and an empty path for folders outside
    // the file system (the computer, the control panel, ...).
    BOOL GetItemPath(CString& path, HTREEITEM item = nullptr) const;
    // Turns the shell's context menu on the items on or off (on by default).
    void EnableShellContextMenu(BOOL enable = TRUE) { m_bContextMenu = enable; }
    BOOL IsShellContextMenuEnabled() const { return m_bContextMenu; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Takes the tree's own notifications: filling on expansion, item icons, freeing records.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Focuses the tree and selects the item under the pointer before the tree's own handling (which asks for
    // the context menu).
    LRESULT OnRButtonDown(UINT flags, CPoint point);

    // The context menu shown now by any shell tree (null when none); its owner-drawn items are served here.
    static IContextMenu2* m_pContextMenu2;

protected:
    // One folder found in a folder: its id list relative to that folder, its display name and attributes.
    struct ShellChild {
        CItemIdList rel;
        CString name;
        SFGAOF attributes = 0;
    };
    // The folders of a folder, in the folder's own order.
    struct ShellListing {
        ComPtr<IShellFolder> folder;
        std::vector<ShellChild> children;
    };

    // Fills an item's children on its first expansion: ListFolder, then InsertChildren.
    void FillItem(HTREEITEM item);
    // The shell's side of filling: the folders in the item's folder, sorted as the folder orders them (as
    // Explorer shows them), with their names and attributes. Empty for a folder that cannot be read.
    ShellListing ListFolder(HTREEITEM item) const;
    // The tree's side of filling: inserts the listed folders below item; with none, item loses its button.
    void InsertChildren(HTREEITEM item, ShellListing& listing);
    // The folder an item stands for (the desktop for the root); empty when it cannot be opened.
    ComPtr<IShellFolder> FolderOf(const AFX_SHELLITEMINFO& info) const;
    // The item's record, or null.
    AFX_SHELLITEMINFO* InfoOf(HTREEITEM item) const;

    BOOL m_bContextMenu = TRUE;

private:
    void InsertDesktop();
    HTREEITEM InsertFolder(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST parentFQ, ShellChild& child);
    // Frees every item's record and clears its item data, before the tree deletes its items.
    void ReleaseAllItems();
    LRESULT OnMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_creating = false;
};
