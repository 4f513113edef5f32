#include "AlbumDlg.h"
#include "DialogTestSupport.h"
#include "res/resource.h"

#include "framework/Menu.h"

#include <vector>

using namespace Gdiplus;

namespace {

// A folder of its own under the temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* name)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path.Format(L"%salbum-window-%s-%lu", temp, name, GetCurrentProcessId());
        Remove();
        CreateDirectoryW(path, nullptr);
    }
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes count PNG photos of 64 x 48 named p0.png, p1.png...
    void AddPhotos(int count) const
    {
        CLSID png{};
        CxWinApp::GetEncClsid(L"image/png", &png);
        Bitmap picture(64, 48, PixelFormat32bppARGB);
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format(L"%s\\p%d.png", path.GetString(), i);
            picture.Save(name, &png, nullptr);
        }
    }
    bool Has(const wchar_t* name) const { return GetFileAttributesW(path + L"\\" + name) != INVALID_FILE_ATTRIBUTES; }
    // The number of entries in the folder.
    int Entries() const
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(path + L"\\*", &found);
        int count = 0;
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L"..")) ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return count;
    }

    CString path;

private:
    void Remove()
    {
        SHFILEOPSTRUCTW remove{};
        CString from = path + L'\0';  // a double-null-terminated list of one
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.GetString();
        remove.fFlags = FOF_NO_UI;
        SHFileOperationW(&remove);
    }
};

// The photo list's and the tree's widths and the list's and the output edit's left edges.
struct Split {
    int treeWidth, listX, listWidth, editX;
    bool operator==(const Split&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Split& s)
{
    return out << s.treeWidth << "/" << s.listX << "/" << s.listWidth << "/" << s.editX;
}

class AlbumDlg : public AlbumDialogTest {
protected:
    AlbumDlg() { EXPECT_TRUE(window.Create(IDD_ALBUM_DIALOG)); }

    void Resize(int width, int height) { window.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER); }
    // Runs a menu command and reports the caption of the dialog it opened (closing it), or empty.
    CString CaptionOfDialogOpenedBy(UINT command)
    {
        CString caption;
        ScheduleScript([&] {
            HWND opened = GetForegroundWindow();
            if (opened == window.m_hWnd) return;
            caption = CWnd::FromHandle(opened)->GetWindowText();
            PostMessageW(opened, WM_COMMAND, IDCANCEL, 0);
        });
        window.SendMessage(WM_COMMAND, command, 0);
        return caption;
    }

    Split SplitOf()
    {
        return {int(window.folderTree.GetRect().Width), OffsetInParent(window.photoList).x,
                int(window.photoList.GetRect().Width), OffsetInParent(window.outputEdit).x};
    }
    // Drags the splitter by dx with the mouse, as a user does.
    void DragSplitter(int dx)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_LBUTTON] = 0x80;
        SetKeyboardState(keys);
        window.splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
        window.splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + dx, 50));
        window.splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2 + dx, 50));
        keys[VK_LBUTTON] = 0;
        SetKeyboardState(keys);
    }
    LRESULT SplitterStep(int dx)
    {
        return window.SendMessage(WM_USER, reinterpret_cast<WPARAM>(&window.splitter), dx);
    }
    CString Setting(const wchar_t* name) { return app.GetProfileString(L"Log", name); }

    CAlbumDlg window;
};

HWND FindAboutBox() { return FindWindowW(nullptr, L"About Daduz"); }


TEST_F(AlbumDlg, StartsCentredAt700x500WithCaptionAndIcons)
{
    CRect rect;
    window.GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 700);
    EXPECT_EQ(rect.Height(), 500);
    CRect work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(rect.CenterPoint().x, work.CenterPoint().x, 1);
    EXPECT_NEAR(rect.CenterPoint().y, work.CenterPoint().y, 1);
    EXPECT_EQ(window.GetWindowText(), CString(L"Mirelle v1.4"));
    EXPECT_NE(window.GetIcon(TRUE), nullptr);
    EXPECT_NE(window.GetIcon(FALSE), nullptr);
    EXPECT_EQ(HICON(window.SendMessage(WM_QUERYDRAGICON)), window.GetIcon(TRUE));
    EXPECT_TRUE(window.GetExStyle() & WS_EX_LAYERED);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"0 / 0"));
}

