#include "DialogTestSupport.h"
#include "MenuBar.h"
#include "res/resource.h"

#include <vector>

namespace {

using Gdiplus::Font;
using Gdiplus::PointF;
using Gdiplus::RectF;

// A window that records the commands it receives.
class CommandSink : public CWnd {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND) commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    std::vector<UINT> commands;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class MenuBar : public AlbumDialogTest {
protected:
    MenuBar()
    {
        EXPECT_TRUE(sink.CreateEx(0, AfxRegisterWndClass(0), L"sink", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400),
                                  nullptr, 0));
        menus.LoadMenu(IDR_MAIN_MENU);
    }
    CxMenuBar& Open(CMenu* menu, CxMenuEx& by)
    {
        by.Show(menu, &sink, AfxGetInstanceHandle(), CPoint(100, 80));
        return *by.popup;
    }
    CxMenuBar& Open(CMenu* menu) { return Open(menu, holder); }
    // Posts a mouse or key message to bar as the system would while bar holds the capture, and handles it.
    static void Input(CxMenuBar& bar, UINT msg, CPoint point)
    {
        bar.PostMessage(msg, 0, MAKELPARAM(point.x, point.y));
        PumpPending();
    }
    // "First", "More" (with "Inner"), "Other" (with "Deep"), "Last".
    void MakeTestMenu()
    {
        testMenu.CreatePopupMenu();
        testMenu.AppendMenu(MF_STRING, 500, L"First");
        for (auto [name, inner, id] : {std::tuple{L"More", L"Inner", 510}, std::tuple{L"Other", L"Deep", 520}}) {
            CMenu submenu;
            submenu.CreatePopupMenu();
            submenu.AppendMenu(MF_STRING, id, inner);
            testMenu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Detach()), name);
        }
        testMenu.AppendMenu(MF_STRING, 530, L"Last");
    }

    CommandSink sink;
    CMenu menus;
    CMenu testMenu;
    CxMenuEx holder;
};

// The width GDI+ measures for text in the popup's font, as the layout measures it.
int MeasuredWidth(CxMenuBar& bar, const wchar_t* text)
{
    CClientDC dc(nullptr);
    LOGFONTW logFont{};
    GetObjectW(bar.GetFont(), sizeof(logFont), &logFont);
    Font font(dc.GetSafeHdc(), &logFont);
    Gdiplus::Graphics g(dc.GetSafeHdc());
    RectF bounds;
    g.MeasureString(text, -1, &font, PointF(0, 0), &bounds);
    return int(bounds.Width);
}

TEST_F(MenuBar, AlbumsMenuIsLaidOutInFiveRowsAsWideAsItsWidestTextPlus35)
{
    CxMenuBar& bar = Open(menus.GetSubMenu(0));
    const int tops[] = {0, 23, 46, 69, 71}, heights[] = {23, 23, 23, 2, 23};
    ASSERT_EQ(bar.Boxes().size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar.Boxes()[i].left, 26);
        EXPECT_EQ(bar.Boxes()[i].top, tops[i]);
        EXPECT_EQ(bar.Boxes()[i].height, heights[i]);
        EXPECT_EQ(bar.Boxes()[i].icon != nullptr, i != 3) << i;
    }
    int widest = 0;
    for (const wchar_t* text : {L"About Daduz", L"Options", L"Minisize", L"Exit"})
        widest = std::max(widest, MeasuredWidth(bar, text));
    CRect rect;
    bar.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(100, 80, 100 + widest + 35, 80 + 104));
    EXPECT_EQ(CxMenuEx::OpenMenus(), std::vector<CxMenuEx*>{&holder});
    EXPECT_EQ(CWnd::GetCapture(), &bar);
}

TEST_F(MenuBar, ADisabledRowKeepsTheMenuOpenTheIconColumnClosesItAndExitPostsCommand2)
{
    CMenu* main = menus.GetSubMenu(0);
    main->EnableMenuItem(ID_MENU_OPTIONS, MF_GRAYED);
    CxMenuBar& bar = Open(main);
    EXPECT_EQ(bar.HitTest(CPoint(25, 30)), -1);
    EXPECT_EQ(bar.HitTest(CPoint(26, 30)), 1);
    EXPECT_EQ(bar.HitTest(CPoint(bar.barWidth - 1, 72)), 4);
    EXPECT_EQ(bar.HitTest(CPoint(bar.barWidth, 72)), -1);
    Input(bar, WM_LBUTTONUP, CPoint(40, 30));
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(CxMenuEx::OpenMenus().size(), 1u);
    Input(bar, WM_LBUTTONUP, CPoint(10, 80));
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_TRUE(CxMenuEx::OpenMenus().empty());

    CxMenuBar& again = Open(main);
    Input(again, WM_LBUTTONUP, CPoint(40, 80));
    PumpPending();
    EXPECT_EQ(sink.commands, std::vector<UINT>{IDCANCEL});
    EXPECT_FALSE(again.IsWindowVisible());
}

