#include "misc/DesCore.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace quillet {
namespace {

template <std::size_t N>
using Bits = std::array<std::uint8_t, N>;

// The tables of FIPS 46-3; entries number the source bits from 1.
constexpr Bits<64> kInitialPermutation = {
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
    62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
    57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
    61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7,
};

constexpr Bits<64> kFinalPermutation = {
    40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
    38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
    36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
    34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25,
};

constexpr Bits<48> kExpansion = {
    32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
    12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
    22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1,
};

constexpr Bits<32> kPermutation = {
    16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
    2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25,
};

constexpr Bits<56> kPermutedChoice1 = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
    10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
    14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4,
};

constexpr Bits<48> kPermutedChoice2 = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
    23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32,
};

constexpr std::array<int, 16> kLeftShifts = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

// Eight boxes of four rows by sixteen columns.
constexpr std::array<std::array<std::uint8_t, 64>, 8> kSBoxes = {{
    {14, 4,  13, 1,  2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6,  12, 11, 9,  5,  3,  8,  4,  1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0,  15, 12, 8,  2,  4,  9,  1,  7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4,  9,  7,  2,  13, 12, 0,  5,  10, 3,  13, 4,  7,  15, 2,
     8,  14, 12, 0,  1,  10, 6,  9,  11, 5,  0,  14, 7,  11, 10, 4,  13, 1,  5,  8,  12, 6,
     9,  3,  2,  15, 13, 8,  10, 1,  3,  15, 4,  2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6,  3,  15, 5,  1,  13, 12, 7,  11, 4,  2,  8,  13, 7,  0,  9,  3,  4,
     6,  10, 2,  8,  5,  14, 12, 11, 15, 1,  13, 6,  4,  9,  8,  15, 3,  0,  11, 1,  2,  12,
     5,  10, 14, 7,  1,  10, 13, 0,  6,  9,  8,  7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3,  0,  6,  9,  10, 1,  2,  8,  5,  11, 12, 4,  15, 13, 8,  11, 5,  6,  15,
     0,  3,  4,  7,  2,  12, 1,  10, 14, 9,  10, 6,  9,  0,  12, 11, 7,  13, 15, 1,  3,  14,
     5,  2,  8,  4,  3,  15, 0,  6,  10, 1,  13, 8,  9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8,  5,  3,  15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5,  0,  15, 10, 3,  9,  8,  6,  4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0,  14, 11, 8,  12, 7,  1,  14, 2,  13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6,  8,  0,  13, 3,  4,  14, 7,  5,  11, 10, 15, 4,  2,  7,  12,
     9,  5,  6,  1,  13, 14, 0,  11, 3,  8,  9,  14, 15, 5,  2,  8,  12, 3,  7,  0,  4,  10,
     1,  13, 11, 6,  4,  3,  2,  12, 9,  5,  15, 10, 11, 14, 1,  7,  6,  0,  8,  13},
    {4,  11, 2,  14, 15, 0,  8,  13, 3,  12, 9,  7,  5,  10, 6,  1,  13, 0,  11, 7,  4,  9,
     1,  10, 14, 3,  5,  12, 2,  15, 8,  6,  1,  4,  11, 13, 12, 3,  7,  14, 10, 15, 6,  8,
     0,  5,  9,  2,  6,  11, 13, 8,  1,  4,  10, 7,  9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2,  8,  4,  6,  15, 11, 1,  10, 9,  3,  14, 5,  0,  12, 7,  1,  15, 13, 8,  10, 3,
     7,  4,  12, 5,  6,  11, 0,  14, 9,  2,  7,  11, 4,  1,  9,  12, 14, 2,  0,  6,  10, 13,
     15, 3,  5,  8,  2,  1,  14, 7,  4,  10, 8,  13, 15, 12, 9,  0,  3,  5,  6,  11},
}};

// Bit i (0-based) of a width-bit value, counting from the least or from the most significant end.
std::uint8_t BitOf(unsigned value, int i, int width, bool lsbFirst)
{
    return (value >> (lsbFirst ? i : width - 1 - i)) & 1u;
}

