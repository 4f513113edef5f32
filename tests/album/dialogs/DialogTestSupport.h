#pragma once
// Helpers of album's dialog tests: the application object on a private settings key, modal runs ended
// by a script, clicks on skinned buttons and message-box interception.
#include "AlbumApp.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

// Every dialog test: GDI+, common controls and an album application on its own settings key.
class AlbumDialogTest : public testing::Test {
protected:
    AlbumDialogTest();
    ~AlbumDialogTest() override;

    GdiplusSession gdiplus;
    TestRegistryKey key{L"AlbumDialogs"};
    CAlbumApp app;
};

// Runs script from the message loop shortly (once).
void ScheduleScript(const std::function<void()>& script);
// Runs dialog modally; script runs inside its loop and should end it (else it is cancelled after 5 s).
INT_PTR RunModal(CDialog& dialog, const std::function<void()>& script);
// Clicks a button with the mouse at its middle.
void Click(CWnd& button);
// The position of child relative to the top-left corner of its parent's window.
CPoint OffsetInParent(CWnd& child);
// How many message boxes were shown (and closed at once) since the test started.
int MessageBoxesShown();
// The text of the last message box shown since the test started.
CString LastMessageBoxText();
