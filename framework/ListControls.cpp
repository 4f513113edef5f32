#include "ListControls.h"

#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CImageList::~CImageList() { DeleteImageList(); }

CImageList::CImageList(CImageList&& other) noexcept : m_hImageList(std::exchange(other.m_hImageList, nullptr)) {}

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other) {
        DeleteImageList();
        m_hImageList = std::exchange(other.m_hImageList, nullptr);
    }
    return *this;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST list = std::exchange(m_hImageList, nullptr);
    return list && ImageList_Destroy(list);
}

int CImageList::GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }

namespace {

// Hands the owner-draw messages a parent offers to the control's own operations.
template <class Control>
BOOL DispatchOwnerDraw(Control& control, UINT msg, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
    case WM_DRAWITEM:
        control.DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_MEASUREITEM:
        control.MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        break;
    case WM_DELETEITEM:
        control.DeleteItem(reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
        break;
    default:
        return FALSE;
    }
    *result = TRUE;
    return TRUE;
}

// The text a control reports for an item in two steps: its length, then the characters.
template <class ReadText>
void ReadItemText(CString& text, int length, ReadText read)
{
    if (length < 0) {
        text.Empty();
        return;
    }
    int copied = int(read(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer(copied < 0 ? 0 : copied);
}

}  // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"LISTBOX", nullptr, style, rect, parent, id);
}

int CListBox::AddString(const wchar_t* text) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(text))); }

int CListBox::InsertString(int index, const wchar_t* text)
{
    return int(SendMessage(LB_INSERTSTRING, WPARAM(index), LPARAM(text)));
}

int CListBox::DeleteString(UINT index) { return int(SendMessage(LB_DELETESTRING, index)); }

void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }

int CListBox::GetCount() const { return int(SendMessage(LB_GETCOUNT)); }

void CListBox::GetText(int index, CString& text) const
{
    ReadItemText(text, GetTextLen(index),
                 [&](wchar_t* buffer) { return SendMessage(LB_GETTEXT, WPARAM(index), LPARAM(buffer)); });
}

int CListBox::GetTextLen(int index) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(index))); }

int CListBox::GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }

int CListBox::SetCurSel(int index) { return int(SendMessage(LB_SETCURSEL, WPARAM(index))); }

int CListBox::GetSel(int index) const { return int(SendMessage(LB_GETSEL, WPARAM(index))); }

int CListBox::SetSel(int index, BOOL select) { return int(SendMessage(LB_SETSEL, select, LPARAM(index))); }

int CListBox::GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }

int CListBox::GetSelItems(int maxItems, LPINT items) const
{
    return int(SendMessage(LB_GETSELITEMS, WPARAM(maxItems), LPARAM(items)));
}

int CListBox::SelItemRange(BOOL select, int first, int last)
{
    // LB_SELITEMRANGEEX deselects when its first index is the larger one.
    if (select) return int(SendMessage(LB_SELITEMRANGEEX, WPARAM(first), LPARAM(last)));
    return int(SendMessage(LB_SELITEMRANGEEX, WPARAM(std::max(first, last)), LPARAM(std::min(first, last))));
}

int CListBox::GetItemRect(int index, LPRECT rect) const
{
    return int(SendMessage(LB_GETITEMRECT, WPARAM(index), LPARAM(rect)));
}

int CListBox::GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }

int CListBox::SetItemHeight(int index, UINT height)
{
    return int(SendMessage(LB_SETITEMHEIGHT, WPARAM(index), MAKELPARAM(height, 0)));
}

int CListBox::GetItemHeight(int index) const { return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(index))); }

DWORD_PTR CListBox::GetItemData(int index) const { return DWORD_PTR(SendMessage(LB_GETITEMDATA, WPARAM(index))); }

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    return int(SendMessage(LB_SETITEMDATA, WPARAM(index), LPARAM(data)));
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const
{
    LRESULT result = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    outside = HIWORD(result) != 0;
    return LOWORD(result);
}

void CListBox::DrawItem(DRAWITEMSTRUCT*) {}

void CListBox::MeasureItem(MEASUREITEMSTRUCT*) {}

void CListBox::DeleteItem(DELETEITEMSTRUCT*) {}

BOOL CListBox::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return DispatchOwnerDraw(*this, msg, lParam, result) || CWnd::OnChildNotify(msg, wParam, lParam, result);
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(L"COMBOBOX", nullptr, style, rect, parent, id);
}

int CComboBox::AddString(const wchar_t* text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }

