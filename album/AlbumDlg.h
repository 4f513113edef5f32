#pragma once
// album's main window: the skinned layered frame around a soft panel.
#include "skin/CxDlg.h"

class CAlbumDlg : public CxDlg {
public:
    explicit CAlbumDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DrawWnd(Gdiplus::Graphics& g) override;
};
