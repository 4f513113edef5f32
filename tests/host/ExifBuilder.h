// Builds EXIF APP1 payloads and small JPEG marker layouts byte by byte, for the EXIF reader's tests and for the
// photos the Wine tests generate.
#pragma once

#include "photo/TiffWriter.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace exiftest {

using Bytes = std::vector<std::uint8_t>;

// What goes into a built EXIF block.
struct ExifSpec {
    bool bigEndian = false;
    int orientation = 0;  // 0: no orientation entry
    Bytes thumbnail;      // empty: no IFD1
};

class TiffWriter {
public:
    explicit TiffWriter(bool bigEndian) : m_bigEndian(bigEndian) {}
    void U16(std::uint32_t v)
    {
        if (m_bigEndian) {
            Put(v >> 8);
            Put(v);
        } else {
            Put(v);
            Put(v >> 8);
        }
    }
    void U32(std::uint32_t v)
    {
        if (m_bigEndian) {
            U16(v >> 16);
            U16(v & 0xFFFF);
        } else {
            U16(v & 0xFFFF);
            U16(v >> 16);
        }
    }
    // An IFD entry with a value held inline.
    void Entry(std::uint16_t tag, std::uint16_t type, std::uint32_t value)
    {
        U16(tag);
        U16(type);
        U32(1);
        if (type == 3) {
            U16(value);
            U16(0);
        } else {
            U32(value);
        }
    }
    void Append(const Bytes& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    Bytes& Get() { return m_bytes; }

private:
    void Put(std::uint32_t v) { m_bytes.push_back(std::uint8_t(v)); }
    bool m_bigEndian;
    Bytes m_bytes;
};

// Offsets inside the TIFF block of what BuildExif writes.
constexpr std::uint32_t kIfd0 = 8;

// An APP1 payload: "Exif\0\0", the TIFF header, IFD0 (orientation), IFD1 (thumbnail offset and length), thumbnail.
inline Bytes BuildExif(const ExifSpec& layout)
{
    TiffWriter tiff(layout.bigEndian);
    tiff.Append(layout.bigEndian ? Bytes{'M', 'M'} : Bytes{'I', 'I'});
    tiff.U16(42);
    tiff.U32(kIfd0);
    const std::uint16_t ifd0Count = layout.orientation ? 1 : 0;
    const std::uint32_t ifd1 = kIfd0 + 2 + 12 * ifd0Count + 4;
    tiff.U16(ifd0Count);
    if (layout.orientation) tiff.Entry(0x0112, 3, std::uint32_t(layout.orientation));
    tiff.U32(layout.thumbnail.empty() ? 0 : ifd1);
    if (!layout.thumbnail.empty()) {
        const std::uint32_t data = ifd1 + 2 + 3 * 12 + 4;
        tiff.U16(3);
        tiff.Entry(0x0103, 3, 6);  // compression: JPEG
        tiff.Entry(0x0201, 4, data);
        tiff.Entry(0x0202, 4, std::uint32_t(layout.thumbnail.size()));
        tiff.U32(0);
        tiff.Append(layout.thumbnail);
    }
    const Bytes& body = tiff.Get();
    Bytes payload(6 + body.size());
    const std::uint8_t signature[] = {'E', 'x', 'i', 'f', 0, 0};
    std::copy(std::begin(signature), std::end(signature), payload.begin());
    std::copy(body.begin(), body.end(), payload.begin() + 6);
    return payload;
}

// A little-endian APP1 payload laid out as cameras write it: IFD0 (the given tags, then pointers to the EXIF and
// GPS IFDs), the EXIF IFD, the GPS IFD, and IFD1 with a JPEG thumbnail.
inline Bytes BuildCameraExif(IfdWriter ifd0, const IfdWriter& exif, const IfdWriter& gps, const Bytes& thumbnail)
{
    constexpr std::uint32_t kIfd1Size = 2 + 3 * 12 + 4;
    const std::uint32_t exifAt = kIfd0 + ifd0.Size() + 2 * 12;
    const std::uint32_t gpsAt = exifAt + exif.Size();
    const std::uint32_t ifd1At = gpsAt + gps.Size();
    ifd0.Long(0x8769, exifAt);
    ifd0.Long(0x8825, gpsAt);
    IfdWriter ifd1;
    ifd1.Short(0x0103, 6);  // compression: JPEG
    ifd1.Long(0x0201, ifd1At + kIfd1Size);
    ifd1.Long(0x0202, std::uint32_t(thumbnail.size()));
    Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
    Bytes tiff = {'I', 'I', 42, 0, kIfd0, 0, 0, 0};
    ifd0.Write(tiff, ifd1At);
    exif.Write(tiff, 0);
    gps.Write(tiff, 0);
    ifd1.Write(tiff, 0);
    tiff.insert(tiff.end(), thumbnail.begin(), thumbnail.end());
    payload.insert(payload.end(), tiff.begin(), tiff.end());
    return payload;
}

// A marker segment: FF, marker, big-endian length (payload + 2), payload.
inline Bytes Segment(std::uint8_t marker, const Bytes& payload)
{
    const std::size_t length = payload.size() + 2;
    Bytes bytes = {0xFF, marker, std::uint8_t(length >> 8), std::uint8_t(length)};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

// A baseline frame header of the given size with three components.
inline Bytes FramePayload(int width, int height)
{
    return {8, std::uint8_t(height >> 8), std::uint8_t(height), std::uint8_t(width >> 8), std::uint8_t(width), 3,
            1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
}

// Inserts an APP1 segment with payload right after the SOI of a JPEG file.
inline Bytes InsertApp1(const Bytes& jpeg, const Bytes& payload)
{
    Bytes out(jpeg.begin(), jpeg.begin() + 2);
    const Bytes segment = Segment(0xE1, payload);
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

} // namespace exiftest
