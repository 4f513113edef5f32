// The JPEG codec wrapper over libjpeg-turbo on any bytes: header, decoding at the largest scale that stays small
// (so that each input runs fast), and a round trip of small pictures through the encoder. Every decoded pixel must
// have been written (opaque), and the sizes must be the ones the header promised. The photo pipeline's own marker
// walk must find the frame size libjpeg finds, or none.
#include "FuzzCheck.h"
#include "photo/Exif.h"
#include "photo/JpegCodec.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::int64_t kMaxDecodedPixels = 1 << 18;
constexpr std::int64_t kMaxEncodedPixels = 1 << 14;

// The largest scale whose decoded size stays within kMaxDecodedPixels; num 0 when none does.
JpegScale SmallScale(int width, int height)
{
    for (int num = 8; num >= 1; --num) {
        const JpegScale scale{num};
        if (std::int64_t(scale.Scaled(width)) * scale.Scaled(height) <= kMaxDecodedPixels) return scale;
    }
    return JpegScale{0};
}

bool AllOpaque(const PixelBuffer& pixels)
{
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x)
            if (row[x * 4 + 3] != 0xFF) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    int width = 0;
    int height = 0;
    if (!ReadJpegSize(data, size, width, height)) return 0;
    FUZZ_CHECK(width > 0 && height > 0);
    const JpegLayout layout = ReadJpegLayout(data, size);
    if (layout.hasFrame) FUZZ_CHECK(layout.width == width && layout.height == height);
    const JpegScale scale = SmallScale(width, height);
    if (scale.num == 0) return 0;

    PixelBuffer pixels;
    if (!DecodeJpeg(data, size, scale, pixels)) {
        FUZZ_CHECK(pixels.IsEmpty());
        return 0;
    }
    FUZZ_CHECK(pixels.Width() == scale.Scaled(width) && pixels.Height() == scale.Scaled(height));
    FUZZ_CHECK(AllOpaque(pixels));

    if (std::int64_t(pixels.Width()) * pixels.Height() > kMaxEncodedPixels) return 0;
    JpegBytes encoded;
    FUZZ_CHECK(EncodeJpeg(pixels, int(data[size - 1] % 101), encoded));
    PixelBuffer decoded;
    FUZZ_CHECK(DecodeJpeg(encoded.Data(), encoded.Size(), JpegScale{}, decoded));
    FUZZ_CHECK(decoded.Width() == pixels.Width() && decoded.Height() == pixels.Height());
    return 0;
}
