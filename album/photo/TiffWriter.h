// Writing of one little-endian TIFF IFD (the EXIF block of album's copies). Pure C++, no platform calls.
#pragma once

#include "photo/TiffReader.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One IFD being written: entries in tag order, values that do not fit an entry stored after the table.
class IfdWriter {
public:
    // Adds an entry of each type; a text is written with its final NUL, and an empty one adds nothing.
    void Ascii(std::uint16_t tag, const std::string& text)
    {
        if (text.empty()) return;
        std::vector<std::uint8_t> value(text.begin(), text.end());
        value.push_back(0);
        const std::uint32_t count = std::uint32_t(value.size());
        Add(tag, TiffReader::kTypeAscii, count, std::move(value));
    }
    void Short(std::uint16_t tag, std::uint32_t number)
    {
        // Values past 16 bits (an ISO speed above 65535) are written as the largest SHORT, as cameras do.
        if (number > 0xFFFF) number = 0xFFFF;
        Add(tag, TiffReader::kTypeShort, 1, {std::uint8_t(number), std::uint8_t(number >> 8)});
    }
    void Long(std::uint16_t tag, std::uint32_t number) { Add(tag, TiffReader::kTypeLong, 1, LittleEndian(number)); }
    void Rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator)
    {
        std::vector<std::uint8_t> value = LittleEndian(numerator);
        const std::vector<std::uint8_t> second = LittleEndian(denominator);
        value.insert(value.end(), second.begin(), second.end());
        Add(tag, TiffReader::kTypeRational, 1, std::move(value));
    }
    void Undefined(std::uint16_t tag, std::vector<std::uint8_t> bytes)
    {
        const std::uint32_t count = std::uint32_t(bytes.size());
        Add(tag, TiffReader::kTypeUndefined, count, std::move(bytes));
    }

    bool IsEmpty() const { return m_entries.empty(); }
    // Bytes the IFD takes with its values.
    std::uint32_t Size() const
    {
        std::uint32_t size = 2 + std::uint32_t(m_entries.size()) * TiffReader::kEntrySize + 4;
        for (const Entry& entry : m_entries) size += entry.value.size() > 4 ? Padded(entry.value.size()) : 0;
        return size;
    }
    // Appends the IFD to tiff, where it starts at tiff.size(); next is the offset of the following IFD (0: none).
    void Write(std::vector<std::uint8_t>& tiff, std::uint32_t next) const
    {
        const std::uint32_t start = std::uint32_t(tiff.size());
        std::uint32_t outside = start + 2 + std::uint32_t(m_entries.size()) * TiffReader::kEntrySize + 4;
        Put(tiff, {std::uint8_t(m_entries.size()), std::uint8_t(m_entries.size() >> 8)});
        for (const Entry& entry : m_entries) {
            Put(tiff, {std::uint8_t(entry.tag), std::uint8_t(entry.tag >> 8), std::uint8_t(entry.type),
                       std::uint8_t(entry.type >> 8)});
            Put(tiff, LittleEndian(entry.count));
            if (entry.value.size() <= 4) {
                std::vector<std::uint8_t> padded = entry.value;
                padded.resize(4, 0);
                Put(tiff, padded);
            } else {
                Put(tiff, LittleEndian(outside));
                outside += Padded(entry.value.size());
            }
        }
        Put(tiff, LittleEndian(next));
        for (const Entry& entry : m_entries) {
            if (entry.value.size() <= 4) continue;
            Put(tiff, entry.value);
            if (entry.value.size() % 2) tiff.push_back(0);  // values start on word boundaries
        }
    }

private:
    struct Entry {
        std::uint16_t tag;
        std::uint16_t type;
        std::uint32_t count;
        std::vector<std::uint8_t> value;
    };

    static std::uint32_t Padded(std::size_t size) { return std::uint32_t(size + size % 2); }
    static std::vector<std::uint8_t> LittleEndian(std::uint32_t v)
    {
        return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    }
    static void Put(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes)
    {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    void Add(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::vector<std::uint8_t> value)
    {
        // Readers expect the entries of an IFD in ascending tag order.
        auto at = m_entries.begin();
        while (at != m_entries.end() && at->tag < tag) ++at;
        m_entries.insert(at, Entry{tag, type, count, std::move(value)});
    }

    std::vector<Entry> m_entries;
};
