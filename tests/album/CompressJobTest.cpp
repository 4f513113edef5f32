// The compression job run as the main window runs it: output sizes and names, progress events, messages, the
// date stamp, EXIF orientation and metadata, quality, and the mends (no source or foreign file overwritten, no name
// written twice, no partial files, no write without an output folder, damaged, changed and oversized photos fail).
#include "album/PhotoTestSupport.h"
#include "host/ExifBuilder.h"
#include "photo/CompressJob.h"
#include "photo/DateStamp.h"
#include "photo/Exif.h"
#include "photo/PhotoNames.h"
#include "photo/PhotoScanner.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace phototest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00C000;
constexpr std::uint32_t kGrey = 0xFF808080;
constexpr std::uint32_t kNight = 0xFF000050;

struct JobLog {
    int range = -1;
    int steps = 0;
    std::vector<CString> written;
};

// Scanned items of the given files, in order.
class Photos {
public:
    void Add(const CString& path) { m_items.push_back(PhotoScanner::ReadPhoto(path, m_buffers)); }
    PhotoItem& operator[](std::size_t i) { return *m_items[i]; }
    std::vector<const PhotoItem*> List() const
    {
        std::vector<const PhotoItem*> list;
        for (const auto& item : m_items) list.push_back(item.get());
        return list;
    }

private:
    PhotoBuffers m_buffers;
    std::vector<std::unique_ptr<PhotoItem>> m_items;
};

CompressJob::Result RunJob(const Photos& photos, const CString& output, JobLog& log, int quality = 30)
{
    CompressJob::Events events;
    events.range = [&](int upper) { log.range = upper; };
    events.step = [&] { ++log.steps; };
    events.written = [&](const CString& name) { log.written.push_back(name); };
    events.quality = [quality] { return quality; };
    events.stamp = DrawOutlineText;
    return CompressJob(events).Run(photos.List(), output);
}

CSize FileSize(const CString& path)
{
    const PixelBuffer pixels = DecodeFile(path);
    return CSize(pixels.Width(), pixels.Height());
}

// A 40 x 30 picture with a red block at its stored top-left corner and a green one at its stored top-right.
PixelBuffer Marked()
{
    PixelBuffer picture = Solid(40, 30, kGrey);
    Fill(picture, 0, 0, 8, 8, kRed);
    Fill(picture, 32, 0, 8, 8, kGreen);
    return picture;
}

enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };

std::uint32_t CornerPixel(const PixelBuffer& picture, Corner corner, int inset)
{
    const int x = corner == TopLeft || corner == BottomLeft ? inset : picture.Width() - 1 - inset;
    const int y = corner == TopLeft || corner == TopRight ? inset : picture.Height() - 1 - inset;
    return picture.Pixel(x, y);
}

PixelBuffer ToPixels(Gdiplus::Image& image)
{
    PixelBuffer pixels;
    pixels.Allocate(int(image.GetWidth()), int(image.GetHeight()));
    Gdiplus::Bitmap copy(pixels.Width(), pixels.Height(), pixels.Stride(), PixelFormat32bppARGB, pixels.Data());
    Gdiplus::Graphics(&copy).DrawImage(&image, 0, 0, pixels.Width(), pixels.Height());
    return pixels;
}

} // namespace

