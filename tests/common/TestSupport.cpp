#include "common/TestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

#include <map>
#include <vector>

namespace {

std::map<std::wstring, ChildMain>& Children()
{
    static std::map<std::wstring, ChildMain> children;
    return children;
}

}  // namespace

ChildRegistration::ChildRegistration(const wchar_t* name, ChildMain main) { Children()[name] = main; }

bool DispatchChild(int argc, wchar_t** argv, int& exitCode)
{
    if (argc < 3 || std::wstring(argv[1]) != L"--child") return false;
    auto found = Children().find(argv[2]);
    exitCode = found == Children().end() ? 99 : found->second(argc > 3 ? argv[3] : L"");
    return true;
}

int RunChild(const wchar_t* name, const std::wstring& arg, DWORD timeoutMs)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" --child " + name + L" \"" + arg + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD exitCode = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(exitCode);
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) AfxDispatchMessage(msg);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

TestRegistryKey::TestRegistryKey(const wchar_t* name) : m_company(L"AlbumTests " + CString(name))
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + m_company);
}

TestRegistryKey::~TestRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + m_company); }

void PrintTo(const CString& text, std::ostream* out) { *out << '"' << CStringA(text).GetString() << '"'; }

int GdiHandleHeadroom()
{
    std::vector<HBITMAP> made;
    while (HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr)) made.push_back(bitmap);
    for (HBITMAP bitmap : made) DeleteObject(bitmap);
    return int(made.size());
}

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

GdiplusSession::~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }
