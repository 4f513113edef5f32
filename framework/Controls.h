#pragma once
// The simple control classes (button, edit, static, trackbar, progress bar, tooltip): CWnd with the
// control's messages as named operations.
#include "Wnd.h"

#include <commctrl.h>

// Registers the common-control classes (InitCommonControlsEx) that a control of the given ICC_* family needs.
FW_API void AfxEnsureCommonControls(DWORD classes);

// A button; owner-drawn buttons get their WM_DRAWITEM in DrawItem.
class FW_API CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    virtual BOOL Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // BM_GETCHECK / BM_SETCHECK: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int check);
    // Paints an owner-drawn button; the default paints nothing.
    virtual void DrawItem(DRAWITEMSTRUCT* item);
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// An edit control.
class FW_API CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // EM_GETSEL: first selected character and the one after the selection.
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    // Index of the first character of a line (-1: the caret's line).
    int LineIndex(int line = -1) const;
    // Copies up to maxLength characters of a line into buffer (not terminated); returns the count copied.
    int GetLine(int line, wchar_t* buffer, int maxLength) const;
    // Client position of a character, from the signed words of EM_POSFROMCHAR.
    CPoint PosFromChar(UINT index) const;
    // EM_CHARFROMPOS: character index in the low word, line in the high word.
    int CharFromPos(CPoint point) const;
    // The formatting rectangle (EM_GETRECT).
    void GetRect(LPRECT rect) const;
};

// A static control.
class FW_API CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    virtual BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The bitmap (SS_BITMAP) or icon (SS_ICON) the control shows; the control keeps ownership.
    HBITMAP GetBitmap() const;
    HICON GetIcon() const;
};

// A trackbar.
class FW_API CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetPos() const;
    void SetPos(int position);
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void GetChannelRect(LPRECT rect) const;
    void GetThumbRect(LPRECT rect) const;
};

// A progress bar.
class FW_API CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // PBM_SETRANGE: 16-bit bounds.
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int GetPos() const;
    // Returns the previous position.
    int SetPos(int position);
    int SetStep(int step);
    // Advances by the step; returns the previous position.
    int StepIt();
};

// A tooltip window for the tools of its parent.
class FW_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // Creates the tooltip window (TTS_* style bits) owned by parent.
    virtual BOOL Create(CWnd* parent, DWORD style = 0);
    // TTM_SETDELAYTIME for one of the TTDT_* durations, in milliseconds.
    void SetDelayTime(DWORD duration, int milliseconds);
    // Registers a tool: the whole window wnd when rect is null and id 0, else rect of wnd under id.
    BOOL AddTool(CWnd* wnd, const wchar_t* text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    // Number of registered tools.
    int GetToolCount() const;
    // Hands a mouse message to the tooltip (TTM_RELAYEVENT) so it can show and hide itself.
    void RelayEvent(MSG* msg);
};
