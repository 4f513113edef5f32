#pragma once
// CSetDlg: "Set Quality", the JPEG quality on a slider with its number; OK stores it in the settings.
#include "ResDlg.h"

#include "controls/CxSlider.h"
#include "controls/CxStatic.h"

class CSetDlg : public CResDlg {
public:
    explicit CSetDlg(CWnd* parent = nullptr);

    // Binds the label, the slider, the number and the two buttons.
    void DoDataExchange(CDataExchange* dx) override;
    // Shows the slider's mouse moves as the number; everything else goes to the frame.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Skins the controls and shows the stored quality.
    BOOL OnInitDialog() override;
    // Stores the slider's quality, then closes.
    void OnOK() override;
    // Composes the label, the slider, the number and the buttons.
    void DrawWnd(Gdiplus::Graphics& g) override;
    // Shows a new slider position as the number.
    LRESULT OnSliderMoved();

    CxStatic label;
    CxSlider slider;
    CxStatic value;
    CxBtn okButton;
    CxBtn cancelButton;

private:
    // Sets the number to quality.
    void ShowValue(int quality);
};
