#include "TreesTestIds.h"
#include "quillet/controls/ControlsProbes.h"
#include "framework/Menu.h"
#include "trees/CxShellTree.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

// What the menu timer saw and does: a menu window open, and the tree destroyed before the menu ends.
struct MenuWatch {
    bool menuSeen = false;
    HWND destroy = nullptr;
};
MenuWatch g_watch;

// Counts the dialogs (message boxes) activated on this thread while it is installed and closes them.
int g_boxes = 0;

LRESULT CALLBACK CloseBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(HWND(wParam), className, 16) && !wcscmp(className, L"#32770")) {
        ++g_boxes;
        PostMessageW(HWND(wParam), WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    g_watch.menuSeen = g_watch.menuSeen || (menu && IsWindowVisible(menu));
    if (g_watch.destroy) DestroyWindow(std::exchange(g_watch.destroy, nullptr));
    EndMenu();
}

class ShellTree : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        g_watch = {};
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, CRect(10, 10, 210, 190),
                                &dialog, 1004));
        tree.SetAtt(0, 0, 0, tree.LoadRes(IDP_TREE_GLYPHS, L"PNG", nullptr));
        dialog.Compose(tree);
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        dialog.DestroyWindow();
        OleUninitialize();
    }
    // Runs show with a thread timer that ends any menu it opened.
    template <class Show>
    DWORD WithMenuTimer(Show show)
    {
        UINT_PTR timer = SetTimer(nullptr, 0, 300, &EndAnyMenu);
        DWORD start = GetTickCount();
        show();
        DWORD elapsed = GetTickCount() - start;
        KillTimer(nullptr, timer);
        return elapsed;
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog{IDD_TREES_DIALOG};
    CxShellTree tree;
};

TEST_F(ShellTree, SelectingAFolderReportsOnceAndGivesItsPath)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"cxshelltree-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    bool selected = tree.SelectPath(folder.c_str());
    CString path;
    tree.GetItemPath(path, tree.GetSelectedItem());
    RemoveDirectoryW(folder.c_str());

    ASSERT_TRUE(selected);
    EXPECT_EQ(path.CompareNoCase(folder.c_str()), 0) << CStringA(path).GetString();
    ASSERT_EQ(dialog.reports.size(), 1u);
    EXPECT_EQ(dialog.reports[0].wParam, reinterpret_cast<WPARAM>(static_cast<CxTreeBase*>(&tree)));
    EXPECT_EQ(dialog.reports[0].lParam, reinterpret_cast<LPARAM>(tree.GetSelectedItem()));
}

TEST_F(ShellTree, TheKeyboardContextMenuWithoutASelectionShowsNothing)
{
    tree.SelectItem(nullptr);
    ASSERT_EQ(tree.GetSelectedItem(), nullptr);
    WithMenuTimer([&] { tree.SendMessage(WM_CONTEXTMENU, WPARAM(tree.m_hWnd), MAKELPARAM(-1, -1)); });
    EXPECT_FALSE(g_watch.menuSeen);
    EXPECT_EQ(CMFCShellTreeCtrl::m_pContextMenu2, nullptr);
}

TEST_F(ShellTree, AMenuCommandThatDestroysTheTreeEndsTheOperation)
{
    HTREEITEM item = tree.GetChildItem(tree.GetRootItem());
    ASSERT_NE(item, nullptr);
    CRect row;
    tree.GetItemRect(item, &row, TRUE);
    CPoint point = row.CenterPoint();
    tree.ClientToScreen(&point);
    g_watch.destroy = tree.m_hWnd;

    WithMenuTimer([&] { tree.OnShowContextMenu(point); });
    EXPECT_TRUE(g_watch.menuSeen) << "the shell's menu opened";
    EXPECT_EQ(tree.m_hWnd, nullptr);
    EXPECT_EQ(CMFCShellTreeCtrl::m_pContextMenu2, nullptr) << "the next menu is not blocked";
    EXPECT_TRUE(dialog.commands.empty());
}

TEST_F(ShellTree, AnOpeningPopupMenuShowsNoMessageBox)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    g_boxes = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CloseBoxes, nullptr, GetCurrentThreadId());
    tree.SendMessage(WM_INITMENUPOPUP, WPARAM(popup.GetSafeHmenu()), 0);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_boxes, 0);
}

TEST_F(ShellTree, PaintsTheShellIconsWithTheSkin)
{
    tree.SelectItem(tree.GetChildItem(tree.GetRootItem()));
    auto surface = dialog.Render(tree);
    CRect row;
    tree.GetItemRect(tree.GetChildItem(tree.GetRootItem()), &row, TRUE);
    int coloured = 0;
    for (int y = row.top; y < row.top + 16; ++y) {
        for (int x = row.left - 18; x < row.left - 2; ++x) {
            Gdiplus::Color c(PixelAt(*surface, 10 + x, 10 + y));
            coloured += c.GetR() != c.GetG() || c.GetG() != c.GetB();
        }
    }
    EXPECT_GT(coloured, 10) << "a shell icon left of the text";
}

}  // namespace
