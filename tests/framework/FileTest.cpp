#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <shellapi.h>

namespace {

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder()
    {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        m_path.Format(L"%sframework-files-%lu-%lu", base, GetCurrentProcessId(), GetTickCount());
        CreateDirectoryW(m_path, nullptr);
    }
    ~TempFolder()
    {
        CString from = m_path + L'\0';  // SHFileOperation takes a double-terminated list
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.GetString();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&operation);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    CString Path(const wchar_t* name) const { return m_path + L"\\" + name; }
    const CString& Root() const { return m_path; }

private:
    CString m_path;
};

void WriteText(const CString& path, const char* bytes)
{
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(file.Write(bytes, UINT(strlen(bytes))));
}

FILETIME FileTimeOf(__time64_t seconds)
{
    ULONGLONG ticks = ULONGLONG(seconds) * 10000000ULL + 116444736000000000ULL;
    return FILETIME{DWORD(ticks), DWORD(ticks >> 32)};
}

struct Entry {
    bool directory;
    bool dots;
    CString path;
};

TEST(FileFind, ReportsDotsFoldersAndUnicodeNamesWithTheirFullPaths)
{
    TempFolder folder;
    const wchar_t* const files[] = {L"a.JPG", L"b.png", L"Fotoğraf é.jpg", L"写真.tif"};
    for (const wchar_t* name : files) WriteText(folder.Path(name), "x");
    ASSERT_TRUE(CreateDirectoryW(folder.Path(L"sub.jpg"), nullptr));

    std::map<CString, Entry> found;
    CFileFind finder;
    for (BOOL more = finder.FindFile(folder.Path(L"*.*")); more;) {
        more = finder.FindNextFile();
        found[finder.GetFileName()] = {finder.IsDirectory() != FALSE, finder.IsDots() != FALSE, finder.GetFilePath()};
    }
    EXPECT_EQ(finder.GetRoot(), folder.Root() + L"\\");
    ASSERT_EQ(found.size(), 7u);
    for (const wchar_t* dots : {L".", L".."}) {
        EXPECT_TRUE(found[dots].directory && found[dots].dots) << CStringA(dots).GetString();
    }
    EXPECT_TRUE(found[L"sub.jpg"].directory);
    EXPECT_FALSE(found[L"sub.jpg"].dots);
    for (const wchar_t* name : files) {
        ASSERT_EQ(found.count(name), 1u) << CStringA(name).GetString();
        EXPECT_FALSE(found[name].directory);
        EXPECT_EQ(found[name].path, folder.Path(name));
    }
}

TEST(FileFind, ASingleMatchIsCurrentAfterTheLastStepAndNoMatchFindsNothing)
{
    TempFolder folder;
    WriteText(folder.Path(L"only.txt"), "12345");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.Path(L"*.txt")));
    EXPECT_EQ(finder.GetFileName(), CString());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), CString(L"only.txt"));
    EXPECT_EQ(finder.GetLength(), 5u);
    EXPECT_FALSE(finder.FindNextFile());

    EXPECT_FALSE(finder.FindFile(folder.Path(L"*.jpg")));
    EXPECT_FALSE(finder.FindFile(folder.Path(L"missing\\*.*")));

    // Without a pattern the search covers the current folder.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Root()));
    BOOL more = finder.FindFile();
    SetCurrentDirectoryW(previous);
    ASSERT_TRUE(more);
    EXPECT_EQ(finder.GetRoot(), folder.Root() + L"\\");
}