TEST(CompressJob, WritesEveryMarkedPhotoAtItsOutputSize)
{
    TempFolder source;
    TempFolder output;
    WriteBytes(source / L"wide.jpg", EncodeTestJpeg(Solid(2256, 1500, kGrey)));
    WriteBytes(source / L"narrow.jpg", EncodeTestJpeg(Solid(2255, 1500, kGrey)));
    WriteBytes(source / L"portrait.jpg", EncodeTestJpeg(Solid(2000, 3000, kGrey)));
    // 4001 wide decodes to 2001 at 1/2, whose last column holds the white edge: scaled to 2000 it stays, cut it
    // would leave the grey mix of the column before.
    PixelBuffer odd = Solid(4001, 3000, 0xFF000000);
    Fill(odd, 3999, 0, 2, 3000, 0xFFFFFFFF);
    WriteBytes(source / L"odd.jpg", EncodeTestJpeg(odd, JpegKind::Color, 98));
    ASSERT_TRUE(SaveWithGdiplus(Solid(64, 48, kGreen), source / L"Holiday.TIF", L"image/tiff"));
    const CString longName = L"0123456789012345678901234567890123456789.jpg";
    WriteBytes(source / longName, EncodeTestJpeg(Solid(20, 20, kGreen)));
    WriteBytes(source / L"skipped.jpg", EncodeTestJpeg(Solid(20, 20, kGreen)));

    Photos photos;
    for (const wchar_t* name : {L"wide.jpg", L"narrow.jpg", L"portrait.jpg", L"odd.jpg", L"Holiday.TIF",
                                longName.GetString(), L"skipped.jpg"}) {
        photos.Add(source / name);
    }
    photos[6].compress = 0;
    JobLog log;
    const CompressJob::Result result = RunJob(photos, L" " + output.Path() + L"\\\\\\ ", log, 95);
    ASSERT_EQ(result.outcome, CompressJob::Outcome::Completed) << CStringA(result.message).GetString();
    EXPECT_EQ(result.message, L"Compression completed");
    EXPECT_EQ(result.outputFolder, output.Path() + L"\\");

    EXPECT_EQ(FileSize(output / L"wide.jpg"), CSize(1128, 750));
    EXPECT_EQ(FileSize(output / L"narrow.jpg"), CSize(2255, 1500));
    EXPECT_EQ(FileSize(output / L"portrait.jpg"), CSize(2000, 3000));
    const PixelBuffer halved = DecodeFile(output / L"odd.jpg");
    ASSERT_EQ(CSize(halved.Width(), halved.Height()), CSize(2000, 1500));
    EXPECT_GT(int(halved.Pixel(1999, 750) & 0xFF), 200);
    EXPECT_LT(int(halved.Pixel(1990, 750) & 0xFF), 40);
    const PixelBuffer tiff = DecodeFile(output / L"Holiday.jpg");
    ASSERT_EQ(CSize(tiff.Width(), tiff.Height()), CSize(64, 48));
    EXPECT_TRUE(Near(tiff.Pixel(32, 24), kGreen));
    EXPECT_EQ(output.Files().size(), 6u);

    EXPECT_EQ(log.range, 30);
    EXPECT_EQ(log.steps, 30);
    ASSERT_EQ(log.written.size(), 6u);
    EXPECT_EQ(log.written[0], L"wide.jpg");
    EXPECT_EQ(log.written[5], L"..." + longName.Right(30));
}

TEST(CompressJob, StopsBeforeWritingWithoutMarkedPhotosOrOutputFolder)
{
    TempFolder source;
    WriteBytes(source / L"a.jpg", EncodeTestJpeg(Solid(20, 20, kGreen)));
    Photos photos;
    photos.Add(source / L"a.jpg");

    JobLog log;
    for (const wchar_t* text : {L"", L"   ", L"\\\\\\", L" \\ "}) {
        const CompressJob::Result result = RunJob(photos, text, log);
        EXPECT_EQ(result.outcome, CompressJob::Outcome::NoOutputFolder);
        EXPECT_EQ(result.message, L"Select an output folder");
    }
    photos[0].compress = 0;
    const CompressJob::Result result = RunJob(photos, source.Path(), log);
    EXPECT_EQ(result.outcome, CompressJob::Outcome::NothingMarked);
    EXPECT_EQ(result.message, L"Select one at least");
    EXPECT_EQ(log.range, -1);
    EXPECT_EQ(source.Files(), std::vector<CString>{L"a.jpg"});
}

TEST(CompressJob, NeverReplacesAListedPhoto)
{
    TempFolder source;
    const Bytes original = EncodeTestJpeg(Solid(20, 20, kGreen));
    WriteBytes(source / L"a.jpg", original);
    Photos photos;
    photos.Add(source / L"a.jpg");
    CString sameFolder = source.Path();
    sameFolder.MakeUpper();

    // The photo folder as output folder: the copy goes beside the original.
    JobLog log;
    const CompressJob::Result result = RunJob(photos, sameFolder, log);
    EXPECT_EQ(result.outcome, CompressJob::Outcome::Completed);
    EXPECT_EQ(result.message, L"Compression completed");
    EXPECT_EQ(ReadBytes(source / L"a.jpg"), original);
    EXPECT_EQ(source.Files(), (std::vector<CString>{L"a (2).jpg", L"a.jpg"}));
    EXPECT_EQ(log.steps, 5);
}