int CComboBox::InsertString(int index, const wchar_t* text)
{
    return int(SendMessage(CB_INSERTSTRING, WPARAM(index), LPARAM(text)));
}

int CComboBox::DeleteString(UINT index) { return int(SendMessage(CB_DELETESTRING, index)); }

void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }

int CComboBox::GetCount() const { return int(SendMessage(CB_GETCOUNT)); }

int CComboBox::GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }

int CComboBox::SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }

void CComboBox::GetLBText(int index, CString& text) const
{
    ReadItemText(text, GetLBTextLen(index),
                 [&](wchar_t* buffer) { return SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(buffer)); });
}

int CComboBox::GetLBTextLen(int index) const { return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(index))); }

DWORD_PTR CComboBox::GetItemData(int index) const { return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(index))); }

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data)));
}

int CComboBox::SetItemHeight(int index, UINT height)
{
    return int(SendMessage(CB_SETITEMHEIGHT, WPARAM(index), LPARAM(height)));
}

int CComboBox::GetItemHeight(int index) const { return int(SendMessage(CB_GETITEMHEIGHT, WPARAM(index))); }

void CComboBox::DrawItem(DRAWITEMSTRUCT*) {}

void CComboBox::MeasureItem(MEASUREITEMSTRUCT*) {}

void CComboBox::DeleteItem(DELETEITEMSTRUCT*) {}

BOOL CComboBox::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return DispatchOwnerDraw(*this, msg, lParam, result) || CWnd::OnChildNotify(msg, wParam, lParam, result);
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxEnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

int CListCtrl::GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }

int CListCtrl::InsertItem(int index, const wchar_t* text)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int index, const wchar_t* text, int image)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    item.iImage = image;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEMW* item) { return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(item))); }

BOOL CListCtrl::DeleteItem(int index) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(index))); }

BOOL CListCtrl::DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }

BOOL CListCtrl::GetItem(LVITEMW* item) const { return BOOL(SendMessage(LVM_GETITEMW, 0, LPARAM(item))); }

CString CListCtrl::GetItemText(int index, int subItem) const
{
    // LVM_GETITEMTEXT gives no length up front: grow the buffer until the text fits with room to spare.
    CString text;
    for (int capacity = 256;; capacity *= 2) {
        LVITEMW item{};
        item.iSubItem = subItem;
        item.cchTextMax = capacity;
        item.pszText = text.GetBufferSetLength(capacity);
        int length = int(SendMessage(LVM_GETITEMTEXTW, WPARAM(index), LPARAM(&item)));
        if (length < capacity - 1 || capacity >= 0x100000) {
            text.ReleaseBuffer(std::min(length, capacity - 1));
            return text;
        }
    }
}

BOOL CListCtrl::SetItemText(int index, int subItem, const wchar_t* text)
{
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? DWORD_PTR(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = LPARAM(data);
    return BOOL(SendMessage(LVM_SETITEMW, 0, LPARAM(&item)));
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(index), LPARAM(mask)));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item)));
}

BOOL CListCtrl::GetCheck(int index) const
{
    // State image 0 means the item has no check state at all; only image 2 is "checked".
    return (GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    if (!rect) return FALSE;
    rect->left = LONG(code);
    return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(index), LPARAM(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, CRect& rect) const
{
    rect.top = subItem;
    rect.left = code;
    return BOOL(SendMessage(LVM_GETSUBITEMRECT, WPARAM(index), LPARAM(static_cast<RECT*>(&rect))));
}

BOOL CListCtrl::GetItemPosition(int index, LPPOINT point) const
{
    return BOOL(SendMessage(LVM_GETITEMPOSITION, WPARAM(index), LPARAM(point)));
}

BOOL CListCtrl::SetItemPosition(int index, POINT point)
{
    return BOOL(SendMessage(LVM_SETITEMPOSITION32, WPARAM(index), LPARAM(&point)));
}

BOOL CListCtrl::IsItemVisible(int index) const { return BOOL(SendMessage(LVM_ISITEMVISIBLE, WPARAM(index))); }

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info{};
    info.pt = point;
    int index = int(SendMessage(LVM_HITTEST, 0, LPARAM(&info)));
    if (flags) *flags = info.flags;
    return index;
}

BOOL CListCtrl::Arrange(UINT code) { return BOOL(SendMessage(LVM_ARRANGE, code)); }

int CListCtrl::GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }

int CListCtrl::GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }

