#pragma once
// CAboutDlg: the About box: three lines of text, the program's picture and an "OK" button in album's frame.
#include "ResDlg.h"

#include "controls/CxStatic.h"

class CAboutDlg : public CResDlg {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);

    // Binds the three text lines, the "OK" button and the picture.
    void DoDataExchange(CDataExchange* dx) override;
    // Frames the box, skins its button and picture, and shows it centred on its owner.
    BOOL OnInitDialog() override;
    // Composes the texts, the button and the picture.
    void DrawWnd(Gdiplus::Graphics& g) override;

    CxStatic version;
    CxStatic line2;
    CxBtn okButton;
    CxPic picture;
    CxStatic line3;
};
