#pragma once
// What the end-to-end programs know of album's windows from outside its process: the main window, its controls,
// its message box, and the rectangles of list and tree items, read through album's own memory.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace e2e {

// Control ids of album's main window.
constexpr int kStartId = IDOK;
constexpr int kExitId = IDCANCEL;
constexpr int kTreeId = 1004;
constexpr int kListId = 1005;
constexpr int kCounterId = 1013;
constexpr int kOutputId = 1028;
// The message box keeps its text in the static of this id.
constexpr int kMessageTextId = 0xFFFF;

// Polls done() every 5 ms until it holds or timeoutMs pass; returns done().
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs);

// album's main window when it is shown, else null.
HWND FindMainWindow();
// A control of the main window, or null.
HWND FindControl(int id);
// The message box the main window owns ("#32770" with the text static), or null.
HWND FindMessageBox();

// Text of a window of another process, or nothing when that process does not answer in time: album pumps no
// messages while it scans a folder or runs a job, so a plain SendMessage could wait forever.
std::optional<std::wstring> ReadText(HWND window, DWORD timeoutMs = 1000);
// SendMessageTimeout with a bound; nothing when the window does not answer in time.
std::optional<LRESULT> SendBounded(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 2000);

// A block of memory in the process that owns a window, for the list and tree messages that take pointers.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return m_address != nullptr; }
    // The block's address in the other process, to pass in a message.
    LPARAM Address(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset); }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    struct HandleCloser {
        void operator()(HANDLE h) const { CloseHandle(h); }
    };
    std::unique_ptr<void, HandleCloser> m_process;
    void* m_address = nullptr;
};

// Bounds of a list item (LVIR_BOUNDS) in screen coordinates.
std::optional<RECT> ListItemRect(HWND list, int index);
// Text of a tree item.
std::optional<std::wstring> TreeItemText(HWND tree, HTREEITEM item);
// The shown tree item with this text, or null.
HTREEITEM FindShownTreeItem(HWND tree, const std::wstring& text);
// Rectangle of a tree item's label in screen coordinates, when it is scrolled into view.
std::optional<RECT> TreeItemRect(HWND tree, HTREEITEM item);

// Writes text to stdout as UTF-8.
void Print(const std::wstring& text);

}  // namespace e2e
