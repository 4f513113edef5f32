#pragma once
// CxWinApp: the toolkit's application base (command-line tokens, program folder, optional single-instance guard)
// and its static system utilities (encoders, volumes, names, time, icons, error texts, USB device drives).
#include "QuilletApi.h"
#include "framework/App.h"
#include "framework/File.h"

class QUILLET_API CxWinApp : public CWinAppEx {
    DECLARE_DYNCREATE(CxWinApp)
public:
    // An application without guard, tokens or work path yet; the base keeps resource smart update on.
    CxWinApp();
    ~CxWinApp() override;

    // 1 if the full program path of some running process contains name (ignoring case), else 0.
    static int IsPrgRun(const wchar_t* name);

    // Copies the class identifier of the GDI+ encoder for mimeType (exact, case-sensitive) into clsid; 1 found,
    // 0 not found (clsid untouched). GDI+ must be started.
    static int GetEncClsid(const wchar_t* mimeType, GUID* clsid);
    // Free and total capacity of the volume at root, in kilobytes, into the non-null pointers; untouched when the
    // system cannot measure the volume (GetDiskFreeSpaceW).
    static void GetDiskSize(const wchar_t* root, double* freeSize, double* totalSize);
    // The characters after the last backslash of path (the whole path when it has none).
    static CString GetFileName(const wchar_t* path);
    // The current local time formatted by wcsftime; empty for a null format or a text over 127 characters.
    static CString GetLocalTime(const wchar_t* format);
    // The current time (seconds since 1970-01-01 UTC); it becomes local time when the caller formats it.
    static CTime GetLocalTime();
    // The shell's large icon for path's attributes and extension (SHGetFileInfoW); the caller destroys it; null
    // when the shell has none.
    static HICON GetFileIcon(const wchar_t* path);
    // The system's message text for the calling thread's last error code, as FormatMessageW wrote it; empty when
    // the system has no text for it.
    static CString GetLastError();

    // Appends the instance string (normally the serial number) of every present USB device; always 0.
    static int GetDevPath(CStringArray& devices);
    // Finds the present USB device whose instance string is exactly instance and puts its removable drive's root
    // ("E:\") into drive (empty when it has none); 1 when a drive was found, else 0 (drive untouched when no
    // device matched).
    static int GetDevPath(const wchar_t* instance, CString& drive);
    // Root of the removable drive of the device node devInst (a configuration manager DEVINST), or empty.
    static CString GetDevPath(DWORD devInst);

protected:
    // Runs the single-instance guard when SetAtt was called; 0 when this process is a second instance started
    // without arguments, else fills cmdLine and workPath and returns 1.
    BOOL InitInstance() override;
    // The base class's shutdown; nothing is added.
    int ExitInstance() override;
    // Registers messageName as activateMessage and creates or opens the mutex mutexName as instanceMutex; call it
    // right before CxWinApp::InitInstance, which reads the system's last error code it leaves.
    void SetAtt(const wchar_t* messageName, const wchar_t* mutexName);
    // Appends the tokens of the process command line to tokens; returns how many were appended.
    int GetCmdLine(CStringArray* tokens);
    // Fills cmdLine with the command-line tokens and workPath with token 0 up to its last backslash.
    void GetWorkPath();

public:
    // Named mutex of the single-instance guard; never closed, so the name stays taken until the process ends.
    HANDLE instanceMutex = nullptr;
    // Command-line tokens; token 0 is the program path.
    CStringArray cmdLine;
    // Folder of the program file with its trailing backslash, or empty.
    CString workPath;
    // Window message broadcast by a second instance; 0 without SetAtt.
    UINT activateMessage = 0;
};
