// e2e_probe: reads what album shows and stores, from outside its process.
//   e2e_probe await-window <ms>                    wait until the main window is shown
//   e2e_probe read <subject> [<ms>]                print a subject's value; with <ms>, wait until it has one
//   e2e_probe await <subject> <expected> <ms>      wait until a subject reads expected; print its last value
//   e2e_probe close-message                        "OK" of the message box, then wait until it is gone
//   e2e_probe setting set <name> <value>           prepare album's stored settings (section "Log")
//   e2e_probe setting delete <name>
// Subjects: a control id (its text), "items" (the photo count of the list), "tree" (the selected folder's
// label), "message" (the text of the message box the main window owns), "setting:<name>" (a stored setting).
// Exit code 0 on success, 1 on failure.
#include "AlbumWindows.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Daduz V1.4\\Daduz\\Log";
constexpr DWORD kCloseWaitMs = 5000;

int Fail(const wchar_t* what)
{
    fwprintf(stderr, L"e2e_probe: %ls\n", what);
    return 1;
}

std::optional<std::wstring> ReadSetting(const std::wstring& name)
{
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size))
        return std::nullopt;
    return std::wstring(value);
}

// The subject's value now; nothing when it cannot be read (no window, no answer, no message box, no setting).
std::optional<std::wstring> ReadSubject(const std::wstring& subject)
{
    const std::wstring settingPrefix = L"setting:";
    if (subject.starts_with(settingPrefix)) return ReadSetting(subject.substr(settingPrefix.size()));
    if (subject == L"message") {
        HWND box = FindMessageBox();
        return box ? ReadText(GetDlgItem(box, kMessageTextId)) : std::nullopt;
    }
    if (subject == L"items") {
        HWND list = FindControl(kListId);
        auto count = list ? SendBounded(list, LVM_GETITEMCOUNT, 0, 0) : std::nullopt;
        return count ? std::optional(std::to_wstring(*count)) : std::nullopt;
    }
    if (subject == L"tree") {
        HWND tree = FindControl(kTreeId);
        auto item = tree ? SendBounded(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) : std::nullopt;
        return item && *item ? TreeItemText(tree, reinterpret_cast<HTREEITEM>(*item)) : std::nullopt;
    }
    HWND control = FindControl(std::stoi(subject));
    return control ? ReadText(control) : std::nullopt;
}

int Read(const std::wstring& subject, DWORD waitMs)
{
    std::optional<std::wstring> value;
    if (!PollUntil([&] { return (value = ReadSubject(subject)).has_value(); }, waitMs))
        return Fail(L"nothing to read");
    Print(*value + L"\n");
    return 0;
}

int Await(const std::wstring& subject, const std::wstring& expected, DWORD waitMs)
{
    std::optional<std::wstring> value;
    bool seen = PollUntil([&] { return (value = ReadSubject(subject)) == expected; }, waitMs);
    Print(value.value_or(L"(unreadable)") + L"\n");
    return seen ? 0 : 1;
}

int CloseMessage()
{
    HWND box = FindMessageBox();
    if (!box) return Fail(L"no message box");
    HWND ok = GetDlgItem(box, IDOK);
    if (!ok || !SendBounded(ok, BM_CLICK, 0, 0)) return Fail(L"the box's OK did not answer");
    return PollUntil([box] { return !IsWindow(box); }, kCloseWaitMs) ? 0 : Fail(L"the message box stays open");
}

int Setting(const std::vector<std::wstring>& args)
{
    const std::wstring& action = args[1];
    const std::wstring& name = args[2];
    if (action == L"set" && args.size() == 4) {
        const std::wstring& value = args[3];
        LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_SZ, value.c_str(),
                                         DWORD((value.size() + 1) * sizeof(wchar_t)));
        return status == ERROR_SUCCESS ? 0 : Fail(L"the setting was not written");
    }
    if (action == L"delete" && args.size() == 3) {
        LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : Fail(L"the setting stays");
    }
    return Fail(L"usage: setting set <name> <value> | setting delete <name>");
}

int Run(const std::vector<std::wstring>& args)
{
    const std::wstring verb = args.empty() ? L"" : args[0];
    if (verb == L"await-window" && args.size() == 2)
        return PollUntil([] { return FindMainWindow() != nullptr; }, std::stoul(args[1])) ? 0 : Fail(L"no window");
    if (verb == L"read" && (args.size() == 2 || args.size() == 3))
        return Read(args[1], args.size() == 3 ? std::stoul(args[2]) : 0);
    if (verb == L"await" && args.size() == 4) return Await(args[1], args[2], std::stoul(args[3]));
    if (verb == L"close-message" && args.size() == 1) return CloseMessage();
    if (verb == L"setting" && args.size() >= 3) return Setting(args);
    return Fail(L"usage: await-window <ms> | read <subject> [<ms>] | await <subject> <expected> <ms>"
                L" | close-message | setting ...");
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
