#include "AlbumDlg.h"
#include "DialogTestSupport.h"
#include "res/resource.h"

#include "framework/Menu.h"

namespace {

using AlbumDlg = AlbumDialogTest;

HWND FindAboutBox() { return FindWindowW(nullptr, L"About Daduz"); }

TEST_F(AlbumDlg, SystemMenuHasTheAboutItem)
{
    CAlbumDlg window;
    ASSERT_TRUE(window.Create(IDD_ALBUM_DIALOG));
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
    CAlbumDlg window;
    ASSERT_TRUE(window.Create(IDD_ALBUM_DIALOG));
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