TEST_F(AlbumDlg, ControlsFollowTheWindowSizeButTheHeaderRowStays)
{
    std::vector<CxWnd*> headerRow{&window.selectedLabel, &window.counter, &window.selectLabel, &window.selectAll,
                                  &window.selectNone, &window.dateLabel, &window.dateAll, &window.dateNone};
    const std::vector<int> headerX{236, 250, 343, 355, 393, 460, 477, 515};
    for (CSize size : {CSize(700, 500), CSize(913, 611), CSize(640, 420)}) {
        Resize(size.cx, size.cy);
        const int w = size.cx, h = size.cy;
        EXPECT_EQ(OffsetInParent(window.systemButton), CPoint(12, 25));
        EXPECT_EQ(OffsetInParent(window.exitButton), CPoint(w - 103, h - 34));
        EXPECT_EQ(OffsetInParent(window.startButton), CPoint(220, h - 34));
        EXPECT_EQ(OffsetInParent(window.jobBar), CPoint(295, h - 33));
        EXPECT_EQ(OffsetInParent(window.capacityBar), CPoint(w - 227, 28));
        EXPECT_EQ(OffsetInParent(window.capacityText), CPoint(w - 80, 29));
        EXPECT_EQ(OffsetInParent(window.volumeLabel), CPoint(w - 385, 29));
        EXPECT_EQ(OffsetInParent(window.outputLabel), CPoint(203, h - 95));
        EXPECT_EQ(OffsetInParent(window.pathLabel), CPoint(218, h - 61));
        CRect bar;
        window.jobBar.GetWindowRect(&bar);
        EXPECT_EQ(bar.Width(), w - 407);
        window.capacityBar.GetWindowRect(&bar);
        EXPECT_EQ(bar.Width(), 140);
        for (size_t i = 0; i < headerRow.size(); ++i) {
            Gdiplus::RectF at = headerRow[i]->GetRect();
            EXPECT_EQ(int(at.X), headerX[i]) << "header control " << i << " at " << w << " x " << h;
        }
    }
}

TEST_F(AlbumDlg, CannotBeMadeSmallerThan200x120)
{
    MINMAXINFO info{};
    window.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 200);
    EXPECT_EQ(info.ptMinTrackSize.y, 120);
}

TEST_F(AlbumDlg, StartWithNothingMarkedSaysSoAndKeepsTheWindow)
{
    Click(window.startButton);
    EXPECT_EQ(MessageBoxesShown(), 1);
    EXPECT_EQ(LastMessageBoxText(), CString(L"Select one at least"));
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(AlbumDlg, MenuCommandsOpenTheirDialogsAndMinimise)
{
    EXPECT_EQ(CaptionOfDialogOpenedBy(ID_MENU_ABOUT), CString(L"About Daduz"));
    EXPECT_EQ(CaptionOfDialogOpenedBy(ID_MENU_OPTIONS), CString(L"Set Quality"));
    window.SendMessage(WM_COMMAND, ID_MENU_MINIMISE, 0);
    EXPECT_TRUE(window.IsIconic());
}

TEST_F(AlbumDlg, SystemButtonShowsTheSkinnedMenuBelowItAndItsExitEndsTheWindow)
{
    auto openMenu = [&]() -> CxMenuBar* {
        window.SendMessage(WM_COMMAND, IDC_SYSTEM, 0);
        const auto& open = CxMenuEx::OpenMenus();
        return open.size() == 1 ? open[0]->popup.get() : nullptr;
    };
    CxMenuBar* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    Gdiplus::RectF button = window.systemButton.GetRect();
    CPoint expected(int(button.X) - 3, int(button.Y) + 20);
    window.ClientToScreen(&expected);
    CRect menuRect;
    menu->GetWindowRect(&menuRect);
    EXPECT_EQ(menuRect.TopLeft(), expected);
    EXPECT_EQ(menu->menu->GetMenuItemCount(), 5);

    // With the capture, a click on the main window reaches the popup, outside its rows.
    CPoint onWindow(expected.x + 300, expected.y + 200);
    menu->ScreenToClient(&onWindow);
    menu->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(onWindow.x, onWindow.y));
    PumpPending();
    EXPECT_FALSE(menu->IsWindowVisible());
    EXPECT_TRUE(window.IsWindowVisible());

    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    menu->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 80));
    PumpUntil([&] { return !window.IsWindowVisible(); }, 2000);
    EXPECT_FALSE(window.IsWindowVisible()) << "Exit ends the main window";
}

