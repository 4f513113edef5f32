// The cipher file of the file forms of Des and Enc: the caller's header, the transformed payload (whole blocks)
// and the payload's length as a 32-bit little-endian number, found from the end of the file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillet {

// The built-in key of the file forms: the five bytes "tavor", used as a 5-byte key (single DES).
inline constexpr std::uint8_t kFileKey[] = {'t', 'a', 'v', 'o', 'r'};
inline constexpr int kFileKeyLength = 5;

// Creates or replaces the file at path with header, payload and the payload's length; false, with no file written
// and any earlier file at path kept, when the file cannot be opened or not all of it can be written.
bool WriteCipherFile(const wchar_t* path, std::span<const std::uint8_t> header,
                     std::span<const std::uint8_t> payload);

// Finds the payload in the whole contents of a cipher file, transforms it by mode 0 with the built-in key and
// returns it up to its first zero byte; nothing when the stored length is not whole blocks within the bytes.
std::optional<std::string> ParseCipherText(std::span<const std::uint8_t> file);

// Reads the payload of the file at path, transforms it by mode 0 with the built-in key and returns it up to its
// first zero byte; nothing when the file cannot be opened or its stored length is not whole blocks within it.
std::optional<std::string> ReadCipherText(const wchar_t* path);

} // namespace quillet
