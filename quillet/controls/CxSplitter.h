#pragma once
// CxSplitter: a vertical bar between two panes that the user drags sideways. Each drag step is offered to the
// parent as WM_USER (wParam = the splitter, lParam = dx); the bar moves only when the parent accepts, and it
// adds up the accepted steps for the parent's next layout.
#include "skin/CxWnd.h"

#include "framework/Controls.h"
#include "framework/Image.h"

class QUILLET_API CxSplitter : public CButton, public CxWnd {
    DECLARE_DYNAMIC(CxSplitter)
public:
    CxSplitter() = default;
    // Releases the grip image.
    ~CxSplitter() override;

    // Takes the grip image and gives the bar its width, keeping position and height; the cursor becomes size-WE.
    void SetAtt(IStream* grip);
    // The sum of the accepted drag steps since construction.
    int GetPos() const { return offset; }

    // Stretches the grip's last row over the bar's height, then draws the whole grip centred on it.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;

    // Routes the mouse and cursor messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Starts a drag: remembers where it began and captures the mouse.
    LRESULT OnLButtonDown(UINT flags, CPoint point);
    // Ends the drag's capture.
    LRESULT OnLButtonUp(UINT flags, CPoint point);
    // While the left button is down, offers the step to the parent; moves on acceptance, ends the drag on refusal.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Shows the size-WE cursor; always TRUE.
    BOOL OnSetCursor();

protected:
    CImage gripImage;
    int dragX = 0;
    HCURSOR cursor = nullptr;
    int offset = 0;
};
