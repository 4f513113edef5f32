// The exported cipher functions built natively under AddressSanitizer: hostile arguments and files, and a seeded
// random round-trip loop; any access outside a buffer fails the test.
#include "misc/Des.h"
#include "misc/DesFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include <sys/resource.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kKey = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(DesHostile, BadArgumentsAndPartialBlocks)
{
    Bytes in(24, 0x5A);
    Bytes out(8, 0xEE);
    EXPECT_EQ(Des(out.data(), in.data(), 8, kKey.data(), -1, 0), 0);
    for (std::int32_t length : {0, -1, -7})
        EXPECT_EQ(Des(out.data(), in.data(), length, kKey.data(), 8, 0), 0) << length;
    // These round to whole blocks but lie outside the block loop's range: accepted, nothing read or written.
    for (std::int32_t length : {-8, INT_MIN, 2147483641, INT_MAX})
        EXPECT_EQ(Des(out.data(), in.data(), length, kKey.data(), 8, 0), 1) << length;
    EXPECT_EQ(out, Bytes(8, 0xEE));

    for (std::uint32_t length = 1; length < 24; ++length) {
        std::uint8_t* text = nullptr;
        EXPECT_EQ(Enc(in.data(), length, kKey.data(), 8, &text), length % 8 == 0 ? 1 : 0) << length;
        const std::unique_ptr<std::uint8_t[]> owner(text);
        EXPECT_EQ(text[length], 0);
    }
    using Allocating = int (*)(const std::uint8_t*, std::uint32_t, const std::uint8_t*, int, std::uint8_t**);
    for (Allocating allocating : std::initializer_list<Allocating>{&Des, &Enc}) {
        std::uint8_t* result = nullptr;
        EXPECT_EQ(allocating(in.data(), 8, kKey.data(), INT_MIN, &result), 0);
        delete[] result;
    }
}

TEST(DesHostile, DamagedFileLengthIsRejected)
{
    const auto path = std::filesystem::temp_directory_path() / "quillet_des_host_test.bin";
    const auto write = [&](const Bytes& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    const Bytes damaged[] = {
        {},
        {8, 0, 0},                              // shorter than the length field
        {1, 2, 3, 4, 5, 6, 7, 8, 16, 0, 0, 0},  // longer than the file
        {1, 2, 3, 4, 5, 6, 7, 8, 4, 0, 0, 0},   // not whole blocks
        {1, 2, 3, 4, 5, 6, 7, 8, 0xF8, 0xFF, 0xFF, 0xFF},
    };
    for (const Bytes& bytes : damaged) {
        write(bytes);
        EXPECT_FALSE(quillet::ReadCipherText(path.wstring().c_str())) << bytes.size() << " bytes";
    }
    write({1, 2, 3, 0, 0, 0, 0});
    EXPECT_EQ(quillet::ReadCipherText(path.wstring().c_str()), "");
    std::filesystem::remove(path);
}

// A file size limit makes the write stop short of the whole file (EFBIG instead of a signal).
TEST(DesHostile, ShortWriteFailsAndLeavesTheEarlierFile)
{
    const auto path = std::filesystem::temp_directory_path() / "quillet_des_short_write.bin";
    const Bytes payload(64, 'x');
    ASSERT_EQ(Des(payload.data(), 8, nullptr, 0, path.wstring().c_str()), 1);
    const auto before = std::filesystem::file_size(path);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 32;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int written = Des(payload.data(), std::uint32_t(payload.size()), nullptr, 0, path.wstring().c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(written, 0);
    EXPECT_EQ(std::filesystem::file_size(path), before) << "the earlier file stays whole";
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        EXPECT_EQ(entry.path().filename().string().find("quillet_des_short_write.bin."), std::string::npos);
    std::filesystem::remove(path);
}

// 25,000 rounds of four calls with random lengths (none, partial and several blocks), key lengths (invalid, empty,
// single, triple) and modes.
TEST(DesFuzz, RandomBuffersRoundTrip)
{
    std::mt19937 rng(20240611);
    const auto randomByte = [&] { return std::uint8_t(rng()); };
    for (int i = 0; i < 25000; ++i) {
        const auto length = std::uint32_t(rng() % 41);
        const int keyLength = int(rng() % 18) - 1;
        const int mode = int(rng() % 3);
        Bytes plain(length);
        Bytes key(16);
        std::generate(plain.begin(), plain.end(), randomByte);
        std::generate(key.begin(), key.end(), randomByte);

        std::uint8_t* cipher = nullptr;
        const int padded = Des(plain.data(), length, key.data(), keyLength, &cipher);
        const std::unique_ptr<std::uint8_t[]> cipherOwner(cipher);
        if (length == 0 || keyLength < 0) {
            ASSERT_EQ(padded, 0);
            continue;
        }
        ASSERT_EQ(padded, int(length + 7) / 8 * 8);
        Bytes expected = plain;
        expected.resize(std::size_t(padded) + 1);

        std::uint8_t* back = nullptr;
        ASSERT_EQ(Enc(cipher, std::uint32_t(padded), key.data(), keyLength, &back), 1);
        const std::unique_ptr<std::uint8_t[]> backOwner(back);
        ASSERT_EQ(Bytes(back, back + padded + 1), expected) << "iteration " << i;

        Bytes buffer = plain;
        buffer.resize(std::size_t(padded));
        ASSERT_EQ(Des(buffer.data(), buffer.data(), std::int32_t(length), key.data(), keyLength, mode), 1);
        ASSERT_EQ(Des(buffer.data(), buffer.data(), padded, key.data(), keyLength, mode == 0 ? 1 : 0), 1);
        expected.pop_back();
        ASSERT_EQ(buffer, expected) << "iteration " << i;
    }
}

} // namespace
