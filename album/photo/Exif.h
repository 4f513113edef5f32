// Reading of a JPEG's marker segments up to its scan data: the frame size and, from an EXIF APP1 segment, the
// orientation, the embedded JPEG thumbnail and the capture facts a copy keeps; and the writing of a copy's EXIF
// block from those facts alone. Every read is bounds-checked against the given bytes, which may be only the first
// part of a file. Pure C++ (no platform calls), so the host build runs it under the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An unsigned EXIF rational; absent while its denominator is 0.
struct ExifRational {
    std::uint32_t numerator = 0;
    std::uint32_t denominator = 0;

    bool IsPresent() const { return denominator != 0; }
};

// When and with what a photo was taken. Texts are empty when absent or not of their tag's form.
struct ExifCapture {
    std::string make;               // printable ASCII, at most 64 characters
    std::string model;
    std::string dateTimeOriginal;   // "YYYY:MM:DD HH:MM:SS"
    std::string dateTimeDigitized;
    std::string subSecOriginal;     // digits
    std::string subSecDigitized;
    std::string offsetOriginal;     // "+HH:MM" or "-HH:MM"
    std::string offsetDigitized;
    ExifRational exposureTime;      // seconds
    ExifRational fNumber;
    ExifRational focalLength;       // millimetres
    std::uint32_t iso = 0;          // 0 when absent
};

// The EXIF facts the photo pipeline uses; offsets count from the start of the bytes that were read.
struct ExifFacts {
    bool present = false;             // an EXIF block with a readable first IFD was found
    int orientation = 1;              // EXIF orientation 1..8; 1 when absent or out of range
    std::size_t thumbnailOffset = 0;  // embedded JPEG thumbnail (IFD1), when thumbnailLength > 0
    std::size_t thumbnailLength = 0;
    std::string software;             // the program that wrote the file, printable ASCII
    ExifCapture capture;
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

// The APP1 payload of a width x height copy: "Exif\0\0" and a little-endian TIFF block holding the software tag and,
// for a photo that had EXIF, its capture facts, orientation 1 (the copy's pixels are upright) and the tags the
// standard requires. Nothing else of the photo's block (GPS position, maker notes, thumbnail, unknown tags) is
// carried over, and no byte of it is copied: every value is written anew from the parsed facts.
std::vector<std::uint8_t> BuildCopyExif(const ExifFacts& photo, const std::string& software, int width, int height);
