#include "lists/CxListBox.h"

#include "controls/ControlPaint.h"
#include "framework/Gdi.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxListBox, CListBox)
IMPLEMENT_DYNAMIC(CxBmpListBox, CxListBox)
IMPLEMENT_DYNAMIC(CxChkListBox, CxBmpListBox)

namespace {

constexpr int kIconCell = 18;
constexpr ARGB kDefaultBgm = 0x64FFFFFF;
constexpr ARGB kDefaultSel = 0xFFE8EEE6;
// TME_HOVER | TME_LEAVE | TME_NONCLIENT.
constexpr DWORD kTrackNonClient = 0x13;

}  // namespace

void CxListBox::PreSubclassWindow()
{
    Load(this);
    SetBgmColor(Color(kDefaultBgm));
    SetSelColor(Color(kDefaultSel));
    CListBox::PreSubclassWindow();
}

void CxListBox::SetAtt(UINT vertId, UINT horzId, UINT cornerId) { CxSrlBar::SetAtt(this, vertId, horzId, cornerId); }

int CxListBox::AddString(const wchar_t* text, int height) { return InsertString(-1, text, height); }

int CxListBox::InsertString(int index, const wchar_t* text, int height)
{
    int at = CListBox::InsertString(index, text ? text : L"");
    if (at >= 0 && height) SetItemHeight(at, UINT(height) & 0xFFFF);
    Redraw(0, nullptr);
    return at;
}

void CxListBox::SetItemText(UINT index, const wchar_t* text)
{
    const int item = int(index);
    if (!IsItem(item)) return;
    std::vector<int> selected;
    GetSelItem(selected);
    const bool wasSelected = std::find(selected.begin(), selected.end(), item) != selected.end();
    const DWORD_PTR record = GetItemData(item);
    const int height = GetItemHeight(item);
    // Detached first, so that deleting the old item does not free the record the new one keeps.
    SetItemData(item, 0);
    DeleteString(index);
    if (CListBox::InsertString(item, text ? text : L"") != item) return;
    SetItemData(item, record);
    SetItemHeight(item, UINT(height));
    if (wasSelected && GetSelCount() == LB_ERR) {
        SetCurSel(item);
    } else if (wasSelected) {
        SetSel(item, TRUE);
    }
    Redraw(0, nullptr);
}

void CxListBox::GetSelItem(std::vector<int>& out) const
{
    const int count = GetSelCount();
    if (count == 0) return;
    if (count == LB_ERR) {
        if (int current = GetCurSel(); current != LB_ERR) out.push_back(current);
        return;
    }
    out.resize(size_t(count));
    out.resize(size_t(std::max(GetSelItems(count, out.data()), 0)));
}

void CxListBox::DrawItem(DRAWITEMSTRUCT*) {}

void CxListBox::MeasureItem(MEASUREITEMSTRUCT*) {}

void CxListBox::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    ControlPaint::CopyBackground(target, background, area);
    SolidBrush tint{Color(bgmColor)};
    target.FillRectangle(&tint, 0.0f, 0.0f, area.Width, area.Height);
    DrawTextW(target);
    if (ParentIsLayered()) DrawBar(target);
    DrawNcImage(target, area);
}

void CxListBox::DrawNcImage(Graphics& target, RectF& area)
{
    if (!ncDraw) return;
    const int width = INT(area.Width), height = INT(area.Height);
    ControlPaint::Draw3dFrame(target, {0, 0, width, height}, Color(120, 120, 120), Color(160, 160, 160));
    ControlPaint::Draw3dFrame(target, {1, 1, width - 1, height - 1}, Color(255, 255, 255), Color(255, 255, 255));
}

REAL CxListBox::TextTop(const CRect& row) { return REAL(row.top + row.Height() / 2 - 3); }