int CListCtrl::GetColumnWidth(int column) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(column))); }

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width, int subItem)
{
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.fmt = format;
    info.pszText = const_cast<wchar_t*>(heading ? heading : L"");
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(column), LPARAM(&info)));
}

HIMAGELIST CListCtrl::SetImageList(CImageList* list, int type)
{
    // A list view destroys its image lists when it is destroyed unless it shares them; the CImageList would
    // then destroy the same list a second time.
    ModifyStyle(0, LVS_SHAREIMAGELISTS);
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, WPARAM(type), LPARAM(list ? list->GetSafeHandle() : nullptr)));
}

HIMAGELIST CListCtrl::GetImageList(int type) const
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, WPARAM(type)));
}

DWORD CListCtrl::GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(style)));
}

HWND CListCtrl::GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

int CHeaderCtrl::GetItemCount() const { return int(SendMessage(HDM_GETITEMCOUNT)); }

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const
{
    return BOOL(SendMessage(HDM_GETITEMRECT, WPARAM(index), LPARAM(rect)));
}

BOOL CHeaderCtrl::GetItem(int index, HDITEMW* item) const
{
    return BOOL(SendMessage(HDM_GETITEMW, WPARAM(index), LPARAM(item)));
}

int CHeaderCtrl::HitTest(HDHITTESTINFO* info) const { return int(SendMessage(HDM_HITTEST, 0, LPARAM(info))); }

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxEnsureCommonControls(ICC_TREEVIEW_CLASSES);
    return CWnd::Create(WC_TREEVIEWW, nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(const wchar_t* text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(text ? text : L"");
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, LPARAM(&insert)));
}

HTREEITEM CTreeCtrl::InsertItem(const wchar_t* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text ? text : L"");
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, LPARAM(&insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) { return BOOL(SendMessage(TVM_DELETEITEM, 0, LPARAM(item))); }

BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

UINT CTreeCtrl::GetCount() const { return UINT(SendMessage(TVM_GETCOUNT)); }

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, LPARAM(item)));
}

HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }

HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }

BOOL CTreeCtrl::SelectItem(HTREEITEM item) { return BOOL(SendMessage(TVM_SELECTITEM, TVGN_CARET, LPARAM(item))); }

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) { return BOOL(SendMessage(TVM_EXPAND, code, LPARAM(item))); }

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    TVITEMW info{};
    info.mask = TVIF_CHILDREN;
    info.hItem = item;
    return GetItem(&info) && info.cChildren != 0;
}

BOOL CTreeCtrl::GetItem(TVITEMW* item) const { return BOOL(SendMessage(TVM_GETITEMW, 0, LPARAM(item))); }

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    // TVM_GETITEM gives no length: grow the buffer until the text fits with room to spare.
    CString text;
    for (int capacity = 256;; capacity *= 2) {
        TVITEMW info{};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.cchTextMax = capacity;
        info.pszText = text.GetBufferSetLength(capacity);
        info.pszText[0] = L'\0';
        if (!GetItem(&info)) {
            text.ReleaseBuffer(0);
            return text;
        }
        text.ReleaseBuffer();
        if (text.GetLength() < capacity - 1 || capacity >= 0x100000) return text;
    }
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    return UINT(SendMessage(TVM_GETITEMSTATE, WPARAM(item), LPARAM(mask)));
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    TVITEMW info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    if (!GetItem(&info)) return FALSE;
    image = info.iImage;
    selectedImage = info.iSelectedImage;
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMW info{};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    return GetItem(&info) ? DWORD_PTR(info.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEMW info{};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    info.lParam = LPARAM(data);
    return BOOL(SendMessage(TVM_SETITEMW, 0, LPARAM(&info)));
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const
{
    if (!rect) return FALSE;
    // TVM_GETITEMRECT takes the item handle in the rectangle's memory.
    *reinterpret_cast<HTREEITEM*>(rect) = item;
    return BOOL(SendMessage(TVM_GETITEMRECT, textOnly, LPARAM(rect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const
{
    TVHITTESTINFO info{};
    info.pt = point;
    auto item = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, LPARAM(&info)));
    if (flags) *flags = info.flags;
    return item;
}

HIMAGELIST CTreeCtrl::SetImageList(CImageList* list, int type)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_SETIMAGELIST, WPARAM(type), LPARAM(list ? list->GetSafeHandle() : nullptr)));
}

HIMAGELIST CTreeCtrl::GetImageList(int type) const
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, WPARAM(type)));
}
