// The single-instance guard with real processes: this test holds the mutex as the first instance and counts the
// broadcasts that second instances of the guard program send it.
#include "app/CxWinApp.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class ProbeApp : public CxWinApp {
public:
    using CxWinApp::InitInstance;
    using CxWinApp::SetAtt;
};

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// A hidden top-level window of this process that counts one registered message.
class BroadcastCounter {
public:
    explicit BroadcastCounter(UINT message)
    {
        s_message = message;
        s_count = 0;
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuilletBroadcastCounter";
        RegisterClassW(&windowClass);
        m_hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
    }
    ~BroadcastCounter() { DestroyWindow(m_hwnd); }
    BroadcastCounter(const BroadcastCounter&) = delete;
    BroadcastCounter& operator=(const BroadcastCounter&) = delete;

    bool IsValid() const { return m_hwnd != nullptr; }
    static int Count() { return s_count; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == s_message && wParam == 0 && lParam == 0) ++s_count;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static inline UINT s_message = 0;
    static inline int s_count = 0;
    HWND m_hwnd = nullptr;
};

// Starts the guard program as "<quoted path><arguments>" and serves this thread's messages until it ends, so that
// its broadcast is delivered; returns its exit code, or -1.
int RunInstance(const std::wstring& arguments)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring program(exe);
    program = program.substr(0, program.rfind(L'\\') + 1) + L"quillet_app_instance.exe";
    std::wstring commandLine = L"\"" + program + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return -1;
    }
    UniqueHandle process(info.hProcess), thread(info.hThread);
    if (!PumpUntil([&] { return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, 30000)) {
        TerminateProcess(process.get(), 1);
        return -1;
    }
    DWORD exitCode = DWORD(-1);
    GetExitCodeProcess(process.get(), &exitCode);
    return int(exitCode);
}

// Names of this run, so that parallel runs never share a mutex or a message.
struct GuardNames {
    CString message, mutex;
    explicit GuardNames(const wchar_t* tag)
    {
        message.Format(L"QuilletActivate %s %lu", tag, GetCurrentProcessId());
        mutex.Format(L"QuilletInstance %s %lu", tag, GetCurrentProcessId());
        SetEnvironmentVariableW(L"QUILLET_INSTANCE_MESSAGE", message);
        SetEnvironmentVariableW(L"QUILLET_INSTANCE_MUTEX", mutex);
    }
};

TEST(InstanceGuard, AFirstInstanceStartsAndKnowsItsFolder)
{
    GuardNames names(L"first");
    EXPECT_EQ(RunInstance(L""), 11);
    EXPECT_EQ(RunInstance(L" x"), 11);  // the mutex ended with the first run
}

TEST(InstanceGuard, ASecondInstanceWithoutArgumentsBroadcastsOnceAndStops)
{
    GuardNames names(L"second");
    ProbeApp first;
    first.SetAtt(names.message, names.mutex);
    ASSERT_EQ(first.InitInstance(), 1);
    ASSERT_NE(first.activateMessage, 0u);
    BroadcastCounter counter(first.activateMessage);
    ASSERT_TRUE(counter.IsValid());

    // Returns 0 without computing the work path, after exactly one broadcast.
    EXPECT_EQ(RunInstance(L""), 0);
    PumpPending();
    EXPECT_EQ(BroadcastCounter::Count(), 1);

    // With an argument the second instance starts like a first one and stays silent.
    EXPECT_EQ(RunInstance(L" photo.jpg"), 11);
    PumpPending();
    EXPECT_EQ(BroadcastCounter::Count(), 1);

    CloseHandle(first.instanceMutex);
}

}  // namespace
