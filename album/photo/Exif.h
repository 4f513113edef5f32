// Reading of a JPEG's marker segments up to its scan data: the frame size and, from an EXIF APP1 segment, the
// orientation and the embedded JPEG thumbnail. Every read is bounds-checked against the given bytes, which may be
// only the first part of a file. Pure C++ (no platform calls), so the host build runs it under the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>

// The EXIF facts the photo pipeline uses; offsets count from the start of the bytes that were read.
struct ExifFacts {
    int orientation = 1;              // EXIF orientation 1..8; 1 when absent or out of range
    std::size_t thumbnailOffset = 0;  // embedded JPEG thumbnail (IFD1), when thumbnailLength > 0
    std::size_t thumbnailLength = 0;
};

// What the segments before a JPEG's first scan tell.
struct JpegLayout {
    bool isJpeg = false;    // the bytes start with the SOI marker
    bool hasFrame = false;  // a start-of-frame segment was read whole
    int width = 0;          // stored size from the frame header
    int height = 0;
    int components = 0;
    ExifFacts exif;
};

// Walks the markers from SOI to the first SOS, EOI or the end of the bytes, and reads the first EXIF APP1 segment.
JpegLayout ReadJpegLayout(const std::uint8_t* data, std::size_t size);

// Reads an APP1 payload that starts with "Exif\0\0"; base is the payload's offset within the caller's bytes and
// is added to the thumbnail offset. Damaged or missing parts leave the defaults.
ExifFacts ReadExif(const std::uint8_t* payload, std::size_t size, std::size_t base);
