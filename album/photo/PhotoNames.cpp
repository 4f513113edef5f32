#include "photo/PhotoNames.h"

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
