// The test photos' JPEG writer, straight on libjpeg so every colour space and coding mode can be made. Kept apart
// from <windows.h>, whose `boolean` differs from libjpeg's.
#include "album/TestJpeg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace phototest {

Bytes EncodeTestJpeg(const PixelBuffer& pixels, JpegKind kind, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = JDIMENSION(pixels.Width());
    info.image_height = JDIMENSION(pixels.Height());
    const bool inkKind = kind == JpegKind::Cmyk || kind == JpegKind::CmykAdobe || kind == JpegKind::YcckAdobe;
    const bool gray = kind == JpegKind::Gray;
    info.input_components = inkKind ? 4 : gray ? 1 : 3;
    info.in_color_space = inkKind ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (kind == JpegKind::YcckAdobe) jpeg_set_colorspace(&info, JCS_YCCK);
    if (kind == JpegKind::Cmyk) info.write_Adobe_marker = FALSE;
    if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
    if (kind == JpegKind::Restart) info.restart_in_rows = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(pixels.Width()) * 4);
    while (info.next_scanline < info.image_height) {
        const std::uint8_t* in = pixels.Row(int(info.next_scanline));
        for (int x = 0; x < pixels.Width(); ++x) {
            const int b = in[x * 4], g = in[x * 4 + 1], r = in[x * 4 + 2];
            if (inkKind) {
                // Ink amounts for the colour; Adobe files store them inverted.
                const int k = 255 - std::max({r, g, b});
                const int scale = 255 - k;
                const auto ink = [scale](int light) { return scale ? (scale - light) * 255 / scale : 0; };
                const int cmyk[4] = {ink(r), ink(g), ink(b), k};
                for (int c = 0; c < 4; ++c) {
                    row[std::size_t(x * 4 + c)] = JSAMPLE(kind == JpegKind::Cmyk ? cmyk[c] : 255 - cmyk[c]);
                }
            } else if (gray) {
                row[std::size_t(x)] = JSAMPLE((r * 299 + g * 587 + b * 114) / 1000);
            } else {
                row[std::size_t(x * 3)] = JSAMPLE(r);
                row[std::size_t(x * 3 + 1)] = JSAMPLE(g);
                row[std::size_t(x * 3 + 2)] = JSAMPLE(b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(out, out + outSize);
    std::free(out);
    jpeg_destroy_compress(&info);
    return bytes;
}

} // namespace phototest
