#include "photo/Exif.h"

#include <cstring>

namespace {

constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::size_t kTiffHeaderSize = 8;
constexpr std::size_t kIfdEntrySize = 12;
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;

// The TIFF block inside an EXIF segment, read with its own byte order; every read checks its range first.
class TiffReader {
public:
    TiffReader(const std::uint8_t* data, std::size_t size, bool bigEndian)
        : m_data(data), m_size(size), m_bigEndian(bigEndian)
    {
    }

    std::size_t Size() const { return m_size; }

    bool Fits(std::size_t offset, std::size_t length) const { return offset <= m_size && length <= m_size - offset; }

    bool U16(std::size_t offset, std::uint16_t& value) const
    {
        if (!Fits(offset, 2)) return false;
        const std::uint8_t* p = m_data + offset;
        value = m_bigEndian ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[1] << 8 | p[0]);
        return true;
    }

    bool U32(std::size_t offset, std::uint32_t& value) const
    {
        if (!Fits(offset, 4)) return false;
        const std::uint8_t* p = m_data + offset;
        value = m_bigEndian ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]
                            : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
        return true;
    }

    // A SHORT or LONG value held inline in an IFD entry (count 1).
    bool InlineNumber(std::size_t entry, std::uint32_t& value) const
    {
        std::uint16_t type = 0;
        std::uint32_t count = 0;
        if (!U16(entry + 2, type) || !U32(entry + 4, count) || count != 1) return false;
        if (type == kTypeShort) {
            std::uint16_t shortValue = 0;
            if (!U16(entry + 8, shortValue)) return false;
            value = shortValue;
            return true;
        }
        return type == kTypeLong && U32(entry + 8, value);
    }

    // Offset of the IFD's entries and their count, when the whole table lies inside the block.
    bool Ifd(std::uint32_t offset, std::size_t& entries, std::uint16_t& count) const
    {
        if (offset < kTiffHeaderSize || !U16(offset, count)) return false;
        entries = std::size_t(offset) + 2;
        return Fits(entries, std::size_t(count) * kIfdEntrySize);
    }

    // Offset of the next IFD named after the table; 0 when there is none or it cannot be read.
    std::uint32_t NextIfd(std::size_t entries, std::uint16_t count) const
    {
        std::uint32_t next = 0;
        return U32(entries + std::size_t(count) * kIfdEntrySize, next) ? next : 0;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    bool m_bigEndian;
};

bool IsFrameMarker(std::uint8_t marker)
{
    // SOF0..SOF15, less DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandaloneMarker(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

ExifFacts ReadExif(const std::uint8_t* payload, std::size_t size, std::size_t base)
{
    ExifFacts facts;
    if (size < sizeof(kExifSignature) + kTiffHeaderSize ||
        std::memcmp(payload, kExifSignature, sizeof(kExifSignature)) != 0) {
        return facts;
    }
    const std::uint8_t* tiff = payload + sizeof(kExifSignature);
    const std::size_t tiffSize = size - sizeof(kExifSignature);
    bool bigEndian = false;
    if (tiff[0] == 'M' && tiff[1] == 'M') {
        bigEndian = true;
    } else if (tiff[0] != 'I' || tiff[1] != 'I') {
        return facts;
    }
    const TiffReader reader(tiff, tiffSize, bigEndian);
    std::uint16_t magic = 0;
    std::uint32_t ifd0 = 0;
    if (!reader.U16(2, magic) || magic != 42 || !reader.U32(4, ifd0)) return facts;

    std::size_t entries = 0;
    std::uint16_t count = 0;
    if (!reader.Ifd(ifd0, entries, count)) return facts;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = entries + i * kIfdEntrySize;
        std::uint16_t tag = 0;
        std::uint32_t value = 0;
        if (reader.U16(entry, tag) && tag == kTagOrientation && reader.InlineNumber(entry, value) && value >= 1 &&
            value <= 8) {
            facts.orientation = int(value);
        }
    }

    // IFD1 holds the thumbnail; a chain that points back at IFD0 is a loop and is not followed.
    const std::uint32_t ifd1 = reader.NextIfd(entries, count);
    if (ifd1 == 0 || ifd1 == ifd0 || !reader.Ifd(ifd1, entries, count)) return facts;
    std::uint32_t thumbOffset = 0;
    std::uint32_t thumbLength = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = entries + i * kIfdEntrySize;
        std::uint16_t tag = 0;
        if (!reader.U16(entry, tag)) break;
        if (tag == kTagThumbnailOffset) reader.InlineNumber(entry, thumbOffset);
        if (tag == kTagThumbnailLength) reader.InlineNumber(entry, thumbLength);
    }
    // Only a thumbnail that lies wholly inside the block and starts like a JPEG is offered.
    if (thumbLength >= 4 && thumbOffset >= kTiffHeaderSize && reader.Fits(thumbOffset, thumbLength) &&
        tiff[thumbOffset] == 0xFF && tiff[thumbOffset + 1] == 0xD8) {
        facts.thumbnailOffset = base + sizeof(kExifSignature) + thumbOffset;
        facts.thumbnailLength = thumbLength;
    }
    return facts;
}

JpegLayout ReadJpegLayout(const std::uint8_t* data, std::size_t size)
{
    JpegLayout layout;
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) return layout;
    layout.isJpeg = true;
    bool exifSeen = false;
    std::size_t pos = 2;
    while (pos < size) {
        if (data[pos] != 0xFF) break;  // not a marker where one must be: the layout ends here
        while (pos < size && data[pos] == 0xFF) ++pos;  // fill bytes
        if (pos >= size) break;
        const std::uint8_t marker = data[pos++];
        if (IsStandaloneMarker(marker)) continue;
        if (marker == 0xD9 || marker == 0xDA) break;  // EOI, or SOS: the scan data follows
        // FF 00 is stray data, not a marker: libjpeg skips it, so a length read after it may hide the frame
        // libjpeg decodes behind one it never sees.
        if (marker == 0x00) break;
        if (size - pos < 2) break;
        const std::size_t length = std::size_t(data[pos]) << 8 | data[pos + 1];
        if (length < 2 || length > size - pos) break;  // damaged, or past the bytes read
        const std::uint8_t* payload = data + pos + 2;
        const std::size_t payloadSize = length - 2;
        if (IsFrameMarker(marker) && !layout.hasFrame && payloadSize >= 6) {
            layout.height = payload[1] << 8 | payload[2];
            layout.width = payload[3] << 8 | payload[4];
            layout.components = payload[5];
            layout.hasFrame = true;
        } else if (marker == 0xE1 && !exifSeen && payloadSize >= sizeof(kExifSignature) &&
                   std::memcmp(payload, kExifSignature, sizeof(kExifSignature)) == 0) {
            layout.exif = ReadExif(payload, payloadSize, pos + 2);
            exifSeen = true;
        }
        pos += length;
    }
    return layout;
}