TEST(CompressJob, SameOutputNameIsNumberedAndOnlyAlbumsOwnCopiesReplaced)
{
    TempFolder source;
    TempFolder output;
    ASSERT_TRUE(SaveWithGdiplus(Solid(30, 20, kRed), source / L"a.png", L"image/png"));
    WriteBytes(source / L"a.jpg", EncodeTestJpeg(Solid(40, 20, kGreen)));
    WriteBytes(source / L"A.gif", EncodeTestJpeg(Solid(50, 20, kGreen)));
    WriteBytes(source / L"IMG_0001.jpg", EncodeTestJpeg(Solid(60, 20, kGreen)));
    // From another card: a camera file of the same name, which stays.
    const Bytes foreign = EncodeTestJpeg(Solid(70, 20, kRed));
    WriteBytes(output / L"IMG_0001.jpg", foreign);
    Photos photos;
    for (const wchar_t* name : {L"a.png", L"a.jpg", L"A.gif", L"IMG_0001.jpg"}) photos.Add(source / name);

    const std::vector<CString> expected{L"A (3).jpg", L"IMG_0001 (2).jpg", L"IMG_0001.jpg", L"a (2).jpg", L"a.jpg"};
    for (int run = 0; run < 2; ++run) {
        // The second run replaces the copies of the first, which album wrote.
        JobLog log;
        ASSERT_EQ(RunJob(photos, output.Path(), log).outcome, CompressJob::Outcome::Completed);
        EXPECT_EQ(output.Files(), expected);
        EXPECT_EQ(FileSize(output / L"a.jpg").cx, 30);
        EXPECT_EQ(FileSize(output / L"a (2).jpg").cx, 40);
        EXPECT_EQ(FileSize(output / L"A (3).jpg").cx, 50);
        EXPECT_EQ(FileSize(output / L"IMG_0001 (2).jpg").cx, 60);
        EXPECT_EQ(ReadBytes(output / L"IMG_0001.jpg"), foreign);
    }
    EXPECT_TRUE(CompressJob::IsAlbumCopy(output / L"a.jpg"));
    EXPECT_FALSE(CompressJob::IsAlbumCopy(output / L"IMG_0001.jpg"));
}

TEST(CompressJob, FailuresLeaveNoPartialFiles)
{
    TempFolder source;
    TempFolder output;
    WriteBytes(source / L"good.jpg", EncodeTestJpeg(Solid(20, 20, kGreen)));
    WriteBytes(source / L"bad.jpg", Bytes(4000, 0x5A));
    WriteBytes(source / L"later.jpg", EncodeTestJpeg(Solid(20, 20, kGreen)));
    Photos photos;
    for (const wchar_t* name : {L"good.jpg", L"bad.jpg", L"later.jpg"}) photos.Add(source / name);

    // An undecodable photo is a failure, not an empty JPEG; the photos before it stay written.
    JobLog log;
    CompressJob::Result result = RunJob(photos, output.Path(), log);
    EXPECT_EQ(result.outcome, CompressJob::Outcome::Failure);
    EXPECT_EQ(result.message, L"Failure\n" + (source / L"bad.jpg"));
    EXPECT_EQ(output.Files(), std::vector<CString>{L"good.jpg"});
    EXPECT_EQ(log.steps, 5);

    // A copy that cannot be replaced (here held open by another program) stays, and the temporary file is gone.
    photos[1].compress = 0;
    const Bytes first = ReadBytes(output / L"good.jpg");
    const HANDLE held = CreateFileW(output / L"good.jpg", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    result = RunJob(photos, output.Path(), log);
    CloseHandle(held);
    EXPECT_EQ(result.outcome, CompressJob::Outcome::Failure);
    EXPECT_EQ(result.message, L"Failure\n" + (source / L"good.jpg"));
    EXPECT_EQ(ReadBytes(output / L"good.jpg"), first);
    EXPECT_EQ(output.Files(), std::vector<CString>{L"good.jpg"});
}

TEST(CompressJob, EveryCopyIsFlushedBeforeItsRename)
{
    TempFolder source;
    TempFolder output;
    WriteBytes(source / L"a.jpg", EncodeTestJpeg(Solid(20, 20, kGreen)));
    WriteBytes(source / L"b.jpg", EncodeTestJpeg(Solid(20, 20, kGrey)));
    Photos photos;
    for (const wchar_t* name : {L"a.jpg", L"b.jpg"}) photos.Add(source / name);
    struct WatchedCalls : FileCalls {
        std::vector<std::string> calls;
        bool Flush(HANDLE file) override
        {
            calls.push_back("flush");
            return FileCalls::Flush(file);
        }
        bool Move(const wchar_t* from, const wchar_t* to, DWORD flags) override
        {
            calls.push_back("move");
            return FileCalls::Move(from, to, flags);
        }
    } files;
    EXPECT_EQ(CompressJob({}, files).Run(photos.List(), output.Path()).outcome, CompressJob::Outcome::Completed);
    EXPECT_EQ(files.calls, (std::vector<std::string>{"flush", "move", "flush", "move"}));
    EXPECT_EQ(output.Files(), (std::vector<CString>{L"a.jpg", L"b.jpg"}));
}

TEST(CompressJob, PhotoTooLargeForMemoryFailsCleanly)
{
    TempFolder source;
    TempFolder output;
    // A real header patched to claim 30000 x 30000, with a truncated body.
    Bytes bytes = EncodeTestJpeg(Busy(64, 64, 5));
    for (std::size_t i = 2; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            for (std::size_t k : {5, 7}) {
                bytes[i + k] = 30000 >> 8;
                bytes[i + k + 1] = 30000 & 0xFF;
            }
            break;
        }
    }
    bytes.resize(bytes.size() / 2);
    WriteBytes(source / L"huge.jpg", bytes);
    Photos photos;
    photos.Add(source / L"huge.jpg");
    EXPECT_EQ(photos[0].width, 30000);

    JobLog log;
    const CompressJob::Result result = RunJob(photos, output.Path(), log);
    EXPECT_EQ(result.outcome, CompressJob::Outcome::Failure);
    EXPECT_EQ(result.message, L"Failure\n" + (source / L"huge.jpg"));
    EXPECT_TRUE(output.Files().empty());
}

