#pragma once
// CToolDlg: the hover badge of the photo list, a small picture that fades in beside a thumbnail while it slides
// ten pixels to the left. It only shows: it takes no clicks and cannot be dragged.
#include "PictureDlg.h"

class CToolDlg : public CPictureDlg {
public:
    CToolDlg();

    // Creates the badge window, invisible, with owner as its parent.
    BOOL Create(CWnd* owner);
    // Takes the picture, sizes the window to it and shows it fully transparent, then makes it a child-styled window
    // so that it never takes the activation.
    BOOL OnInitDialog() override;

    // Starts the fade-in with the badge's top-left corner at a screen point.
    void ShowAt(CPoint screen);
    // Makes the badge transparent and hides it.
    void Hide();
    // The opacity the next repaint uses.
    BYTE GetAlpha() const { return blend.SourceConstantAlpha; }

    // Routes the fade timer; hit tests and clicks get the system's default handling.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // One fade step: more opaque, one pixel to the left; the fade stops above opacity 230.
    LRESULT OnTimer();
};
