#include "misc/DesFile.h"

#include "misc/Des.h"
#include "misc/DesCore.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <new>

namespace quillet {
namespace {

constexpr std::streamoff kLengthFieldSize = 4;

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
        file.write(lengthField, kLengthFieldSize);
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

std::optional<std::string> ReadCipherText(const wchar_t* path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file.is_open())
        return std::nullopt;

    file.seekg(0, std::ios::end);
    const std::streamoff fileSize = file.tellg();
    if (fileSize < kLengthFieldSize)
        return std::nullopt;
    unsigned char lengthField[kLengthFieldSize] = {};
    file.seekg(fileSize - kLengthFieldSize);
    if (!file.read(reinterpret_cast<char*>(lengthField), kLengthFieldSize))
        return std::nullopt;
    const std::uint32_t length = lengthField[0] | lengthField[1] << 8 | lengthField[2] << 16 |
                                 std::uint32_t(lengthField[3]) << 24;
    // The length field is all that locates the payload, so a damaged one must not send us outside the file.
    if (length % kDesBlockSize != 0 || length > fileSize - kLengthFieldSize)
        return std::nullopt;

    // Read and transform in place; the extra zero byte ends the text.
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[std::size_t(length) + 1]());
    if (!buffer)
        return std::nullopt;
    file.seekg(fileSize - kLengthFieldSize - length);
    if (!file.read(reinterpret_cast<char*>(buffer.get()), std::streamsize(length)))
        return std::nullopt;
    ::Des(buffer.get(), buffer.get(), std::int32_t(length), kFileKey, kFileKeyLength, 0);
    return std::string(reinterpret_cast<const char*>(buffer.get()));
}

} // namespace quillet
