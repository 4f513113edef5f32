// CxWinApp in-process: its class record and defaults, InitInstance without a guard, the running-process test,
// and the static system utilities against the real system.
#include "app/CxWinApp.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <thread>

namespace {

// Opens up the protected interface of the application base.
class ProbeApp : public CxWinApp {
public:
    using CxWinApp::ExitInstance;
    using CxWinApp::GetCmdLine;
    using CxWinApp::InitInstance;
    using CxWinApp::SetAtt;
};

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

CString ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return CString(path);
}

TEST(CxWinApp, IsDynamicallyCreatableAndStartsEmpty)
{
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CxWinApp)->CreateObject());
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWinAppEx)));
    auto* app = static_cast<CxWinApp*>(made.get());
    EXPECT_EQ(app->GetRuntimeClass(), &CxWinApp::classCxWinApp);
    EXPECT_TRUE(app->m_bResourceSmartUpdate);
    EXPECT_EQ(app->instanceMutex, nullptr);
    EXPECT_TRUE(app->cmdLine.IsEmpty());
    EXPECT_TRUE(app->workPath.IsEmpty());
    EXPECT_EQ(app->activateMessage, 0u);
}

TEST(CxWinApp, WithoutSetAttInitInstanceAlwaysStartsAndFindsTheProgramFolder)
{
    ProbeApp app;
    SetLastError(ERROR_ALREADY_EXISTS);  // what a second instance would see; without SetAtt it must not matter
    EXPECT_EQ(app.InitInstance(), 1);
    ASSERT_GE(app.cmdLine.GetSize(), 1);
    // The launcher starts the test by its full path, so the work path is the folder of this executable.
    CString module = ModulePath();
    EXPECT_EQ(app.workPath.CompareNoCase(module.Left(module.ReverseFind(L'\\') + 1)), 0)
        << CStringA(app.workPath).GetString();
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(app.GetCmdLine(nullptr), 0);
}

TEST(CxWinApp, SetAttRegistersTheMessageAndCreatesTheMutex)
{
    CString name;
    name.Format(L"QuilletSetAtt%lu", GetCurrentProcessId());
    ProbeApp app;
    app.SetAtt(name, name);
    EXPECT_EQ(app.activateMessage, RegisterWindowMessageW(name));
    ASSERT_NE(app.instanceMutex, nullptr);
    // Not owned: another thread can take it at once.
    HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, name);
    ASSERT_NE(other, nullptr);
    std::thread waiter([&] { EXPECT_EQ(WaitForSingleObject(other, 0), WAIT_OBJECT_0); ReleaseMutex(other); });
    waiter.join();
    CloseHandle(other);
    CloseHandle(app.instanceMutex);
}

TEST(CxWinApp, IsPrgRunFindsThisProgramIgnoringCase)
{
    CString name = CxWinApp::GetFileName(ModulePath());
    CString upper(name), lower(name);
    EXPECT_EQ(CxWinApp::IsPrgRun(upper.MakeUpper()), 1);
    EXPECT_EQ(CxWinApp::IsPrgRun(lower.MakeLower()), 1);
    EXPECT_EQ(CxWinApp::IsPrgRun(L"no_such_program_4f1c9.exe"), 0);
    EXPECT_EQ(CxWinApp::IsPrgRun(nullptr), 0);
}

TEST(SystemUtilities, GetEncClsidMatchesTheMimeTypeExactly)
{
    GdiplusSession gdiplus;
    constexpr GUID kJpegEncoder = {0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    constexpr GUID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    constexpr GUID kUntouched = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};

    GUID clsid = kUntouched;
    EXPECT_EQ(CxWinApp::GetEncClsid(L"image/jpeg", &clsid), 1);
    EXPECT_TRUE(IsEqualGUID(clsid, kJpegEncoder));
    EXPECT_EQ(CxWinApp::GetEncClsid(L"image/png", &clsid), 1);
    EXPECT_TRUE(IsEqualGUID(clsid, kPngEncoder));

    for (const wchar_t* mimeType : {L"IMAGE/JPEG", L"image/jpe", L"image/jpegx", L""}) {
        clsid = kUntouched;
        EXPECT_EQ(CxWinApp::GetEncClsid(mimeType, &clsid), 0) << CStringA(mimeType).GetString();
        EXPECT_TRUE(IsEqualGUID(clsid, kUntouched));
    }
}

