// libjpeg-turbo behind the codec: every JPEG kind decodes in the right colours, damaged data comes back as a
// result, the encoder honours quality with optimised tables and 4:2:0 chroma and keeps its working memory for the
// next photo; and the turns of the EXIF orientations.
#include "album/PhotoTestSupport.h"
#include "photo/JpegCodec.h"
#include "photo/JpegMemory.h"

#include <gtest/gtest.h>

using namespace phototest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;

PixelBuffer RedAndBlue(int width, int height)
{
    PixelBuffer picture = Solid(width, height, kRed);
    Fill(picture, width / 2, 0, width - width / 2, height, kBlue);
    return picture;
}

// A JPEG whose frame header claims width x height, followed by only a little scan data.
Bytes ClaimedSize(int width, int height)
{
    Bytes bytes = EncodeTestJpeg(Busy(64, 64, 7));
    for (std::size_t i = 2; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = std::uint8_t(height >> 8);
            bytes[i + 6] = std::uint8_t(height);
            bytes[i + 7] = std::uint8_t(width >> 8);
            bytes[i + 8] = std::uint8_t(width);
            break;
        }
    }
    bytes.resize(bytes.size() - 200);
    return bytes;
}

// The sampling factors of the components in the first baseline frame header.
std::vector<int> Sampling(const Bytes& jpeg)
{
    std::vector<int> factors;
    for (std::size_t i = 2; i + 10 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            for (int c = 0; c < jpeg[i + 9]; ++c) factors.push_back(jpeg[i + 11 + std::size_t(c) * 3]);
            break;
        }
    }
    return factors;
}

} // namespace

TEST(JpegCodec, DecodesEveryKindInItsColours)
{
    const PixelBuffer picture = RedAndBlue(64, 48);
    for (JpegKind kind : {JpegKind::Color, JpegKind::Progressive, JpegKind::Gray, JpegKind::Cmyk,
                          JpegKind::CmykAdobe, JpegKind::YcckAdobe, JpegKind::Restart}) {
        SCOPED_TRACE(int(kind));
        const Bytes bytes = EncodeTestJpeg(picture, kind, 95);
        int width = 0;
        int height = 0;
        ASSERT_TRUE(ReadJpegSize(bytes.data(), bytes.size(), width, height));
        EXPECT_EQ(width, 64);
        EXPECT_EQ(height, 48);
        PixelBuffer decoded;
        ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), JpegScale{8}, decoded));
        ASSERT_EQ(decoded.Width(), 64);
        ASSERT_EQ(decoded.Height(), 48);
        EXPECT_EQ(decoded.Pixel(8, 24) >> 24, 0xFFu);
        const bool gray = kind == JpegKind::Gray;
        EXPECT_TRUE(Near(decoded.Pixel(8, 24), gray ? 0xFF4C4C4C : kRed)) << std::hex << decoded.Pixel(8, 24);
        EXPECT_TRUE(Near(decoded.Pixel(56, 24), gray ? 0xFF1D1D1D : kBlue)) << std::hex << decoded.Pixel(56, 24);
    }
}

TEST(JpegCodec, ScaledDecodeRoundsUp)
{
    const Bytes bytes = EncodeTestJpeg(RedAndBlue(401, 300));
    PixelBuffer half;
    ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), JpegScale{4}, half));
    EXPECT_EQ(half.Width(), 201);
    EXPECT_EQ(half.Height(), 150);
    EXPECT_EQ(JpegScale::Covering(4000, 3000, 52, 39).num, 1);
    EXPECT_EQ(JpegScale::Covering(4001, 3000, 2000, 1500).num, 4);
    EXPECT_EQ(JpegScale::Covering(2255, 1500, 2255, 1500).num, 8);
    EXPECT_EQ(JpegScale::Covering(10, 10, 52, 52).num, 8);
}

TEST(JpegCodec, DamagedDataComesBackAsResult)
{
    for (JpegKind kind : {JpegKind::Color, JpegKind::Progressive, JpegKind::Restart}) {
        const Bytes bytes = EncodeTestJpeg(Busy(320, 240, 3), kind);
        // Data that ends before the image does is a failure, not a picture padded with grey.
        for (std::size_t cut : {bytes.size() * 3 / 4, bytes.size() / 2}) {
            PixelBuffer decoded;
            EXPECT_FALSE(DecodeJpeg(bytes.data(), cut, JpegScale{8}, decoded)) << int(kind) << " " << cut;
            EXPECT_TRUE(decoded.IsEmpty());
        }
        for (std::size_t cut : {std::size_t(300), std::size_t(20), std::size_t(2)}) {
            PixelBuffer decoded;
            if (!DecodeJpeg(bytes.data(), cut, JpegScale{8}, decoded)) {
                EXPECT_TRUE(decoded.IsEmpty());
            }
        }
    }
    const Bytes garbage(5000, 0xFF);
    PixelBuffer decoded;
    EXPECT_FALSE(DecodeJpeg(garbage.data(), garbage.size(), JpegScale{8}, decoded));
    int width = 0;
    int height = 0;
    EXPECT_FALSE(ReadJpegSize(garbage.data(), 0, width, height));

    // A header claiming 30000 x 30000 over a few bytes of data: the size reads, a full decode is refused.
    const Bytes huge = ClaimedSize(30000, 30000);
    ASSERT_TRUE(ReadJpegSize(huge.data(), huge.size(), width, height));
    EXPECT_EQ(width, 30000);
    EXPECT_FALSE(DecodeJpeg(huge.data(), huge.size(), JpegScale{8}, decoded));
    EXPECT_FALSE(DecodeJpeg(huge.data(), huge.size(), JpegScale{4}, decoded));
    EXPECT_FALSE(PixelBuffer::FitsLimit(15000, 15000));
}