TEST_F(AlbumDlg, DriveCapacityShowsPercentAndLabel)
{
    window.ShowDriveCapacity(L"Q:\\no such drive");
    EXPECT_EQ(window.capacityBar.GetPos(), 100);
    EXPECT_EQ(window.capacityText.GetWindowText(), CString(L"100% full"));
    EXPECT_EQ(window.volumeLabel.GetWindowText(), CString(L"Q: "));
}

TEST_F(AlbumDlg, SystemMenuHasTheAboutItem)
{
    CMenu* menu = CMenu::FromHandle(window.GetSystemMenu(FALSE));
    ASSERT_NE(menu, nullptr);
    CString text;
    menu->GetMenuString(IDM_ABOUTBOX, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString(L"&About Mirelle..."));
    int last = menu->GetMenuItemCount() - 1;
    EXPECT_EQ(menu->GetMenuItemID(last), UINT(IDM_ABOUTBOX));
    EXPECT_EQ(menu->GetMenuItemID(last - 1), 0u) << "a separator before it";
}

TEST_F(AlbumDlg, AboutCommandOpensTheAboutBoxWhateverItsLowBits)
{
    for (WPARAM command : {WPARAM(16), WPARAM(31)}) {
        bool ran = false;
        HWND about = nullptr;
        ScheduleScript([&] {
            ran = true;
            about = FindAboutBox();
            if (about) PostMessageW(about, WM_COMMAND, IDOK, 0);
        });
        window.SendMessage(WM_SYSCOMMAND, command, 0);
        PumpUntil([&] { return ran; }, 2000);
        EXPECT_NE(about, nullptr) << "command " << command;
        EXPECT_EQ(FindAboutBox(), nullptr) << "OK closed it";
    }
    window.SendMessage(WM_SYSCOMMAND, 32, 0);
    EXPECT_EQ(FindAboutBox(), nullptr) << "32 is another command";
}

}  // namespace

namespace {

TEST_F(AlbumDlg, SplitterDragMovesTheListAndTheOutputRowAndTheNextSizeKeepsIt)
{
    const Split start = SplitOf();
    EXPECT_EQ(start, (Split{180, 198, 700 - 208, 255}));
    DragSplitter(30);
    ASSERT_EQ(window.splitter.GetPos(), 30);
    const Split dragged{210, 228, 700 - 238, 285};
    EXPECT_EQ(SplitOf(), dragged);
    EXPECT_EQ(OffsetInParent(window.startButton).x, 250);
    Resize(700, 500);
    EXPECT_EQ(SplitOf(), dragged) << "WM_SIZE places everything from the splitter's position";
    EXPECT_EQ(int(window.selectedLabel.GetRect().X), 236) << "the header row does not follow";

    EXPECT_EQ(window.SendMessage(WM_USER, reinterpret_cast<WPARAM>(&window.photoList), 5), 0);
    EXPECT_EQ(SplitOf(), dragged) << "reports of the list change nothing";
}

TEST_F(AlbumDlg, SplitterStepsStopAtTheNarrowestListAndTree)
{
    Resize(457, 500);  // a list of 457 - 208 = 249 pixels
    EXPECT_EQ(SplitterStep(10), 0) << "a list narrower than 250 gives no more room";
    EXPECT_EQ(SplitterStep(-10), 1);
    Resize(700, 500);
    EXPECT_EQ(SplitterStep(-20), 1) << "the width is checked before the step: 180 may shrink to 160";
    EXPECT_EQ(SplitterStep(-1), 0);
    EXPECT_EQ(SplitterStep(1), 1);
}

TEST_F(AlbumDlg, CounterFollowsTheMarks)
{
    TempFolder folder(L"marks");
    folder.AddPhotos(40);
    window.ScanFolder(folder.path + L"\\*.*");
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"40/40"));
    window.SendMessage(WM_COMMAND, IDC_SELECT_NONE, 0);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"0/40"));
    window.photoList.GetPhoto(7)->compress = 1;
    window.SendMessage(WM_USER + 1, reinterpret_cast<WPARAM>(&window.photoList), 7);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"1/40"));
    window.SendMessage(WM_COMMAND, IDC_DATE_ALL, 0);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"1/40")) << "the date marks leave the counter";
    EXPECT_EQ(window.photoList.GetPhoto(39)->stampDate, 1);
    window.SendMessage(WM_COMMAND, IDC_SELECT_ALL, 0);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"40/40"));
}

