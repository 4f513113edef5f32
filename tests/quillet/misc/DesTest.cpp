// The exported cipher functions through quillet.dll: known answers, padding and keys, round trips, and the cipher
// file byte for byte.
#include "misc/Des.h"

#include "Strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kKey = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
const Bytes kTripleKey = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const Bytes kPlain = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

// The allocating Des (mode 1) as a vector.
Bytes Encipher(const Bytes& in, const Bytes& key)
{
    std::uint8_t* out = nullptr;
    const int length = Des(in.data(), std::uint32_t(in.size()), key.data(), int(key.size()), &out);
    const std::unique_ptr<std::uint8_t[]> owner(out);
    return Bytes(out, out + length);
}

// The allocating Enc (mode 0) as a vector, its terminating zero included.
Bytes Decipher(const Bytes& in, const Bytes& key)
{
    std::uint8_t* out = nullptr;
    EXPECT_EQ(Enc(in.data(), std::uint32_t(in.size()), key.data(), int(key.size()), &out), 1);
    const std::unique_ptr<std::uint8_t[]> owner(out);
    return Bytes(out, out + in.size() + 1);
}

// Answers from a separate reference model of the cipher.
TEST(Des, KnownAnswers)
{
    const auto core = [](const Bytes& key, int mode) {
        Bytes out(8);
        EXPECT_EQ(Des(out.data(), kPlain.data(), 8, key.data(), int(key.size()), mode), 1);
        return out;
    };
    EXPECT_EQ(core(kKey, 0), (Bytes{0xD1, 0x72, 0xA2, 0x13, 0x5B, 0xDC, 0xCB, 0x97}));
    EXPECT_EQ(core(kTripleKey, 0), (Bytes{0xC0, 0x0C, 0x0B, 0x9E, 0xBE, 0xA1, 0x09, 0x1A}));
    EXPECT_EQ(core(kTripleKey, 1), (Bytes{0x56, 0x45, 0xBC, 0x17, 0x92, 0x50, 0xE6, 0x68}));
}

TEST(Des, PaddingKeysAndRoundTrips)
{
    for (const Bytes& key : {kKey, kTripleKey}) {
        for (std::size_t length = 1; length <= 9; ++length) {
            const Bytes plain(length, 'x');
            const Bytes cipher = Encipher(plain, key);
            ASSERT_EQ(cipher.size(), length <= 8 ? 8u : 16u) << length;
            Bytes expected = plain;
            expected.resize(cipher.size() + 1);
            EXPECT_EQ(Decipher(cipher, key), expected) << key.size() << "-byte key, length " << length;
        }
    }
    EXPECT_TRUE(Encipher({}, kKey).empty());

    Bytes doubled = kKey;
    doubled.insert(doubled.end(), kKey.begin(), kKey.end());
    EXPECT_EQ(Encipher(kPlain, doubled), Encipher(kPlain, kKey));
    Bytes nine = kKey;
    nine.push_back(0);
    EXPECT_NE(Encipher(kPlain, nine), Encipher(kPlain, kKey));
    // The most significant bit of each key byte is one that PC-1 leaves out.
    for (std::size_t i = 0; i < kKey.size(); ++i) {
        Bytes flipped = kKey;
        flipped[i] ^= 0x80;
        EXPECT_EQ(Encipher(kPlain, flipped), Encipher(kPlain, kKey)) << "byte " << i;
    }
}

TEST(Des, FileLayoutAndText)
{
    // A name outside the ANSI code page: the file forms must open paths through the wide-character API.
    const std::filesystem::path path = std::filesystem::temp_directory_path() / L"quillet_des_\u0394.bin";
    const Bytes header = {0xAA, 0xBB, 0xCC};
    const Bytes payload = {'Q', 'u', 'i', 'l', 'l', 'e', 't', ' ', '1', '0'};
    ASSERT_EQ(Des(payload.data(), 10, header.data(), 3, path.c_str()), 1);
    ASSERT_EQ(Des(payload.data(), 10, header.data(), 3, path.c_str()), 1) << "an earlier file is replaced";

    Bytes expected = header;
    const Bytes cipher = Encipher(payload, {'t', 'a', 'v', 'o', 'r'});
    expected.insert(expected.end(), cipher.begin(), cipher.end());
    expected.insert(expected.end(), {16, 0, 0, 0});
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(file), {}), expected);
    file.close();

    CString text;
    ASSERT_EQ(Enc(path.c_str(), text), 1);
    EXPECT_EQ(text, L"Quillet 10");
    std::filesystem::remove(path);
    EXPECT_EQ(Enc(path.c_str(), text), 0);
    EXPECT_EQ(text, L"Quillet 10");
}

} // namespace
