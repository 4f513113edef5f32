#pragma once
// CxBtn: a push button drawn from a seven-frame skin strip with its caption on top; it tracks hover, press
// and focus itself and sends its own WM_COMMAND. CxBmpBtn adds a two-look icon and a caption at a fixed point.
#include "skin/CxWnd.h"

#include "framework/Controls.h"

#include <memory>

class QUILLET_API CxBtn : public CButton, public CxWnd {
    DECLARE_DYNAMIC(CxBtn)
public:
    CxBtn() = default;
    // Deletes the strip and destroys the tooltip.
    ~CxBtn() override;

    // Source x of the strip frame for the current state (disabled, pressed, hover, focus), as float.
    virtual float GetPos(int frameWidth);
    // Resizes the window to one strip frame, keeping its position, without repainting.
    virtual void ReclacWnd();
    // The size of one strip frame: (image width / 7, image height).
    virtual Gdiplus::SizeF GetImgSize();

    // Configures the button once: strip, borrowed caption font, caption offset, background copy, text colour.
    void SetAtt(IStream* strip, Gdiplus::Font* font, int textTop, int copyBackground, Gdiplus::Color textColour);
    // Moves by deltas; the size is the frame size plus dw, dh. No redraw.
    void Move(int dx, int dy, int dw, int dh);
    // Moves to (x, y) in the parent's window frame at w x h; -1 keeps the position or takes the frame size.
    void MoveTo(int x, int y, int w, int h);
    // Creates the tooltip (shown after 100 ms) with text for the whole button.
    void SetTip(const wchar_t* text);

    // Owner-draw requests paint nothing: the button is drawn only through its skin.
    void DrawItem(DRAWITEMSTRUCT* item) override;
    // Relays the message to the tooltip, then the default.
    BOOL PreTranslateMessage(MSG* msg) override;
    // Copies the background when asked to, then draws the state's frame at its natural size.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    // Draws the caption centred below textTop; engraved grey when the button is disabled.
    void DrawTextW(Gdiplus::Graphics& target, Gdiplus::RectF& area) override;

    // Routes the mouse, focus and erase messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Starts leave tracking and shows the hover look on the first move over the button.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Drops the hover look.
    LRESULT OnMouseLeave();
    // Presses the button and captures the mouse.
    LRESULT OnLButtonDown(UINT flags, CPoint point);
    // Releases the button; a release over the button sends WM_COMMAND with its id to the parent.
    LRESULT OnLButtonUp(UINT flags, CPoint point);
    // Shows the unfocused look.
    LRESULT OnKillFocus(HWND newFocus);
    // Shows the focused look.
    LRESULT OnSetFocus(HWND oldFocus);
    // Paints through the skin base under an ordinary parent; always TRUE.
    LRESULT OnEraseBkgnd(HDC dc);

protected:
    // Width of one frame in whole pixels (image width / 7 in integer division).
    int FrameWidth() const;
    int FrameHeight() const;

    Gdiplus::Font* font = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image;
    int pressed = 0;
    int hover = 0;
    int focus = 0;
    int copyBackground = 0;
    CToolTipCtrl tip;
    int textTop = 0;
};

class QUILLET_API CxBmpBtn : public CxBtn {
    DECLARE_DYNAMIC(CxBmpBtn)
public:
    CxBmpBtn() = default;
    // Deletes the icon, then the button's own resources.
    ~CxBmpBtn() override;

    // Configures the button once: icon pair and its place, caption place, then the strip as CxBtn::SetAtt.
    void SetAtt(IStream* strip, IStream* iconStream, Gdiplus::Font* font, int textTop, int copyBackground,
                Gdiplus::Color textColour, const Gdiplus::Point& iconAt, const Gdiplus::Point& textAt);

    // Draws the strip frame, then the icon's hover (left) or normal (right) half at iconPos.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    // Draws the caption from textPos, unwrapped; engraved grey when the button is disabled.
    void DrawTextW(Gdiplus::Graphics& target, Gdiplus::RectF& area) override;

protected:
    std::unique_ptr<Gdiplus::Image> icon;
    Gdiplus::Point iconPos{0, 0};
    Gdiplus::Point textPos{0, 0};
};
