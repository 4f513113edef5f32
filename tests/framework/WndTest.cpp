#include "common/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <algorithm>
#include <vector>

namespace {

// Records every message in arrival order and passes it on.
class RecordingWnd : public CWnd {
public:
    void PreSubclassWindow() override { boundBeforeFirstMessage = messages.empty() && m_hWnd; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(msg);
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    void PostNcDestroy() override { ++postNcDestroyCalls; }

    std::vector<UINT> messages;
    int postNcDestroyCalls = 0;
    bool boundBeforeFirstMessage = false;
};

// Takes WM_SETTEXT itself (no default processing) and records which class saw WM_USER first.
class DerivedWnd : public RecordingWnd {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_SETTEXT:
            return TRUE;
        case WM_USER:
            order += L"derived ";
            return 7;
        }
        return RecordingWnd::WindowProc(msg, wParam, lParam);
    }
    std::wstring order;
};

bool CreatePopup(CWnd& wnd, CWnd* parent = nullptr)
{
    return wnd.CreateEx(0, nullptr, L"popup", WS_POPUP, CRect(0, 0, 200, 100), parent, 0);
}

TEST(Wnd, ReceivesEveryMessageFromTheFirstOnAndDefaultsToTheWindowProcedure)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"framed", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    ASSERT_FALSE(wnd.messages.empty());
    // A sizable window gets WM_GETMINMAXINFO before WM_NCCREATE: only a binding at creation sees it.
    EXPECT_EQ(wnd.messages.front(), UINT(WM_GETMINMAXINFO));
    EXPECT_TRUE(wnd.boundBeforeFirstMessage);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    wnd.SetWindowText(L"through Default");
    EXPECT_EQ(wnd.GetWindowText(), CString(L"through Default"));
}

TEST(Wnd, DerivedHandlersRunFirstAndMayWithholdDefaultProcessing)
{
    DerivedWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    wnd.messages.clear();

    wnd.SetWindowText(L"ignored");
    EXPECT_EQ(wnd.GetWindowText(), CString(L"popup"));
    EXPECT_EQ(wnd.SendMessage(WM_USER), 7);
    EXPECT_EQ(wnd.order, L"derived ");
    // Neither message reached the base class.
    EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), UINT(WM_SETTEXT)), 0);
    EXPECT_EQ(std::count(wnd.messages.begin(), wnd.messages.end(), UINT(WM_USER)), 0);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1), 0);
    EXPECT_EQ(wnd.messages.back(), UINT(WM_USER + 1));
}

TEST(Wnd, DestructionUnbindsOnceAndCallsPostNcDestroy)
{
    RecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    HWND hwnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.postNcDestroyCalls, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(wnd.messages.back(), UINT(WM_NCDESTROY));

    HWND owned = nullptr;
    {
        CWnd scoped;
        ASSERT_TRUE(CreatePopup(scoped));
        owned = scoped.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(owned));
}

TEST(Wnd, UnboundWindowsGetTemporaryWrappers)
{
    HWND raw = CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    CWnd* wrapper = CWnd::FromHandle(raw);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandle(raw), wrapper);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    EXPECT_EQ(wrapper->GetWindowText(), CString(L"raw"));
    ::DestroyWindow(raw);
}

// A child control that takes the notifications it is offered when `takes` is set.
class ReflectingButton : public CWnd {
public:
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        offered.push_back(msg);
        if (!takes) return CWnd::OnChildNotify(msg, wParam, lParam, result);
        *result = 55;
        return TRUE;
    }
    bool takes = true;
    std::vector<UINT> offered;
};

class CommandParent : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    BOOL OnNotify(WPARAM, LPARAM, LRESULT* result) override
    {
        ++notifies;
        *result = 9;
        return TRUE;
    }
    std::vector<UINT> commands;
    int notifies = 0;
};

TEST(Wnd, ParentsOfferNotificationsToTheChildFirst)
{
    CommandParent parent;
    ASSERT_TRUE(CreatePopup(parent));
    ReflectingButton button;
    ASSERT_TRUE(button.CreateEx(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20),
                                &parent, 77));

    button.SendMessage(BM_CLICK);
    ASSERT_EQ(button.offered.size(), 1u);
    EXPECT_EQ(button.offered[0], UINT(WM_COMMAND));
    EXPECT_TRUE(parent.commands.empty());

    NMHDR header{button.m_hWnd, 77, NM_CLICK};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 77, LPARAM(&header)), 55);
    EXPECT_EQ(parent.notifies, 0);

    button.takes = false;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.commands, std::vector<UINT>{77});
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 77, LPARAM(&header)), 9);
    EXPECT_EQ(parent.notifies, 1);
}

// Consumes key presses of one key in PreTranslateMessage and logs the walk.
class TranslatingWnd : public CWnd {
public:
    TranslatingWnd(std::wstring name, std::wstring& log, WPARAM consumedKey)
        : m_name(std::move(name)), m_log(log), m_consumedKey(consumedKey)
    {
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN) return FALSE;
        m_log += m_name + L" ";
        return msg->wParam == m_consumedKey;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_KEYDOWN) m_log += L"dispatched:" + m_name + L" ";
        return CWnd::WindowProc(msg, wParam, lParam);
    }

private:
    std::wstring m_name;
    std::wstring& m_log;
    WPARAM m_consumedKey;
};

TEST(Wnd, PreTranslationWalksFromTheTargetUpAndMayConsume)
{
    std::wstring log;
    TranslatingWnd top(L"top", log, VK_F5);
    ASSERT_TRUE(CreatePopup(top));
    TranslatingWnd child(L"child", log, VK_F6);
    ASSERT_TRUE(child.CreateEx(0, nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &top, 1));

    MSG msg{child.m_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {}};
    AfxDispatchMessage(msg);
    EXPECT_EQ(log, L"child top ");

    log.clear();
    msg.wParam = VK_F6;
    AfxDispatchMessage(msg);
    EXPECT_EQ(log, L"child ");

    log.clear();
    msg.wParam = VK_F7;
    AfxDispatchMessage(msg);
    EXPECT_EQ(log, L"child top dispatched:child ");
}

class ThrowingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_USER) AfxThrowInvalidArgException();
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

TEST(Wnd, ExceptionsNeverLeaveTheWindowProcedure)
{
    ThrowingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_USER), 0);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
}

TEST(Wnd, StyleAndGeometryWrappers)
{
    CWnd parent;
    ASSERT_TRUE(CreatePopup(parent));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_VISIBLE, CRect(10, 20, 40, 60), &parent, 5));
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);
    EXPECT_EQ(child.GetDlgCtrlID(), 5);
    EXPECT_EQ(parent.GetDlgItem(5), &child);
    EXPECT_EQ(child.GetParent(), &parent);

    EXPECT_TRUE(child.ModifyStyle(WS_VISIBLE, WS_BORDER));
    EXPECT_FALSE(child.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(child.GetStyle() & WS_BORDER);
    EXPECT_FALSE(child.ModifyStyle(0, WS_BORDER));

    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 40, 60));
    child.CenterWindow();
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(85, 30, 115, 70));
}

}  // namespace