TEST(SystemUtilities, GetDiskSizeGivesKilobytesOrLeavesTheOutputs)
{
    double freeSize = -1, totalSize = -1;
    CxWinApp::GetDiskSize(L"C:\\", &freeSize, &totalSize);
    ULARGE_INTEGER freeBytes{}, totalBytes{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", nullptr, &totalBytes, &freeBytes));
    EXPECT_GT(totalSize, 0);
    EXPECT_LE(freeSize, totalSize);
    // The cluster counts the call sees cap volumes at 2^32 clusters; no test volume comes near that.
    EXPECT_NEAR(totalSize, double(totalBytes.QuadPart) / 1024.0, 1.0);

    CxWinApp::GetDiskSize(L"C:\\", nullptr, nullptr);  // either output may be left out

    freeSize = 7, totalSize = 8;
    CxWinApp::GetDiskSize(L"Q:\\no\\such\\volume\\", &freeSize, &totalSize);
    EXPECT_EQ(freeSize, 7);
    EXPECT_EQ(totalSize, 8);
}

TEST(SystemUtilities, GetFileNameTakesWhatFollowsTheLastBackslash)
{
    EXPECT_EQ(CxWinApp::GetFileName(L"C:\\Photos\\a.jpg"), CString(L"a.jpg"));
    EXPECT_EQ(CxWinApp::GetFileName(L"a.jpg"), CString(L"a.jpg"));
    EXPECT_EQ(CxWinApp::GetFileName(L"C:\\Photos\\"), CString());
    EXPECT_EQ(CxWinApp::GetFileName(L"C:/Photos/a.jpg"), CString(L"C:/Photos/a.jpg"));
    EXPECT_EQ(CxWinApp::GetFileName(nullptr), CString());
}

TEST(SystemUtilities, GetLocalTimeFormatsIntoAtMost127CharactersOrGivesTheMoment)
{
    CString date = CxWinApp::GetLocalTime(L"%b. %d. %Y");
    EXPECT_TRUE(std::regex_match(date.Str(), std::wregex(LR"([A-Z][a-z]{2}\. \d{2}\. \d{4})")))
        << CStringA(date).GetString();
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    EXPECT_EQ(CxWinApp::GetLocalTime(L"%Y"), CString(std::to_wstring(today.wYear)));

    EXPECT_EQ(CxWinApp::GetLocalTime(CString(L'x', 127)).GetLength(), 127);
    EXPECT_EQ(CxWinApp::GetLocalTime(CString(L'x', 128)), CString());
    EXPECT_EQ(CxWinApp::GetLocalTime(CString(L'x', 125) + L"%Y"), CString());
    EXPECT_EQ(CxWinApp::GetLocalTime(L""), CString());
    EXPECT_EQ(CxWinApp::GetLocalTime(nullptr), CString());

    __time64_t before = _time64(nullptr);
    CTime now = CxWinApp::GetLocalTime();
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), _time64(nullptr));
}

TEST(SystemUtilities, GetFileIconGivesTheLargeShellIcon)
{
    UniqueIcon icon(CxWinApp::GetFileIcon(ModulePath()));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);

    // The file is never opened: a missing one still gets the icon its name and attributes suggest.
    UniqueIcon missing(CxWinApp::GetFileIcon(L"C:\\no\\such\\folder\\photo.jpg"));
    EXPECT_NE(missing, nullptr);
    EXPECT_EQ(CxWinApp::GetFileIcon(nullptr), nullptr);
}

TEST(SystemUtilities, GetLastErrorTextsTheThreadsLastCode)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    CString notFound = CxWinApp::GetLastError();
    SetLastError(ERROR_ACCESS_DENIED);
    CString denied = CxWinApp::GetLastError();
    EXPECT_FALSE(notFound.IsEmpty());
    EXPECT_FALSE(denied.IsEmpty());
    EXPECT_NE(notFound, denied);
    // The system's text comes unchanged, line end included.
    EXPECT_EQ(notFound.Right(2), CString(L"\r\n"));

    SetLastError(0x2FFFFFFF);  // a customer code: the system has no text for it
    EXPECT_EQ(CxWinApp::GetLastError(), CString());
}

}  // namespace
