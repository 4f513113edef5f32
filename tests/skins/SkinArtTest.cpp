// Checks album's skin images as the program's resources hold them: sizes, strip frames, looks, edges.
#include "common/TestSupport.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdint>
#include <memory>
#include <vector>

using namespace Gdiplus;

namespace {

// A decoded image as 32-bit ARGB pixels, row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;

    uint32_t At(int x, int y) const { return argb[size_t(y) * width + x]; }
    int Alpha(int x, int y) const { return int(At(x, y) >> 24); }

    // The pixels of the rectangle (x, y, w, h), row by row.
    std::vector<uint32_t> Area(int x, int y, int w, int h) const
    {
        std::vector<uint32_t> area;
        for (int row = y; row < y + h; ++row) {
            for (int column = x; column < x + w; ++column) {
                area.push_back(At(column, row));
            }
        }
        return area;
    }

    std::vector<uint32_t> Row(int y) const { return Area(0, y, width, 1); }
    std::vector<uint32_t> Column(int x, int y, int h) const { return Area(x, y, 1, h); }
};

Pixels ReadPixels(Bitmap& bitmap)
{
    Pixels pixels;
    pixels.width = int(bitmap.GetWidth());
    pixels.height = int(bitmap.GetHeight());
    Rect all(0, 0, pixels.width, pixels.height);
    BitmapData data{};
    if (pixels.width == 0 || bitmap.LockBits(&all, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok) {
        return Pixels{};
    }
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        pixels.argb.insert(pixels.argb.end(), row, row + pixels.width);
    }
    bitmap.UnlockBits(&data);
    return pixels;
}

// Decodes a "PNG" or "IMG" resource of this executable (which carries album's resources) with GDI+.
Pixels LoadSkin(UINT id, const wchar_t* type)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (!found) {
        return Pixels{};
    }
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    IStream* stream = SHCreateMemStream(bytes, SizeofResource(nullptr, found));
    if (!stream) {
        return Pixels{};
    }
    std::unique_ptr<Bitmap> bitmap(Bitmap::FromStream(stream));
    stream->Release();
    return bitmap ? ReadPixels(*bitmap) : Pixels{};
}

// Loads a BITMAP resource as a DIB section, the way the frame and the scroll bar load theirs.
struct DibInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    Pixels pixels;
};

DibInfo LoadDib(UINT id)
{
    DibInfo info;
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) {
        return info;
    }
    DIBSECTION dib{};
    GetObjectW(bitmap, sizeof dib, &dib);
    info.width = dib.dsBm.bmWidth;
    info.height = dib.dsBm.bmHeight;
    info.bitsPerPixel = dib.dsBm.bmBitsPixel;
    {
        Bitmap decoded(bitmap, nullptr);
        info.pixels = ReadPixels(decoded);
    }
    DeleteObject(bitmap);
    return info;
}

int PartialAlphaCount(const Pixels& pixels)
{
    int count = 0;
    for (uint32_t argb : pixels.argb) {
        int alpha = int(argb >> 24);
        count += alpha > 0 && alpha < 255;
    }
    return count;
}

bool IsTransparent(const std::vector<uint32_t>& area)
{
    for (uint32_t argb : area) {
        if (argb >> 24) {
            return false;
        }
    }
    return true;
}

struct SkinSize {
    UINT id;
    const wchar_t* type;
    int width;
    int height;
};

const SkinSize kSkins[] = {
    {129, L"PNG", 159, 336}, {134, L"PNG", 48, 48},   {136, L"PNG", 224, 32},  {137, L"PNG", 420, 20},
    {139, L"PNG", 120, 61},  {146, L"PNG", 11, 12},   {148, L"PNG", 12, 9},    {149, L"PNG", 180, 32},
    {150, L"PNG", 161, 76},  {152, L"PNG", 60, 60},   {155, L"PNG", 40, 20},   {158, L"PNG", 225, 62},
    {164, L"PNG", 252, 18},  {165, L"PNG", 22, 21},   {166, L"PNG", 651, 274}, {172, L"PNG", 91, 36},
    {175, L"PNG", 417, 68},  {131, L"IMG", 77, 11},   {132, L"IMG", 36, 18},   {133, L"IMG", 448, 18},
    {135, L"IMG", 36, 18},   {141, L"IMG", 36, 18},   {157, L"IMG", 158, 17},  {160, L"IMG", 10, 49},
    {179, L"IMG", 168, 20},  {180, L"IMG", 48, 20},   {57670, L"IMG", 36, 18},
};

struct BitmapSize {
    UINT id;
    int width;
    int height;
};

const BitmapSize kBitmaps[] = {{130, 55, 55}, {139, 23, 562}, {144, 36, 84}, {145, 84, 36}, {146, 11, 12}};

class SkinArt : public testing::Test {
protected:
    GdiplusSession gdiplus;
};

