#include "lists/CxComBox.h"

#include "controls/ControlPaint.h"
#include "framework/Gdi.h"

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxComBox, CComboBox)
IMPLEMENT_DYNAMIC(CxBmpComBox, CxComBox)

namespace {

constexpr int kIconCell = 18;
constexpr UINT kBmpRowHeight = 23;
constexpr COLORREF kSelectedRow = RGB(232, 238, 230);
constexpr COLORREF kOddRow = RGB(255, 255, 255);
constexpr COLORREF kEvenRow = RGB(240, 240, 240);

}  // namespace

CxComBox::~CxComBox()
{
    DestroyWindow();
    dropArrow.reset();
    itemFont.reset();
}

BOOL CxComBox::PreCreateWindow(CREATESTRUCTW& cs)
{
    // A combo box takes these styles only from its creation: the list keeps the texts, to be read back while
    // drawing. A combo box from a dialog template must have them there.
    cs.style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    return CComboBox::PreCreateWindow(cs);
}

void CxComBox::PreSubclassWindow()
{
    Load(this);
    SetBgmColor(Color(0xFFFFFFFF));
    CComboBox::PreSubclassWindow();
}

void CxComBox::SetAtt(IStream* arrow)
{
    dropArrow = ImageFrom(arrow);
    CClientDC dc(this);
    itemFont = ControlPaint::FontFromGdi(dc.GetSafeHdc(), GetFont());
}

int CxComBox::Insert(int index, const wchar_t* text, const ItemInfo& record)
{
    const int at = CComboBox::InsertString(index, text ? text : L"");
    if (at >= 0) SetItemData(at, reinterpret_cast<DWORD_PTR>(new ItemInfo(record)));
    Redraw(0, nullptr);
    return at;
}

int CxComBox::AddString(const wchar_t* text, DWORD colour) { return InsertString(-1, text, colour); }

int CxComBox::InsertString(int index, const wchar_t* text, DWORD colour) { return Insert(index, text, {colour, 0}); }

CxComBox::ItemInfo* CxComBox::Record(int index) const
{
    if (index < 0 || index >= GetCount()) return nullptr;
    return reinterpret_cast<ItemInfo*>(GetItemData(index));
}

void CxComBox::SetItemColor(int index, DWORD colour)
{
    if (ItemInfo* record = Record(index)) record->value = colour;
    Redraw(0, nullptr);
}

DWORD CxComBox::GetItemColor(int index) const
{
    const ItemInfo* record = Record(index);
    return record ? record->value : 0;
}

CString CxComBox::GetItemText(DRAWITEMSTRUCT* item) const
{
    CString text;
    if (item) GetLBText(int(item->itemID), text);
    return text;
}

void CxComBox::DeleteItem(DELETEITEMSTRUCT* item)
{
    delete reinterpret_cast<ItemInfo*>(item->itemData);
    item->itemData = 0;
    CComboBox::DeleteItem(item);
}

void CxComBox::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || item->itemID == UINT(-1)) return;
    CDC dc(item->hDC);
    DrawItemBgm(&dc, item);
    DrawItemText(&dc, item);
}

void CxComBox::DrawItemBgm(CDC* dc, DRAWITEMSTRUCT* item)
{
    const RECT& r = item->rcItem;
    const int height = GetItemHeight(int(item->itemID));
    if (item->itemState & ODS_SELECTED) {
        dc->FillSolidRect(&r, kSelectedRow);
        dc->Draw3dRect(1, r.top, r.right - 2, height - 1, RGB(210, 210, 210), RGB(170, 170, 170));
        return;
    }
    dc->FillSolidRect(&r, item->itemID % 2 ? kOddRow : kEvenRow);
    dc->Draw3dRect(1, r.top, r.right - 2, height - 1, RGB(255, 255, 255), RGB(255, 255, 255));
}

void CxComBox::DrawItemString(Graphics& target, const wchar_t* text, const RectF& layout) const
{
    if (!itemFont) return;
    target.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    SolidBrush brush{Color(textColor)};
    target.DrawString(text, -1, itemFont.get(), layout, nullptr, &brush);
}

void CxComBox::DrawItemText(CDC* dc, DRAWITEMSTRUCT* item)
{
    Graphics target(dc->GetSafeHdc());
    const int height = GetItemHeight(int(item->itemID));
    DrawItemString(target, GetItemText(item), RectF(3, REAL(item->rcItem.top + height / 2 - 8), 0, 0));
}

