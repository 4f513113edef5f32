#include "DialogTestSupport.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kScriptDelayMs = 30;
constexpr UINT_PTR kFallbackMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;

std::function<void()> currentScript;
CDialog* currentDialog = nullptr;
HHOOK messageBoxHook = nullptr;
int messageBoxes = 0;
CString messageBoxText;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    currentScript();
}

void CALLBACK EndStuckDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (currentDialog && currentDialog->m_hWnd) currentDialog->EndDialog(-1);
}

// Closes every message box as soon as it is activated, so that none blocks a test.
LRESULT CALLBACK CloseMessageBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && GetDlgItem(window, kMessageBoxTextId)) {
        ++messageBoxes;
        wchar_t text[256] = {};
        GetDlgItemTextW(window, kMessageBoxTextId, text, 256);
        messageBoxText = text;
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(messageBoxHook, code, wParam, lParam);
}

}  // namespace

AlbumDialogTest::AlbumDialogTest()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    // Names the application from the resources, as at start-up.
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOWNORMAL);
    app.SetRegistryKey(key.Company());
    app.appFont = CAlbumApp::MakeFont(L"Courier New", 9.0f);
    messageBoxes = 0;
    messageBoxText.Empty();
    messageBoxHook = SetWindowsHookExW(WH_CBT, CloseMessageBoxes, nullptr, GetCurrentThreadId());
}

AlbumDialogTest::~AlbumDialogTest()
{
    UnhookWindowsHookEx(messageBoxHook);
    app.appFont.reset();
}

void ScheduleScript(const std::function<void()>& script)
{
    currentScript = script;
    SetTimer(nullptr, 0, kScriptDelayMs, RunScript);
}

INT_PTR RunModal(CDialog& dialog, const std::function<void()>& script)
{
    currentDialog = &dialog;
    ScheduleScript(script);
    UINT_PTR fallback = SetTimer(nullptr, 0, kFallbackMs, EndStuckDialog);
    INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, fallback);
    currentDialog = nullptr;
    return result;
}

void Click(CWnd& button)
{
    CRect rect;
    button.GetWindowRect(&rect);
    SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    CPoint middle(rect.Width() / 2, rect.Height() / 2);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
}

CPoint OffsetInParent(CWnd& child)
{
    CRect childRect, parentRect;
    child.GetWindowRect(&childRect);
    ::GetWindowRect(::GetParent(child.m_hWnd), &parentRect);
    return CPoint(childRect.left - parentRect.left, childRect.top - parentRect.top);
}

int MessageBoxesShown() { return messageBoxes; }

CString LastMessageBoxText() { return messageBoxText; }
