// The JPEG layout and EXIF reader built natively under AddressSanitizer and UndefinedBehaviorSanitizer: well-formed
// blocks in both byte orders, damaged blocks, every truncation, and a seeded random-mutation loop. Any read outside
// the given bytes fails the run.
#include "host/ExifBuilder.h"
#include "photo/Exif.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

using namespace exiftest;

const Bytes kThumbnail = {0xFF, 0xD8, 0xFF, 0xD9, 1, 2, 3, 4};

// Reads from a heap copy of exactly the given bytes, so ASan sees a read one past their end.
ExifFacts ReadExact(const Bytes& payload, std::size_t base = 0)
{
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[payload.size() + 1]);
    std::copy(payload.begin(), payload.end(), copy.get());
    return ReadExif(copy.get(), payload.size(), base);
}

JpegLayout LayoutExact(const Bytes& bytes)
{
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return ReadJpegLayout(copy.get(), bytes.size());
}

Bytes MakeJpeg(const Bytes& exif, int width, int height)
{
    Bytes jpeg = {0xFF, 0xD8};
    for (const Bytes& segment : {Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}),
                                 Segment(0xE1, exif), Segment(0xDB, Bytes(65, 1)),
                                 Segment(0xC0, FramePayload(width, height)), Segment(0xDA, Bytes(10, 0))}) {
        jpeg.insert(jpeg.end(), segment.begin(), segment.end());
    }
    jpeg.insert(jpeg.end(), {0x12, 0x34, 0xFF, 0xD9});
    return jpeg;
}

// Sets a 32-bit value inside the TIFF block of a built payload (after the 6-byte signature).
void Poke32(Bytes& payload, std::size_t tiffOffset, std::uint32_t value, bool bigEndian)
{
    for (int i = 0; i < 4; ++i) {
        payload[6 + tiffOffset + std::size_t(i)] = std::uint8_t(value >> (bigEndian ? 24 - 8 * i : 8 * i));
    }
}

TEST(Exif, ReadsOrientationAndThumbnailInBothByteOrders)
{
    for (bool bigEndian : {false, true}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const Bytes payload = BuildExif({bigEndian, orientation, kThumbnail});
            const ExifFacts facts = ReadExact(payload, 100);
            EXPECT_EQ(facts.orientation, orientation);
            ASSERT_EQ(facts.thumbnailLength, kThumbnail.size());
            EXPECT_EQ(Bytes(payload.begin() + std::ptrdiff_t(facts.thumbnailOffset - 100),
                            payload.begin() + std::ptrdiff_t(facts.thumbnailOffset - 100 + facts.thumbnailLength)),
                      kThumbnail);
        }
    }
    const ExifFacts none = ReadExact(BuildExif({false, 0, {}}));
    EXPECT_EQ(none.orientation, 1);
    EXPECT_EQ(none.thumbnailLength, 0u);
}

TEST(Exif, RejectsDamagedValuesAndOffsets)
{
    // Orientation outside 1..8 reads as 1.
    for (int orientation : {0x09, 0xFF, 0xFFFF}) {
        Bytes payload = BuildExif({false, 1, {}});
        payload[6 + kIfd0 + 2 + 8] = std::uint8_t(orientation);
        payload[6 + kIfd0 + 2 + 9] = std::uint8_t(orientation >> 8);
        EXPECT_EQ(ReadExact(payload).orientation, 1) << orientation;
    }
    const std::size_t ifd1 = kIfd0 + 2 + 12 + 4;
    const std::size_t thumbOffsetValue = ifd1 + 2 + 12 + 8;
    const std::size_t thumbLengthValue = ifd1 + 2 + 24 + 8;
    for (bool bigEndian : {false, true}) {
        const Bytes good = BuildExif({bigEndian, 6, kThumbnail});
        const std::uint32_t tiffSize = std::uint32_t(good.size() - 6);
        struct Damage {
            std::size_t at;
            std::uint32_t value;
        };
        for (const Damage damage : {Damage{4, tiffSize}, Damage{4, 0xFFFFFFF0u}, Damage{4, 2},
                                    Damage{kIfd0 + 2 + 12, 0xFFFFFFFFu}, Damage{kIfd0 + 2 + 12, tiffSize - 1},
                                    Damage{thumbOffsetValue, tiffSize}, Damage{thumbOffsetValue, 0xFFFFFFFCu},
                                    Damage{thumbLengthValue, 0xFFFFFFFFu}, Damage{thumbLengthValue, tiffSize}}) {
            Bytes payload = good;
            Poke32(payload, damage.at, damage.value, bigEndian);
            const ExifFacts facts = ReadExact(payload);
            EXPECT_LE(facts.thumbnailOffset + facts.thumbnailLength, payload.size()) << damage.at;
            EXPECT_EQ(facts.thumbnailLength, 0u) << damage.at << " " << damage.value;
        }
        // IFD1 pointing back at IFD0: a loop, not followed (and IFD0 has no thumbnail tags).
        Bytes loop = good;
        Poke32(loop, kIfd0 + 2 + 12, kIfd0, bigEndian);
        EXPECT_EQ(ReadExact(loop).thumbnailLength, 0u);
        EXPECT_EQ(ReadExact(loop).orientation, 6);
    }
}

