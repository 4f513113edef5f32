#include "CxWinApp.h"

#include "CmdLine.h"

#include <gdiplus.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <memory>

namespace {

// Closes a kernel handle on scope exit.
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Frees a buffer that the system allocated with LocalAlloc.
struct LocalFreer {
    void operator()(wchar_t* buffer) const { LocalFree(buffer); }
};

// Frees a C heap block.
struct HeapFreer {
    void operator()(void* block) const { std::free(block); }
};

constexpr DWORD kMaxProcesses = 200;
constexpr DWORD kModulePathLength = 1024;
constexpr size_t kTimeTextLength = 128;

}  // namespace

IMPLEMENT_DYNCREATE(CxWinApp, CWinAppEx)

CxWinApp::CxWinApp() : CWinAppEx(TRUE) {}

// The mutex stays open on purpose: the system closes it at process end, so the name is held all that time.
CxWinApp::~CxWinApp() = default;

BOOL CxWinApp::InitInstance()
{
    // The guard reads the code CreateMutexW left in SetAtt, so the system's GetLastError (hidden in this class by
    // the static member of that name) must be the first system call here.
    if (instanceMutex && activateMessage && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        CStringArray tokens;
        if (GetCmdLine(&tokens) == 1) {
            DWORD recipients = BSM_APPLICATIONS;
            BroadcastSystemMessageW(BSF_NOHANG, &recipients, activateMessage, 0, 0);
            return 0;
        }
    }
    GetWorkPath();
    return 1;
}

int CxWinApp::ExitInstance() { return CWinAppEx::ExitInstance(); }

void CxWinApp::SetAtt(const wchar_t* messageName, const wchar_t* mutexName)
{
    activateMessage = RegisterWindowMessageW(messageName);
    instanceMutex = CreateMutexW(nullptr, FALSE, mutexName);
}

int CxWinApp::GetCmdLine(CStringArray* tokens)
{
    if (!tokens) return 0;
    return SplitCmdLine(GetCommandLineW(), *tokens);
}

void CxWinApp::GetWorkPath()
{
    GetCmdLine(&cmdLine);
    if (cmdLine.IsEmpty()) AfxThrowInvalidArgException();
    const CString& program = cmdLine[0];
    workPath = program.Left(program.ReverseFind(L'\\') + 1);
}

int CxWinApp::IsPrgRun(const wchar_t* name)
{
    DWORD processes[kMaxProcesses] = {};
    DWORD bytes = 0;
    if (!name || !EnumProcesses(processes, sizeof(processes), &bytes)) return 0;
    CString wanted(name);
    wanted.MakeLower();
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processes[i]));
        if (!process) continue;
        HMODULE program = nullptr;
        DWORD needed = 0;
        if (!EnumProcessModules(process.get(), &program, sizeof(program), &needed)) continue;
        CString path;
        DWORD length = GetModuleFileNameExW(process.get(), program, path.GetBuffer(kModulePathLength),
                                            kModulePathLength);
        path.ReleaseBuffer(int(length));
        if (path.MakeLower().Find(wanted) >= 0) return 1;
    }
    return 0;
}

int CxWinApp::GetEncClsid(const wchar_t* mimeType, GUID* clsid)
{
    UINT count = 0, size = 0;
    Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size);
    if (size == 0 || !mimeType || !clsid) return 0;
    std::unique_ptr<void, HeapFreer> buffer(std::malloc(size));
    if (!buffer) return 0;
    auto* encoders = static_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, encoders) != Gdiplus::Ok) return 0;
    // The records come first in the block, their strings after them: never walk past the block.
    count = std::min<UINT>(count, size / sizeof(Gdiplus::ImageCodecInfo));
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
            *clsid = encoders[i].Clsid;
            return 1;
        }
    }
    return 0;
}

void CxWinApp::GetDiskSize(const wchar_t* root, double* freeSize, double* totalSize)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return;
    // Kilobytes, scaled in floating point: clusters smaller than a kilobyte and volumes over 4 GB keep their value.
    double kilobytesPerCluster = double(sectorsPerCluster) * double(bytesPerSector) / 1024.0;
    if (freeSize) *freeSize = double(freeClusters) * kilobytesPerCluster;
    if (totalSize) *totalSize = double(totalClusters) * kilobytesPerCluster;
}

CString CxWinApp::GetFileName(const wchar_t* path)
{
    CString text(path);
    return text.Mid(text.ReverseFind(L'\\') + 1);
}

CString CxWinApp::GetLocalTime(const wchar_t* format)
{
    __time64_t now = _time64(nullptr);
    if (!format) return CString();
    tm local{};
    if (_localtime64_s(&local, &now) != 0) return CString();
    wchar_t text[kTimeTextLength] = {};
    size_t length = std::wcsftime(text, kTimeTextLength, format, &local);
    // The C library reports 0 when the text does not fit; Wine's instead fills the whole buffer without a
    // terminator and reports its size, so a full buffer counts as not fitting too.
    if (length == 0 || length >= kTimeTextLength) return CString();
    return CString(text, int(length));
}

CTime CxWinApp::GetLocalTime() { return CTime(_time64(nullptr)); }

HICON CxWinApp::GetFileIcon(const wchar_t* path)
{
    if (!path) return nullptr;
    // The attributes go to the shell unchecked: with SHGFI_USEFILEATTRIBUTES it picks the icon from them and the
    // extension and never opens the file.
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path, GetFileAttributesW(path), &info, sizeof(info), SHGFI_ICON | SHGFI_USEFILEATTRIBUTES)) {
        return nullptr;
    }
    return info.hIcon;
}

CString CxWinApp::GetLastError()
{
    DWORD code = ::GetLastError();
    wchar_t* text = nullptr;
    // With FORMAT_MESSAGE_ALLOCATE_BUFFER the buffer argument receives the address of the system's buffer.
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::unique_ptr<wchar_t, LocalFreer> owner(text);
    if (length == 0 || !text) return CString();
    return CString(text, int(length));
}