TEST(CompressJob, EveryExifOrientationComesOutUpright)
{
    const Corner red[] = {TopLeft, TopRight, BottomRight, BottomLeft, TopLeft, TopRight, BottomRight, BottomLeft};
    const Corner green[] = {TopRight, TopLeft, BottomLeft, BottomRight, BottomLeft, BottomRight, TopRight, TopLeft};
    TempFolder source;
    TempFolder output;
    const Bytes stored = EncodeTestJpeg(Marked(), JpegKind::Color, 95);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        CString name;
        name.Format(L"o%d.jpg", orientation);
        WriteBytes(source / name, exiftest::InsertApp1(stored, exiftest::BuildExif({orientation % 2 == 0,
                                                                                    orientation, {}})));
        Photos photos;
        photos.Add(source / name);
        EXPECT_EQ(photos[0].width, 40);  // the stored size
        EXPECT_EQ(photos[0].height, 30);
        JobLog log;
        ASSERT_EQ(RunJob(photos, output.Path(), log, 95).outcome, CompressJob::Outcome::Completed);

        const bool swaps = orientation >= 5;
        const PixelBuffer copy = DecodeFile(output / name);
        ASSERT_EQ(CSize(copy.Width(), copy.Height()), swaps ? CSize(30, 40) : CSize(40, 30));
        EXPECT_TRUE(Near(CornerPixel(copy, red[orientation - 1], 2), kRed));
        EXPECT_TRUE(Near(CornerPixel(copy, green[orientation - 1], 2), kGreen));

        ASSERT_TRUE(photos[0].thumbnail);
        const PixelBuffer thumbnail = ToPixels(*photos[0].thumbnail);
        ASSERT_EQ(CSize(thumbnail.Width(), thumbnail.Height()), swaps ? CSize(39, 52) : CSize(52, 39));
        EXPECT_TRUE(Near(CornerPixel(thumbnail, red[orientation - 1], 3), kRed));
        EXPECT_TRUE(Near(CornerPixel(thumbnail, green[orientation - 1], 3), kGreen));
    }
}