void CxComBox::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    ControlPaint::CopyBackground(target, background, area);
    const int width = INT(area.Width), height = INT(area.Height);
    SolidBrush tint{Color(bgmColor)};
    target.FillRectangle(&tint, 0, 0, width, height);
    ControlPaint::Draw3dFrame(target, {0, 0, width, height}, Color(120, 120, 120), Color(160, 160, 160));
    ControlPaint::Draw3dFrame(target, {1, 1, width - 1, height - 1}, Color(255, 255, 255), Color(255, 255, 255));
    DrawTextW(target);
    if (dropArrow) {
        target.DrawImage(dropArrow.get(), width - 15, 10, INT(dropArrow->GetWidth()), INT(dropArrow->GetHeight()));
    }
}

void CxComBox::DrawTextW(Graphics& target)
{
    const int current = GetCurSel();
    if (current == CB_ERR) return;
    CString text;
    GetLBText(current, text);
    RectF field = GetRect();
    DrawItemString(target, text, RectF(3, 4, field.Width - 18, field.Height));
}

BOOL CxComBox::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        Redraw(1, nullptr);
        ::SendMessageW(::GetParent(m_hWnd), WM_USER, reinterpret_cast<WPARAM>(this), 0);
        return FALSE;
    }
    return CComboBox::OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CxComBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND) {
        CDC dc(reinterpret_cast<HDC>(wParam));
        return CxWnd::OnEraseBkgnd(&dc);
    }
    return CComboBox::WindowProc(msg, wParam, lParam);
}

CxBmpComBox::~CxBmpComBox() { iconStrip.reset(); }

void CxBmpComBox::SetAtt(IStream* arrow, IStream* icons)
{
    iconStrip = ImageFrom(icons);
    SetItemHeight(0, kBmpRowHeight);
    CxComBox::SetAtt(arrow);
}

int CxBmpComBox::AddString(const wchar_t* text, int image, DWORD value) { return InsertString(-1, text, image, value); }

int CxBmpComBox::InsertString(int index, const wchar_t* text, int image, DWORD value)
{
    return Insert(index, text, {value, image});
}

void CxBmpComBox::SetItemVal(int index, ItemCol col, ...)
{
    ItemInfo* record = Record(index);
    if (!record) return;
    va_list args;
    va_start(args, col);
    if (col == ColVal) record->value = va_arg(args, DWORD);
    if (col == ColImg) record->image = short(va_arg(args, int));
    va_end(args);
    Redraw(0, nullptr);
}

void* CxBmpComBox::GetItemVal(int index, ItemCol col, ...)
{
    ItemInfo* record = Record(index);
    if (!record || (col != ColVal && col != ColImg)) return nullptr;
    va_list args;
    va_start(args, col);
    void* out = nullptr;
    if (col == ColVal) {
        auto* value = va_arg(args, DWORD*);
        if (value) *value = record->value;
        out = value;
    } else {
        auto* image = va_arg(args, short*);
        if (image) *image = short(record->image);
        out = image;
    }
    va_end(args);
    return out;
}

void CxBmpComBox::DrawIcon(Graphics& target, int image, int x, int y) const
{
    if (!iconStrip || image < 0 || (image + 1) * kIconCell > int(iconStrip->GetWidth())) return;
    const INT height = INT(iconStrip->GetHeight());
    target.DrawImage(iconStrip.get(), Rect(x, y, kIconCell, height), image * kIconCell, 0, kIconCell, height,
                     UnitPixel);
}

void CxBmpComBox::DrawTextW(Graphics& target)
{
    const int current = GetCurSel();
    const ItemInfo* record = Record(current);
    if (!record) return;
    DrawIcon(target, record->image, 2, 3);
    CString text;
    GetLBText(current, text);
    RectF field = GetRect();
    DrawItemString(target, text, RectF(23, 5, field.Width - 18, field.Height));
}

void CxBmpComBox::DrawItemText(CDC* dc, DRAWITEMSTRUCT* item)
{
    Graphics target(dc->GetSafeHdc());
    const int height = GetItemHeight(int(item->itemID));
    DrawItemString(target, GetItemText(item), RectF(21, REAL(item->rcItem.top + height / 2 - 8), 0, 0));
}

void CxBmpComBox::DrawItemBgm(CDC* dc, DRAWITEMSTRUCT* item)
{
    CxComBox::DrawItemBgm(dc, item);
    const ItemInfo* record = Record(int(item->itemID));
    if (!record) return;
    Graphics target(dc->GetSafeHdc());
    DrawIcon(target, record->image, item->rcItem.left + 2, item->rcItem.top + 2);
}
