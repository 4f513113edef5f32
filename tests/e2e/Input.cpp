// e2e_input: gives album mouse and key input as a user does, through SendInput at points of its windows.
//   e2e_input click <control id>               left click on the middle of a main-window control
//   e2e_input click-item <index> <x> <y>       left click at (x, y) from the top left of a photo card
//   e2e_input click-tree <item text>           left click on the label of a shown tree item
//   e2e_input key return                       Enter
// Any of them may end with --await-message <ms>: then wait for album's message box and print how many
// milliseconds passed from the input to its appearance. Exit code 0 on success, 1 on failure (told on stderr).
#include "AlbumWindows.h"

#include <cstdio>
#include <stdexcept>
#include <cwchar>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// How long a click waits for its point to be uncovered (the splash fades out above the main window).
constexpr DWORD kCoveredWaitMs = 5000;

// When the last input was handed to the system: the start of a message box's latency.
DWORD injectedAt = 0;

int Fail(const wchar_t* what)
{
    fwprintf(stderr, L"e2e_input: %ls\n", what);
    return 1;
}

POINT Middle(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// Whether a click at point would reach target rather than a window above it.
bool Reaches(HWND target, POINT point)
{
    HWND hit = WindowFromPoint(point);
    return hit == target || IsChild(target, hit);
}

// Moves the pointer to point and presses and releases the left button there.
bool Click(HWND target, POINT point)
{
    if (!PollUntil([&] { return Reaches(target, point); }, kCoveredWaitMs)) return false;
    // Absolute coordinates are in 65536ths of the primary screen; round up so that they land on the pixel.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = (point.x * 65536 + width - 1) / width;
    inputs[0].mi.dy = (point.y * 65536 + height - 1) / height;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    injectedAt = GetTickCount();
    return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

// Presses and releases a key; it goes to the window that has the keyboard focus.
bool PressKey(WORD key)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    injectedAt = GetTickCount();
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

int ClickControl(int id)
{
    HWND control = FindControl(id);
    if (!control) return Fail(L"no such control of the main window");
    RECT rect;
    GetWindowRect(control, &rect);
    return Click(control, Middle(rect)) ? 0 : Fail(L"the control is covered");
}

int ClickItem(int index, int x, int y)
{
    HWND list = FindControl(kListId);
    if (!list) return Fail(L"no photo list");
    auto bounds = ListItemRect(list, index);
    if (!bounds) return Fail(L"no such photo card");
    POINT point{bounds->left + x, bounds->top + y};
    RECT client;
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, point)) return Fail(L"that point of the card is scrolled out of view");
    return Click(list, point) ? 0 : Fail(L"the photo list is covered");
}

int ClickTree(const std::wstring& text)
{
    HWND tree = FindControl(kTreeId);
    if (!tree) return Fail(L"no folder tree");
    HTREEITEM item = FindShownTreeItem(tree, text);
    auto rect = item ? TreeItemRect(tree, item) : std::nullopt;
    if (!rect) return Fail(L"no such tree item in view");
    return Click(tree, Middle(*rect)) ? 0 : Fail(L"the folder tree is covered");
}

int Give(const std::vector<std::wstring>& args)
{
    const std::wstring& verb = args[0];
    if (verb == L"click" && args.size() == 2) return ClickControl(std::stoi(args[1]));
    if (verb == L"click-item" && args.size() == 4)
        return ClickItem(std::stoi(args[1]), std::stoi(args[2]), std::stoi(args[3]));
    if (verb == L"click-tree" && args.size() == 2) return ClickTree(args[1]);
    if (verb == L"key" && args.size() == 2 && args[1] == L"return")
        return PressKey(VK_RETURN) ? 0 : Fail(L"the key was not sent");
    return Fail(L"usage: click <id> | click-item <index> <x> <y> | click-tree <text> | key return"
                L" [--await-message <ms>]");
}

int Run(std::vector<std::wstring> args)
{
    DWORD awaitMs = 0;
    if (args.size() >= 2 && args[args.size() - 2] == L"--await-message") {
        awaitMs = std::stoul(args.back());
        args.resize(args.size() - 2);
    }
    if (args.empty()) return Give({L"?"});
    if (!FindMainWindow()) return Fail(L"album's main window is not shown");
    if (awaitMs && FindMessageBox()) return Fail(L"a message box is already open");
    if (int status = Give(args)) return status;
    if (!awaitMs) return 0;
    if (!PollUntil([] { return FindMessageBox() != nullptr; }, awaitMs)) {
        POINT cursor{};
        GetCursorPos(&cursor);
        HWND under = WindowFromPoint(cursor);
        fwprintf(stderr, L"e2e_input: the pointer is at (%ld, %ld) over control %d\n", cursor.x, cursor.y,
                 under ? GetDlgCtrlID(under) : 0);
        return Fail(L"no message box appeared");
    }
    Print(std::to_wstring(GetTickCount() - injectedAt) + L"\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        return Run({argv + 1, argv + argc});
    } catch (const std::logic_error&) {  // a word where a number belongs
        return Fail(L"a number was expected");
    }
}
