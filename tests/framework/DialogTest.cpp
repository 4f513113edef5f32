#include "common/TestSupport.h"
#include "FrameworkTestIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A test dialog whose behaviour on initialisation and on timers is set by the test.
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(CWnd* parent = nullptr) : CDialog(IDD_TEST_DIALOG, parent) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit) onInit(*this);
        return TRUE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_TIMER && onTimer) {
            onTimer(*this, UINT_PTR(wParam));
            return 0;
        }
        return CDialog::WindowProc(msg, wParam, lParam);
    }

    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&, UINT_PTR)> onTimer;
};

TEST(Dialog, DoModalDisablesTheOwnerAndReturnsTheEndResult)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    ScriptedDialog dialog(&owner);
    bool ownerEnabledWhileModal = true;
    dialog.onInit = [](ScriptedDialog& d) { d.SetTimer(1, 10); };
    dialog.onTimer = [&](ScriptedDialog& d, UINT_PTR) {
        ownerEnabledWhileModal = owner.IsWindowEnabled();
        d.EndDialog(42);
    };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_FALSE(ownerEnabledWhileModal);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, CloseAndEnterGoThroughOnCancelAndOnOK)
{
    ScriptedDialog closing;
    closing.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); };
    EXPECT_EQ(closing.DoModal(), IDCANCEL);

    ScriptedDialog entering;
    entering.onInit = [](ScriptedDialog& d) {
        HWND edit = ::GetDlgItem(d.m_hWnd, IDC_TEST_EDIT);
        ::SetFocus(edit);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    };
    EXPECT_EQ(entering.DoModal(), IDOK);
}

TEST(Dialog, NestedModalLoopKeepsServingTheOuterTimersAndUnwindsInOrder)
{
    std::vector<std::wstring> events;
    int outerTicksDuringInner = 0;
    bool innerRunning = false;

    ScriptedDialog outer;
    outer.onInit = [&](ScriptedDialog& d) { d.SetTimer(1, 15); };
    outer.onTimer = [&](ScriptedDialog& d, UINT_PTR) {
        if (innerRunning) {
            ++outerTicksDuringInner;
            return;
        }
        if (!events.empty()) return;
        events.push_back(L"inner start");
        ScriptedDialog inner;
        inner.onInit = [](ScriptedDialog& i) { i.SetTimer(2, 15); };
        inner.onTimer = [&](ScriptedDialog& i, UINT_PTR) {
            if (outerTicksDuringInner >= 3) i.EndDialog(5);
        };
        innerRunning = true;
        INT_PTR innerResult = inner.DoModal();
        innerRunning = false;
        events.push_back(L"inner returned " + std::to_wstring(innerResult));
        d.KillTimer(1);
        d.EndDialog(6);
    };
    INT_PTR outerResult = outer.DoModal();
    events.push_back(L"outer returned " + std::to_wstring(outerResult));

    EXPECT_EQ(events, (std::vector<std::wstring>{L"inner start", L"inner returned 5", L"outer returned 6"}));
    EXPECT_GE(outerTicksDuringInner, 3);
}

TEST(Dialog, EndingAnOuterDialogHidesItAtOnceWhileANestedLoopStillRuns)
{
    bool outerVisibleAfterEnd = true;
    ScriptedDialog outer;
    outer.onInit = [](ScriptedDialog& d) { d.SetTimer(1, 15); };
    outer.onTimer = [&](ScriptedDialog& d, UINT_PTR) {
        d.KillTimer(1);
        ScriptedDialog inner;
        inner.onInit = [](ScriptedDialog& i) { i.SetTimer(2, 15); };
        inner.onTimer = [&](ScriptedDialog& i, UINT_PTR) {
            d.EndDialog(7);
            outerVisibleAfterEnd = d.IsWindowVisible();
            i.EndDialog(8);
        };
        EXPECT_EQ(inner.DoModal(), 8);
    };
    EXPECT_EQ(outer.DoModal(), 7);
    EXPECT_FALSE(outerVisibleAfterEnd);
}

TEST(Dialog, QuitDuringModalLoopEndsItAndIsPostedAgain)
{
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog&) { PostQuitMessage(3); };
    dialog.DoModal();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

// Records the state of the binding when PreSubclassWindow runs.
class ProbeEdit : public CWnd {
public:
    void PreSubclassWindow() override
    {
        boundToObject = FromHandlePermanent(m_hWnd) == this;
        procedureBeforeSubclass = GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC);
    }
    bool boundToObject = false;
    LONG_PTR procedureBeforeSubclass = 0;
};

class BindingDialog : public CDialog {
public:
    BindingDialog() : CDialog(IDD_TEST_DIALOG) {}
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TEST_EDIT, edit); }
    ProbeEdit edit;
};

TEST(Dialog, DataExchangeBindsControlsAndPreSubclassRunsBeforeTheSubclass)
{
    BindingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    HWND editHwnd = ::GetDlgItem(dialog.m_hWnd, IDC_TEST_EDIT);
    ASSERT_EQ(dialog.edit.m_hWnd, editHwnd);
    EXPECT_TRUE(dialog.edit.boundToObject);

    LONG_PTR frameworkProcedure = GetWindowLongPtrW(dialog.m_hWnd, GWLP_WNDPROC);
    EXPECT_NE(dialog.edit.procedureBeforeSubclass, frameworkProcedure);
    EXPECT_EQ(GetWindowLongPtrW(editHwnd, GWLP_WNDPROC), frameworkProcedure);

    // The bound edit still behaves as an edit through Default.
    dialog.edit.SetWindowText(L"typed");
    EXPECT_EQ(dialog.edit.GetWindowText(), CString(L"typed"));
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.edit.m_hWnd, nullptr);
}

}  // namespace
