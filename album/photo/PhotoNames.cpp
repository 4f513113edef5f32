#include "photo/PhotoNames.h"

#include <cwctype>

#include "photo/PhotoFile.h"

#include <algorithm>

bool IsPhotoFileName(const CString& name)
{
    if (name.GetLength() < 4) return false;
    CString extension = name.Right(4);
    extension.MakeLower();
    for (const wchar_t* accepted : {L".jpg", L".bmp", L".png", L".gif", L".tif"}) {
        if (extension == accepted) return true;
    }
    return false;
}

CString ShortenName(const CString& name, int length)
{
    return name.GetLength() > length ? L"..." + name.Right(length) : name;
}

CString OutputFileName(const CString& name) { return name.Left(std::max(name.GetLength() - 4, 0)) + L".jpg"; }

CString NormaliseOutputFolder(const CString& text)
{
    CString folder = text;
    folder.Trim();
    folder.TrimRight(L'\\');
    return folder;
}

namespace {

bool IsDeviceName(std::wstring component)
{
    component = component.substr(0, component.find(L'.'));
    while (!component.empty() && component.back() == L' ') component.pop_back();
    for (wchar_t& c : component) c = wchar_t(towupper(c));
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* device : kDevices) {
        if (component == device) return true;
    }
    return component.size() == 4 && (component.starts_with(L"COM") || component.starts_with(L"LPT")) &&
           component[3] >= L'1' && component[3] <= L'9';
}

}  // namespace

bool IsUsableFolderName(const CString& folder)
{
    std::wstring path(folder.GetString());
    std::size_t start = 0;
    if (path.starts_with(L"\\\\")) start = 2;  // a UNC path's server and share follow
    else if (path.size() >= 2 && path[1] == L':') start = 2;
    std::size_t begin = start;
    while (begin <= path.size()) {
        std::size_t end = path.find(L'\\', begin);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring component = path.substr(begin, end - begin);
        if (component.find_first_of(L"<>|\"?*:") != std::wstring::npos || IsDeviceName(component)) return false;
        begin = end + 1;
    }
    return true;
}

CString SizeText(ULONGLONG bytes)
{
    CString text;
    if (bytes < 1024) {
        text.Format(L"%dB", int(bytes));
    } else if (bytes / 1024 < 1024) {
        text.Format(L"%dKB", int(bytes / 1024));
    } else if (bytes / 1048576 < 1024) {
        text.Format(L"%dMB", int(bytes / 1048576));
    }
    return text;
}

CString FileSizeText(const CString& path)
{
    FileFacts facts;
    return ReadFileFacts(path, facts) ? SizeText(facts.size) : CString();
}

CSize ThumbnailSize(int width, int height)
{
    if (width <= 0 || height <= 0) return CSize(0, 0);
    const auto scaled = [](int side, int longer) {
        return int(std::max<LONGLONG>(LONGLONG(side) * kThumbnailSide / longer, 1));
    };
    if (width > height) return CSize(kThumbnailSide, scaled(height, width));
    return CSize(scaled(width, height), kThumbnailSide);
}

CSize OutputSize(int width, int height)
{
    if (width >= kHalvingWidth) return CSize(width / 2, height / 2);
    return CSize(width, height);
}

std::wstring PathKey(const CString& path)
{
    std::wstring key = LongPathForm(path).Str();
    CharUpperBuffW(key.data(), DWORD(key.size()));
    return key;
}
