#pragma once
// CxChkBtn: a check box drawn from a nine-frame skin strip with its caption right of the box; a click
// toggles the native check state and reports it to the parent. CxRadBtn: a check button of a CxRadGroup,
// which a click makes the group's only checked button. CxRadGroup sets a group up and reads its value.
#include "controls/CxBtn.h"

#include <vector>

class QUILLET_API CxChkBtn : public CxBtn {
    DECLARE_DYNAMIC(CxChkBtn)
public:
    CxChkBtn() = default;

    // Source x of the strip frame for the current state (disabled, checked, pressed, hover), as float.
    float GetPos(int frameWidth) override;
    // Without a caption, resizes the window to one strip frame keeping its position; with one, keeps its size.
    void ReclacWnd() override;
    // The size of one strip frame: (image width / 9, image height).
    Gdiplus::SizeF GetImgSize() override;
    // Draws the caption right of the box, in the text colour whether enabled or not.
    void DrawTextW(Gdiplus::Graphics& target, Gdiplus::RectF& area) override;

    // Makes the native button a plain check box, which keeps a check state but never toggles on its own.
    void PreSubclassWindow() override;
    // Routes the release, key and paint messages, then those of CxBtn.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Releases the button; a release over it also toggles the check and reports the new state as WM_USER.
    LRESULT OnLButtonUp(UINT flags, CPoint point);
    // A space released after a space press clicks the box as the mouse does.
    LRESULT OnKeyUp(UINT key, UINT repeat, UINT flags);
    // Validates the window without painting: the box is drawn only through its skin.
    LRESULT OnPaint();

protected:
    // The check state a click gives a box whose state is state: the opposite (indeterminate clears).
    virtual int NextCheck(int state);
    // Sets the state a click gives, redraws and sends WM_USER (this object, new state) to the parent.
    void Toggle();
    // True when the cursor is over the window, right and bottom edges excluded.
    bool CursorInside() const;
};

class CxRadGroup;

class QUILLET_API CxRadBtn : public CxChkBtn {
    DECLARE_DYNAMIC(CxRadBtn)
    friend class CxRadGroup;
public:
    CxRadBtn() = default;

    // Routes the release and key messages, then those of CxChkBtn.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Releases the button; wherever the release is, the button ends the only checked one of its group.
    LRESULT OnLButtonUp(UINT flags, CPoint point);
    // A space click checks the button and unchecks its group mates.
    LRESULT OnKeyUp(UINT key, UINT repeat, UINT flags);

protected:
    // Configures the button as CxBtn::SetAtt does and joins it to grp (without adding it to grp's list).
    void SetAtt(IStream* strip, CxRadGroup* grp, Gdiplus::Font* font, int textTop, int copyBackground,
                Gdiplus::Color textColour);
    // A click always leaves a radio button checked.
    int NextCheck(int state) override;
    // Checks this button and unchecks every other button of the group, redrawing each.
    void CheckAlone();

    CxRadGroup* group = nullptr;
};

class QUILLET_API CxRadGroup {
public:
    CxRadGroup() = default;
    virtual ~CxRadGroup() = default;
    CxRadGroup(const CxRadGroup&) = delete;
    CxRadGroup& operator=(const CxRadGroup&) = delete;

    // Configures count buttons (the CxRadBtn* arguments that follow) with one strip stream, in that order,
    // and makes them this group. Nothing happens for a count below 1.
    void QUILLET_CDECL SetAtt(IStream* strip, Gdiplus::Font* font, int textTop, int copyBackground,
                              Gdiplus::Color textColour, int count, ...);
    // Checks the button at index and unchecks the others; an index outside the group unchecks all. No redraw.
    void SetVal(int index);
    // The index of the first checked button, or -1 when none is.
    int GetVal() const;
    // The group's buttons, in the order given to SetAtt.
    const std::vector<CxRadBtn*>& GetButtons() const { return buttons; }

protected:
    std::vector<CxRadBtn*> buttons;
};
