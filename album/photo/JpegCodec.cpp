#include "photo/JpegCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared first; it is kept away from <windows.h>, whose own `boolean` differs.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Ceiling on libjpeg's own working memory (a progressive image holds all its coefficients): beyond it libjpeg fails
// with an error result instead of exhausting a 32-bit address space.
constexpr long kMaxLibjpegMemory = 400L * 1024 * 1024;
constexpr int kRowsPerCall = 16;
// Largest payload of a marker segment (its length field counts itself).
constexpr std::size_t kMaxSegmentPayload = 65533;

// libjpeg's error manager with the jump target of the guard function running the current call.
struct ErrorTrap {
    jpeg_error_mgr manager;  // first member: libjpeg hands back a pointer to it
    void* jump[5];           // __builtin_setjmp buffer
    bool truncated;          // the data ended before the image did
};

[[noreturn]] void OnError(j_common_ptr info)
{
    // GCC's builtin jump restores only the guard's frame; the frames it leaves are libjpeg's C frames, which own
    // nothing that needs unwinding (their memory belongs to the libjpeg object and is freed on destroy).
    __builtin_longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// Warnings are not written to stderr. A premature end is remembered: libjpeg then pads the image with grey and
// carries on, which would pass a cut-off file (an interrupted card copy) off as a whole photo. Other warnings
// (stray bytes between segments, a damaged stretch of data) leave a complete image and are let through.
void OnEmitMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) reinterpret_cast<ErrorTrap*>(info->err)->truncated = true;
}

void InitTrap(ErrorTrap& trap)
{
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnError;
    trap.manager.emit_message = OnEmitMessage;
}

// The guard functions: each arms the trap, makes libjpeg calls and returns false when one of them failed. They hold
// no C++ objects, so the jump back skips no destructor.
__attribute__((noinline)) bool GuardCreate(jpeg_decompress_struct* info)
{
    if (__builtin_setjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump)) return false;
    jpeg_create_decompress(info);
    return true;
}

__attribute__((noinline)) bool GuardCreate(jpeg_compress_struct* info)
{
    if (__builtin_setjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump)) return false;
    jpeg_create_compress(info);
    return true;
}

__attribute__((noinline)) bool GuardReadHeader(jpeg_decompress_struct* info, const std::uint8_t* data,
                                               std::size_t size)
{
    if (__builtin_setjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump)) return false;
    info->mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_mem_src(info, data, static_cast<unsigned long>(size));
    return jpeg_read_header(info, TRUE) == JPEG_HEADER_OK;
}

__attribute__((noinline)) bool GuardCalcOutput(jpeg_decompress_struct* info)
{
    if (__builtin_setjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump)) return false;
    jpeg_calc_output_dimensions(info);
    return true;
}

__attribute__((noinline)) bool GuardDecompress(jpeg_decompress_struct* info, std::uint8_t* pixels,
                                               std::size_t stride)
{
    if (__builtin_setjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump)) return false;
    jpeg_start_decompress(info);
    JSAMPROW rows[kRowsPerCall];
    while (info->output_scanline < info->output_height) {
        const JDIMENSION first = info->output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowsPerCall, info->output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) rows[i] = pixels + (first + i) * stride;
        jpeg_read_scanlines(info, rows, count);
    }
    return true;
}

__attribute__((noinline)) bool GuardCompress(jpeg_compress_struct* info, const std::uint8_t* pixels,
                                             std::size_t stride, int quality, const std::uint8_t* exif,
                                             std::size_t exifSize, unsigned char** out, unsigned long* outSize)
{
    if (__builtin_setjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump)) return false;
    jpeg_mem_dest(info, out, outSize);
    jpeg_set_defaults(info);  // YCbCr with 2x2 luma sampling (4:2:0), JDCT_ISLOW
    jpeg_set_quality(info, quality, TRUE);
    info->optimize_coding = TRUE;
    info->dct_method = JDCT_ISLOW;
    // An EXIF file carries its APP1 segment right after the start marker, in place of the JFIF one.
    info->write_JFIF_header = exifSize == 0;
    jpeg_start_compress(info, TRUE);
    if (exifSize) jpeg_write_marker(info, JPEG_APP0 + 1, exif, unsigned(exifSize));
    JSAMPROW rows[kRowsPerCall];
    while (info->next_scanline < info->image_height) {
        const JDIMENSION first = info->next_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowsPerCall, info->image_height - first);
        for (JDIMENSION i = 0; i < count; ++i) rows[i] = const_cast<JSAMPROW>(pixels + (first + i) * stride);
        jpeg_write_scanlines(info, rows, count);
    }
    jpeg_finish_compress(info);
    return true;
}