TEST(File, StatusGivesTimesSizeAndFullPathAndRejectsMissingFilesAndPatterns)
{
    TempFolder folder;
    CString path = folder.Path(L"stamp me.jpg");
    WriteText(path, "0123456789");
    const __time64_t modified = 1236427200;  // 2009-03-07 12:00:00 UTC
    const __time64_t accessed = 1262347200;  // 2010-01-01 12:00:00 UTC
    {
        HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME write = FileTimeOf(modified), access = FileTimeOf(accessed);
        ASSERT_TRUE(SetFileTime(file, nullptr, &access, &write));
        CloseHandle(file);
    }
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(status.m_mtime.GetTime(), modified);
    EXPECT_EQ(status.m_atime.GetTime(), accessed);
    // The creation time is the system's (Wine reports the modification time for it).
    EXPECT_GT(status.m_ctime.GetTime(), 0);
    EXPECT_EQ(status.m_size, 10u);
    EXPECT_STREQ(status.m_szFullName, path.GetString());
    EXPECT_FALSE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);

    CFileStatus untouched;
    EXPECT_FALSE(CFile::GetStatus(folder.Path(L"missing.jpg"), untouched));
    EXPECT_EQ(untouched.m_size, 0u);
    EXPECT_FALSE(CFile::GetStatus(folder.Path(L"*.jpg"), untouched));
    EXPECT_FALSE(CFile::GetStatus(L"", untouched));
    ASSERT_TRUE(CFile::GetStatus(folder.Root(), untouched));
    EXPECT_TRUE(untouched.m_attribute & FILE_ATTRIBUTE_DIRECTORY);

    // Sizes beyond 4 GB keep their high part (a sparse file: nothing is written).
    CString big = folder.Path(L"big.bin");
    {
        CFile file;
        ASSERT_TRUE(file.Open(big, CFile::modeCreate | CFile::modeWrite));
        LARGE_INTEGER size{};
        size.QuadPart = 5LL << 30;
        ASSERT_TRUE(SetFilePointerEx(file.m_hFile, size, nullptr, FILE_BEGIN) && SetEndOfFile(file.m_hFile));
        EXPECT_EQ(file.GetLength(), 5ULL << 30);
    }
    ASSERT_TRUE(CFile::GetStatus(big, status));
    EXPECT_EQ(status.m_size, 5ULL << 30);
}

TEST(File, ReadsWritesSeeksAndReportsFailuresAsResults)
{
    TempFolder folder;
    CString path = folder.Path(L"données.bin");
    CFile file;
    EXPECT_FALSE(file.Open(path, CFile::modeRead));
    EXPECT_EQ(file.m_hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(file.Read(nullptr, 4), 0u);

    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_EQ(file.GetFileName(), CString(L"données.bin"));
    ASSERT_TRUE(file.Write("header", 6));
    const DWORD length = 16;
    ASSERT_TRUE(file.Write(&length, sizeof(length)));
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
    DWORD readBack = 0;
    EXPECT_EQ(file.Read(&readBack, sizeof(readBack)), 4u);
    EXPECT_EQ(readBack, length);
    EXPECT_EQ(file.Read(&readBack, sizeof(readBack)), 0u);
    EXPECT_EQ(file.Seek(-20, CFile::current), CFile::kInvalidPosition);
    EXPECT_EQ(file.GetPosition(), 10u);

    CFile moved = std::move(file);
    EXPECT_EQ(file.m_hFile, INVALID_HANDLE_VALUE);
    moved.SeekToBegin();
    char text[7] = {};
    EXPECT_EQ(moved.Read(text, 6), 6u);
    EXPECT_STREQ(text, "header");
    moved.Close();

    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyNone));
    EXPECT_FALSE(file.Write("x", 1));
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(file.GetLength(), 10u);
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(Time, FormatsLocalTimeAndConvertsFileTimes)
{
    EXPECT_EQ(CTime(FILETIME{0, 0}).GetTime(), 0);
    CTime stamp(FileTimeOf(1236427200));  // 2009-03-07 12:00:00 UTC: the 7th in every zone within 11 hours
    EXPECT_EQ(stamp.GetTime(), 1236427200);
    EXPECT_EQ(stamp.Format(L"%b. %d. %Y"), CString(L"Mar. 07. 2009"));
    // Longer than the usual 128-character buffer.
    CString longFormat;
    for (int i = 0; i < 40; ++i) longFormat += L"%Y-";
    EXPECT_EQ(stamp.Format(longFormat).GetLength(), 40 * 5);
    EXPECT_EQ(stamp.Format(L""), CString());
    EXPECT_EQ(CTime(-1).Format(L"%Y"), CString());
    EXPECT_TRUE(CTime(1) < stamp);
}

}  // namespace
