#include "misc/DesFile.h"

#include "misc/Des.h"
#include "misc/DesCore.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <vector>

namespace quillet {
namespace {

constexpr std::size_t kLengthFieldSize = 4;

} // namespace

bool WriteCipherFile(const wchar_t* path, std::span<const std::uint8_t> header, std::span<const std::uint8_t> payload)
{
    // The file is written under a sibling name and renamed into place only when every byte reached the disk,
    // so a failed write leaves no partial file and keeps any earlier file at path.
    const std::filesystem::path target(path);
    std::filesystem::path partial = target;
    partial += L".part";
    std::error_code ignored;
    {
        // A filesystem path opens through the wide-character API on Windows.
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        if (!file.is_open())
            return false;
        const auto length = std::uint32_t(payload.size());
        const char lengthField[kLengthFieldSize] = {char(length & 0xFF), char((length >> 8) & 0xFF),
                                                    char((length >> 16) & 0xFF), char((length >> 24) & 0xFF)};
        file.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
        file.write(reinterpret_cast<const char*>(payload.data()), std::streamsize(payload.size()));
        file.write(lengthField, std::streamsize(kLengthFieldSize));
        file.close();
        if (!file) {
            std::filesystem::remove(partial, ignored);
            return false;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(partial, target, renamed);
    if (renamed) {
        std::filesystem::remove(partial, ignored);
        return false;
    }
    return true;
}

std::optional<std::string> ParseCipherText(std::span<const std::uint8_t> file)
{
    if (file.size() < kLengthFieldSize)
        return std::nullopt;
    const std::uint8_t* lengthField = file.data() + file.size() - kLengthFieldSize;
    const std::uint32_t length = lengthField[0] | lengthField[1] << 8 | lengthField[2] << 16 |
                                 std::uint32_t(lengthField[3]) << 24;
    // The length field is all that locates the payload, so a damaged one must not send us outside the bytes.
    if (length % kDesBlockSize != 0 || length > file.size() - kLengthFieldSize)
        return std::nullopt;

    // Transform a copy in place; the extra zero byte ends the text.
    const std::uint8_t* payload = lengthField - length;
    std::vector<std::uint8_t> buffer(payload, payload + length);
    buffer.push_back(0);
    ::Des(buffer.data(), buffer.data(), std::int32_t(length), kFileKey, kFileKeyLength, 0);
    return std::string(reinterpret_cast<const char*>(buffer.data()));
}

std::optional<std::string> ReadCipherText(const wchar_t* path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file.is_open())
        return std::nullopt;
    // The exported callers return a status, so a file too large for memory is a failure, not an exception.
    try {
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad())
            return std::nullopt;
        return ParseCipherText(bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace quillet
