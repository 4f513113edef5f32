// DES block cipher on one-byte-per-bit arrays, with Quillet's three departures from FIPS 46-3 as switches.
#pragma once

#include <array>
#include <cstdint>

namespace quillet {

// Which of Quillet's departures from textbook DES are in force; all off is the standard cipher.
struct DesVariant {
    bool lsbFirstBits = false;       // bytes of keys and blocks are read and written least significant bit first
    bool lsbFirstSboxOutput = false; // each S-box value is placed least significant bit first
    bool noFinalExchange = false;    // the final permutation takes L16 R16 instead of R16 L16
};

inline constexpr DesVariant kStandardDes{};
inline constexpr DesVariant kQuilletDes{true, true, true};

inline constexpr int kDesBlockSize = 8;

// The sixteen round subkeys of one 8-byte key, ready to transform blocks.
class DesSchedule {
public:
    // Builds the subkeys from key[0..7] with PC-1, the left-shift schedule and PC-2.
    DesSchedule(const std::uint8_t* key, const DesVariant& variant);

    // Transforms the 8-byte block at in into out (which may be in): encrypts forward, decrypts when inverse.
    void Transform(const std::uint8_t* in, std::uint8_t* out, bool inverse) const;

private:
    using Subkey = std::array<std::uint8_t, 48>;

    DesVariant variant_;
    std::array<Subkey, 16> subkeys_{};
};

} // namespace quillet
