#include "photo/Exif.h"

#include "photo/TiffReader.h"
#include "photo/TiffWriter.h"

#include <cstring>
#include <iterator>
#include <utility>

namespace {

constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kTagMake = 0x010F;
constexpr std::uint16_t kTagModel = 0x0110;
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagXResolution = 0x011A;
constexpr std::uint16_t kTagYResolution = 0x011B;
constexpr std::uint16_t kTagResolutionUnit = 0x0128;
constexpr std::uint16_t kTagSoftware = 0x0131;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;
constexpr std::uint16_t kTagYCbCrPositioning = 0x0213;
constexpr std::uint16_t kTagExposureTime = 0x829A;
constexpr std::uint16_t kTagFNumber = 0x829D;
constexpr std::uint16_t kTagExifIfd = 0x8769;
constexpr std::uint16_t kTagIso = 0x8827;
constexpr std::uint16_t kTagExifVersion = 0x9000;
constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
constexpr std::uint16_t kTagDateTimeDigitized = 0x9004;
constexpr std::uint16_t kTagOffsetOriginal = 0x9011;
constexpr std::uint16_t kTagOffsetDigitized = 0x9012;
constexpr std::uint16_t kTagComponents = 0x9101;
constexpr std::uint16_t kTagFocalLength = 0x920A;
constexpr std::uint16_t kTagSubSecOriginal = 0x9291;
constexpr std::uint16_t kTagSubSecDigitized = 0x9292;
constexpr std::uint16_t kTagFlashpixVersion = 0xA000;
constexpr std::uint16_t kTagColorSpace = 0xA001;
constexpr std::uint16_t kTagPixelWidth = 0xA002;
constexpr std::uint16_t kTagPixelHeight = 0xA003;
constexpr std::size_t kMaxNameLength = 64;

// Patterns of the texts kept: d a digit, s a sign, anything else itself.
constexpr char kDatePattern[] = "dddd:dd:dd dd:dd:dd";
constexpr char kOffsetPattern[] = "sdd:dd";

bool IsPrintable(const std::string& text)
{
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

bool Matches(const std::string& text, const char* pattern)
{
    if (text.size() != std::strlen(pattern)) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool fits = pattern[i] == 'd'   ? c >= '0' && c <= '9'
                          : pattern[i] == 's' ? c == '+' || c == '-'
                                              : c == pattern[i];
        if (!fits) return false;
    }
    return true;
}

// Reads an ASCII entry into text when it reads whole and passes the form check.
template <class Check>
void ReadText(const TiffReader& reader, std::size_t entry, std::string& text, Check&& check)
{
    std::string value;
    if (reader.Ascii(entry, value) && check(value)) text = std::move(value);
}

void ReadName(const TiffReader& reader, std::size_t entry, std::string& text)
{
    ReadText(reader, entry, text,
             [](const std::string& value) { return value.size() <= kMaxNameLength && IsPrintable(value); });
}

void ReadPattern(const TiffReader& reader, std::size_t entry, std::string& text, const char* pattern)
{
    ReadText(reader, entry, text, [&](const std::string& value) { return Matches(value, pattern); });
}

void ReadSubSeconds(const TiffReader& reader, std::size_t entry, std::string& text)
{
    ReadText(reader, entry, text, [](const std::string& value) {
        return !value.empty() && value.size() <= 9 &&
               value.find_first_not_of("0123456789") == std::string::npos;
    });
}

void ReadRational(const TiffReader& reader, std::size_t entry, ExifRational& value)
{
    ExifRational read;
    if (reader.Rational(entry, read.numerator, read.denominator)) value = read;
}

// The capture facts of the EXIF sub-IFD.
void ReadCapture(const TiffReader& reader, std::size_t entries, std::uint16_t count, ExifCapture& capture)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = entries + i * TiffReader::kEntrySize;
        std::uint16_t tag = 0;
        std::uint32_t number = 0;
        if (!reader.U16(entry, tag)) break;
        switch (tag) {
        case kTagExposureTime: ReadRational(reader, entry, capture.exposureTime); break;
        case kTagFNumber: ReadRational(reader, entry, capture.fNumber); break;
        case kTagFocalLength: ReadRational(reader, entry, capture.focalLength); break;
        case kTagIso:
            if (reader.Number(entry, 0, number)) capture.iso = number;
            break;
        case kTagDateTimeOriginal: ReadPattern(reader, entry, capture.dateTimeOriginal, kDatePattern); break;
        case kTagDateTimeDigitized: ReadPattern(reader, entry, capture.dateTimeDigitized, kDatePattern); break;
        case kTagOffsetOriginal: ReadPattern(reader, entry, capture.offsetOriginal, kOffsetPattern); break;
        case kTagOffsetDigitized: ReadPattern(reader, entry, capture.offsetDigitized, kOffsetPattern); break;
        case kTagSubSecOriginal: ReadSubSeconds(reader, entry, capture.subSecOriginal); break;
        case kTagSubSecDigitized: ReadSubSeconds(reader, entry, capture.subSecDigitized); break;
        }
    }
}

