// A program on CxWinApp with the single-instance guard, started by the guard tests. The message and mutex names
// come from the environment; the exit code is 10 when CxWinApp::InitInstance went on starting, plus 1 when the
// work path is the program's own folder.
#include "app/CxWinApp.h"

namespace {

CString Environment(const wchar_t* name)
{
    wchar_t value[256] = {};
    GetEnvironmentVariableW(name, value, 256);
    return CString(value);
}

class CInstanceApp : public CxWinApp {
public:
    BOOL InitInstance() override
    {
        CString message = Environment(L"QUILLET_INSTANCE_MESSAGE");
        CString mutex = Environment(L"QUILLET_INSTANCE_MUTEX");
        SetAtt(message, mutex);
        m_started = CxWinApp::InitInstance();
        return FALSE;  // the test only needs the answer; the framework then ends the process
    }

    int ExitInstance() override
    {
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        CString folder(program);
        folder = folder.Left(folder.ReverseFind(L'\\') + 1);
        bool ownFolder = !workPath.IsEmpty() && workPath.CompareNoCase(folder) == 0;
        return (m_started ? 10 : 0) + (ownFolder ? 1 : 0);
    }

private:
    BOOL m_started = FALSE;
};

CInstanceApp theApp;

}  // namespace
