#pragma once
// CPictureDlg: a skinned layered window that is one picture (its frame skin) at the picture's own size.
#include "skin/CxDlg.h"

class CPictureDlg : public CxDlg {
public:
    using CxDlg::CxDlg;

    // Draws the picture at (0, 0) at its own size.
    void DrawBgm(Gdiplus::Graphics& g) override;

protected:
    // Sizes the window to the picture at (0, 0), without repainting; nothing without a picture.
    void FitToPicture();
};
