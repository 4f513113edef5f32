// JPEG decoding and encoding with libjpeg-turbo. libjpeg reports errors by calling a handler that must not return;
// here that handler jumps back into a small guard function that holds no C++ objects, so every failure (damaged
// data, out of memory, unsupported colour space) comes back as a false result.
#pragma once

#include "photo/PixelBuffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A DCT-domain scale of num/8 (1..8) for decoding.
struct JpegScale {
    int num = 8;

    // The decoded side for a stored side at this scale, as libjpeg computes it (rounded up).
    int Scaled(int side) const { return int((std::int64_t(side) * num + 7) / 8); }
    // The smallest scale whose decoded size still covers width x height (full size when none does).
    static JpegScale Covering(int storedWidth, int storedHeight, int width, int height);
};

// Reads the frame header; false when the data is not a JPEG libjpeg accepts.
bool ReadJpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

// Decodes the whole image at the given scale into opaque BGRA pixels. Grayscale, RGB, YCbCr, CMYK and YCCK
// images are converted to colour. False for anything libjpeg rejects, for data that ends before the image does, or
// when the decoded size passes PixelBuffer::kMaxPixels.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, JpegScale scale, PixelBuffer& pixels);

// Encoded JPEG bytes, allocated by libjpeg's memory destination and freed with it.
class JpegBytes {
public:
    JpegBytes() = default;
    ~JpegBytes();
    JpegBytes(const JpegBytes&) = delete;
    JpegBytes& operator=(const JpegBytes&) = delete;

    const std::uint8_t* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    friend bool EncodeJpeg(const PixelBuffer&, int, JpegBytes&, const std::vector<std::uint8_t>&);
    unsigned char* m_data = nullptr;
    unsigned long m_size = 0;
};

// Encodes the pixels (alpha ignored) as a baseline JPEG: libjpeg's standard tables scaled by quality (values
// below 1 give its lowest quality, 1), 4:2:0 chroma, the accurate integer DCT and optimised Huffman tables. A
// non-empty exif (an APP1 payload of at most 65533 bytes) is written as the first segment, in place of JFIF's.
bool EncodeJpeg(const PixelBuffer& pixels, int quality, JpegBytes& bytes,
                const std::vector<std::uint8_t>& exif = {});