TEST(CompressJob, QualityIsReadForEveryPhotoAndSizeGrowsWithIt)
{
    TempFolder source;
    TempFolder output;
    WriteBytes(source / L"busy.jpg", EncodeTestJpeg(Busy(800, 600, 9), JpegKind::Color, 95));
    Photos photos;
    photos.Add(source / L"busy.jpg");
    std::size_t previous = 0;
    for (int quality : {0, 30, 95}) {
        JobLog log;
        ASSERT_EQ(RunJob(photos, output.Path(), log, quality).outcome, CompressJob::Outcome::Completed);
        const std::size_t size = ReadBytes(output / L"busy.jpg").size();
        EXPECT_GT(size, previous) << quality;
        previous = size;
        EXPECT_EQ(FileSize(output / L"busy.jpg"), CSize(800, 600));
    }
}

TEST(CompressJob, DateStampLandsNearTheCornerOfLargeEnoughPhotos)
{
    TempFolder source;
    TempFolder output;
    WriteBytes(source / L"big.jpg", EncodeTestJpeg(Solid(640, 480, kNight), JpegKind::Color, 95));
    WriteBytes(source / L"small.jpg", EncodeTestJpeg(Solid(64, 48, kNight), JpegKind::Color, 95));
    Photos photos;
    photos.Add(source / L"big.jpg");
    photos.Add(source / L"small.jpg");
    JobLog log;
    ASSERT_EQ(RunJob(photos, output.Path(), log, 95).outcome, CompressJob::Outcome::Completed);
    const Bytes plainSmall = ReadBytes(output / L"small.jpg");
    photos[0].stampDate = photos[1].stampDate = 1;
    ASSERT_EQ(RunJob(photos, output.Path(), log, 95).outcome, CompressJob::Outcome::Completed);

    const PixelBuffer big = DecodeFile(output / L"big.jpg");
    int white = 0;
    int whiteAway = 0;
    for (int y = 0; y < big.Height(); ++y) {
        for (int x = 0; x < big.Width(); ++x) {
            if (!Near(big.Pixel(x, y), 0xFFFFFFFF, 60)) continue;
            const bool nearCorner = x >= 100 && x < 420 && y >= 100 && y < 150;
            (nearCorner ? white : whiteAway)++;
        }
    }
    EXPECT_GT(white, 200);
    EXPECT_EQ(whiteAway, 0);
    EXPECT_EQ(ReadBytes(output / L"small.jpg"), plainSmall);
}

TEST(DateStamp, ShadowFallsOnePixelDownRightUnderTheOutline)
{
    // Drawn on a transparent surface, the layers show in the alpha: fill 240, shadow 100 and outline 100 alone, and
    // about 160 where the outline lies over the shadow.
    PixelBuffer surface = Solid(400, 200, 0);
    {
        Gdiplus::Bitmap bitmap(surface.Width(), surface.Height(), surface.Stride(), PixelFormat32bppARGB,
                               surface.Data());
        Gdiplus::Graphics graphics(&bitmap);
        DrawOutlineText(graphics, L"Jan. 05. 2009", kStampX, kStampY, 0);
        DrawOutlineText(graphics, L"", 0, 0, 0);
    }
    const auto alpha = [&](int x, int y) { return int(surface.Pixel(x, y) >> 24); };
    const auto fill = [&](int x, int y) { return alpha(x, y) >= 230; };
    int overlapDownRight = 0, overlapUpLeft = 0, left = surface.Width(), top = surface.Height();
    for (int y = 1; y < surface.Height() - 1; ++y) {
        for (int x = 1; x < surface.Width() - 1; ++x) {
            if (fill(x, y)) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
            if (alpha(x, y) <= 120 || alpha(x, y) >= 220) continue;
            const bool fillUpLeft = fill(x - 1, y) || fill(x, y - 1) || fill(x - 1, y - 1);
            const bool fillDownRight = fill(x + 1, y) || fill(x, y + 1) || fill(x + 1, y + 1);
            if (fillUpLeft && !fillDownRight) ++overlapDownRight;
            if (fillDownRight && !fillUpLeft) ++overlapUpLeft;
        }
    }
    EXPECT_GE(left, kStampX);
    EXPECT_LT(left, kStampX + 20);
    EXPECT_GE(top, kStampY);
    EXPECT_LT(top, kStampY + 20);
    EXPECT_GT(overlapDownRight, 50);
    EXPECT_GT(overlapDownRight, 3 * overlapUpLeft) << overlapUpLeft;
}

TEST(CompressJob, BarRangeBeyondSixteenBits)
{
    const HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr,
                                     nullptr);
    ASSERT_TRUE(bar);
    CompressJob::SetBarRange(bar, CompressJob::kStepsPerPhoto * 20000);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100000);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
    DestroyWindow(bar);
}

