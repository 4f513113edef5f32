#include "DialogTestSupport.h"

namespace {

using AlbumApp = AlbumDialogTest;

struct StartUpWatch {
    DWORD mainWindowSeenAt = 0;
    bool fontWhileRunning = false;
};
StartUpWatch watch;

// Notes when the main window appears, then closes it with Exit.
void CALLBACK WatchStartUp(HWND, UINT, UINT_PTR id, DWORD now)
{
    HWND mainWindow = FindWindowW(nullptr, L"Mirelle v1.4");
    if (!mainWindow || !IsWindowVisible(mainWindow)) return;
    KillTimer(nullptr, id);
    watch.mainWindowSeenAt = now;
    watch.fontWhileRunning = CAlbumApp::AppFont() != nullptr;
    PostMessageW(mainWindow, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(AlbumApp, StartUpShowsTheSplashThenTheMainWindowAndEndsWhenItCloses)
{
    watch = {};
    app.appFont.reset();
    app.settingsCompany = key.Company();
    DWORD start = GetTickCount();
    SetTimer(nullptr, 0, 20, WatchStartUp);
    EXPECT_FALSE(app.InitInstance()) << "no message loop follows";
    EXPECT_GE(watch.mainWindowSeenAt - start, 1000u) << "the splash holds for a second first";
    EXPECT_TRUE(watch.fontWhileRunning);
    EXPECT_EQ(app.appFont, nullptr) << "the font is released at the end";
    EXPECT_EQ(FindWindowW(nullptr, L"Mirelle v1.4"), nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(app.workPath.IsEmpty()) << "the toolkit's start-up ran";
}

}  // namespace
