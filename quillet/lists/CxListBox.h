#pragma once
// Skinned list boxes on the native owner-drawn list box: CxListBox paints text rows over the skin background
// with a translucent tint, a framed selection tint and the skinned scroll bar; CxBmpListBox adds an icon and a
// record per item; CxChkListBox makes the icon a check box the user toggles.
#include "controls/CxSrlBar.h"
#include "skin/CxWnd.h"

#include "framework/ListControls.h"

#include <cstdarg>
#include <memory>
#include <vector>

class QUILLET_API CxListBox : public CListBox, public CxWnd, public CxSrlBar {
    DECLARE_DYNAMIC(CxListBox)
public:
    CxListBox() = default;

    // Takes the control as the skin's window and sets the default tints.
    void PreSubclassWindow() override;
    // Loads the scroll bar skins: vertical atlas, horizontal atlas and corner glyph bitmap resources.
    void SetAtt(UINT vertId, UINT horzId, UINT cornerId);
    // The background tint, blended over the skin background with the colour's alpha.
    void SetBgmColor(Gdiplus::Color colour) { bgmColor = colour.GetValue(); }
    // The selection tint, blended under selected rows with the colour's alpha.
    void SetSelColor(Gdiplus::Color colour) { selColor = colour.GetValue(); }
    // Adds a row; a non-zero height becomes the row's height. Returns its index, or a negative error.
    int AddString(const wchar_t* text, int height);
    // Inserts a row at index (-1: at the end); a non-zero height becomes the row's height.
    int InsertString(int index, const wchar_t* text, int height);
    // Replaces an item's text, keeping its height, its record and its selection. Nothing for a bad index.
    void SetItemText(UINT index, const wchar_t* text);

    // Rows are painted through the skin only.
    void DrawItem(DRAWITEMSTRUCT* item) override;
    // Heights are given by AddString and InsertString.
    void MeasureItem(MEASUREITEMSTRUCT* item) override;
    // Background, tint, rows, scroll bar (under a layered parent) and frame.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    // The two-line sunken frame, when the frame switch is on.
    virtual void DrawNcImage(Gdiplus::Graphics& target, Gdiplus::RectF& area);
    // Paints the visible rows: selection, then the row's content.
    virtual void DrawTextW(Gdiplus::Graphics& target);
    using CxWnd::DrawTextW;
    // The selection tint and its frame for a row (client coordinates).
    virtual void DrawSel(Gdiplus::Graphics& target, CRect row);

    // Routes scrolling, mouse, key and non-client messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Repaints after a selection change reported by the box itself; the parent still gets the notification.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Selects as the click rule says, then lets the box handle the click.
    LRESULT OnLButtonDown(UINT flags, CPoint point);
    // Selects the item nearest the point (single selection) before the box's own handling.
    LRESULT OnRButtonDown(UINT flags, CPoint point);
    // Follows the pointer over the scroll bars with hot parts, under a layered parent only.
    LRESULT OnNcMouseMove(UINT hitTest, CPoint point);
    // Drops the hot part when the pointer leaves the scroll bars.
    LRESULT OnNcMouseLeave();
    // Lets the box scroll, select or move, then repaints.
    LRESULT DefaultThenRedraw();

protected:
    // Paints one row's content: its text at x 4, centred on the row (client coordinates, font of the box).
    virtual void DrawRow(Gdiplus::Graphics& target, int index, const CRect& row, const Gdiplus::Font& font,
                         const Gdiplus::Brush& brush);
    // The selected indices: the current item of a single-selection box, every selected item otherwise.
    void GetSelItem(std::vector<int>& out) const;
    // The vertical text origin of a row: a few pixels above its middle.
    static Gdiplus::REAL TextTop(const CRect& row);
    // True when index names an item of the box.
    bool IsItem(int index) const { return index >= 0 && index < GetCount(); }

    Gdiplus::ARGB bgmColor = 0xFF000000;
    Gdiplus::ARGB selColor = 0xFF000000;
};

class QUILLET_API CxBmpListBox : public CxListBox {
    DECLARE_DYNAMIC(CxBmpListBox)
public:
    enum ItemCol { ColImg = 0, ColVal = 1, ColText = 2 };

    // One item's record: icon cell, application value and the text that is drawn.
    struct BmpItemInfo {
        virtual ~BmpItemInfo() = default;
        short image = 0;
        int value = 0;
        CString text;
    };

