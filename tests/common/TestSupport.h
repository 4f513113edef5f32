#pragma once
// Helpers shared by the test executables: child processes, message pumping, private registry keys.
#include "framework/Framework.h"

#include <functional>
#include <ostream>
#include <string>

// Entry point of a child mode of the test executable, run as `<exe> --child <name> <arg>`.
using ChildMain = int (*)(const std::wstring& arg);

struct ChildRegistration {
    ChildRegistration(const wchar_t* name, ChildMain main);
};

// Defines a child mode: TEST_CHILD(Name) { ...; return exitCode; } with `arg` in scope.
#define TEST_CHILD(name)                                                                                        \
    static int name##Child(const std::wstring& arg);                                                            \
    static ChildRegistration name##Registration(L## #name, &name##Child);                                       \
    static int name##Child([[maybe_unused]] const std::wstring& arg)

// Runs the test executable again in the named child mode and returns its exit code (-1 on failure).
int RunChild(const wchar_t* name, const std::wstring& arg, DWORD timeoutMs = 30000);
// Runs the named child mode if the command line asks for one; returns true with its exit code.
bool DispatchChild(int argc, wchar_t** argv, int& exitCode);

// Dispatches messages until done() holds or the timeout passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches the messages that are waiting now.
void PumpPending();

// A registry key under HKCU\Software of this test only, deleted before and after use.
class TestRegistryKey {
public:
    explicit TestRegistryKey(const wchar_t* name);
    ~TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // The company name to hand to SetRegistryKey.
    const wchar_t* Company() const { return m_company; }

private:
    CString m_company;
};

// Lets GoogleTest print strings in failure messages.
void PrintTo(const CString& text, std::ostream* out);

// How many more GDI objects the process can create now. Compared before and after a loop, it counts
// leaked handles exactly (Wine's GetGuiResources is a stub, and its handle table holds 65,000+).
int GdiHandleHeadroom();

// Starts GDI+ for the life of the object.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};