namespace {

Bytes Cut(Bytes bytes, std::size_t count)
{
    bytes.resize(count);
    return bytes;
}

// The name Wine gives path on drive (Z: is the Unix root; the tests add Y: as a second link to it).
CString UnixAlias(const CString& path, const wchar_t* drive)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path) : nullptr;
    if (!name) return CString();
    CString alias = drive + CString(name);
    HeapFree(GetProcessHeap(), 0, name);
    alias.Replace(L'/', L'\\');
    return alias;
}

} // namespace

TEST(CompressJob, DamagedOrChangedPhotosFailWithTheirPathAndWriteNothing)
{
    TempFolder source;
    TempFolder output;
    // Cut off as by an interrupted card copy, each format at half its length, the camera photo after 200 KB.
    const Bytes camera = EncodeTestJpeg(Busy(2000, 1500, 3), JpegKind::Color, 95);
    WriteBytes(source / L"cut.jpg", Cut(camera, 200 * 1024));
    const Bytes progressive = EncodeTestJpeg(Busy(640, 480, 4), JpegKind::Progressive);
    WriteBytes(source / L"cutprog.jpg", Cut(progressive, progressive.size() / 2));
    for (const wchar_t* mime : {L"image/png", L"image/gif", L"image/bmp", L"image/tiff"}) {
        ASSERT_TRUE(SaveWithGdiplus(Busy(64, 48, 5), source / L"whole", mime));
        const Bytes whole = ReadBytes(source / L"whole");
        WriteBytes(source / (L"cut." + CString(mime).Mid(6).Left(3)), Cut(whole, whole.size() / 2));
    }
    const wchar_t* names[] = {L"cut.jpg", L"cutprog.jpg", L"cut.png", L"cut.gif", L"cut.bmp", L"cut.tif",
                              L"gone.jpg", L"replaced.jpg", L"locked.jpg"};
    Photos photos;
    for (const wchar_t* name : names) {
        if (CString(name).Left(3) != L"cut") WriteBytes(source / name, EncodeTestJpeg(Solid(40, 30, kGreen)));
        photos.Add(source / name);
    }
    EXPECT_EQ(photos[0].width, 2000);  // the card of a cut photo still shows its size
    // Changed between the scan and the job.
    DeleteFileW(source / L"gone.jpg");
    DeleteFileW(source / L"replaced.jpg");
    WriteBytes(source / L"replaced.jpg", EncodeTestJpeg(Solid(50, 30, kRed)));
    const HANDLE lock = CreateFileW(source / L"locked.jpg", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    for (std::size_t i = 0; i < std::size(names); ++i) {
        for (std::size_t k = 0; k < std::size(names); ++k) photos[k].compress = k == i;
        JobLog log;
        const CompressJob::Result result = RunJob(photos, output.Path(), log);
        EXPECT_EQ(result.message, L"Failure\n" + (source / names[i]));
        EXPECT_TRUE(output.Files().empty());
    }
    CloseHandle(lock);

    // Stray bytes after the start marker make libjpeg warn, but the image is all there.
    Bytes stray = EncodeTestJpeg(Solid(40, 30, kGreen));
    stray.insert(stray.begin() + 2, {0x00, 0x11, 0x22});
    WriteBytes(source / L"stray.jpg", stray);
    Photos strays;
    strays.Add(source / L"stray.jpg");
    JobLog log;
    EXPECT_EQ(RunJob(strays, output.Path(), log).outcome, CompressJob::Outcome::Completed);
}

TEST(CompressJob, NeverReplacesAnOriginalReachedUnderAnotherName)
{
    TempFolder source;
    const Bytes original = EncodeTestJpeg(Solid(20, 20, kGreen));
    WriteBytes(source / L"a.jpg", original);
    TempFolder linked;
    ASSERT_TRUE(CreateHardLinkW(linked / L"a.jpg", source / L"a.jpg", nullptr));
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(source.Path(), shortName, MAX_PATH), 0u);
    Photos photos;
    photos.Add(source / L"a.jpg");

    const CString folder = source.Path();
    const CString aliases[] = {UnixAlias(folder, L"Z:"), shortName, linked.Path(), UnixAlias(folder, L"Y:")};
    for (const CString& alias : aliases) {
        SCOPED_TRACE(CStringA(alias).GetString());
        ASSERT_NE(GetFileAttributesW(alias + L"\\a.jpg"), INVALID_FILE_ATTRIBUTES);
        ASSERT_NE(PathKey(alias), PathKey(folder));
        JobLog log;
        EXPECT_EQ(RunJob(photos, alias, log).outcome, CompressJob::Outcome::Completed);
        EXPECT_EQ(ReadBytes(source / L"a.jpg"), original);
        EXPECT_TRUE(CompressJob::IsAlbumCopy(alias + L"\\a (2).jpg"));
    }
    EXPECT_EQ(source.Files(), (std::vector<CString>{L"a (2).jpg", L"a.jpg"}));
}