bool IsFrameMarker(std::uint8_t marker)
{
    // SOF0..SOF15, less DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandaloneMarker(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

void PutRational(IfdWriter& ifd, std::uint16_t tag, ExifRational rational)
{
    if (rational.IsPresent()) ifd.Rational(tag, rational.numerator, rational.denominator);
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
    facts.present = true;
    std::uint32_t exifIfd = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = entries + i * TiffReader::kEntrySize;
        std::uint16_t tag = 0;
        std::uint32_t value = 0;
        if (!reader.U16(entry, tag)) break;
        switch (tag) {
        case kTagOrientation:
            if (reader.InlineNumber(entry, value) && value >= 1 && value <= 8) facts.orientation = int(value);
            break;
        case kTagMake: ReadName(reader, entry, facts.capture.make); break;
        case kTagModel: ReadName(reader, entry, facts.capture.model); break;
        case kTagSoftware: ReadName(reader, entry, facts.software); break;
        case kTagExifIfd: reader.InlineNumber(entry, exifIfd); break;
        }
    }
    std::size_t exifEntries = 0;
    std::uint16_t exifCount = 0;
    if (exifIfd != 0 && exifIfd != ifd0 && reader.Ifd(exifIfd, exifEntries, exifCount)) {
        ReadCapture(reader, exifEntries, exifCount, facts.capture);
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

std::vector<std::uint8_t> BuildCopyExif(const ExifFacts& photo, const std::string& software, int width, int height)
{
    const ExifCapture& capture = photo.capture;
    IfdWriter ifd0;
    IfdWriter exif;
    ifd0.Ascii(kTagSoftware, software);
    if (photo.present) {
        ifd0.Ascii(kTagMake, capture.make);
        ifd0.Ascii(kTagModel, capture.model);
        ifd0.Short(kTagOrientation, 1);
        PutRational(exif, kTagExposureTime, capture.exposureTime);
        PutRational(exif, kTagFNumber, capture.fNumber);
        if (capture.iso) exif.Short(kTagIso, capture.iso);
        exif.Ascii(kTagDateTimeOriginal, capture.dateTimeOriginal);
        exif.Ascii(kTagDateTimeDigitized, capture.dateTimeDigitized);
        exif.Ascii(kTagOffsetOriginal, capture.offsetOriginal);
        exif.Ascii(kTagOffsetDigitized, capture.offsetDigitized);
        PutRational(exif, kTagFocalLength, capture.focalLength);
        exif.Ascii(kTagSubSecOriginal, capture.subSecOriginal);
        exif.Ascii(kTagSubSecDigitized, capture.subSecDigitized);
        // The tags the EXIF standard requires of a JPEG file, describing the copy itself: 72 dpi, centred chroma,
        // Y Cb Cr components, sRGB, its pixel size, version 2.31 (the one with time offsets).
        ifd0.Rational(kTagXResolution, 72, 1);
        ifd0.Rational(kTagYResolution, 72, 1);
        ifd0.Short(kTagResolutionUnit, 2);
        ifd0.Short(kTagYCbCrPositioning, 1);
        exif.Undefined(kTagExifVersion, {'0', '2', '3', '1'});
        exif.Undefined(kTagComponents, {1, 2, 3, 0});
        exif.Undefined(kTagFlashpixVersion, {'0', '1', '0', '0'});
        exif.Short(kTagColorSpace, 1);
        exif.Long(kTagPixelWidth, std::uint32_t(width));
        exif.Long(kTagPixelHeight, std::uint32_t(height));
        // The EXIF IFD follows IFD0, which grows by the pointer's own entry.
        ifd0.Long(kTagExifIfd, std::uint32_t(TiffReader::kHeaderSize + TiffReader::kEntrySize) + ifd0.Size());
    }

    std::vector<std::uint8_t> block(std::begin(kExifSignature), std::end(kExifSignature));
    std::vector<std::uint8_t> tiff = {'I', 'I', 42, 0, std::uint8_t(TiffReader::kHeaderSize), 0, 0, 0};
    ifd0.Write(tiff, 0);
    if (!exif.IsEmpty()) exif.Write(tiff, 0);
    block.insert(block.end(), tiff.begin(), tiff.end());
    return block;
}
