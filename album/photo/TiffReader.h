// Bounds-checked reading of a TIFF block (a TIFF file, or the block inside an EXIF segment) in its own byte order.
// Pure C++, no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TiffReader {
public:
    static constexpr std::size_t kHeaderSize = 8;
    static constexpr std::size_t kEntrySize = 12;
    static constexpr std::uint16_t kTypeAscii = 2;
    static constexpr std::uint16_t kTypeShort = 3;
    static constexpr std::uint16_t kTypeLong = 4;
    static constexpr std::uint16_t kTypeRational = 5;
    static constexpr std::uint16_t kTypeUndefined = 7;

    TiffReader() = default;
    TiffReader(const std::uint8_t* data, std::size_t size, bool bigEndian)
        : m_data(data), m_size(size), m_bigEndian(bigEndian)
    {
    }

    std::size_t Size() const { return m_size; }
    const std::uint8_t* Data() const { return m_data; }

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
        std::uint32_t count = 0;
        return U32(entry + 4, count) && count == 1 && Number(entry, 0, value);
    }

    // Item index of a SHORT or LONG entry, held inline or at the offset the entry names.
    bool Number(std::size_t entry, std::uint32_t index, std::uint32_t& value) const
    {
        std::uint16_t type = 0;
        std::uint32_t count = 0;
        if (!U16(entry + 2, type) || !U32(entry + 4, count) || index >= count) return false;
        if (type != kTypeShort && type != kTypeLong) return false;
        const std::size_t width = type == kTypeShort ? 2 : 4;
        std::size_t at = entry + 8;
        if (std::uint64_t(count) * width > 4) {
            std::uint32_t offset = 0;
            if (!U32(entry + 8, offset)) return false;
            at = offset;
        }
        at += std::size_t(index) * width;
        if (type == kTypeLong) return U32(at, value);
        std::uint16_t shortValue = 0;
        if (!U16(at, shortValue)) return false;
        value = shortValue;
        return true;
    }

    // The text of an ASCII entry up to its first NUL, held inline or at the offset the entry names.
    bool Ascii(std::size_t entry, std::string& text) const
    {
        std::size_t at = 0;
        std::uint32_t count = 0;
        if (!Values(entry, kTypeAscii, 1, at, count)) return false;
        const std::uint8_t* begin = m_data + at;
        const std::uint8_t* end = begin;
        while (end != begin + count && *end) ++end;
        text.assign(begin, end);
        return true;
    }

    // The first value of a RATIONAL entry.
    bool Rational(std::size_t entry, std::uint32_t& numerator, std::uint32_t& denominator) const
    {
        std::size_t at = 0;
        std::uint32_t count = 0;
        return Values(entry, kTypeRational, 8, at, count) && count >= 1 && U32(at, numerator) &&
               U32(at + 4, denominator);
    }

    // Offset of the IFD's entries and their count, when the whole table lies inside the block.
    bool Ifd(std::uint32_t offset, std::size_t& entries, std::uint16_t& count) const
    {
        if (offset < kHeaderSize || !U16(offset, count)) return false;
        entries = std::size_t(offset) + 2;
        return Fits(entries, std::size_t(count) * kEntrySize);
    }

    // Offset of the next IFD named after the table; 0 when there is none or it cannot be read.
    std::uint32_t NextIfd(std::size_t entries, std::uint16_t count) const
    {
        std::uint32_t next = 0;
        return U32(entries + std::size_t(count) * kEntrySize, next) ? next : 0;
    }

    // Reads a TIFF header ("II" or "MM", 42, the first IFD's offset) at the start of data.
    static bool Open(const std::uint8_t* data, std::size_t size, TiffReader& reader, std::uint32_t& ifd0)
    {
        if (size < kHeaderSize) return false;
        if (data[0] == 'M' && data[1] == 'M') {
            reader = TiffReader(data, size, true);
        } else if (data[0] == 'I' && data[1] == 'I') {
            reader = TiffReader(data, size, false);
        } else {
            return false;
        }
        std::uint16_t magic = 0;
        return reader.U16(2, magic) && magic == 42 && reader.U32(4, ifd0);
    }

private:
    // Where the values of an entry of type (each width bytes) lie, when all of them lie inside the block.
    bool Values(std::size_t entry, std::uint16_t type, std::size_t width, std::size_t& at, std::uint32_t& count) const
    {
        std::uint16_t actual = 0;
        if (!U16(entry + 2, actual) || actual != type || !U32(entry + 4, count)) return false;
        const std::uint64_t bytes = std::uint64_t(count) * width;
        std::uint32_t offset = 0;
        if (bytes <= 4) {
            at = entry + 8;
        } else if (U32(entry + 8, offset)) {
            at = offset;
        } else {
            return false;
        }
        return bytes <= m_size && Fits(at, std::size_t(bytes));
    }

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_bigEndian = false;
};
