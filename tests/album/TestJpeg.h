// The test photos' JPEG writer: every colour space and coding mode the pipeline must read. Free of <windows.h>, so
// the writer's source can include libjpeg's headers.
#pragma once

#include "photo/PixelBuffer.h"

#include <cstdint>
#include <vector>

namespace phototest {

using Bytes = std::vector<std::uint8_t>;

enum class JpegKind {
    Color,         // baseline YCbCr 4:2:0
    Progressive,
    Gray,
    Cmyk,          // plain ink amounts, no Adobe marker
    CmykAdobe,     // inverted, with the Adobe marker, as Photoshop writes it
    YcckAdobe,
    Restart,       // restart marker every row of MCUs
};

// Encodes pixels as the given kind of JPEG at quality.
Bytes EncodeTestJpeg(const PixelBuffer& pixels, JpegKind kind = JpegKind::Color, int quality = 90);

} // namespace phototest
