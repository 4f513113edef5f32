#include "DialogTestSupport.h"
#include "SetDlg.h"

namespace {

constexpr int kUnset = -1;

class SetDlg : public AlbumDialogTest {
protected:
    int StoredQuality() { return int(app.GetProfileInt(L"Log", L"Quality", kUnset)); }
    // Opens the dialog, checks what it shows, runs change on it and closes it with button (IDOK or IDCANCEL).
    INT_PTR Open(int expectedShown, const std::function<void(CSetDlg&)>& change, int button)
    {
        CSetDlg dialog;
        return RunModal(dialog, [&] {
            EXPECT_EQ(dialog.GetWindowText(), CString(L"Set Quality"));
            EXPECT_EQ(dialog.slider.GetPos(), expectedShown);
            EXPECT_EQ(dialog.value.GetWindowText(), Number(expectedShown));
            change(dialog);
            Click(button == IDOK ? static_cast<CWnd&>(dialog.okButton) : dialog.cancelButton);
        });
    }
    static CString Number(int n)
    {
        CString text;
        text.Format(L"%d", n);
        return text;
    }
    // Moves the slider as a mouse drag would: new position, then the slider's report.
    static void Drag(CSetDlg& dialog, int position)
    {
        dialog.slider.SetPos(position);
        dialog.SendMessage(WM_USER, reinterpret_cast<WPARAM>(&dialog.slider), position);
    }
};

TEST_F(SetDlg, FirstUseShowsThirtyAndOkStoresIt)
{
    EXPECT_EQ(Open(30, [](CSetDlg& dialog) { EXPECT_EQ(dialog.slider.GetRangeMax(), 100); }, IDOK), IDOK);
    EXPECT_EQ(StoredQuality(), 30);
}

TEST_F(SetDlg, DraggingShowsTheNumberAndOkStoresIt)
{
    auto drag = [](CSetDlg& dialog) {
        Drag(dialog, 85);
        EXPECT_EQ(dialog.value.GetWindowText(), CString(L"85"));
    };
    EXPECT_EQ(Open(30, drag, IDOK), IDOK);
    EXPECT_EQ(StoredQuality(), 85);
    EXPECT_EQ(Open(85, [](CSetDlg&) {}, IDCANCEL), IDCANCEL) << "reopening shows the stored value";
}

TEST_F(SetDlg, CancelStoresNothing)
{
    EXPECT_EQ(Open(30, [](CSetDlg& dialog) { Drag(dialog, 70); }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(StoredQuality(), kUnset);

    app.WriteProfileInt(L"Log", L"Quality", 55);
    EXPECT_EQ(Open(55, [](CSetDlg& dialog) { Drag(dialog, 10); }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(StoredQuality(), 55);
    EXPECT_EQ(MessageBoxesShown(), 0);
}

TEST_F(SetDlg, KeyboardMovesTheValueButNotTheNumber)
{
    auto press = [](CSetDlg& dialog) {
        dialog.slider.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_EQ(dialog.slider.GetPos(), 31);
        EXPECT_EQ(dialog.value.GetWindowText(), CString(L"30"));
    };
    EXPECT_EQ(Open(30, press, IDOK), IDOK);
    EXPECT_EQ(StoredQuality(), 31);
}

TEST_F(SetDlg, QualityZeroIsStored)
{
    EXPECT_EQ(Open(30, [](CSetDlg& dialog) { Drag(dialog, 0); }, IDOK), IDOK);
    EXPECT_EQ(StoredQuality(), 0);
}

TEST_F(SetDlg, UnrelatedUserMessagesLeaveTheNumberAlone)
{
    auto foreign = [](CSetDlg& dialog) {
        dialog.slider.SetPos(90);
        dialog.SendMessage(WM_USER, 0, 90);
        EXPECT_EQ(dialog.value.GetWindowText(), CString(L"30"));
    };
    EXPECT_EQ(Open(30, foreign, IDCANCEL), IDCANCEL);
}

}  // namespace
