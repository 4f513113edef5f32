// Names, sizes and texts of the photo pipeline: accepted names, output names and folders, size texts, thumbnail and
// output sizes, the date text and the capacity figures.
#include "album/PhotoTestSupport.h"
#include "photo/Capacity.h"
#include "photo/DateStamp.h"
#include "photo/PhotoNames.h"

#include <gtest/gtest.h>

using namespace phototest;

TEST(PhotoNames, AcceptsExtensionsByLastFourCharacters)
{
    for (const wchar_t* name : {L"a.JPG", L"b.png", L"c.Bmp", L"d.gif", L"Holiday.TIF", L".jpg"})
        EXPECT_TRUE(IsPhotoFileName(name)) << CStringA(name).GetString();
    for (const wchar_t* name : {L"c.txt", L"d.jpeg", L"b.tiff", L"jpg", L"", L"a.jpg.bak"})
        EXPECT_FALSE(IsPhotoFileName(name)) << CStringA(name).GetString();
}

TEST(PhotoNames, OutputNamesAndFolders)
{
    EXPECT_EQ(OutputFileName(L"Holiday.TIF"), L"Holiday.jpg");
    EXPECT_EQ(OutputFileName(L"a.png"), L"a.jpg");
    EXPECT_EQ(OutputFileName(L"IMG_0001.JPG"), L"IMG_0001.jpg");

    EXPECT_EQ(ShortenName(L"abcdefgh.jpg", 5), L"...h.jpg");
    EXPECT_EQ(ShortenName(L"abcde", 5), L"abcde");
    const CString forty = L"0123456789012345678901234567890123456789";
    EXPECT_EQ(ShortenName(forty, kJobBarNameLength), L"..." + forty.Right(30));

    EXPECT_EQ(NormaliseOutputFolder(L"C:\\Out\\\\\\"), L"C:\\Out");
    EXPECT_EQ(NormaliseOutputFolder(L"  C:\\Out \t"), L"C:\\Out");
    EXPECT_EQ(NormaliseOutputFolder(L" \\\\ "), L"");
    EXPECT_EQ(NormaliseOutputFolder(L""), L"");
}

TEST(PhotoNames, SizeTexts)
{
    EXPECT_EQ(SizeText(700), L"700B");
    EXPECT_EQ(SizeText(1023), L"1023B");
    EXPECT_EQ(SizeText(1024), L"1KB");
    EXPECT_EQ(SizeText(1536), L"1KB");
    EXPECT_EQ(SizeText(1048575), L"1023KB");
    EXPECT_EQ(SizeText(5ull * 1048576 + 1), L"5MB");
    EXPECT_EQ(SizeText(1024ull * 1048576 - 1), L"1023MB");
    EXPECT_EQ(SizeText(1024ull * 1048576), L"");
    EXPECT_EQ(SizeText(2ull * 1024 * 1048576), L"");

    TempFolder folder;
    WriteBytes(folder / L"a.jpg", Bytes(700, 1));
    EXPECT_EQ(FileSizeText(folder / L"a.jpg"), L"700B");
    EXPECT_EQ(FileSizeText(folder / L"missing.jpg"), L"");
}

TEST(PhotoNames, ThumbnailAndOutputSizes)
{
    EXPECT_EQ(ThumbnailSize(4000, 3000), CSize(52, 39));
    EXPECT_EQ(ThumbnailSize(3000, 4000), CSize(39, 52));
    EXPECT_EQ(ThumbnailSize(100, 25), CSize(52, 13));
    EXPECT_EQ(ThumbnailSize(10, 10), CSize(52, 52));
    EXPECT_EQ(ThumbnailSize(0, 0), CSize(0, 0));
    EXPECT_EQ(ThumbnailSize(1000, 10), CSize(52, 1));  // never a zero side

    EXPECT_EQ(OutputSize(2256, 1500), CSize(1128, 750));
    EXPECT_EQ(OutputSize(2255, 1500), CSize(2255, 1500));
    EXPECT_EQ(OutputSize(2000, 3000), CSize(2000, 3000));
    EXPECT_EQ(OutputSize(4001, 3000), CSize(2000, 1500));
}

TEST(DateStamp, DateTextKeepsLeadingZeroInCLocale)
{
    std::tm local{};
    local.tm_year = 2009 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 5;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    EXPECT_EQ(DateText(_mktime64(&local)), L"Jan. 05. 2009");
    local.tm_mon = 2;
    local.tm_mday = 7;
    const __time64_t march = _mktime64(&local);
    EXPECT_EQ(DateText(march), L"Mar. 07. 2009");

    // The file's creation time; Wine keeps it equal to the modification time, so both are set.
    TempFolder folder;
    const CString path = folder / L"a.jpg";
    WriteBytes(path, Bytes(10, 1));
    const ULONGLONG ticks = ULONGLONG(march) * 10000000ull + 116444736000000000ull;
    const FILETIME time{DWORD(ticks), DWORD(ticks >> 32)};
    const HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(file, &time, nullptr, &time));
    CloseHandle(file);
    CString text;
    ASSERT_TRUE(FileDateText(path, text));
    EXPECT_EQ(text, L"Mar. 07. 2009");
    EXPECT_FALSE(FileDateText(folder / L"missing.jpg", text));
}

TEST(Capacity, PercentTruncatesAndLabelsKeepTheirSpace)
{
    EXPECT_EQ(CapacityPercent(25.0, 100.0), 75);
    EXPECT_EQ(CapacityPercent(0.1, 100.0), 99);
    EXPECT_EQ(CapacityPercent(0.0, 1.0), 100);  // the values kept when the drive cannot be measured
    EXPECT_EQ(CapacityPercent(0.0, 0.0), 100);
    EXPECT_EQ(CapacityText(75), L"75% full");
    EXPECT_EQ(DriveLabelText(L"E:\\", L""), L"E: ");
    EXPECT_EQ(DriveLabelText(L"E:\\", L"CARD"), L"E: CARD");

    // Wine's drive C: has an empty volume name; a root that is not a drive reads as full.
    const DriveCapacity c = ReadDriveCapacity(L"C:\\Photos\\*.*");
    EXPECT_EQ(c.labelText.Left(3), L"C: ");
    EXPECT_GE(c.percent, 0);
    EXPECT_LE(c.percent, 100);
    const DriveCapacity none = ReadDriveCapacity(L"\\\\nowhere\\share");
    EXPECT_EQ(none.percent, 100);
    EXPECT_EQ(none.percentText, L"100% full");
    EXPECT_EQ(none.labelText, L"\\\\ ");
}