TEST(JpegCodec, EncoderHonoursQualityWithOptimisedTables)
{
    const PixelBuffer picture = Busy(640, 480, 11);
    std::size_t previous = 0;
    for (int quality : {0, 30, 95}) {
        JpegBytes jpeg;
        ASSERT_TRUE(EncodeJpeg(picture, quality, jpeg));
        EXPECT_GT(jpeg.Size(), previous) << quality;
        previous = jpeg.Size();
        const Bytes bytes(jpeg.Data(), jpeg.Data() + jpeg.Size());
        EXPECT_EQ(Sampling(bytes), (std::vector<int>{0x22, 0x11, 0x11}));
        int width = 0;
        int height = 0;
        ASSERT_TRUE(ReadJpegSize(jpeg.Data(), jpeg.Size(), width, height));
        EXPECT_EQ(width, 640);
        EXPECT_EQ(height, 480);
    }
    // Quality 0 is libjpeg's lowest, 1; the same tables with optimised Huffman codes beat the standard ones.
    JpegBytes zero;
    JpegBytes one;
    ASSERT_TRUE(EncodeJpeg(picture, 0, zero) && EncodeJpeg(picture, 1, one));
    EXPECT_EQ(Bytes(zero.Data(), zero.Data() + zero.Size()), Bytes(one.Data(), one.Data() + one.Size()));
    JpegBytes ours;
    ASSERT_TRUE(EncodeJpeg(picture, 30, ours));
    EXPECT_LT(ours.Size(), EncodeTestJpeg(picture, JpegKind::Color, 30).size());
}

TEST(JpegCodec, WorkingMemoryServesTheNextPhotoUntilReleased)
{
    ReleaseJpegMemory();
    const PixelBuffer picture = Busy(640, 480, 5);
    JpegBytes first;
    ASSERT_TRUE(EncodeJpeg(picture, 30, first));
    const std::size_t kept = KeptJpegMemory();
    EXPECT_GT(kept, 640u * 480u * 3u);  // the whole picture's coefficients, 2 bytes each, at 4:2:0
    // Reused memory that is not cleared must give the same bytes.
    JpegBytes second;
    ASSERT_TRUE(EncodeJpeg(picture, 30, second));
    EXPECT_EQ(KeptJpegMemory(), kept);
    EXPECT_EQ(Bytes(first.Data(), first.Data() + first.Size()), Bytes(second.Data(), second.Data() + second.Size()));
    // A progressive photo holds all its coefficients too: decoded into the blocks the encoder left, it comes out
    // exactly as into fresh memory.
    const Bytes progressive = EncodeTestJpeg(RedAndBlue(640, 480), JpegKind::Progressive, 95);
    PixelBuffer reused;
    ASSERT_TRUE(DecodeJpeg(progressive.data(), progressive.size(), JpegScale{8}, reused));
    ReleaseJpegMemory();
    PixelBuffer fresh;
    ASSERT_TRUE(DecodeJpeg(progressive.data(), progressive.size(), JpegScale{8}, fresh));
    EXPECT_EQ(Bytes(reused.Data(), reused.Data() + reused.Stride() * reused.Height()),
              Bytes(fresh.Data(), fresh.Data() + fresh.Stride() * fresh.Height()));
    EXPECT_TRUE(Near(reused.Pixel(8, 24), kRed));
    // A picture whose coefficients pass the limit keeps no more than the limit.
    JpegBytes large;
    ASSERT_TRUE(EncodeJpeg(Solid(4000, 3000, kRed), 30, large));
    EXPECT_LE(KeptJpegMemory(), kJpegKeptBytes);
    ReleaseJpegMemory();
    EXPECT_EQ(KeptJpegMemory(), 0u);
}

TEST(PixelBuffer, EveryOrientationPutsEachPixelUpright)
{
    // Sides that are not multiples of the turn's tiles, so partial tiles at both edges are covered.
    constexpr int w = 45;
    constexpr int h = 70;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        PixelBuffer picture;
        PixelBuffer spare;
        ASSERT_TRUE(picture.Allocate(w, h));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) picture.SetPixel(x, y, std::uint32_t(y << 8 | x));
        }
        ASSERT_TRUE(ApplyOrientation(picture, orientation, spare));
        ASSERT_EQ(CSize(picture.Width(), picture.Height()), orientation >= 5 ? CSize(h, w) : CSize(w, h));
        int misplaced = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                // The stored column and row that upright (x, y) shows.
                const int column[] = {x, w - 1 - x, w - 1 - x, x, y, y, w - 1 - y, w - 1 - y};
                const int row[] = {y, y, h - 1 - y, h - 1 - y, x, h - 1 - x, h - 1 - x, x};
                const int i = orientation - 1;
                misplaced += picture.Pixel(x, y) != std::uint32_t(row[i] << 8 | column[i]);
            }
        }
        EXPECT_EQ(misplaced, 0);
    }
}
