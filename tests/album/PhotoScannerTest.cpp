// The folder scan: which files become items, their sizes and thumbnails (embedded EXIF thumbnails, DCT-scaled
// decodes, other formats, undecodable files) and what it reports while it works.
#include "album/PhotoTestSupport.h"
#include "host/ExifBuilder.h"
#include "photo/PhotoScanner.h"

#include <gtest/gtest.h>

using namespace phototest;

namespace {

constexpr std::uint32_t kGreen = 0xFF00C000;
constexpr std::uint32_t kRed = 0xFFFF0000;

struct ScanLog {
    std::vector<CString> loading;
    std::vector<std::unique_ptr<PhotoItem>> items;
    int finishedCount = -1;
    bool anyEntry = false;
};

ScanLog Scan(const CString& pattern)
{
    ScanLog log;
    PhotoScanner::Events events;
    events.loading = [&](const CString& name) { log.loading.push_back(name); };
    events.added = [&](std::unique_ptr<PhotoItem> item) { log.items.push_back(std::move(item)); };
    events.finished = [&](int count, bool anyEntry) {
        log.finishedCount = count;
        log.anyEntry = anyEntry;
    };
    const int count = PhotoScanner::ScanFolder(pattern, events);
    EXPECT_EQ(count, int(log.items.size()));
    return log;
}

// The colour at the centre of a GDI+ image.
std::uint32_t CentreColour(Gdiplus::Image& image)
{
    Gdiplus::Bitmap copy(int(image.GetWidth()), int(image.GetHeight()), PixelFormat32bppARGB);
    Gdiplus::Graphics(&copy).DrawImage(&image, 0, 0, int(image.GetWidth()), int(image.GetHeight()));
    Gdiplus::Color colour;
    copy.GetPixel(int(image.GetWidth()) / 2, int(image.GetHeight()) / 2, &colour);
    return colour.GetValue();
}

} // namespace

TEST(PhotoScanner, ListsPhotosDirectlyInTheFolder)
{
    TempFolder folder;
    WriteBytes(folder / L"a.JPG", EncodeTestJpeg(Solid(40, 30, kGreen)));
    ASSERT_TRUE(SaveWithGdiplus(Solid(30, 40, kRed), folder / L"b.png", L"image/png"));
    WriteBytes(folder / L"c.txt", Bytes(10, 'x'));
    WriteBytes(folder / L"d.jpeg", EncodeTestJpeg(Solid(40, 30, kGreen)));
    CreateDirectoryW(folder / L"e.jpg", nullptr);

    ScanLog log = Scan(folder.Path() + L"\\*.*");
    ASSERT_EQ(log.items.size(), 2u);
    EXPECT_EQ(log.finishedCount, 2);
    EXPECT_TRUE(log.anyEntry);
    EXPECT_EQ(log.loading, (std::vector<CString>{L"a.JPG", L"b.png"}));
    const PhotoItem& jpeg = *log.items[0];
    EXPECT_EQ(jpeg.path, folder / L"a.JPG");
    EXPECT_EQ(jpeg.width, 40);
    EXPECT_EQ(jpeg.height, 30);
    EXPECT_EQ(jpeg.compress, 1);
    EXPECT_EQ(jpeg.stampDate, 0);
    EXPECT_FALSE(jpeg.sizeText.IsEmpty());
    ASSERT_TRUE(jpeg.thumbnail);
    EXPECT_EQ(jpeg.thumbnail->GetWidth(), 52u);
    EXPECT_EQ(jpeg.thumbnail->GetHeight(), 39u);
    EXPECT_TRUE(Near(CentreColour(*jpeg.thumbnail), kGreen));
    const PhotoItem& png = *log.items[1];
    EXPECT_EQ(png.width, 30);
    EXPECT_EQ(png.height, 40);
    ASSERT_TRUE(png.thumbnail);
    EXPECT_EQ(png.thumbnail->GetWidth(), 39u);
    EXPECT_EQ(png.thumbnail->GetHeight(), 52u);
    EXPECT_TRUE(Near(CentreColour(*png.thumbnail), kRed));

    ScanLog none = Scan(folder.Path() + L"\\*.xyz");
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(none.finishedCount, 0);
    EXPECT_FALSE(none.anyEntry);
}

TEST(PhotoScanner, ThumbnailSizesFollowTheLongerSide)
{
    TempFolder folder;
    PhotoBuffers buffers;
    struct Case {
        int width, height, thumbWidth, thumbHeight;
    };
    for (const Case c : {Case{100, 25, 52, 13}, Case{10, 10, 52, 52}, Case{300, 400, 39, 52}}) {
        const CString path = folder / L"p.jpg";
        WriteBytes(path, EncodeTestJpeg(Solid(c.width, c.height, kGreen)));
        const auto item = PhotoScanner::ReadPhoto(path, buffers);
        ASSERT_TRUE(item->thumbnail) << c.width;
        EXPECT_EQ(item->thumbnail->GetWidth(), UINT(c.thumbWidth));
        EXPECT_EQ(item->thumbnail->GetHeight(), UINT(c.thumbHeight));
        EXPECT_TRUE(Near(CentreColour(*item->thumbnail), kGreen));
    }
}

TEST(PhotoScanner, UsesAnEmbeddedThumbnailOnlyWhenItsAspectMatches)
{
    TempFolder folder;
    const Bytes photo = EncodeTestJpeg(Solid(640, 480, kGreen));
    // The embedded thumbnails are red, so the thumbnail's colour tells which picture it came from.
    const Bytes matching = exiftest::BuildExif({false, 0, EncodeTestJpeg(Solid(160, 120, kRed))});
    const Bytes square = exiftest::BuildExif({true, 0, EncodeTestJpeg(Solid(160, 160, kRed))});
    WriteBytes(folder / L"matching.jpg", exiftest::InsertApp1(photo, matching));
    WriteBytes(folder / L"square.jpg", exiftest::InsertApp1(photo, square));

    PhotoBuffers buffers;
    const auto used = PhotoScanner::ReadPhoto(folder / L"matching.jpg", buffers);
    EXPECT_EQ(used->width, 640);
    ASSERT_TRUE(used->thumbnail);
    EXPECT_EQ(used->thumbnail->GetHeight(), 39u);
    EXPECT_TRUE(Near(CentreColour(*used->thumbnail), kRed));
    const auto ignored = PhotoScanner::ReadPhoto(folder / L"square.jpg", buffers);
    ASSERT_TRUE(ignored->thumbnail);
    EXPECT_TRUE(Near(CentreColour(*ignored->thumbnail), kGreen));
}

TEST(PhotoScanner, UndecodableFilesGetAnItemWithoutSize)
{
    TempFolder folder;
    Bytes garbage(3000);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = std::uint8_t(i * 7919 >> 3);
    WriteBytes(folder / L"bad.png", garbage);
    WriteBytes(folder / L"empty.jpg", {});
    Bytes headerOnly = EncodeTestJpeg(Solid(64, 64, kGreen));
    headerOnly.resize(20);
    WriteBytes(folder / L"cut.jpg", headerOnly);

    const ScanLog log = Scan(folder.Path() + L"\\*.*");
    ASSERT_EQ(log.items.size(), 3u);
    for (const auto& item : log.items) {
        EXPECT_EQ(item->width, 0) << CStringA(item->path).GetString();
        EXPECT_EQ(item->height, 0);
        EXPECT_FALSE(item->thumbnail);
        EXPECT_EQ(item->compress, 1);
    }
}