template <std::size_t N>
Bits<N> Xor(Bits<N> a, const Bits<N>& b)
{
    for (std::size_t i = 0; i < N; ++i)
        a[i] ^= b[i];
    return a;
}

template <std::size_t N, std::size_t M>
Bits<N> Permute(const Bits<M>& in, const Bits<N>& table)
{
    Bits<N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = in[table[i] - 1];
    return out;
}

Bits<64> ReadBits(const std::uint8_t* bytes, bool lsbFirst)
{
    Bits<64> bits{};
    for (int n = 0; n < 64; ++n)
        bits[n] = BitOf(bytes[n / 8], n % 8, 8, lsbFirst);
    return bits;
}

void WriteBits(const Bits<64>& bits, std::uint8_t* bytes, bool lsbFirst)
{
    for (int byte = 0; byte < 8; ++byte) {
        unsigned value = 0;
        for (int i = 0; i < 8; ++i)
            value |= unsigned(bits[byte * 8 + i]) << (lsbFirst ? i : 7 - i);
        bytes[byte] = std::uint8_t(value);
    }
}

// f(R, K): expansion, subkey, S-boxes, then permutation P.
Bits<32> RoundFunction(const Bits<32>& right, const Bits<48>& subkey, bool lsbFirstSboxOutput)
{
    const Bits<48> mixed = Xor(Permute(right, kExpansion), subkey);

    Bits<32> boxed{};
    for (int box = 0; box < 8; ++box) {
        const std::uint8_t* six = &mixed[box * 6];
        const int row = six[0] << 1 | six[5];
        const int column = six[1] << 3 | six[2] << 2 | six[3] << 1 | six[4];
        const unsigned value = kSBoxes[box][row * 16 + column];
        for (int i = 0; i < 4; ++i)
            boxed[box * 4 + i] = BitOf(value, i, 4, lsbFirstSboxOutput);
    }
    return Permute(boxed, kPermutation);
}

} // namespace

DesSchedule::DesSchedule(const std::uint8_t* key, const DesVariant& variant) : variant_(variant)
{
    Bits<56> cd = Permute(ReadBits(key, variant.lsbFirstBits), kPermutedChoice1);
    const auto c = cd.begin();
    const auto d = cd.begin() + 28;
    for (std::size_t round = 0; round < subkeys_.size(); ++round) {
        std::rotate(c, c + kLeftShifts[round], d);
        std::rotate(d, d + kLeftShifts[round], cd.end());
        subkeys_[round] = Permute(cd, kPermutedChoice2);
    }
}

void DesSchedule::Transform(const std::uint8_t* in, std::uint8_t* out, bool inverse) const
{
    const Bits<64> permuted = Permute(ReadBits(in, variant_.lsbFirstBits), kInitialPermutation);
    Bits<32> left{};
    Bits<32> right{};
    std::copy_n(permuted.begin(), 32, left.begin());
    std::copy_n(permuted.begin() + 32, 32, right.begin());

    const bool exchange = !variant_.noFinalExchange;
    if (inverse) {
        // Undo the rounds from the last one back, after undoing the exchange that ended them.
        if (exchange)
            std::swap(left, right);
        for (int round = 15; round >= 0; --round) {
            const Bits<32> newLeft = Xor(right, RoundFunction(left, subkeys_[round], variant_.lsbFirstSboxOutput));
            right = left;
            left = newLeft;
        }
    } else {
        for (int round = 0; round < 16; ++round) {
            const Bits<32> newRight = Xor(left, RoundFunction(right, subkeys_[round], variant_.lsbFirstSboxOutput));
            left = right;
            right = newRight;
        }
        if (exchange)
            std::swap(left, right);
    }

    Bits<64> joined{};
    std::copy(left.begin(), left.end(), joined.begin());
    std::copy(right.begin(), right.end(), joined.begin() + 32);
    WriteBits(Permute(joined, kFinalPermutation), out, variant_.lsbFirstBits);
}

} // namespace quillet
