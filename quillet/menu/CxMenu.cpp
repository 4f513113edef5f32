#include "menu/CxMenu.h"

#include "framework/Wnd.h"

#include <algorithm>

namespace {

constexpr int kStripWidth = 23;
constexpr int kSliceHeight = 22;
constexpr int kRowHeight = 22;
constexpr int kSeparatorHeight = 5;
constexpr int kTextPadding = 16;
constexpr int kTextX = 26;
constexpr int kIconOffset = 2;

constexpr COLORREF kRowFill = RGB(246, 246, 246);
constexpr COLORREF kHighlightFill = RGB(232, 238, 230);
constexpr COLORREF kHighlightTopLeft = RGB(210, 210, 210);
constexpr COLORREF kHighlightBottomRight = RGB(170, 170, 170);
constexpr COLORREF kNewHighlightShadow = RGB(229, 229, 229);
constexpr COLORREF kShadow = RGB(200, 200, 200);
constexpr COLORREF kDisabledText = RGB(168, 168, 168);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kEtchDark = RGB(182, 178, 170);
constexpr COLORREF kFrameColours[] = {RGB(172, 168, 153), RGB(245, 245, 245), RGB(255, 255, 255)};

// Copies the 23-pixel-wide slice of strip that belongs to the item at position to (0, 0) of dc.
void CopyStripSlice(CDC* dc, CBitmap& strip, int position, int height)
{
    CMemoryDC stripDc(dc);
    CSelectionGuard selected = stripDc.SelectObject(strip);
    dc->BitBlt(0, 0, kStripWidth, height, &stripDc, 0, position * kSliceHeight, SRCCOPY);
}

HGDIOBJ FontHandle(CFont* font) { return font ? font->GetSafeHandle() : nullptr; }

}  // namespace

CxMenu::~CxMenu() { FreeBuffer(); }

void CxMenu::FreeBuffer() { items.clear(); }

void CxMenu::SetAtt(UINT id, CWnd* wnd)
{
    owner = wnd;
    menuFont = owner ? CFont::FromHandle(owner->GetFont()) : nullptr;
    leftStrip.LoadBitmap(id);
}

int CxMenu::GetMenuLength(CString& text)
{
    CClientDC dc(owner);
    CSize size = dc.GetTextExtent(text, text.GetLength());
    textHeight = size.cy;
    return size.cx + kTextPadding;
}

void CxMenu::RemapMenu(CMenu* menu)
{
    if (!menu) return;
    itemWidth = 0;
    const int count = menu->GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        UINT id = menu->GetMenuItemID(position);
        auto record = std::make_unique<MenuItemData>();
        menu->GetMenuString(position, record->text, MF_BYPOSITION);
        itemWidth = std::max(itemWidth, GetMenuLength(record->text));
        record->position = position;
        SetBitmaps(id, *record);
        GetMenuLength(record->text);

        // By position: an item that opens a submenu or a separator has no command id of its own to look it up by.
        MENUITEMINFOW state{};
        state.cbSize = sizeof(state);
        state.fMask = MIIM_STATE;
        if (!menu->GetMenuItemInfo(position, &state, TRUE)) state.fState = 0;
        // MFS_GRAYED covers both bits: an item greyed by EnableMenuItem(MF_GRAYED) carries only the low one.
        record->enabled = (state.fState & MFS_GRAYED) ? 0 : 1;
        UINT flags = MF_BYPOSITION | MF_OWNERDRAW | (record->enabled ? 0 : MF_DISABLED);
        UINT_PTR newId = id;
        if (CMenu* submenu = menu->GetSubMenu(position)) {
            // Replacing an item without MF_POPUP would destroy the submenu it opens.
            flags |= MF_POPUP;
            newId = reinterpret_cast<UINT_PTR>(submenu->GetSafeHmenu());
        } else if (id == 0) {
            // Still a separator: the system neither highlights nor chooses it.
            flags |= MF_SEPARATOR;
        }
        menu->ModifyMenu(position, flags, newId, reinterpret_cast<const wchar_t*>(record.get()));
        items.push_back(std::move(record));
    }
}

CImage* CxMenu::SetBitmaps(UINT, CImage&) { return nullptr; }

void CxMenu::OnMeasureItem(int, MEASUREITEMSTRUCT* record)
{
    if (!record || record->CtlType != ODT_MENU) return;
    record->itemWidth = itemWidth;
    record->itemHeight = record->itemID == 0 ? kSeparatorHeight : kRowHeight;
}

void CxMenu::OnDrawItem(int, DRAWITEMSTRUCT* record)
{
    if (!record || record->CtlType != ODT_MENU || !leftStrip.GetSafeHandle()) return;
    auto* item = reinterpret_cast<MenuItemData*>(record->itemData);
    if (!item) return;
    CDC dc(record->hDC);
    CSelectionGuard dcFont = dc.SelectObject(FontHandle(menuFont));
    CMemoryDC memory(&dc);
    const CRect row(record->rcItem);
    if (!rowBuffer.CreateDiscardableBitmap(&dc, row.Width() + kStripWidth, row.Height())) return;
    CSelectionGuard buffer = memory.SelectObject(rowBuffer);
    CSelectionGuard memoryFont = memory.SelectObject(FontHandle(menuFont));
    // Text cells would otherwise be filled with the context's background colour over the row.
    memory.SetBkMode(TRANSPARENT);
    DrawMenuFrame(&dc);

    if (record->itemID == 0) {
        DrawLeftImage(&memory, record->itemAction, 1, row, record->itemID, item);
        DrawMenuSeparator(&memory, item, leftStrip, itemWidth, kSeparatorHeight);
        dc.BitBlt(0, row.top, row.Width() + kStripWidth, row.Height(), &memory, 0, 0, SRCCOPY);
    } else if (record->itemAction == ODA_SELECT) {
        DrawSelection(dc, memory, record, item);
    } else {
        CRect previous = item->lastRect;
        PaintRow(dc, memory, record, item, true, item->text, &previous, row);
    }
}

