#include "AlbumDlg.h"
#include "DialogTestSupport.h"
#include "res/resource.h"

#include "framework/Menu.h"

#include <vector>

namespace {

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