TEST(CompressJob, LongPathsAreScannedStampedAndWritten)
{
    TempFolder base;
    // A photo folder of 259 characters holding names that take its files past MAX_PATH, and an output folder of
    // more than 300 characters whose last level the job creates.
    const CString source = base / CString(L'f', 258 - base.Path().GetLength());
    ASSERT_EQ(source.GetLength(), 259);
    ASSERT_TRUE(CreateDirectoryW(LongPathForm(source), nullptr));
    const CString jpeg = CString(L'j', 100) + L".jpg";
    const CString png = CString(L'p', 100) + L".png";
    WriteBytes(source + L"\\" + jpeg, EncodeTestJpeg(Solid(400, 300, kNight)));
    ASSERT_TRUE(SaveWithGdiplus(Solid(30, 20, kGreen), base / L"short.png", L"image/png"));
    WriteBytes(source + L"\\" + png, ReadBytes(base / L"short.png"));
    const CString output = base / CString(L'o', 200) + L"\\" + CString(L'q', 100);
    ASSERT_TRUE(CreateDirectoryW(LongPathForm(output.Left(output.ReverseFind(L'\\'))), nullptr));

    int found = 0;
    PhotoScanner::Events events;
    events.added = [&](std::unique_ptr<PhotoItem> item) { found += item->thumbnail && !item->sizeText.IsEmpty(); };
    EXPECT_EQ(PhotoScanner::ScanFolder(source + L"\\*.*", events), 2);
    EXPECT_EQ(found, 2);
    Photos photos;
    photos.Add(source + L"\\" + jpeg);
    photos.Add(source + L"\\" + png);
    photos[0].stampDate = 1;
    JobLog log;
    ASSERT_EQ(RunJob(photos, output, log).outcome, CompressJob::Outcome::Completed);
    const PixelBuffer stamped = DecodeFile(output + L"\\" + OutputFileName(jpeg));
    ASSERT_EQ(CSize(stamped.Width(), stamped.Height()), CSize(400, 300));
    int white = 0;
    for (int x = 100; x < 300; ++x) white += Near(stamped.Pixel(x, 120), 0xFFFFFFFF, 60);
    EXPECT_GT(white, 5);
    EXPECT_EQ(DecodeFile(output + L"\\" + OutputFileName(png)).Width(), 30);
}

TEST(CompressJob, OnePixelAndVeryWidePhotosAreWrittenWhole)
{
    TempFolder source;
    TempFolder output;
    PixelBuffer wide = Solid(20000, 200, kGrey);
    Fill(wide, 19900, 0, 100, 200, kRed);
    WriteBytes(source / L"dot.jpg", EncodeTestJpeg(Solid(1, 1, kRed), JpegKind::Color, 95));
    ASSERT_TRUE(SaveWithGdiplus(Solid(1, 1, kGreen), source / L"dot.png", L"image/png"));
    WriteBytes(source / L"wide.jpg", EncodeTestJpeg(wide, JpegKind::Color, 95));
    ASSERT_TRUE(SaveWithGdiplus(wide, source / L"wide.png", L"image/png"));
    Photos photos;
    for (const wchar_t* name : {L"dot.jpg", L"dot.png", L"wide.jpg", L"wide.png"}) photos.Add(source / name);
    JobLog log;
    ASSERT_EQ(RunJob(photos, output.Path(), log, 95).outcome, CompressJob::Outcome::Completed);
    EXPECT_TRUE(Near(DecodeFile(output / L"dot.jpg").Pixel(0, 0), kRed));
    EXPECT_TRUE(Near(DecodeFile(output / L"dot (2).jpg").Pixel(0, 0), kGreen));
    for (const wchar_t* name : {L"wide.jpg", L"wide (2).jpg"}) {
        const PixelBuffer copy = DecodeFile(output / name);
        ASSERT_EQ(CSize(copy.Width(), copy.Height()), CSize(10000, 100));
        EXPECT_TRUE(Near(copy.Pixel(9980, 50), kRed));
        EXPECT_TRUE(Near(copy.Pixel(9900, 50), kGrey));
    }
}

