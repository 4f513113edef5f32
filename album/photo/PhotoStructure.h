// Cheap completeness checks of the image formats GDI+ decodes, for the files it would otherwise decode "successfully"
// with their missing part left blank. Pure C++, no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>

// False when the bytes are a PNG, GIF, BMP or TIFF file cut short: a PNG without its IEND chunk, a GIF without its
// trailer, a BMP shorter than its pixel array, a TIFF whose first image's strips or tiles pass the end. True for
// complete files and for anything else (whose decoding decides).
bool IsStructureComplete(const std::uint8_t* data, std::size_t size);
