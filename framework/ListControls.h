#pragma once
// The item-holding controls (list box, combo box, list view, header, tree view) and the image list they
// share, with the controls' messages as named operations.
#include "Controls.h"

// An owned image list, destroyed with the object; move-only.
class FW_API CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(CImageList&& other) noexcept;
    CImageList& operator=(CImageList&& other) noexcept;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // ImageList_Create (ILC_* flags); replaces the list held so far.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    int GetImageCount() const;

    HIMAGELIST m_hImageList = nullptr;
};

// A list box; owner-drawn boxes get WM_DRAWITEM, WM_MEASUREITEM and WM_DELETEITEM in the virtual operations.
class FW_API CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const wchar_t* text);
    int InsertString(int index, const wchar_t* text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    // The text of an item; empty for a bad index.
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // Selection state of one item of a multiple-selection box.
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    // -1 for a single-selection box.
    int GetSelCount() const;
    int GetSelItems(int maxItems, LPINT items) const;
    // Selects or deselects the items first to last (LB_SELITEMRANGEEX; last < first deselects).
    int SelItemRange(BOOL select, int first, int last);
    int GetItemRect(int index, LPRECT rect) const;
    int GetTopIndex() const;
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // The item nearest a client point; outside is set when the point lies outside every item.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;

    virtual void DrawItem(DRAWITEMSTRUCT* item);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);
    // Runs for every item that leaves the box, also when the box is destroyed. A class that frees item records
    // here must destroy its window in its own destructor, while this operation still reaches it.
    virtual void DeleteItem(DELETEITEMSTRUCT* item);
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A combo box; owner-drawn boxes get their item messages as CListBox does.
class FW_API CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const wchar_t* text);
    int InsertString(int index, const wchar_t* text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // The list text of an item; empty for a bad index.
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // Height of the list items (index >= 0) or of the selection field (-1).
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;

    virtual void DrawItem(DRAWITEMSTRUCT* item);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);
    // As CListBox::DeleteItem.
    virtual void DeleteItem(DELETEITEMSTRUCT* item);
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A list view.
class FW_API CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetItemCount() const;
    int InsertItem(int index, const wchar_t* text);
    int InsertItem(int index, const wchar_t* text, int image);
    int InsertItem(const LVITEMW* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEMW* item) const;
    CString GetItemText(int index, int subItem) const;
    BOOL SetItemText(int index, int subItem, const wchar_t* text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    // TRUE only when the item's state image is the checked one (state image 2).
    BOOL GetCheck(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);
    // LVM_GETITEMRECT with an LVIR_* code.
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int code, CRect& rect) const;
    BOOL GetItemPosition(int index, LPPOINT point) const;
    // Moves an icon-view item (LVM_SETITEMPOSITION32: 32-bit coordinates).
    BOOL SetItemPosition(int index, POINT point);
    BOOL IsItemVisible(int index) const;
    // The item at a client point, or -1; flags receives the LVHT_* result.
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    BOOL Arrange(UINT code);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int GetColumnWidth(int column) const;
    int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    // Installs an image list (LVSIL_*) and returns the previous one. The control is told to share its image lists
    // (LVS_SHAREIMAGELISTS): the CImageList keeps ownership and the control never destroys it.
    HIMAGELIST SetImageList(CImageList* list, int type);
    HIMAGELIST GetImageList(int type) const;
    DWORD GetExtendedStyle() const;
    // Replaces all extended styles; returns the previous ones.
    DWORD SetExtendedStyle(DWORD style);
    // The header window of a report view (the control owns it).
    HWND GetHeaderCtrl() const;
};

// A header control.
class FW_API CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const;
    BOOL GetItemRect(int index, LPRECT rect) const;
    BOOL GetItem(int index, HDITEMW* item) const;
    // The column at the point of info (HDM_HITTEST), or -1.
    int HitTest(HDHITTESTINFO* info) const;
};

// A tree view.
class FW_API CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    HTREEITEM InsertItem(const wchar_t* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(const wchar_t* text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;
    // TVM_GETNEXTITEM with a TVGN_* code; the named forms below are shorthands.
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM item);
    BOOL Expand(HTREEITEM item, UINT code);
    BOOL ItemHasChildren(HTREEITEM item) const;
    BOOL GetItem(TVITEMW* item) const;
    CString GetItemText(HTREEITEM item) const;
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    // The item's rectangle, its text only or the whole row.
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
    // The item at a client point, or null; flags receives the TVHT_* result.
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    // Installs an image list (TVSIL_*) and returns the previous one; tree views never destroy their lists.
    HIMAGELIST SetImageList(CImageList* list, int type);
    HIMAGELIST GetImageList(int type) const;
};
