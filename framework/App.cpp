#include "App.h"

#include "State.h"
#include "Wnd.h"

#include <objbase.h>
#include <ole2.h>

#include <vector>

FrameworkState& AfxState()
{
    static FrameworkState state;
    return state;
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)
IMPLEMENT_DYNAMIC(CWinAppEx, CWinApp)

int CWinThread::ExitInstance() { return m_exitCode; }

int CWinThread::Run()
{
    WPARAM quitCode = 0;
    while (AfxPumpMessage(&quitCode)) {
    }
    m_exitCode = int(quitCode);
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG*) { return FALSE; }

CWinApp::CWinApp(const wchar_t* appName) : m_appName(appName)
{
    AfxState().app = this;
}

CWinApp::~CWinApp()
{
    if (AfxState().app == this) AfxState().app = nullptr;
}

void CWinApp::SetRegistryKey(const wchar_t* company) { m_registryKey = company; }

HKEY CWinApp::OpenSectionKey(const wchar_t* section, bool create)
{
    if (m_registryKey.IsEmpty() || m_appName.IsEmpty() || !section) return nullptr;
    CString path = L"Software\\" + m_registryKey + L"\\" + m_appName + L"\\" + section;
    HKEY key = nullptr;
    LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                           &key, nullptr)
                         : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

CString CWinApp::ProfileFile() const { return m_appName + L".INI"; }

namespace {

// Closes a registry key on scope exit.
struct KeyCloser {
    HKEY key;
    ~KeyCloser() { if (key) RegCloseKey(key); }
};

}  // namespace

UINT CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue)
{
    if (m_registryKey.IsEmpty()) return GetPrivateProfileIntW(section, entry, defaultValue, ProfileFile());
    KeyCloser key{OpenSectionKey(section, false)};
    DWORD value = 0, type = 0, size = sizeof(value);
    if (!key.key || RegQueryValueExW(key.key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                        ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
        return UINT(defaultValue);
    }
    return value;
}

CString CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue)
{
    CString fallback(defaultValue);
    if (m_registryKey.IsEmpty()) {
        CString text;
        DWORD length = GetPrivateProfileStringW(section, entry, fallback, text.GetBuffer(4096), 4096, ProfileFile());
        text.ReleaseBuffer(int(length));
        return text;
    }
    KeyCloser key{OpenSectionKey(section, false)};
    DWORD type = 0, size = 0;
    if (!key.key || RegQueryValueExW(key.key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return fallback;
    }
    // Registry strings need not be terminated: the zeroed spare character ends the text.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return fallback;
    }
    return CString(buffer.data());
}

BOOL CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value)
{
    if (m_registryKey.IsEmpty()) {
        CString text;
        text.Format(L"%d", value);
        return WritePrivateProfileStringW(section, entry, text, ProfileFile());
    }
    KeyCloser key{OpenSectionKey(section, true)};
    DWORD data = DWORD(value);
    return key.key && RegSetValueExW(key.key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                     sizeof(data)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value)
{
    if (m_registryKey.IsEmpty()) return WritePrivateProfileStringW(section, entry, value, ProfileFile());
    KeyCloser key{OpenSectionKey(section, true)};
    if (!key.key) return FALSE;
    if (!entry) return RegDeleteTreeW(key.key, nullptr) == ERROR_SUCCESS;  // no entry: clear the section
    if (!value) return RegDeleteValueW(key.key, entry) == ERROR_SUCCESS;
    DWORD size = DWORD((wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), size) == ERROR_SUCCESS;
}

CWinApp* AfxGetApp() { return AfxState().app; }

HINSTANCE AfxGetInstanceHandle()
{
    FrameworkState& state = AfxState();
    if (!state.instance) state.instance = GetModuleHandleW(nullptr);
    return state.instance;
}

HINSTANCE AfxGetResourceHandle()
{
    FrameworkState& state = AfxState();
    return state.resources ? state.resources : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resources) { AfxState().resources = resources; }

HINSTANCE AfxFindResourceHandle(const wchar_t* name, const wchar_t* type)
{
    HINSTANCE resources = AfxGetResourceHandle();
    if (FindResourceW(resources, name, type)) return resources;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (FindResourceW(instance, name, type)) return instance;
    return resources;
}

void AfxEnableControlContainer()
{
    FrameworkState& state = AfxState();
    if (!state.oleInitialised) state.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
}

BOOL AfxWinInit(HINSTANCE instance, HINSTANCE, const wchar_t* cmdLine, int cmdShow)
{
    FrameworkState& state = AfxState();
    state.instance = instance;
    CWinApp* app = state.app;
    if (!app) return FALSE;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : L"";
    app->m_nCmdShow = cmdShow;
    if (app->m_appName.IsEmpty() && !app->m_appName.LoadString(AFX_IDS_APP_TITLE)) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(instance, path, MAX_PATH);
        CString name(path);
        name = name.Mid(name.ReverseFind(L'\\') + 1);
        int dot = name.ReverseFind(L'.');
        app->m_appName = dot > 0 ? name.Left(dot) : name;
    }
    return TRUE;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE previous, wchar_t* cmdLine, int cmdShow)
{
    CWinApp* app = AfxGetApp();
    int result = -1;
    if (app && AfxWinInit(instance, previous, cmdLine, cmdShow)) {
        if (app->InitInstance()) {
            result = app->Run();
        } else {
            if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
            result = app->ExitInstance();
        }
    }
    if (AfxState().oleInitialised) {
        OleUninitialize();
        AfxState().oleInitialised = false;
    }
    return result;
}

BOOL AfxPumpMessage(WPARAM* quitCode)
{
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        if (quitCode) *quitCode = msg.wParam;
        return FALSE;
    }
    AfxDispatchMessage(msg);
    return TRUE;
}

namespace {

bool IsDialogWindow(HWND hwnd)
{
    wchar_t className[16] = {};
    return GetClassNameW(hwnd, className, 16) && lstrcmpW(className, L"#32770") == 0;
}

}  // namespace

void AfxDispatchMessage(MSG& msg)
{
    if (CWnd::WalkPreTranslateTree(msg)) return;
    if (CWinApp* app = AfxGetApp(); app && app->PreTranslateMessage(&msg)) return;
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogWindow(root) && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}
