// CxTray with a real window and the shell's notification area: the record it hands over, when the icon is shown
// and removed, and what IsIcon reports.
#include "misc/Tray.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kCallback = WM_APP + 5;

// Exposes the record handed to the shell.
class TrayProbe : public CxTray {
public:
    using CxTray::iconData;
};

class TrayTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"tray owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    void TearDown() override { RemoveIcon(); }

    // Asks the shell whether the owner's icon 0 exists: only an existing icon can be modified.
    bool InTray() { return Request(NIM_MODIFY); }
    bool RemoveIcon() { return Request(NIM_DELETE); }

    bool Request(DWORD message)
    {
        NOTIFYICONDATAW probe = {};
        probe.cbSize = sizeof(probe);
        probe.hWnd = owner.GetSafeHwnd();
        return Shell_NotifyIconW(message, &probe);
    }

    CWnd owner;
    HICON icon = nullptr;
};

TEST_F(TrayTest, SetAttFillsTheRecordAndCutsLongTips)
{
    TrayProbe tray;
    EXPECT_EQ(tray.SetAtt(nullptr, kCallback, L"tip", icon, 1), 0);
    EXPECT_EQ(tray.iconData.cbSize, 0u);

    const std::wstring longTip(200, L'x');
    ASSERT_EQ(tray.SetAtt(&owner, kCallback, longTip.c_str(), icon, 0), 1);
    EXPECT_EQ(tray.iconData.cbSize, sizeof(NOTIFYICONDATAW));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(tray.iconData.cbSize, 956u);
    }
    EXPECT_EQ(tray.iconData.hWnd, owner.GetSafeHwnd());
    EXPECT_EQ(tray.iconData.uID, 0u);
    EXPECT_EQ(tray.iconData.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(tray.iconData.uCallbackMessage, kCallback);
    EXPECT_EQ(tray.iconData.hIcon, icon);
    EXPECT_EQ(std::wstring(tray.iconData.szTip), longTip.substr(0, 127));
    EXPECT_FALSE(InTray());

    tray.SetTip(std::wstring(128, L'y').c_str());
    EXPECT_EQ(std::wstring(tray.iconData.szTip), std::wstring(127, L'y'));
}

TEST_F(TrayTest, ShowIconAddsAndRemovesWhileSetAttLeavesIsIcon)
{
    CxTray tray;
    ASSERT_EQ(tray.SetAtt(&owner, kCallback, L"Quillet", icon, 1), 1);
    EXPECT_TRUE(InTray());
    EXPECT_EQ(tray.IsIcon(), 0);

    tray.ShowIcon(1);
    EXPECT_EQ(tray.IsIcon(), 1);
    tray.SetIcon(LoadIconW(nullptr, IDI_INFORMATION));
    tray.SetTip(L"changed");
    EXPECT_TRUE(InTray());

    tray.ShowIcon(0);
    EXPECT_FALSE(InTray());
    EXPECT_EQ(tray.IsIcon(), 0);
    tray.ShowIcon(0);
    EXPECT_FALSE(InTray());

    tray.ShowIcon(1);
    EXPECT_TRUE(InTray());
}

TEST_F(TrayTest, DestructionLeavesTheIconAndCopiesShareIt)
{
    {
        CxTray tray;
        ASSERT_EQ(tray.SetAtt(&owner, kCallback, L"stays", icon, 1), 1);
    }
    EXPECT_TRUE(InTray());

    CxTray tray;
    tray.SetAtt(&owner, kCallback, L"stays", icon, 0);
    tray.ShowIcon(1);
    const CxTray copy(tray);
    EXPECT_EQ(copy.IsIcon(), 1);
    CxTray other;
    other = copy;
    other.ShowIcon(0);
    EXPECT_FALSE(InTray());
}

}  // namespace
