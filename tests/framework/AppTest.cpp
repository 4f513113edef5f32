#include "common/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kSection = L"Log";

TEST(Profile, MissingValuesGiveDefaultsAndNothingIsWritten)
{
    TestRegistryKey key(L"Defaults");
    CWinApp app(L"Daduz");
    app.SetRegistryKey(key.Company());
    EXPECT_EQ(app.GetProfileInt(kSection, L"Quality", 30), 30u);
    EXPECT_EQ(app.GetProfileString(kSection, L"TreePath"), CString());
    EXPECT_EQ(app.GetProfileString(kSection, L"SavePath", L"fallback"), CString(L"fallback"));

    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\" + CString(key.Company()), 0, KEY_READ, &probe),
              ERROR_SUCCESS);
}

TEST(Profile, ValuesLiveUnderCompanyThenApplicationThenSection)
{
    TestRegistryKey key(L"Layout");
    CWinApp app(L"Daduz");
    app.SetRegistryKey(key.Company());
    ASSERT_TRUE(app.WriteProfileInt(kSection, L"Quality", 75));
    ASSERT_TRUE(app.WriteProfileString(kSection, L"SavePath", L"C:\\out\\"));

    CString path = L"Software\\" + CString(key.Company()) + L"\\Daduz\\Log";
    DWORD quality = 0, size = sizeof(quality);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, path, L"Quality", RRF_RT_REG_DWORD, nullptr, &quality, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(quality, 75u);
    wchar_t text[64] = {};
    size = sizeof(text);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, path, L"SavePath", RRF_RT_REG_SZ, nullptr, text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, L"C:\\out\\");

    // A value of the wrong type reads as the default.
    EXPECT_EQ(app.GetProfileInt(kSection, L"SavePath", 30), 30u);
}

// Child side of the round trip: checks what the parent wrote, then writes its answer.
TEST_CHILD(ProfileRoundTrip)
{
    CWinApp app(L"Daduz");
    app.SetRegistryKey(arg.c_str());
    if (app.GetProfileInt(kSection, L"Quality", 30) != 12) return 2;
    if (app.GetProfileString(kSection, L"TreePath") != CString(L"C:\\Photos \u00e9t\u00e9")) return 3;
    app.WriteProfileString(kSection, L"SavePath", L"D:\\Out\\");
    app.WriteProfileInt(kSection, L"Quality", 0);
    return 0;
}

TEST(Profile, RoundTripAcrossTwoProcesses)
{
    TestRegistryKey key(L"RoundTrip");
    CWinApp app(L"Daduz");
    app.SetRegistryKey(key.Company());
    app.WriteProfileInt(kSection, L"Quality", 12);
    app.WriteProfileString(kSection, L"TreePath", L"C:\\Photos \u00e9t\u00e9");

    ASSERT_EQ(RunChild(L"ProfileRoundTrip", key.Company()), 0);
    EXPECT_EQ(app.GetProfileString(kSection, L"SavePath"), CString(L"D:\\Out\\"));
    EXPECT_EQ(app.GetProfileInt(kSection, L"Quality", 30), 0u);
}

TEST(App, NameComesFromTheTitleResourceElseFromTheExecutable)
{
    CWinApp app;
    ASSERT_TRUE(AfxWinInit(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW));
    EXPECT_EQ(CString(app.AppName()), CString(L"Framework Title"));
    EXPECT_EQ(AfxGetApp(), &app);

    CWinApp untitled;
    AfxSetResourceHandle(GetModuleHandleW(L"framework.dll"));  // a module without a title string
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOW);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(CString(untitled.AppName()), CString(L"framework_tests"));
}

// Counts the framework's calls and decides what InitInstance answers.
class ScriptedApp : public CWinApp {
public:
    explicit ScriptedApp(BOOL start) : m_start(start) {}
    BOOL InitInstance() override
    {
        calls += L"init ";
        if (m_start) PostQuitMessage(4);
        return m_start;
    }
    int ExitInstance() override
    {
        calls += L"exit ";
        return CWinApp::ExitInstance() + 100;
    }
    std::wstring calls;

private:
    BOOL m_start;
};

TEST(App, WinMainRunsExitInstanceWhenInitInstanceFails)
{
    ScriptedApp stopping(FALSE);
    EXPECT_EQ(AfxWinMain(GetModuleHandleW(nullptr), nullptr, const_cast<wchar_t*>(L""), SW_SHOW), 100);
    EXPECT_EQ(stopping.calls, L"init exit ");

    ScriptedApp running(TRUE);
    EXPECT_EQ(AfxWinMain(GetModuleHandleW(nullptr), nullptr, const_cast<wchar_t*>(L""), SW_SHOW), 104);
    EXPECT_EQ(running.calls, L"init exit ");
}

TEST(App, ResourceLookupFallsBackToTheExecutable)
{
    HINSTANCE exe = GetModuleHandleW(nullptr);
    AfxSetResourceHandle(GetModuleHandleW(L"framework.dll"));
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(200), RT_DIALOG), exe);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), exe);
    EXPECT_EQ(AfxGetInstanceHandle(), exe);
}

TEST(Runtime, ClassRecordsKnowTheirBasesAndFactories)
{
    CWinAppEx app(TRUE);
    EXPECT_TRUE(app.m_bResourceSmartUpdate);
    EXPECT_TRUE(app.IsKindOf(RUNTIME_CLASS(CWinApp)));
    EXPECT_TRUE(app.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(app.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ(app.GetRuntimeClass()->m_lpszClassName, "CWinAppEx");

    EXPECT_EQ(RUNTIME_CLASS(CDialog)->CreateObject(), nullptr);
    CObject* made = RUNTIME_CLASS(CWnd)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
    delete made;
}

TEST(Runtime, FrameworkExceptionsAreCaughtByTheirTypes)
{
    EXPECT_THROW(AfxThrowInvalidArgException(), CInvalidArgException);
    try {
        AfxThrowOleException(E_NOINTERFACE);
    } catch (const COleException& e) {
        EXPECT_EQ(e.m_sc, E_NOINTERFACE);
        EXPECT_TRUE(e.IsKindOf(RUNTIME_CLASS(CException)));
    }
}

}  // namespace
