#pragma once
// CAlbumDlg: album's main window: the folder tree on the left, the photo cards on the right, the header with the
// logo, the selection counter and the "All"/"None" buttons, the drive capacity at the top right, the output folder,
// "Start", the job progress and "Exit" at the bottom, all in album's dialog frame.
#include "MenuBar.h"
#include "ResDlg.h"
#include "ResList.h"

#include "controls/CxEdit.h"
#include "controls/CxSlider.h"
#include "controls/CxSplitter.h"
#include "controls/CxStatic.h"
#include "trees/CxShellTree.h"
#include "framework/Menu.h"
#include "menu/CxMenu.h"

class CAlbumDlg : public CResDlg, public CxMenu {
public:
    explicit CAlbumDlg(CWnd* parent = nullptr);
    // Destroys the window while the controls it composes still exist.
    ~CAlbumDlg() override;

    // Binds the controls in the template's order.
    void DoDataExchange(CDataExchange* dx) override;
    // Frames the window, skins its controls, shows the capacity of the program's drive, opens the tree at the stored
    // folder and scans it, puts the stored output folder in the edit, then shows the window centred at 700 x 500.
    BOOL OnInitDialog() override;
    // "Start": writes the copies of the marked photos into the output folder, showing each on the job bar, and
    // reports the end in a message box; a completed job stores the folder as "SavePath".
    void OnOK() override;
    // A left click on the folder tree reaches the tree first, then rescans its selected folder.
    BOOL PreTranslateMessage(MSG* msg) override;
    // Draws the date stamp of the job's copies: outlined white text at (x, y) with the given alignment.
    virtual void DrawOutlineText(Gdiplus::Graphics& surface, const wchar_t* text, int x, int y, int alignment);
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
    // Answers the controls' WM_USER reports: only a splitter step is taken, when both sides keep their minimum.
    LRESULT OnControlReport(WPARAM source, LPARAM value);
    // Hides the hover badge of the photo list.
    void HideBadge();
    // Releases the pictures, then the frame's resources.
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam);

    // Shows how full the drive of root (its first three characters) is, and its volume name.
    void ShowDriveCapacity(const CString& root);
    // Scans the folder selected in the tree; 0 when a folder was scanned (its path in *folder when given), 1 when
    // nothing is selected or the item has no file-system path.
    int ScanSelectedFolder(CString* folder = nullptr);
    // Fills the photo list from a search pattern such as "E:\DCIM\*.*", showing each file's name while it is read;
    // then the drive's capacity and the counter.
    void ScanFolder(const CString& pattern);
    // Shows marked/total photos in the counter.
    void ShowCounter();

    CxBmpBtn startButton;
    CxBtn systemButton;
    CxShellTree folderTree;
    CResList photoList;
    CxBmpBtn exitButton;
    CxStatic capacityText;
    CxStatic volumeLabel;
    CxSplitter splitter;
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
    CxEdit outputEdit;
    CxBmpBtn browseButton;
    CxStatic pathLabel;

private:
    // Loads a picture of the program's "PNG" resources.
    std::unique_ptr<Gdiplus::Image> LoadPicture(UINT id);
    // Runs the About box modally.
    void ShowAbout();
    // Lets the user pick the output folder in the system's folder browser; cancelling changes nothing.
    void BrowseOutputFolder();
    // Sets every photo's "Compress" mark (and the counter) or its "Date" mark.
    void MarkAll(int compress);
    void StampAll(int stampDate);
    // Recomposes the window when a display frame has passed since the last time, or when forced.
    void Repaint(bool force);
    // Shows the "System" button's menu in a skinned popup below it; the chosen command comes back as WM_COMMAND.
    void ShowMainMenu();
    // Moves the controls for a window of width x height, with the list's left edge offset by splitterPos.
    void PlaceControls(int width, int height, int splitterPos);
    // The two header strips, the logo and the band, from a layer drawn once per window size and splitter position
    // (stretching them costs Wine's GDI+ more than composing every control).
    void DrawHeader(Gdiplus::Graphics& g, int width, int height, int p);
    // Draws the header band in three pieces: its rounded start, its stretched middle and its shadow row.
    void DrawBand(Gdiplus::Graphics& g, int width);

    CFont labelFont;
    CMenu mainMenu;
    CxMenuEx mainMenuHolder;
    // When the window was last recomposed during a scan or a job (GetTickCount), and how long that took.
    DWORD lastRepaint = 0;
    DWORD repaintCost = 0;
    std::unique_ptr<LayerSurface> header;
    std::vector<RECT> headerBands;
    int headerSplitter = -1;
    std::unique_ptr<Gdiplus::Image> headerImage;
    std::unique_ptr<Gdiplus::Image> logoImage;
    std::unique_ptr<Gdiplus::Image> bandImage;
    std::unique_ptr<Gdiplus::Image> gripImage;
};