void CxMenu::DrawSelection(CDC& dc, CDC& memory, DRAWITEMSTRUCT* record, MenuItemData* item)
{
    // The system sends ODA_SELECT twice when the highlight moves, for the losing item and then for the gaining
    // one, and its item state is not reliable for telling them apart: the remembered text is.
    HMENU menu = reinterpret_cast<HMENU>(record->hwndItem);
    if (::GetSubMenu(menu, 0) == nullptr) selText = item->text;
    const CRect row(record->rcItem);
    const bool gaining = item->lastText != item->text;
    PaintRow(dc, memory, record, item, true, item->text, nullptr, row);

    auto remembered = lastHighlight.find(menu);
    if (remembered != lastHighlight.end() && remembered->second) {
        MenuItemData* lost = remembered->second;
        CRect lostRow = lost->lastRect;
        PaintRow(dc, memory, record, lost, false, lost->lastText, &lostRow, lostRow);
        lost->lastText.Empty();
        lastHighlight.erase(remembered);
    }
    if (gaining) {
        item->lastRect = row;
        item->lastText = item->text;
        lastHighlight[menu] = item;
    } else {
        item->lastText.Empty();
    }
}

void CxMenu::PaintRow(CDC& dc, CDC& memory, DRAWITEMSTRUCT* record, MenuItemData* item, bool highlighted,
                      const CString& text, CRect* previous, const CRect& row)
{
    CString shown = text;
    DrawMenuItemBackGround(&memory, leftStrip, item, record->itemAction, highlighted);
    DrawTextW(&memory, shown, record->itemAction, row, previous, record, item);
    DrawLeftImage(&memory, record->itemAction, highlighted ? 1 : 0, row, record->itemID, item);
    const int left = record->rcItem.left;
    dc.BitBlt(0, row.top, row.right - left + kStripWidth, row.Height(), &memory, 0, 0, SRCCOPY);
}

void CxMenu::DrawMenuItemBackGround(CDC* dc, CBitmap& strip, MenuItemData* item, UINT action, bool highlighted)
{
    CopyStripSlice(dc, strip, item->position, kSliceHeight);
    dc->SetTextColor(kBlack);
    if (action == ODA_SELECT && highlighted && item->enabled) {
        dc->FillSolidRect(kStripWidth, 0, itemWidth, kRowHeight, kHighlightFill);
        dc->Draw3dRect(CRect(1, 0, itemWidth + 12, kRowHeight), kHighlightTopLeft, kHighlightBottomRight);
    } else {
        dc->FillSolidRect(kStripWidth, 0, itemWidth, kRowHeight, kRowFill);
    }
}

void CxMenu::DrawTextW(CDC* dc, CString& text, UINT action, CRect rect, CRect* previous, DRAWITEMSTRUCT*,
                       MenuItemData* item)
{
    // Mnemonic marks are not underlined: the & signs are simply left out.
    CString shown = text;
    shown.Remove(L'&');
    const int y = (rect.Height() - textHeight) / 2 + 1;
    if (item->enabled) {
        const bool newlyHighlighted = action == ODA_SELECT && previous == nullptr;
        COLORREF textColour = dc->SetTextColor(newlyHighlighted ? kNewHighlightShadow : kShadow);
        dc->TextOut(kTextX + 1, y + 1, shown, shown.GetLength());
        dc->SetTextColor(textColour);
    } else {
        dc->SetTextColor(kWhite);
        dc->TextOut(kTextX + 1, y + 1, shown, shown.GetLength());
        dc->SetTextColor(kDisabledText);
    }
    dc->TextOut(kTextX, y, shown, shown.GetLength());
}

void CxMenu::DrawLeftImage(CDC* dc, UINT, int, CRect, UINT, MenuItemData* item)
{
    if (!item || item->IsNull()) return;
    const int half = item->GetWidth() / 2;
    // Icons hold two equal halves side by side: the normal look, then the disabled one.
    const int sourceX = item->enabled ? 0 : half;
    item->Draw(dc->GetSafeHdc(), kIconOffset, kIconOffset, half, item->GetHeight(), sourceX, 0, half,
               item->GetHeight());
}

void CxMenu::DrawMenuSeparator(CDC* dc, MenuItemData* item, CBitmap& strip, int width, int height)
{
    CopyStripSlice(dc, strip, item->position, height);
    dc->FillSolidRect(CRect(kStripWidth, 0, width + 13, height), kRowFill);
    dc->Draw3dRect(CRect(1, 1, width + 11, height - 2), kEtchDark, kWhite);
}

void CxMenu::DrawMenuFrame(CDC* dc)
{
    HWND hwnd = ::WindowFromDC(dc->GetSafeHdc());
    if (!hwnd) return;
    CWnd* wnd = CWnd::FromHandle(hwnd);
    CRect rect;
    wnd->GetWindowRect(&rect);
    CWindowDC windowDc(wnd);
    CRect line(0, 0, rect.Width(), rect.Height());
    for (COLORREF colour : kFrameColours) {
        windowDc.Draw3dRect(line, colour, colour);
        line.DeflateRect(1, 1);
    }
}

void CxMenu::EnableMenuItem(CMenu* menu, UINT id, int enable)
{
    if (menu) menu->EnableMenuItem(id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_DISABLED));
}

void CxMenu::SetMenuText(CMenu* menu, UINT id, const CString& text)
{
    if (menu) menu->ModifyMenu(id, MF_BYCOMMAND | MF_STRING, id, text);
}
