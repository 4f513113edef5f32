#pragma once
// The application object family (CCmdTarget, CWinThread, CWinApp, CWinAppEx), the framework's entry
// point and the process-wide Afx accessors.
#include "Runtime.h"
#include "Strings.h"

class CWnd;

// String resource whose text names the application (the framework's title convention).
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;

// Base of the objects that receive commands.
class FW_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
};

// A thread with a message loop; the framework's loop pre-translates every message.
class FW_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance();
    // Runs the message loop until WM_QUIT, then ExitInstance.
    virtual int Run();
    // Last chance to consume a message the window walk did not take.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

// The application: one per process, found with AfxGetApp. Owns the profile (settings) store.
class FW_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    BOOL InitInstance() override { return TRUE; }

    // Keeps the profile under HKCU\Software\<company>\<application name>.
    void SetRegistryKey(const wchar_t* company);
    // Profile values of <section>; missing values give the default.
    UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue);
    CString GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue = nullptr);
    BOOL WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);
    BOOL WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value);

    const wchar_t* AppName() const { return m_appName; }
    const wchar_t* RegistryKey() const { return m_registryKey; }

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";
    int m_nCmdShow = SW_SHOWNORMAL;

private:
    friend FW_API BOOL AfxWinInit(HINSTANCE, HINSTANCE, const wchar_t*, int);
    // HKCU\Software\<company>\<application>\<section>, created on demand; null without a registry key.
    HKEY OpenSectionKey(const wchar_t* section, bool create);
    CString ProfileFile() const;

    CString m_appName;
    CString m_registryKey;
};

// The extended application; resource smart update is a constructor flag.
class FW_API CWinAppEx : public CWinApp {
    DECLARE_DYNAMIC(CWinAppEx)
public:
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE) : m_bResourceSmartUpdate(resourceSmartUpdate) {}

    // State hooks of the extended application; the defaults do nothing.
    virtual void PreLoadState() {}
    virtual void LoadCustomState() {}
    virtual void SaveCustomState() {}
    virtual void PreSaveState() {}
    virtual BOOL OnWorkspaceIdle(CWnd*) { return FALSE; }

    BOOL m_bResourceSmartUpdate;
};

// The one application object, or null before it is constructed.
FW_API CWinApp* AfxGetApp();
// The executable's module handle.
FW_API HINSTANCE AfxGetInstanceHandle();
// The module resources are loaded from (the executable unless changed).
FW_API HINSTANCE AfxGetResourceHandle();
FW_API void AfxSetResourceHandle(HINSTANCE resources);
// The module that holds the named resource: the resource module first, then the executable.
FW_API HINSTANCE AfxFindResourceHandle(const wchar_t* name, const wchar_t* type);
// Prepares the process for hosting ActiveX controls (COM on this thread).
FW_API void AfxEnableControlContainer();
// Records the module, command line and application name before InitInstance.
FW_API BOOL AfxWinInit(HINSTANCE instance, HINSTANCE previous, const wchar_t* cmdLine, int cmdShow);
// The framework's entry point: InitInstance, then Run; ExitInstance when InitInstance fails.
FW_API int AfxWinMain(HINSTANCE instance, HINSTANCE previous, wchar_t* cmdLine, int cmdShow);
// Fetches one message and dispatches it; false on WM_QUIT, whose exit code lands in quitCode.
FW_API BOOL AfxPumpMessage(WPARAM* quitCode = nullptr);
// The pre-translation walk, IsDialogMessage, TranslateMessage and DispatchMessage for one message.
FW_API void AfxDispatchMessage(MSG& msg);