TEST_F(SkinArt, EverySkinImageDecodesAtItsSize)
{
    for (const SkinSize& skin : kSkins) {
        Pixels pixels = LoadSkin(skin.id, skin.type);
        EXPECT_EQ(pixels.width, skin.width) << skin.id;
        EXPECT_EQ(pixels.height, skin.height) << skin.id;
    }
}

TEST_F(SkinArt, EveryBitmapIsA24BitDibOfItsSize)
{
    for (const BitmapSize& bitmap : kBitmaps) {
        DibInfo dib = LoadDib(bitmap.id);
        EXPECT_EQ(dib.width, bitmap.width) << bitmap.id;
        EXPECT_EQ(dib.height, bitmap.height) << bitmap.id;
        EXPECT_EQ(dib.bitsPerPixel, 24) << bitmap.id;
    }
}

TEST_F(SkinArt, ProgramIconComesInEverySizeTheShellAsksFor)
{
    for (int size : {16, 24, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(SkinArt, RoundedShapesHaveSoftEdges)
{
    for (UINT id : {129u, 134u, 136u, 139u, 150u, 152u, 155u, 158u, 165u, 166u, 172u, 175u}) {
        EXPECT_GT(PartialAlphaCount(LoadSkin(id, L"PNG")), 8) << id;
    }
    for (UINT id : {131u, 132u, 133u, 135u, 141u, 157u, 179u, 180u, 57670u}) {
        EXPECT_GT(PartialAlphaCount(LoadSkin(id, L"IMG")), 8) << id;
    }
}

// Frames of a seven-frame strip: 0 pressed, 1 normal, 2 hover, 3 pressed+focus, 4 disabled, 5 focus,
// 6 hover+focus.
std::vector<std::vector<uint32_t>> StripFrames(const Pixels& strip)
{
    std::vector<std::vector<uint32_t>> frames;
    int width = strip.width / 7;
    for (int k = 0; k < 7; ++k) {
        frames.push_back(strip.Area(k * width, 0, width, strip.height));
    }
    return frames;
}

void ExpectSevenDistinctLooks(UINT id, const wchar_t* type)
{
    Pixels strip = LoadSkin(id, type);
    ASSERT_EQ(strip.width % 7, 0) << id;
    auto frames = StripFrames(strip);
    for (int a = 0; a < 7; ++a) {
        EXPECT_FALSE(IsTransparent(frames[a])) << id << " frame " << a;
        for (int b = a + 1; b < 7; ++b) {
            EXPECT_NE(frames[a], frames[b]) << id << " frames " << a << " and " << b;
        }
    }
}

TEST_F(SkinArt, PushButtonStripsShowEveryStateDifferently)
{
    ExpectSevenDistinctLooks(133, L"IMG");
    ExpectSevenDistinctLooks(131, L"IMG");
    ExpectSevenDistinctLooks(179, L"IMG");
    ExpectSevenDistinctLooks(137, L"PNG");
}

TEST_F(SkinArt, FlatButtonsShowOnlyTheirCaptionUntilHovered)
{
    Pixels strip = LoadSkin(164, L"PNG");
    ASSERT_EQ(strip.width % 7, 0);
    auto frames = StripFrames(strip);
    EXPECT_TRUE(IsTransparent(frames[1]));
    EXPECT_TRUE(IsTransparent(frames[5]));
    for (int a : {0, 2, 3, 4, 6}) {
        EXPECT_FALSE(IsTransparent(frames[a])) << a;
        for (int b : {0, 2, 3, 4, 6}) {
            EXPECT_TRUE(a == b || frames[a] != frames[b]) << a << " and " << b;
        }
    }
}

TEST_F(SkinArt, ButtonsFitTheMainWindowRows)
{
    // "All" and "None" sit 38 pixels apart; Start leaves 75 pixels before the job bar; the browse
    // button and the output edit share one 20-pixel row.
    EXPECT_LE(LoadSkin(164, L"PNG").width / 7, 38);
    EXPECT_LE(LoadSkin(133, L"IMG").width / 7, 75);
    EXPECT_EQ(LoadSkin(179, L"IMG").height, 20);
    EXPECT_GE(LoadSkin(133, L"IMG").height, 18);
}

TEST_F(SkinArt, IconPairsHaveTwoDifferentVisibleHalves)
{
    for (UINT id : {132u, 135u, 141u, 180u, 57670u}) {
        Pixels pair = LoadSkin(id, L"IMG");
        int half = pair.width / 2;
        auto left = pair.Area(0, 0, half, pair.height);
        auto right = pair.Area(half, 0, half, pair.height);
        EXPECT_FALSE(IsTransparent(left)) << id;
        EXPECT_FALSE(IsTransparent(right)) << id;
        EXPECT_NE(left, right) << id;
    }
    for (UINT id : {148u, 155u, 165u}) {
        Pixels pair = LoadSkin(id, L"PNG");
        int half = pair.width / 2;
        EXPECT_NE(pair.Area(0, 0, half, pair.height), pair.Area(half, 0, half, pair.height)) << id;
    }
}

TEST_F(SkinArt, CloseCrossShowsInsideTheSmallButton)
{
    // The icon is drawn at (-3, -3) on an 11 x 11 button: its visible part is (3, 3)-(14, 14) of a half.
    Pixels pair = LoadSkin(132, L"IMG");
    int visible = 0;
    int outside = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 18; ++x) {
            bool inside = x >= 3 && x < 14 && y >= 3 && y < 14;
            (inside ? visible : outside) += pair.Alpha(x + 18, y) > 0;
        }
    }
    EXPECT_GT(visible, 10);
    EXPECT_EQ(outside, 0);
}

TEST_F(SkinArt, ProgressBarFilledAndEmptyColumnsDiffer)
{
    Pixels bar = LoadSkin(157, L"IMG");
    int middle = bar.height / 2;
    EXPECT_EQ(bar.Alpha(2, middle), 255);
    EXPECT_EQ(bar.Alpha(bar.width - 5, middle), 255);
    EXPECT_NE(bar.Column(2, 0, bar.height), bar.Column(bar.width - 5, 0, bar.height));
}

TEST_F(SkinArt, StretchedColumnsAndRowsCarryNoDetail)
{
    // The band's first column is stretched across the window: only its bottom shadow may show.
    Pixels band = LoadSkin(158, L"PNG");
    EXPECT_TRUE(IsTransparent(band.Column(0, 0, band.height - 8)));
    EXPECT_FALSE(IsTransparent(band.Column(0, band.height - 8, 8)));
    // The splitter's last row runs the bar's full height: a hairline, not part of the grip.
    Pixels grip = LoadSkin(160, L"IMG");
    EXPECT_EQ(grip.Row(grip.height - 1), grip.Row(0));
    EXPECT_NE(grip.Row(grip.height / 2), grip.Row(0));
}

TEST_F(SkinArt, ScrollBarThumbsStretchWithoutSeams)
{
    Pixels vertical = LoadDib(144).pixels;
    ASSERT_EQ(vertical.height, 84);
    for (int look : {0, 18}) {
        auto body = vertical.Area(look, 38, 17, 1);
        EXPECT_EQ(vertical.Area(look, 39, 17, 1), body) << look;
        EXPECT_EQ(vertical.Area(look, 48, 17, 1), body) << look;
        EXPECT_NE(vertical.Area(look, 43, 17, 1), body) << look;
    }
    Pixels horizontal = LoadDib(145).pixels;
    ASSERT_EQ(horizontal.width, 84);
    for (int look : {0, 18}) {
        auto body = horizontal.Column(36, look, 17);
        EXPECT_EQ(horizontal.Column(38, look, 17), body) << look;
        EXPECT_EQ(horizontal.Column(47, look, 17), body) << look;
        EXPECT_NE(horizontal.Column(42, look, 17), body) << look;
    }
}

TEST_F(SkinArt, ScrollBarHotLookDiffersFromNormal)
{
    Pixels vertical = LoadDib(144).pixels;
    EXPECT_NE(vertical.Area(0, 0, 17, 17), vertical.Area(18, 0, 17, 17));
    EXPECT_NE(vertical.Area(0, 67, 17, 17), vertical.Area(18, 67, 17, 17));
    EXPECT_NE(vertical.Area(0, 35, 17, 16), vertical.Area(18, 35, 17, 16));
    Pixels horizontal = LoadDib(145).pixels;
    EXPECT_NE(horizontal.Area(0, 0, 17, 17), horizontal.Area(0, 18, 17, 17));
    EXPECT_NE(horizontal.Area(67, 0, 17, 17), horizontal.Area(67, 18, 17, 17));
}

TEST_F(SkinArt, CornerGlyphIsDotsOnTransparentBlack)
{
    Pixels corner = LoadDib(146).pixels;
    int black = 0;
    for (uint32_t argb : corner.argb) {
        black += (argb & 0xFFFFFF) == 0;
    }
    EXPECT_EQ(corner.At(0, 0) & 0xFFFFFF, 0u);
    EXPECT_GT(black, int(corner.argb.size()) / 2);
    EXPECT_LT(black, int(corner.argb.size()));
}

TEST_F(SkinArt, PopupSeparatorSampleIsAnEtchedLine)
{
    Pixels popup = LoadSkin(139, L"PNG");
    EXPECT_EQ(popup.Alpha(15, 26), 255);
    EXPECT_EQ(popup.Alpha(15, 27), 255);
    EXPECT_LT(popup.At(15, 26) & 0xFF, popup.At(15, 27) & 0xFF);
}

} // namespace
