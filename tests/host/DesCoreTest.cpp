// The block cipher against textbook DES, and each of Quillet's departures from it on its own.
#include "misc/DesCore.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using quillet::DesSchedule;
using quillet::DesVariant;
using Block = std::array<std::uint8_t, 8>;

constexpr Block kKey = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
constexpr Block kPlain = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

Block Cipher(const Block& key, const Block& in, const DesVariant& variant, bool inverse = false)
{
    Block out{};
    DesSchedule(key.data(), variant).Transform(in.data(), out.data(), inverse);
    return out;
}

template <class Fn>
Block EachByte(Block block, Fn fn)
{
    for (auto& byte : block)
        byte = fn(byte);
    return block;
}

Block RandomBlock(std::mt19937& rng)
{
    return EachByte({}, [&](auto) { return std::uint8_t(rng()); });
}

std::uint8_t Reversed(std::uint8_t byte)
{
    std::uint8_t result = 0;
    for (int i = 0; i < 8; ++i)
        result |= ((byte >> i) & 1) << (7 - i);
    return result;
}

// The initial permutation puts bit 2j in L at the place where it puts bit 2j - 1 in R, so exchanging L and R
// before the final permutation swaps each pair of neighbouring bits of the result.
std::uint8_t PairsSwapped(std::uint8_t byte)
{
    return std::uint8_t((byte & 0xAA) >> 1 | (byte & 0x55) << 1);
}

TEST(DesCore, StandardKnownAnswers)
{
    EXPECT_EQ(Cipher(kKey, kPlain, {}), (Block{0x85, 0xE8, 0x13, 0x54, 0x0F, 0x0A, 0xB4, 0x05}));
    const Block key = {0x0E, 0x32, 0x92, 0x32, 0xEA, 0x6D, 0x0D, 0x73};
    const Block plain = {0x87, 0x87, 0x87, 0x87, 0x87, 0x87, 0x87, 0x87};
    EXPECT_EQ(Cipher(key, plain, {}), Block{});
}

TEST(DesCore, EachDepartureAloneAgainstTheStandard)
{
    std::mt19937 rng(46);
    for (int i = 0; i < 200; ++i) {
        const Block key = RandomBlock(rng);
        const Block plain = RandomBlock(rng);
        EXPECT_EQ(Cipher(key, plain, {.lsbFirstBits = true}),
                  EachByte(Cipher(EachByte(key, Reversed), EachByte(plain, Reversed), {}), Reversed));
        EXPECT_EQ(Cipher(key, plain, {.noFinalExchange = true}), EachByte(Cipher(key, plain, {}), PairsSwapped));
    }
    // No simple relation exists for the S-box placement; these answers come from a separate reference model.
    EXPECT_EQ(Cipher(kKey, kPlain, {.lsbFirstSboxOutput = true}),
              (Block{0x77, 0x2C, 0x40, 0x2D, 0xBF, 0x2B, 0xA1, 0x34}));
    EXPECT_EQ(Cipher(kKey, kPlain, quillet::kQuilletDes), (Block{0xD1, 0x72, 0xA2, 0x13, 0x5B, 0xDC, 0xCB, 0x97}));
}

TEST(DesCore, InverseUndoesForwardInEveryVariant)
{
    std::mt19937 rng(7);
    for (int flags = 0; flags < 8; ++flags) {
        const DesVariant variant{bool(flags & 1), bool(flags & 2), bool(flags & 4)};
        for (int i = 0; i < 50; ++i) {
            const Block key = RandomBlock(rng);
            const Block plain = RandomBlock(rng);
            EXPECT_EQ(Cipher(key, Cipher(key, plain, variant), variant, true), plain) << "variant " << flags;
        }
    }
}

} // namespace