// A libjpeg decompressor with its error trap; destroyed with the object.
class Decompressor {
public:
    Decompressor()
    {
        InitTrap(m_trap);
        m_info.err = &m_trap.manager;
        m_created = GuardCreate(&m_info);
    }
    ~Decompressor()
    {
        if (m_created) jpeg_destroy_decompress(&m_info);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    bool ReadHeader(const std::uint8_t* data, std::size_t size)
    {
        return m_created && size > 0 && GuardReadHeader(&m_info, data, size);
    }
    jpeg_decompress_struct& Info() { return m_info; }
    bool Truncated() const { return m_trap.truncated; }

private:
    ErrorTrap m_trap{};
    jpeg_decompress_struct m_info{};
    bool m_created = false;
};

class Compressor {
public:
    Compressor()
    {
        InitTrap(m_trap);
        m_info.err = &m_trap.manager;
        m_created = GuardCreate(&m_info);
    }
    ~Compressor()
    {
        if (m_created) jpeg_destroy_compress(&m_info);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    bool Created() const { return m_created; }
    jpeg_compress_struct& Info() { return m_info; }

private:
    ErrorTrap m_trap{};
    jpeg_compress_struct m_info{};
    bool m_created = false;
};

std::uint8_t Scale255(int a, int b) { return std::uint8_t((a * b + 127) / 255); }

// Turns CMYK samples into BGRA in place. Adobe's encoders (which mark their files with an APP14 segment) store
// CMYK inverted, 0 meaning full ink; without that marker the samples are plain ink amounts.
void CmykToBgra(PixelBuffer& pixels, bool inverted)
{
    for (int y = 0; y < pixels.Height(); ++y) {
        std::uint8_t* p = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x, p += 4) {
            int c = p[0], m = p[1], yellow = p[2], k = p[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                yellow = 255 - yellow;
                k = 255 - k;
            }
            // c, m, yellow, k now say how much light each leaves.
            p[0] = Scale255(yellow, k);
            p[1] = Scale255(m, k);
            p[2] = Scale255(c, k);
            p[3] = 0xFF;
        }
    }
}

} // namespace

JpegScale JpegScale::Covering(int storedWidth, int storedHeight, int width, int height)
{
    for (int num = 1; num < 8; ++num) {
        const JpegScale scale{num};
        if (scale.Scaled(storedWidth) >= width && scale.Scaled(storedHeight) >= height) return scale;
    }
    return JpegScale{8};
}

bool ReadJpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height)
{
    Decompressor decompressor;
    if (!decompressor.ReadHeader(data, size)) return false;
    width = int(decompressor.Info().image_width);
    height = int(decompressor.Info().image_height);
    return true;
}

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, JpegScale scale, PixelBuffer& pixels)
{
    pixels.SetEmpty();
    Decompressor decompressor;
    if (!decompressor.ReadHeader(data, size)) return false;
    jpeg_decompress_struct& info = decompressor.Info();
    bool cmyk = false;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        info.out_color_space = JCS_EXT_BGRA;
        break;
    case JCS_CMYK:
    case JCS_YCCK:  // libjpeg turns YCCK into CMYK
        info.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        return false;
    }
    info.scale_num = unsigned(std::clamp(scale.num, 1, 8));
    info.scale_denom = 8;
    info.dct_method = JDCT_ISLOW;
    if (!GuardCalcOutput(&info) || !pixels.Allocate(int(info.output_width), int(info.output_height), false)) {
        return false;
    }
    if (!GuardDecompress(&info, pixels.Data(), std::size_t(pixels.Stride())) || decompressor.Truncated() ||
        info.output_width != unsigned(pixels.Width()) || info.output_height != unsigned(pixels.Height())) {
        pixels.SetEmpty();
        return false;
    }
    if (cmyk) CmykToBgra(pixels, info.saw_Adobe_marker);
    return true;
}

JpegBytes::~JpegBytes() { std::free(m_data); }

bool EncodeJpeg(const PixelBuffer& pixels, int quality, JpegBytes& bytes, const std::vector<std::uint8_t>& exif)
{
    if (pixels.IsEmpty() || exif.size() > kMaxSegmentPayload) return false;
    Compressor compressor;
    if (!compressor.Created()) return false;
    jpeg_compress_struct& info = compressor.Info();
    info.image_width = JDIMENSION(pixels.Width());
    info.image_height = JDIMENSION(pixels.Height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    std::free(bytes.m_data);
    bytes.m_data = nullptr;
    bytes.m_size = 0;
    return GuardCompress(&info, pixels.Data(), std::size_t(pixels.Stride()), quality, exif.data(), exif.size(),
                         &bytes.m_data, &bytes.m_size);
}
