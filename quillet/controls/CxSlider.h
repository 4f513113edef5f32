#pragma once
// CxSlider: a trackbar with a sunken channel frame and a two-look thumb image, reporting every change of its
// position to the parent. CxPrg: a progress bar drawn from one skin image with a shortened caption on top.
#include "skin/CxWnd.h"

#include "framework/Controls.h"

#include <climits>
#include <memory>

class QUILLET_API CxSlider : public CSliderCtrl, public CxWnd {
    DECLARE_DYNAMIC(CxSlider)
public:
    CxSlider() = default;
    // Deletes the thumb image.
    ~CxSlider() override;

    // Attaches the skin part.
    void PreSubclassWindow() override;
    // Takes the thumb image: two looks side by side, left normal, right hot. No resize, no redraw.
    void SetAtt(IStream* thumb);

    // Copies the background, frames the channel and draws the thumb look under the cursor.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;

    // Routes the mouse messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Lets the trackbar follow a drag; a changed position is redrawn and sent to the parent as WM_USER.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Captures the mouse for the drag.
    LRESULT OnLButtonDown(UINT flags, CPoint point);
    // Ends the drag's capture.
    LRESULT OnLButtonUp(UINT flags, CPoint point);

protected:
    std::unique_ptr<Gdiplus::Image> thumbImage;
    // Starts outside every range, so that the first position seen is always reported.
    int lastPos = INT_MIN;
};

class QUILLET_API CxPrg : public CProgressCtrl, public CxWnd {
    DECLARE_DYNAMIC(CxPrg)
public:
    // Where the parts of the bar go in a control of a given width (destination x and width).
    struct BarLayout {
        int fill;
        int filledX, filledWidth;
        int emptyX, emptyWidth;
        int rightCapX;
    };

    CxPrg() = default;
    // Deletes the bar image.
    ~CxPrg() override;

    // Attaches the skin part.
    void PreSubclassWindow() override;
    // Configures the bar once: skin image, longest unshortened caption, text colour; the window takes the
    // image's height, keeping its position and width.
    void SetAtt(IStream* bar, int chars, Gdiplus::Color textColour);
    // text when it has at most limit characters, else "..." and its last limit characters.
    static CString GetText(const wchar_t* text, int limit);
    // The parts of a bar width pixels wide at pos in [lo, hi]; an empty or inverted range shows no fill.
    static BarLayout Layout(int width, int lo, int hi, int pos);

    // Draws caps, filled and empty parts for the current position, then the caption.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;

    // Routes erase and paint messages: the skin draws, the native control never paints.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Validates the window and draws nothing: the bar is drawn only through its skin.
    LRESULT OnPaint();

protected:
    std::unique_ptr<Gdiplus::Image> barImage;
    int maxChars = 0;
};
