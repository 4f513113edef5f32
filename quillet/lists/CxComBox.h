#pragma once
// CxComBox: the skinned drop-down combo box. The closed field is painted through the skin (tint, sunken frame,
// current text, drop-down arrow); the drop-down list is owner-drawn with zebra rows and a framed selection.
// Every item carries a 32-bit application value. CxBmpComBox adds an icon from a strip before every item.
#include "skin/CxWnd.h"

#include "framework/ListControls.h"

#include <cstdarg>
#include <memory>

class QUILLET_API CxComBox : public CComboBox, public CxWnd {
    DECLARE_DYNAMIC(CxComBox)
public:
    CxComBox() = default;
    // Destroys the window while DeleteItem can still free the records, then the arrow and the font.
    ~CxComBox() override;

    // Makes the list owner-drawn with fixed heights, keeping the item texts.
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // Takes the control as the skin's window and paints it white.
    void PreSubclassWindow() override;
    // Loads the drop-down arrow and makes the item font from the control's font.
    void SetAtt(IStream* arrow);
    // The closed field's tint, blended over the skin background with the colour's alpha.
    void SetBgmColor(Gdiplus::Color colour) { bgmColor = colour.GetValue(); }
    // Adds an item with its value; returns its index or a negative error.
    int AddString(const wchar_t* text, DWORD colour);
    // Inserts an item with its value at index (-1: at the end).
    int InsertString(int index, const wchar_t* text, DWORD colour);
    // Writes an item's value; nothing for a bad index or an item without a record.
    void SetItemColor(int index, DWORD colour);
    // An item's value; 0 for a bad index or an item without a record.
    DWORD GetItemColor(int index) const;
    // The list text of the item being drawn.
    CString GetItemText(DRAWITEMSTRUCT* item) const;

    // Paints a list row: background and frame, then text. Nothing for the empty field (item id -1).
    void DrawItem(DRAWITEMSTRUCT* item) override;
    // Frees the item's record.
    void DeleteItem(DELETEITEMSTRUCT* item) override;
    // The closed field: background, tint, frame, current text, arrow.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    // The current item's text in the closed field; nothing without a current item.
    virtual void DrawTextW(Gdiplus::Graphics& target);
    using CxWnd::DrawTextW;
    // A list row's text at x 3.
    virtual void DrawItemText(CDC* dc, DRAWITEMSTRUCT* item);
    // A list row's background (zebra or selected) and frame.
    virtual void DrawItemBgm(CDC* dc, DRAWITEMSTRUCT* item);

    // Repaints the field and reports WM_USER (this box, 0) when the selection changes; the parent still gets
    // the notification afterwards.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Routes the erase message to the skin.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    // One item's record: the value, and the icon cell of CxBmpComBox.
    struct ItemInfo {
        DWORD value = 0;
        int image = 0;
    };
    // The record of an item, or null for a bad index or an item without one.
    ItemInfo* Record(int index) const;
    // Adds the native item and attaches its record.
    int Insert(int index, const wchar_t* text, const ItemInfo& record);
    // Draws text with the item font in the text colour into layout.
    void DrawItemString(Gdiplus::Graphics& target, const wchar_t* text, const Gdiplus::RectF& layout) const;

    Gdiplus::ARGB bgmColor = 0xFF000000;
    std::unique_ptr<Gdiplus::Image> dropArrow;
    std::unique_ptr<Gdiplus::Font> itemFont;
};

class QUILLET_API CxBmpComBox : public CxComBox {
    DECLARE_DYNAMIC(CxBmpComBox)
public:
    enum ItemCol { ColVal = 0, ColImg = 1 };

    CxBmpComBox() = default;
    // Deletes the icon strip.
    ~CxBmpComBox() override;

    // Loads the icon strip (18-pixel cells), makes list rows 23 pixels high, then as CxComBox::SetAtt.
    void SetAtt(IStream* arrow, IStream* icons);
    // Adds an item with its icon cell and value.
    int AddString(const wchar_t* text, int image, DWORD value);
    // Inserts an item with its icon cell and value at index (-1: at the end).
    int InsertString(int index, const wchar_t* text, int image, DWORD value);
    // Sets ColVal (DWORD) or ColImg (short) from the next argument; nothing for other columns or a bad item.
    void SetItemVal(int index, ItemCol col, ...);
    // Copies ColVal (to a DWORD*) or ColImg (to a short*) and returns the destination; null otherwise.
    void* GetItemVal(int index, ItemCol col, ...);

    // The current item's icon and text in the closed field.
    void DrawTextW(Gdiplus::Graphics& target) override;
    // A list row's text at x 21.
    void DrawItemText(CDC* dc, DRAWITEMSTRUCT* item) override;
    // A list row's background and frame, then its icon.
    void DrawItemBgm(CDC* dc, DRAWITEMSTRUCT* item) override;

protected:
    // Draws icon cell image of the strip with its top-left at (x, y).
    void DrawIcon(Gdiplus::Graphics& target, int image, int x, int y) const;

    std::unique_ptr<Gdiplus::Image> iconStrip;
};