TEST_F(MenuBar, SubmenusOpenBesideTheirRowAndCloseWhenThePointerMovesOn)
{
    MakeTestMenu();
    CxMenuBar& bar = Open(&testMenu);
    EXPECT_EQ(bar.barWidth, MeasuredWidth(bar, L"Other") + 6 + 35) << "room for the arrow";
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
    ASSERT_TRUE(bar.openSubmenu);
    HWND first = bar.openSubmenu->popup->m_hWnd;
    CRect rect;
    ::GetWindowRect(first, &rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(100 + bar.barWidth - 10, 80 + 23));
    EXPECT_EQ(CWnd::GetCapture(), bar.openSubmenu->popup.get());
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 35));
    EXPECT_EQ(bar.openSubmenu->popup->m_hWnd, first) << "moves within the row keep its submenu";

    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 50));
    EXPECT_FALSE(IsWindow(first)) << "the first submenu is freed";
    EXPECT_EQ(CxMenuEx::OpenMenus().size(), 2u);
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 75));
    EXPECT_FALSE(bar.openSubmenu);
    EXPECT_EQ(CxMenuEx::OpenMenus().size(), 1u);
    EXPECT_EQ(CWnd::GetCapture(), &bar);

    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
    CxMenuBar& submenu = *bar.openSubmenu->popup;
    Input(submenu, WM_LBUTTONUP, CPoint(40, 10));
    PumpPending();
    EXPECT_EQ(sink.commands, std::vector<UINT>{510}) << "a submenu's command reaches the first popup's owner";
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(submenu.IsWindowVisible());
}

TEST_F(MenuBar, KeyOrRightButtonReleaseClosesEveryPopupWithoutCommand)
{
    MakeTestMenu();
    for (UINT release : {UINT(WM_KEYUP), UINT(WM_RBUTTONUP)}) {
        CxMenuBar& bar = Open(&testMenu);
        bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
        ASSERT_TRUE(bar.openSubmenu);
        EXPECT_EQ(CxMenuEx::OpenMenus().size(), 2u);
        bar.openSubmenu->popup->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        PumpPending();
        EXPECT_TRUE(bar.openSubmenu->popup->IsWindowVisible()) << "a key press alone closes nothing";
        Input(*bar.openSubmenu->popup, release, CPoint(0, 0));
        EXPECT_TRUE(CxMenuEx::OpenMenus().empty());
        EXPECT_FALSE(bar.IsWindowVisible());
        EXPECT_FALSE(bar.openSubmenu->popup->IsWindowVisible());
    }
    EXPECT_TRUE(sink.commands.empty());
}

TEST_F(MenuBar, OddMenusOpenAndCloseWithoutHarm)
{
    CMenu odd;
    odd.CreatePopupMenu();
    CxMenuBar& empty = Open(&odd);
    EXPECT_EQ(CSize(empty.barWidth, empty.barHeight), CSize(35, 10));
    odd.AppendMenu(MF_STRING, 1, L"");
    odd.AppendMenu(MF_STRING, 2, CString(L'W', 500));
    Open(&odd).SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 10));
    CxMenuEx unskinned;
    unskinned.Show(&odd, &sink, GetModuleHandleW(L"kernel32.dll"), CPoint(10, 10));
    unskinned.popup->SendMessage(WM_TIMER, 0, 0);
    CxMenuEx::CloseAllMenus();
    EXPECT_TRUE(CxMenuEx::OpenMenus().empty());
}

TEST_F(MenuBar, TwoHundredOpenCloseCyclesLeaveNoHandlesWindowsOrListedMenus)
{
    const int headroom = GdiHandleHeadroom();
    const int windows = ThreadWindowCount();
    {
        CxMenuEx cycling;
        Open(menus.GetSubMenu(0), cycling);
        CxMenuEx::CloseAllMenus();
        const int withOnePopup = ThreadWindowCount();
        for (int i = 0; i < 200; ++i) {
            Open(menus.GetSubMenu(0), cycling);
            CxMenuEx::CloseAllMenus();
        }
        EXPECT_EQ(ThreadWindowCount(), withOnePopup) << "showing again frees the popup shown before";
    }
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_EQ(GdiHandleHeadroom(), headroom);
    EXPECT_TRUE(CxMenuEx::OpenMenus().empty());
}

}  // namespace