TEST(Exif, EveryTruncationIsSafe)
{
    const Bytes payload = BuildExif({true, 3, kThumbnail});
    for (std::size_t length = 0; length < payload.size(); ++length) {
        const ExifFacts facts = ReadExact(Bytes(payload.begin(), payload.begin() + std::ptrdiff_t(length)));
        EXPECT_LE(facts.thumbnailOffset + facts.thumbnailLength, length);
    }
    const Bytes jpeg = MakeJpeg(payload, 4000, 3000);
    for (std::size_t length = 0; length < jpeg.size(); ++length) {
        const JpegLayout layout = LayoutExact(Bytes(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(length)));
        EXPECT_LE(layout.exif.thumbnailOffset + layout.exif.thumbnailLength, length);
        if (layout.hasFrame) {
            EXPECT_EQ(layout.width, 4000);
        }
    }
}

TEST(JpegLayout, ReadsFrameAndFirstExifSegment)
{
    const Bytes jpeg = MakeJpeg(BuildExif({false, 8, kThumbnail}), 4001, 3000);
    const JpegLayout layout = LayoutExact(jpeg);
    EXPECT_TRUE(layout.isJpeg);
    ASSERT_TRUE(layout.hasFrame);
    EXPECT_EQ(layout.width, 4001);
    EXPECT_EQ(layout.height, 3000);
    EXPECT_EQ(layout.components, 3);
    EXPECT_EQ(layout.exif.orientation, 8);
    ASSERT_EQ(layout.exif.thumbnailLength, kThumbnail.size());
    EXPECT_EQ(jpeg[layout.exif.thumbnailOffset], 0xFF);
    EXPECT_EQ(jpeg[layout.exif.thumbnailOffset + 1], 0xD8);

    // An XMP APP1 before the EXIF one is skipped; fill bytes and restart markers before a segment are allowed.
    Bytes withXmp = {0xFF, 0xD8, 0xFF, 0xFF, 0xD0};
    const Bytes xmp = Segment(0xE1, {'h', 't', 't', 'p', ':', '/', '/', 0});
    withXmp.insert(withXmp.end(), xmp.begin(), xmp.end());
    withXmp.insert(withXmp.end(), jpeg.begin() + 2, jpeg.end());
    EXPECT_EQ(LayoutExact(withXmp).exif.orientation, 8);

    EXPECT_FALSE(LayoutExact({0x89, 'P', 'N', 'G'}).isJpeg);
    // A segment length below 2 or past the end stops the walk.
    EXPECT_FALSE(LayoutExact({0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x01, 0xFF, 0xC0}).hasFrame);
    EXPECT_FALSE(LayoutExact({0xFF, 0xD8, 0xFF, 0xC0, 0xFF, 0xFF, 8, 0, 1, 0, 1, 3}).hasFrame);
}

// A camera's block: names, capture facts in the EXIF IFD, a GPS IFD and a thumbnail.
Bytes CameraExif()
{
    IfdWriter ifd0, exif, gps;
    ifd0.Ascii(0x010F, "Make");
    exif.Rational(0x829A, 1, 60);
    exif.Ascii(0x9003, "2020:01:02 03:04:05");
    exif.Ascii(0x9011, "-05:30");
    gps.Ascii(0x0001, "S");
    return BuildCameraExif(ifd0, exif, gps, kThumbnail);
}

TEST(Exif, CaptureTextsNotOfTheirFormAreDropped)
{
    EXPECT_EQ(ReadExact(CameraExif()).capture.offsetOriginal, "-05:30");
    IfdWriter names, times;
    names.Ascii(0x010F, "Bad\x01Make");
    times.Ascii(0x9003, "yesterday");
    times.Ascii(0x9291, "12a");
    const ExifCapture odd = ReadExact(BuildCameraExif(names, times, {}, {})).capture;
    EXPECT_TRUE(odd.make.empty() && odd.dateTimeOriginal.empty() && odd.subSecOriginal.empty());
}

TEST(JpegLayout, RandomMutationsStayInBounds)
{
    std::mt19937 random(20261207);
    const Bytes seeds[] = {MakeJpeg(BuildExif({false, 6, kThumbnail}), 640, 480),
                           MakeJpeg(BuildExif({true, 2, kThumbnail}), 40, 30), MakeJpeg(CameraExif(), 40, 30)};
    for (int round = 0; round < 60000; ++round) {
        Bytes bytes = seeds[round % 3];
        const int edits = 1 + int(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0: bytes[at] = std::uint8_t(random()); break;
            case 1: bytes[at] ^= std::uint8_t(1u << (random() % 8)); break;
            case 2: bytes[at] = (random() % 2) ? 0xFF : 0x00; break;
            case 3: bytes.resize(std::max<std::size_t>(at, 1)); break;
            }
        }
        const JpegLayout layout = LayoutExact(bytes);
        ASSERT_GE(layout.exif.orientation, 1);
        ASSERT_LE(layout.exif.orientation, 8);
        ASSERT_LE(layout.exif.thumbnailOffset + layout.exif.thumbnailLength, bytes.size());
        ASSERT_LE(layout.width, 0xFFFF);
    }
}

} // namespace