TEST(CompressJob, CopiesKeepCaptureDateAndCameraButNoLocationOrThumbnail)
{
    using namespace exiftest;
    TempFolder source;
    TempFolder output;
    const std::uint32_t kLatitude = 0x12345678;
    IfdWriter ifd0, exif, gps;
    ifd0.Ascii(0x010F, "Canon");
    ifd0.Ascii(0x0110, "Canon EOS 5D");
    ifd0.Short(0x0112, 6);
    ifd0.Ascii(0x0131, "Fw 1.1");
    exif.Rational(0x829A, 1, 250);
    exif.Short(0x8827, 400);
    exif.Ascii(0x9003, "2009:03:07 14:15:16");
    exif.Ascii(0x9011, "+01:00");
    exif.Undefined(0x927C, {'S', 'E', 'C', 'R', 'E', 'T', '-', 'N', 'O', 'T', 'E'});  // maker notes
    exif.Ascii(0x9291, "123");
    gps.Ascii(0x0001, "N");
    gps.Rational(0x0002, kLatitude, 1);
    const Bytes block = BuildCameraExif(ifd0, exif, gps, EncodeTestJpeg(Solid(160, 120, kGreen)));
    WriteBytes(source / L"camera.jpg", InsertApp1(EncodeTestJpeg(Marked()), block));
    WriteBytes(source / L"plain.jpg", EncodeTestJpeg(Solid(20, 20, kGreen)));
    ASSERT_TRUE(SaveWithGdiplus(Solid(20, 20, kGreen), source / L"drawing.png", L"image/png"));
    Photos photos;
    for (const wchar_t* name : {L"camera.jpg", L"plain.jpg", L"drawing.png"}) photos.Add(source / name);
    JobLog log;
    ASSERT_EQ(RunJob(photos, output.Path(), log).outcome, CompressJob::Outcome::Completed);

    const Bytes copy = ReadBytes(output / L"camera.jpg");
    const ExifFacts facts = ReadJpegLayout(copy.data(), copy.size()).exif;
    EXPECT_EQ(Bytes(copy.begin() + 2, copy.begin() + 4), (Bytes{0xFF, 0xE1}));  // EXIF first, no JFIF
    EXPECT_EQ(facts.orientation, 1);
    EXPECT_EQ(FileSize(output / L"camera.jpg"), CSize(30, 40));  // the pixels turned upright instead
    EXPECT_EQ(facts.software, CompressJob::kSoftware);
    EXPECT_EQ(facts.thumbnailLength, 0u);
    const ExifCapture& capture = facts.capture;
    EXPECT_EQ(capture.make + "/" + capture.model, "Canon/Canon EOS 5D");
    EXPECT_EQ(capture.dateTimeOriginal + "." + capture.subSecOriginal + capture.offsetOriginal,
              "2009:03:07 14:15:16.123+01:00");
    EXPECT_EQ(capture.exposureTime.numerator * 1000 + capture.exposureTime.denominator, 1250u);
    EXPECT_EQ(capture.iso, 400u);
    const std::string text(copy.begin(), copy.end());
    EXPECT_EQ(text.find("SECRET"), std::string::npos);
    EXPECT_EQ(text.find(std::string("\x78\x56\x34\x12", 4)), std::string::npos);  // no GPS latitude
    EXPECT_EQ(text.find("Fw 1.1"), std::string::npos);

    for (const wchar_t* name : {L"plain.jpg", L"drawing.jpg"}) {
        const Bytes bare = ReadBytes(output / name);
        const ExifFacts only = ReadJpegLayout(bare.data(), bare.size()).exif;
        EXPECT_EQ(only.software, CompressJob::kSoftware);
        EXPECT_TRUE(only.capture.make.empty() && only.capture.dateTimeOriginal.empty() && only.capture.iso == 0);
    }
}
