#pragma once
// album's main window: the skinned layered frame around a soft panel.
#include "skin/CxDlg.h"

class CAlbumDlg : public CxDlg {
public:
    explicit CAlbumDlg(CWnd* parent = nullptr);

    // Adds the About item to the system menu, then frames, sizes and shows the window.
    BOOL OnInitDialog() override;
    // Paints the soft panel inside the frame.
    void DrawWnd(Gdiplus::Graphics& g) override;

    // Routes WM_SYSCOMMAND to its handler.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Opens the About box for the About item (its low four bits ignored); else the default handling.
    LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam);
};
