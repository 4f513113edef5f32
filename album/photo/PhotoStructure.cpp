#include "photo/PhotoStructure.h"

#include "photo/TiffReader.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* prefix, std::size_t length)
{
    return size >= length && std::memcmp(data, prefix, length) == 0;
}

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint32_t LittleEndian32(const std::uint8_t* p)
{
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

std::uint16_t LittleEndian16(const std::uint8_t* p) { return std::uint16_t(p[1] << 8 | p[0]); }

// Chunks (length, type, data, CRC) from the signature to IEND.
bool PngComplete(const std::uint8_t* data, std::size_t size)
{
    std::size_t pos = sizeof(kPngSignature);
    while (size - pos >= 12) {
        const std::uint64_t length = BigEndian32(data + pos);
        if (length > size - pos - 12) return false;
        if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return true;
        pos += 12 + std::size_t(length);
    }
    return false;
}

// Skips a chain of data sub-blocks (a length byte, that many bytes) up to its empty block.
bool SkipSubBlocks(const std::uint8_t* data, std::size_t size, std::size_t& pos)
{
    while (pos < size) {
        const std::size_t length = data[pos++];
        if (length == 0) return true;
        if (length > size - pos) return false;
        pos += length;
    }
    return false;
}

// Header, screen descriptor and colour table, then extensions and images up to the trailer (0x3B).
bool GifComplete(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kScreenEnd = 13;
    constexpr std::size_t kImageDescriptor = 9;
    const auto colourTable = [](std::uint8_t flags) { return flags & 0x80 ? std::size_t(3) << ((flags & 7) + 1) : 0; };
    if (size < kScreenEnd) return false;
    std::size_t pos = kScreenEnd + colourTable(data[10]);
    while (pos < size) {
        const std::uint8_t block = data[pos++];
        if (block == 0x3B) return true;
        if (block == 0x21) {
            if (pos >= size) return false;
            ++pos;  // the extension's label
        } else if (block == 0x2C) {
            if (size - pos < kImageDescriptor + 1) return false;
            pos += kImageDescriptor + colourTable(data[pos + kImageDescriptor - 1]) + 1;  // + LZW code size
            if (pos > size) return false;
        } else {
            return false;
        }
        if (!SkipSubBlocks(data, size, pos)) return false;
    }
    return false;
}

// The pixel array starts at the file header's offset and holds rows padded to 4 bytes; compressed data states its
// own size.
bool BmpComplete(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kCoreHeader = 12;
    constexpr std::size_t kInfoHeader = 40;
    if (size < kFileHeader + 4) return false;
    const std::uint64_t pixelsAt = LittleEndian32(data + 10);
    const std::size_t header = LittleEndian32(data + kFileHeader);
    std::uint64_t width = 0, height = 0, bits = 0, compression = 0, stated = 0;
    if (header == kCoreHeader) {
        if (size < kFileHeader + kCoreHeader) return false;
        width = LittleEndian16(data + 18);
        height = LittleEndian16(data + 20);
        bits = LittleEndian16(data + 24);
    } else {
        if (header < kInfoHeader || size < kFileHeader + kInfoHeader) return false;
        width = std::uint64_t(std::llabs(std::int32_t(LittleEndian32(data + 18))));
        height = std::uint64_t(std::llabs(std::int32_t(LittleEndian32(data + 22))));
        bits = LittleEndian16(data + 28);
        compression = LittleEndian32(data + 30);
        stated = LittleEndian32(data + 34);
    }
    // BI_RGB, BI_BITFIELDS and BI_ALPHABITFIELDS store plain rows.
    const bool plain = compression == 0 || compression == 3 || compression == 6;
    const std::uint64_t pixels = plain ? (width * bits + 31) / 32 * 4 * height : stated;
    return pixelsAt <= size && pixels <= size - pixelsAt;
}

// Every strip (or tile) of the first image lies inside the file.
bool TiffComplete(const std::uint8_t* data, std::size_t size)
{
    constexpr std::uint16_t kStripOffsets = 273, kStripByteCounts = 279, kTileOffsets = 324, kTileByteCounts = 325;
    TiffReader reader;
    std::uint32_t ifd0 = 0;
    std::size_t entries = 0;
    std::uint16_t count = 0;
    if (!TiffReader::Open(data, size, reader, ifd0) || !reader.Ifd(ifd0, entries, count)) return false;
    std::size_t offsets = 0, lengths = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = entries + i * TiffReader::kEntrySize;
        std::uint16_t tag = 0;
        reader.U16(entry, tag);
        if (tag == kStripOffsets || tag == kTileOffsets) offsets = entry;
        if (tag == kStripByteCounts || tag == kTileByteCounts) lengths = entry;
    }
    if (!offsets || !lengths) return false;
    std::uint32_t pieces = 0;
    if (!reader.U32(offsets + 4, pieces)) return false;
    for (std::uint32_t i = 0; i < pieces; ++i) {
        std::uint32_t offset = 0, length = 0;
        if (!reader.Number(offsets, i, offset) || !reader.Number(lengths, i, length) || !reader.Fits(offset, length)) {
            return false;
        }
    }
    return pieces > 0;
}

} // namespace

bool IsStructureComplete(const std::uint8_t* data, std::size_t size)
{
    if (StartsWith(data, size, reinterpret_cast<const char*>(kPngSignature), sizeof(kPngSignature))) {
        return PngComplete(data, size);
    }
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6)) return GifComplete(data, size);
    if (StartsWith(data, size, "BM", 2)) return BmpComplete(data, size);
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4)) return TiffComplete(data, size);
    return true;
}
