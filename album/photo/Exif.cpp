#include "photo/Exif.h"

#include "photo/TiffReader.h"

#include <cstring>

namespace {

constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;

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
    if (size < sizeof(kExifSignature) + TiffReader::kHeaderSize ||
        std::memcmp(payload, kExifSignature, sizeof(kExifSignature)) != 0) {
        return facts;
    }
    const std::uint8_t* tiff = payload + sizeof(kExifSignature);
    TiffReader reader;
    std::uint32_t ifd0 = 0;
    if (!TiffReader::Open(tiff, size - sizeof(kExifSignature), reader, ifd0)) return facts;

    std::size_t entries = 0;
    std::uint16_t count = 0;
    if (!reader.Ifd(ifd0, entries, count)) return facts;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = entries + i * TiffReader::kEntrySize;
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
        const std::size_t entry = entries + i * TiffReader::kEntrySize;
        std::uint16_t tag = 0;
        if (!reader.U16(entry, tag)) break;
        if (tag == kTagThumbnailOffset) reader.InlineNumber(entry, thumbOffset);
        if (tag == kTagThumbnailLength) reader.InlineNumber(entry, thumbLength);
    }
    // Only a thumbnail that lies wholly inside the block and starts like a JPEG is offered.
    if (thumbLength >= 4 && thumbOffset >= TiffReader::kHeaderSize && reader.Fits(thumbOffset, thumbLength) &&
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