void CxListBox::DrawTextW(Graphics& target)
{
    const int count = GetCount();
    if (count <= 0) return;
    CRect client;
    GetClientRect(&client);
    std::unique_ptr<Font> font;
    {
        CClientDC dc(this);
        font = ControlPaint::FontFromGdi(dc.GetSafeHdc(), GetFont());
    }
    SolidBrush brush{Color(textColor).GetValue() | 0xFF000000};
    std::vector<int> selected;
    GetSelItem(selected);
    // Rows are drawn from the top item while they start inside the client area: exactly the visible ones,
    // whatever their heights and whether or not the box scrolls.
    for (int i = std::max(GetTopIndex(), 0); i < count; ++i) {
        CRect row;
        if (GetItemRect(i, &row) == LB_ERR || row.top >= client.bottom) break;
        if (std::find(selected.begin(), selected.end(), i) != selected.end()) DrawSel(target, row);
        DrawRow(target, i, row, *font, brush);
    }
}

void CxListBox::DrawRow(Graphics& target, int index, const CRect& row, const Font& font, const Brush& brush)
{
    CString text;
    GetText(index, text);
    target.DrawString(text, text.GetLength(), &font, PointF(4, TextTop(row)), &brush);
}

void CxListBox::DrawSel(Graphics& target, CRect row)
{
    SolidBrush tint{Color(selColor)};
    target.FillRectangle(&tint, row.left + 3, row.top + 3, row.Width() - 3, row.Height());
    ControlPaint::Draw3dFrame(target, {row.left + 3, row.top + 3, row.right - 1, row.bottom + 5},
                              Color(200, 200, 200), Color(160, 160, 160));
}

LRESULT CxListBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_VSCROLL:
    case WM_KEYDOWN:
        return DefaultThenRedraw();
    case WM_MOUSEWHEEL:
        DefaultThenRedraw();
        return TRUE;
    case WM_LBUTTONDOWN:
        return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_RBUTTONDOWN:
        return OnRButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_NCMOUSELEAVE:
        return OnNcMouseLeave();
    case WM_ERASEBKGND: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        return CxWnd::OnEraseBkgnd(&dc);
    }
    }
    return CListBox::WindowProc(msg, wParam, lParam);
}

BOOL CxListBox::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) {
        Redraw(1, nullptr);
        return FALSE;
    }
    return CListBox::OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CxListBox::DefaultThenRedraw()
{
    LRESULT result = Default();
    Redraw(1, nullptr);
    return result;
}

LRESULT CxListBox::OnLButtonDown(UINT flags, CPoint point)
{
    if (GetStyle() & LBS_MULTIPLESEL) {
        // A plain click selects only the clicked item; with Ctrl, or in an empty selection, the box's own
        // toggling applies.
        if ((flags & MK_CONTROL) || GetSelCount() == 0) return Default();
        SelItemRange(FALSE, GetCount() - 1, 0);
        return DefaultThenRedraw();
    }
    BOOL outside = FALSE;
    const UINT item = ItemFromPoint(point, outside);
    if (IsItem(int(item))) SetCurSel(int(item));
    return DefaultThenRedraw();
}

LRESULT CxListBox::OnRButtonDown(UINT, CPoint point)
{
    BOOL outside = FALSE;
    const UINT item = ItemFromPoint(point, outside);
    if (IsItem(int(item))) SetCurSel(int(item));
    return DefaultThenRedraw();
}

LRESULT CxListBox::OnNcMouseMove(UINT, CPoint)
{
    // Hot scroll bar parts exist only where the bars are painted by the skin: under a layered parent.
    if (ParentIsLayered()) {
        GetLeaveMsg(kTrackNonClient);
        Redraw(1, nullptr);
    }
    return Default();
}

LRESULT CxListBox::OnNcMouseLeave()
{
    if (ParentIsLayered()) Redraw(1, nullptr);
    return Default();
}

CxBmpListBox::~CxBmpListBox()
{
    DestroyWindow();
    iconStrip.reset();
}

