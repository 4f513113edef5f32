#include "AboutDlg.h"
#include "DialogTestSupport.h"
#include "res/resource.h"

namespace {

using AboutDlg = AlbumDialogTest;

TEST_F(AboutDlg, ShowsItsTextsPictureAndCaption)
{
    CAboutDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    EXPECT_EQ(dialog.GetWindowText(), CString(L"About Daduz"));
    EXPECT_EQ(dialog.version.GetWindowText(), CString(L"Daduz, Version 1.4"));
    EXPECT_FALSE(dialog.line2.GetWindowText().IsEmpty());
    EXPECT_FALSE(dialog.line3.GetWindowText().IsEmpty());
    EXPECT_EQ(dialog.okButton.GetWindowText(), CString(L"OK"));
    CRect picture, button;
    dialog.picture.GetWindowRect(&picture);
    EXPECT_EQ(picture.Size(), CSize(48, 48));
    dialog.okButton.GetWindowRect(&button);
    EXPECT_EQ(button.Size(), CSize(64, 18)) << "one frame of the push-button strip";
    EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST_F(AboutDlg, OkClosesTheBox)
{
    CAboutDlg dialog;
    EXPECT_EQ(RunModal(dialog, [&] { Click(dialog.okButton); }), IDOK);
    EXPECT_EQ(MessageBoxesShown(), 0);
}

TEST_F(AboutDlg, EscapeClosesTheBox)
{
    CAboutDlg dialog;
    EXPECT_EQ(RunModal(dialog, [&] { dialog.SendMessage(WM_COMMAND, IDCANCEL); }), IDCANCEL);
}

}  // namespace