TEST_F(AlbumDlg, ClickInTheTreeScansTheNewlySelectedFolderAndStoresIt)
{
    TempFolder one(L"one"), two(L"two");
    one.AddPhotos(1);
    two.AddPhotos(2);
    ASSERT_TRUE(window.folderTree.SelectPath(one.path));
    window.ScanSelectedFolder();
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"1/1"));

    // The second folder is a sibling of the first: show it, then click its row.
    ASSERT_TRUE(window.folderTree.SelectPath(two.path));
    HTREEITEM target = window.folderTree.GetSelectedItem();
    window.folderTree.SelectPath(one.path);
    window.folderTree.SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(target));
    CRect row;
    ASSERT_TRUE(window.folderTree.GetItemRect(target, &row, TRUE));
    const LPARAM at = MAKELPARAM(row.left + 4, row.CenterPoint().y);
    window.folderTree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    window.folderTree.PostMessage(WM_LBUTTONUP, 0, at);
    PumpPending();
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"2/2")) << "the click's folder, not the old one";
    EXPECT_EQ(Setting(L"TreePath"), two.path);
}

TEST_F(AlbumDlg, StartWritesTheCopiesAndStoresTheOutputFolder)
{
    TempFolder photos(L"photos"), output(L"output");
    photos.AddPhotos(3);
    window.ScanFolder(photos.path + L"\\*.*");
    window.photoList.GetPhoto(1)->compress = 0;
    window.outputEdit.SetWindowText(output.path + L"\\\\");
    window.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(LastMessageBoxText(), CString(L"Compression completed"));
    EXPECT_TRUE(output.Has(L"p0.jpg"));
    EXPECT_FALSE(output.Has(L"p1.jpg")) << "unmarked";
    EXPECT_TRUE(output.Has(L"p2.jpg"));
    EXPECT_EQ(Setting(L"SavePath"), output.path + L"\\");
    EXPECT_EQ(window.jobBar.GetPos(), 0);
    EXPECT_EQ(window.jobBar.GetWindowText(), CString(L""));
}

TEST_F(AlbumDlg, OutputFolderThatCannotBeMadeIsNamedAndNothingIsWritten)
{
    TempFolder photos(L"unwritable");
    photos.AddPhotos(1);
    window.ScanFolder(photos.path + L"\\*.*");
    for (CString bad : {photos.path + L"\\missing\\deeper", photos.path + L"\\a|b", photos.path + L"\\CON"}) {
        window.outputEdit.SetWindowText(bad);
        window.SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_EQ(LastMessageBoxText(), L"Failure\n" + bad);
        EXPECT_EQ(photos.Entries(), 1) << "only the photo itself";
    }
    EXPECT_EQ(Setting(L"SavePath"), CString(L""));
}

}  // namespace