void CxBmpListBox::SetAtt(UINT vertId, UINT horzId, UINT cornerId, IStream* icons)
{
    iconStrip = ImageFrom(icons);
    CxListBox::SetAtt(vertId, horzId, cornerId);
}

int CxBmpListBox::Insert(int index, const wchar_t* text, int height, BmpItemInfo& record)
{
    const int at = CListBox::InsertString(index, text ? text : L"");
    if (at < 0) return at;
    AddItem(at, &record);
    if (height) SetItemHeight(at, UINT(height) & 0xFFFF);
    Redraw(0, nullptr);
    return at;
}

int CxBmpListBox::AddString(const wchar_t* text, int height, int image, int value)
{
    return InsertString(-1, text, height, image, value);
}

int CxBmpListBox::InsertString(int index, const wchar_t* text, int height, int image, int value)
{
    BmpItemInfo record;
    record.image = short(image);
    record.value = value;
    record.text = text ? text : L"";
    return Insert(index, text, height, record);
}

void CxBmpListBox::SetItemText(UINT index, const wchar_t* text)
{
    CxListBox::SetItemText(index, text);
    if (BmpItemInfo* record = Record(int(index))) record->text = text ? text : L"";
    Redraw(0, nullptr);
}

void CxBmpListBox::AddItem(int index, void* record)
{
    auto* own = static_cast<BmpItemInfo*>(CreateItemInfo());
    *own = *static_cast<const BmpItemInfo*>(record);
    SetItemData(index, reinterpret_cast<DWORD_PTR>(own));
}

void* CxBmpListBox::CreateItemInfo() { return new BmpItemInfo; }

void CxBmpListBox::DeleteItem(DELETEITEMSTRUCT* item)
{
    delete reinterpret_cast<BmpItemInfo*>(item->itemData);
    item->itemData = 0;
    CxListBox::DeleteItem(item);
}

CxBmpListBox::BmpItemInfo* CxBmpListBox::Record(int index) const
{
    if (!IsItem(index)) return nullptr;
    return reinterpret_cast<BmpItemInfo*>(GetItemData(index));
}

bool CxBmpListBox::SetField(BmpItemInfo& record, int col, va_list args)
{
    switch (col) {
    case ColImg:
        record.image = short(va_arg(args, int));
        return true;
    case ColVal:
        record.value = va_arg(args, int);
        return true;
    case ColText: {
        const wchar_t* text = va_arg(args, const wchar_t*);
        record.text = text ? text : L"";
        return true;
    }
    }
    return false;
}

void* CxBmpListBox::GetField(const BmpItemInfo& record, int col, va_list args)
{
    switch (col) {
    case ColImg: {
        auto* out = va_arg(args, short*);
        if (out) *out = record.image;
        return out;
    }
    case ColVal: {
        auto* out = va_arg(args, int*);
        if (out) *out = record.value;
        return out;
    }
    case ColText: {
        auto* out = va_arg(args, CString*);
        if (out) *out = record.text;
        return out;
    }
    }
    return nullptr;
}

void CxBmpListBox::SetItemVal(int index, ItemCol col, ...)
{
    va_list args;
    va_start(args, col);
    SetItemValV(index, col, args);
    va_end(args);
}

void* CxBmpListBox::GetItemVal(int index, ItemCol col, ...)
{
    va_list args;
    va_start(args, col);
    void* out = GetItemValV(index, col, args);
    va_end(args);
    return out;
}

void CxBmpListBox::SetItemValV(int index, int col, va_list args)
{
    BmpItemInfo* record = Record(index);
    if (!record) return;
    SetField(*record, col, args);
    Redraw(0, nullptr);
}

void* CxBmpListBox::GetItemValV(int index, int col, va_list args)
{
    BmpItemInfo* record = Record(index);
    return record ? GetField(*record, col, args) : nullptr;
}

