#include "AlbumWindows.h"

#include <cstdio>
#include <vector>

namespace e2e {

namespace {

constexpr wchar_t kMainCaption[] = L"Mirelle v1.4";
constexpr DWORD kPollMs = 5;
constexpr size_t kTextChars = 1024;

struct OwnedBoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<OwnedBoxSearch*>(param);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (GetWindow(window, GW_OWNER) != search->owner || !GetDlgItem(window, kMessageTextId)) return TRUE;
    search->found = window;
    return FALSE;
}

RECT ToScreen(HWND window, RECT rect)
{
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return done();
        Sleep(kPollMs);
    }
    return true;
}

HWND FindMainWindow()
{
    HWND window = FindWindowW(nullptr, kMainCaption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND FindControl(int id)
{
    HWND main = FindMainWindow();
    return main ? GetDlgItem(main, id) : nullptr;
}

HWND FindMessageBox()
{
    OwnedBoxSearch search{FindMainWindow(), nullptr};
    if (search.owner) EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<LRESULT> SendBounded(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result)) return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::optional<std::wstring> ReadText(HWND window, DWORD timeoutMs)
{
    std::vector<wchar_t> text(kTextChars);
    auto length = SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeoutMs);
    if (!length) return std::nullopt;
    return std::wstring(text.data(), static_cast<size_t>(*length));
}

RemoteMemory::RemoteMemory(HWND window, size_t size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    m_process.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (m_process) m_address = VirtualAllocEx(m_process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory()
{
    if (m_address) VirtualFreeEx(m_process.get(), m_address, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset)
{
    return m_address &&
           WriteProcessMemory(m_process.get(), reinterpret_cast<void*>(Address(offset)), data, size, nullptr);
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const
{
    return m_address &&
           ReadProcessMemory(m_process.get(), reinterpret_cast<const void*>(Address(offset)), data, size, nullptr);
}

std::optional<RECT> ListItemRect(HWND list, int index)
{
    RemoteMemory memory(list, sizeof(RECT));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    if (!memory.Write(&rect, sizeof rect)) return std::nullopt;
    auto found = SendBounded(list, LVM_GETITEMRECT, index, memory.Address());
    if (!found || !*found || !memory.Read(&rect, sizeof rect)) return std::nullopt;
    return ToScreen(list, rect);
}

std::optional<std::wstring> TreeItemText(HWND tree, HTREEITEM item)
{
    // The item record and its text buffer share one block; the tree fills the buffer in album's process.
    RemoteMemory memory(tree, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t));
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = reinterpret_cast<wchar_t*>(memory.Address(sizeof(TVITEMW)));
    query.cchTextMax = kTextChars;
    std::vector<wchar_t> text(kTextChars);
    if (!memory.Write(&query, sizeof query)) return std::nullopt;
    auto found = SendBounded(tree, TVM_GETITEMW, 0, memory.Address());
    if (!found || !*found || !memory.Read(text.data(), text.size() * sizeof(wchar_t), sizeof(TVITEMW)))
        return std::nullopt;
    text.back() = L'\0';
    return std::wstring(text.data());
}

std::optional<RECT> TreeItemRect(HWND tree, HTREEITEM item)
{
    // TVM_GETITEMRECT takes the item in the rectangle's first bytes and answers in the same place.
    RemoteMemory memory(tree, sizeof(RECT));
    if (!memory.Write(&item, sizeof item)) return std::nullopt;
    auto shown = SendBounded(tree, TVM_GETITEMRECT, TRUE, memory.Address());
    RECT rect;
    if (!shown || !*shown || !memory.Read(&rect, sizeof rect)) return std::nullopt;
    RECT client;
    GetClientRect(tree, &client);
    if (rect.top < client.top || rect.bottom > client.bottom) return std::nullopt;
    return ToScreen(tree, rect);
}

HTREEITEM FindShownTreeItem(HWND tree, const std::wstring& text)
{
    auto next = [tree](UINT relation, HTREEITEM from) {
        auto item = SendBounded(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from));
        return item ? reinterpret_cast<HTREEITEM>(*item) : nullptr;
    };
    for (HTREEITEM item = next(TVGN_FIRSTVISIBLE, nullptr); item; item = next(TVGN_NEXTVISIBLE, item)) {
        if (TreeItemText(tree, item) == text && TreeItemRect(tree, item)) return item;
    }
    return nullptr;
}

void Print(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), bytes, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

}  // namespace e2e
