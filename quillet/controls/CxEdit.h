#pragma once
// CxEdit: an edit control whose face the toolkit paints (tint, sunken frame, selection band, text, caret), since
// a layered dialog shows neither the native edit's painting nor its caret; the native edit still does all the
// editing; a multi-line edit paints skinned scroll bars over its native ones. CxIconEdit: a single-line variant
// with an icon at the left and the text drawn with GDI+.
#include "controls/CxSrlBar.h"
#include "skin/CxWnd.h"

#include "framework/Controls.h"
#include "framework/Image.h"

#include <memory>

class QUILLET_API CxEdit : public CEdit, public CxSrlBar, public CxWnd {
    DECLARE_DYNAMIC(CxEdit)
public:
    // Where the selection band and the caret go, in client coordinates.
    struct Band {
        CPoint start;
        int endX;
        int height;
    };

    CxEdit() = default;
    // Stops the caret timer and releases the tints.
    ~CxEdit() override;

    // Both bases have a GetRect: the formatting rectangle (CEdit) and the control's rectangle (CxWnd).
    using CEdit::GetRect;
    using CxWnd::GetRect;

    // Attaches the skin part, sets the default tints (opaque white, blue at alpha 0x50) and notes ES_MULTILINE.
    void PreSubclassWindow() override;
    // Background tint; its alpha is the tint's opacity. No redraw.
    void SetBgmColor(Gdiplus::Color c);
    // Selection tint; its alpha is the band's opacity. No redraw.
    void SetSelColor(Gdiplus::Color c);
    // Takes the scroll bar skins (bitmap resources: vertical atlas, horizontal atlas, corner glyph).
    void SetAtt(UINT vertId, UINT horzId, UINT cornerId);
    // The selection band (empty when start and end agree), also the caret's place at its start.
    Band GetBand();
    // The client position of a character; the index after the last character lies just past that character.
    CPoint CharPos(int index);

    // Paints the background copy, tint, frame, band, text and caret, and the scroll bars of a multi-line edit.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    // Draws the visible text with GDI into dc.
    virtual void DrawTextW(CDC& dc);

    // Routes the input, focus, timer and scroll messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Redraws after a change made outside the handlers below (Delete, paste, cut, undo); the parent still sees it.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Default processing, then a redraw (characters, clicks and scrolling).
    LRESULT OnDefaultAndRedraw();
    // Toggles the caret on the blink timer.
    LRESULT OnTimer(UINT_PTR id);
    // Starts the blink timer unless the edit is read-only; the caret first shows at the first tick.
    LRESULT OnSetFocus();
    // Stops the blink timer and hides the caret at once.
    LRESULT OnKillFocus();
    // Redraws while a selection exists, so that the band follows a drag.
    LRESULT OnMouseMove();
    // Redraws after the arrow keys.
    LRESULT OnKeyDown(UINT vk);
    // Redraws a multi-line edit, whose scroll bars show the look under the cursor.
    LRESULT OnNcMouseMove();

protected:
    // The visible part of a line of a multi-line edit; the whole text of a single-line edit.
    CString GetViewText(int line);
    // The number of lines shown when the edit is scrolled to its end.
    int GetViewCount();

    int caretOn = 0;
    CImage backFill;
    CImage selFill;
    Gdiplus::ARGB bgmColor = 0xFF000000;
    Gdiplus::ARGB selColor = 0xFF000000;
    int blinking = 0;
    int multiLine = 0;
    // Set while a handler's default processing runs, whose own redraw follows.
    int inInput = 0;
};

class QUILLET_API CxIconEdit : public CxEdit {
    DECLARE_DYNAMIC(CxIconEdit)
public:
    CxIconEdit() = default;
    // Deletes the icon and the font.
    ~CxIconEdit() override;

    // Takes the icon (two looks side by side; the left one is shown) and makes the text font from the edit's.
    void SetAtt(IStream* iconStream);
    // Draws the whole text with GDI+ right of the icon, then the icon.
    void DrawTextW(CDC& dc) override;

protected:
    std::unique_ptr<Gdiplus::Image> icon;
    std::unique_ptr<Gdiplus::Font> textFont;
};
