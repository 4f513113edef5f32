#pragma once
// CAlbumDlg: album's main window: the header with the logo and the selection row, the drive capacity at the top
// right, "Start", the job progress and "Exit" at the bottom, all in album's dialog frame.
#include "MenuBar.h"
#include "ResDlg.h"

#include "controls/CxSlider.h"
#include "controls/CxStatic.h"
#include "framework/Menu.h"
#include "menu/CxMenu.h"

class CAlbumDlg : public CResDlg, public CxMenu {
public:
    explicit CAlbumDlg(CWnd* parent = nullptr);
    // Destroys the window while the controls it composes still exist.
    ~CAlbumDlg() override;

    // Binds the controls in the template's order.
    void DoDataExchange(CDataExchange* dx) override;
    // Frames the window, skins its controls, shows the capacity of the program's drive, then shows the window
    // centred at 700 x 500.
    BOOL OnInitDialog() override;
    // "Start": with no photo marked, says so and does nothing else.
    void OnOK() override;
    // The frame and texture, then the size grip in the lower right corner.
    void DrawBgm(Gdiplus::Graphics& g) override;
    // The controls and the header pictures, nothing while minimised.
    void DrawWnd(Gdiplus::Graphics& g) override;

    // Routes the window's messages to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Opens the About box for the About item (its low four bits ignored); else the default handling.
    LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam);
    // Places every control for the new window size.
    LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam);
    // Keeps the window at least 200 x 120.
    LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
    // Releases the pictures, then the frame's resources.
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam);

    // Shows how full the drive of root (its first three characters) is, and its volume name.
    void ShowDriveCapacity(const CString& root);

    CxBmpBtn startButton;
    CxBtn systemButton;
    CxBmpBtn exitButton;
    CxStatic capacityText;
    CxStatic volumeLabel;
    CxStatic selectedLabel;
    CxStatic counter;
    CxStatic selectLabel;
    CxStatic dateLabel;
    CxBtn selectAll;
    CxBtn selectNone;
    CxBtn dateAll;
    CxBtn dateNone;
    CxPrg jobBar;
    CxPrg capacityBar;
    CxStatic outputLabel;
    CxStatic pathLabel;

private:
    // Loads a picture of the program's "PNG" resources.
    std::unique_ptr<Gdiplus::Image> LoadPicture(UINT id);
    // Runs the About box modally.
    void ShowAbout();
    // Shows the "System" button's menu in a skinned popup below it; the chosen command comes back as WM_COMMAND.
    void ShowMainMenu();
    // Moves the controls for a window of width x height, with the list's left edge offset by splitterPos.
    void PlaceControls(int width, int height, int splitterPos);
    // Draws the header band in three pieces: its rounded start, its stretched middle and its shadow row.
    void DrawBand(Gdiplus::Graphics& g, int width);

    CFont labelFont;
    CMenu mainMenu;
    CxMenuEx mainMenuHolder;
    std::unique_ptr<Gdiplus::Image> headerImage;
    std::unique_ptr<Gdiplus::Image> logoImage;
    std::unique_ptr<Gdiplus::Image> bandImage;
    std::unique_ptr<Gdiplus::Image> gripImage;
};