void CxBmpListBox::DrawRow(Graphics& target, int index, const CRect& row, const Font& font, const Brush& brush)
{
    const BmpItemInfo* record = Record(index);
    if (!record) return;
    target.DrawString(record->text, record->text.GetLength(), &font, PointF(22, TextTop(row)), &brush);
    const int cell = IconOf(*record);
    if (!iconStrip || cell < 0 || (cell + 1) * kIconCell > int(iconStrip->GetWidth())) return;
    target.DrawImage(iconStrip.get(), Rect(row.left + 3, row.top + 6, kIconCell, kIconCell), cell * kIconCell, 0,
                     kIconCell, kIconCell, UnitPixel);
}

int CxChkListBox::AddString(const wchar_t* text, int height, int value, int image, short checkedImage, int checked)
{
    return InsertString(-1, text, height, value, image, checkedImage, checked);
}

int CxChkListBox::InsertString(int index, const wchar_t* text, int height, int value, int image,
                               short checkedImage, int checked)
{
    ChkItemInfo record;
    record.image = short(image);
    record.value = value;
    record.text = text ? text : L"";
    record.checkedImage = checkedImage;
    record.checked = checked;
    return Insert(index, text, height, record);
}

void CxChkListBox::SetItemVal(int index, ItemCol col, ...)
{
    va_list args;
    va_start(args, col);
    SetItemValV(index, col, args);
    va_end(args);
}

void* CxChkListBox::GetItemVal(int index, ItemCol col, ...)
{
    va_list args;
    va_start(args, col);
    void* out = GetItemValV(index, col, args);
    va_end(args);
    return out;
}

void CxChkListBox::AddItem(int index, void* record)
{
    auto* own = static_cast<ChkItemInfo*>(CreateItemInfo());
    *own = *static_cast<const ChkItemInfo*>(record);
    SetItemData(index, reinterpret_cast<DWORD_PTR>(own));
}

void* CxChkListBox::CreateItemInfo() { return new ChkItemInfo; }

bool CxChkListBox::SetField(BmpItemInfo& record, int col, va_list args)
{
    auto* checkRecord = dynamic_cast<ChkItemInfo*>(&record);
    if (checkRecord && col == ColChk) {
        checkRecord->checked = va_arg(args, int);
        return true;
    }
    if (checkRecord && col == ColChkImg) {
        checkRecord->checkedImage = short(va_arg(args, int));
        return true;
    }
    return CxBmpListBox::SetField(record, col, args);
}

void* CxChkListBox::GetField(const BmpItemInfo& record, int col, va_list args)
{
    const auto* checkRecord = dynamic_cast<const ChkItemInfo*>(&record);
    if (checkRecord && col == ColChk) {
        auto* out = va_arg(args, int*);
        if (out) *out = checkRecord->checked;
        return out;
    }
    if (checkRecord && col == ColChkImg) {
        auto* out = va_arg(args, short*);
        if (out) *out = checkRecord->checkedImage;
        return out;
    }
    return CxBmpListBox::GetField(record, col, args);
}

int CxChkListBox::IconOf(const BmpItemInfo& record) const
{
    const auto* checkRecord = dynamic_cast<const ChkItemInfo*>(&record);
    return checkRecord && checkRecord->checked ? checkRecord->checkedImage : record.image;
}

LRESULT CxChkListBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN) return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    return CxBmpListBox::WindowProc(msg, wParam, lParam);
}

LRESULT CxChkListBox::OnLButtonDown(UINT flags, CPoint point)
{
    BOOL outside = FALSE;
    const int item = int(ItemFromPoint(point, outside));
    CRect row;
    auto* record = dynamic_cast<ChkItemInfo*>(Record(item));
    if (record && GetItemRect(item, &row) != LB_ERR && point.x >= row.left && point.x < row.left + kIconCell &&
        point.y >= row.top && point.y < row.bottom) {
        record->checked = record->checked ? 0 : 1;
        lastCheck = item;
        ::SendMessageW(::GetParent(m_hWnd), WM_USER, reinterpret_cast<WPARAM>(this), LPARAM(item));
    }
    return CxListBox::OnLButtonDown(flags, point);
}