    CxBmpListBox() = default;
    // Destroys the window while DeleteItem can still free the records, then the icon strip.
    ~CxBmpListBox() override;

    // Loads the icon strip (18 x 18 cells side by side) and the scroll bar skins.
    void SetAtt(UINT vertId, UINT horzId, UINT cornerId, IStream* icons);
    // Adds a row with its record {image, value, text}; a non-zero height becomes the row's height.
    int AddString(const wchar_t* text, int height, int image, int value);
    // Inserts a row with its record at index (-1: at the end).
    int InsertString(int index, const wchar_t* text, int height, int image, int value);
    // Replaces an item's text in the box and in its record, keeping the record.
    void SetItemText(UINT index, const wchar_t* text);
    // Sets one field of an item's record from the next argument: short for ColImg, int for ColVal,
    // const wchar_t* for ColText. Nothing for other columns, a bad index or an item without a record.
    void SetItemVal(int index, ItemCol col, ...);
    // Copies one field to the destination the next argument points at (short*, int* or CString*) and returns
    // that pointer; null for other columns, a bad index or an item without a record.
    void* GetItemVal(int index, ItemCol col, ...);

    // Frees the item's record.
    void DeleteItem(DELETEITEMSTRUCT* item) override;
    // Attaches a copy of record (a BmpItemInfo) to the item at index.
    virtual void AddItem(int index, void* record);
    // A new empty record of this box's kind.
    virtual void* CreateItemInfo();

protected:
    // The record of an item, or null for a bad index or an item without one.
    BmpItemInfo* Record(int index) const;
    // SetItemVal and GetItemVal on their argument lists.
    void SetItemValV(int index, int col, va_list args);
    void* GetItemValV(int index, int col, va_list args);
    // Sets or reads field col of a record from or into args; false for a column the box does not have.
    virtual bool SetField(BmpItemInfo& record, int col, va_list args);
    virtual void* GetField(const BmpItemInfo& record, int col, va_list args);
    // The icon cell drawn for a record.
    virtual int IconOf(const BmpItemInfo& record) const { return record.image; }
    // Paints the record's text at x 22 and its icon at the row's left.
    void DrawRow(Gdiplus::Graphics& target, int index, const CRect& row, const Gdiplus::Font& font,
                 const Gdiplus::Brush& brush) override;
    // Adds the native item and attaches the record; then the height.
    int Insert(int index, const wchar_t* text, int height, BmpItemInfo& record);

    std::unique_ptr<Gdiplus::Image> iconStrip;
};

class QUILLET_API CxChkListBox : public CxBmpListBox {
    DECLARE_DYNAMIC(CxChkListBox)
public:
    enum ItemCol { ColImg = 0, ColVal = 1, ColText = 2, ColChk = 3, ColChkImg = 4 };

    // A record with a check state and the icon cell shown while checked.
    struct ChkItemInfo : BmpItemInfo {
        short checkedImage = 0;
        int checked = 0;
    };

    CxChkListBox() = default;

    // Adds a row with its record; value comes before image here.
    int AddString(const wchar_t* text, int height, int value, int image, short checkedImage, int checked);
    // Inserts a row with its record at index (-1: at the end).
    int InsertString(int index, const wchar_t* text, int height, int value, int image, short checkedImage,
                     int checked);
    // As CxBmpListBox::SetItemVal, with ColChk (int) and ColChkImg (short).
    void SetItemVal(int index, ItemCol col, ...);
    // As CxBmpListBox::GetItemVal, with ColChk (int*) and ColChkImg (short*).
    void* GetItemVal(int index, ItemCol col, ...);
    // The index of the item whose check the user last toggled; -1 before any.
    int GetLastCheck() const { return lastCheck; }

    // Attaches a copy of record (a ChkItemInfo) to the item at index.
    void AddItem(int index, void* record) override;
    void* CreateItemInfo() override;

    // Routes the left button, then the messages of CxListBox.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A click on a row's check cell toggles it and reports WM_USER (this box, index); then the click rule.
    LRESULT OnLButtonDown(UINT flags, CPoint point);

protected:
    bool SetField(BmpItemInfo& record, int col, va_list args) override;
    void* GetField(const BmpItemInfo& record, int col, va_list args) override;
    int IconOf(const BmpItemInfo& record) const override;

    int lastCheck = -1;
};
