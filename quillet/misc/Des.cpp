#include "misc/Des.h"

#include "misc/DesCore.h"
#include "misc/DesFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

namespace {

using quillet::DesSchedule;
using quillet::kDesBlockSize;

constexpr int kMaxKeyLength = 16;
// The largest length whose block offsets stay within a signed 32-bit number.
constexpr std::int32_t kMaxTransformLength = 2147483640;

// Length rounded up to whole blocks in unsigned 32-bit arithmetic: 0 for 0, and 0 again where the sum wraps.
std::uint32_t PaddedLength(std::uint32_t length)
{
    return (length + 7u) & ~7u;
}

} // namespace

int Des(std::uint8_t* out, const std::uint8_t* in, std::int32_t length, const std::uint8_t* key, int keyLength,
        int mode)
{
    if (!out || !in || !key || keyLength < 0 || PaddedLength(std::uint32_t(length)) == 0)
        return 0;

    std::array<std::uint8_t, kMaxKeyLength> keyBuffer{};
    std::copy_n(key, std::min(keyLength, kMaxKeyLength), keyBuffer.begin());
    const DesSchedule first(keyBuffer.data(), quillet::kQuilletDes);
    std::optional<DesSchedule> second;
    if (keyLength > kDesBlockSize)
        second.emplace(keyBuffer.data() + kDesBlockSize, quillet::kQuilletDes);

    if (length < 0 || length > kMaxTransformLength)
        return 1;

    const bool inverse = mode != 0;
    for (std::int32_t offset = 0; offset < length; offset += kDesBlockSize) {
        std::array<std::uint8_t, kDesBlockSize> block{};
        std::memcpy(block.data(), in + offset, std::size_t(std::min(length - offset, kDesBlockSize)));
        first.Transform(block.data(), block.data(), inverse);
        if (second) {
            second->Transform(block.data(), block.data(), !inverse);
            first.Transform(block.data(), block.data(), inverse);
        }
        std::memcpy(out + offset, block.data(), kDesBlockSize);
    }
    return 1;
}

int Des(const std::uint8_t* in, std::uint32_t length, const std::uint8_t* key, int keyLength, std::uint8_t** out)
{
    if (!out)
        return 0;
    const std::uint32_t padded = PaddedLength(length);
    *out = new (std::nothrow) std::uint8_t[padded]();
    if (!*out)
        return 0;
    return Des(*out, in, std::int32_t(length), key, keyLength, 1) ? int(padded) : 0;
}

int Des(const std::uint8_t* in, std::uint32_t length, const std::uint8_t* header, std::uint32_t headerLength,
        const wchar_t* path)
{
    if (!path || (!header && headerLength != 0))
        return 0;
    std::uint8_t* payload = nullptr;
    const int payloadLength = Des(in, length, quillet::kFileKey, quillet::kFileKeyLength, &payload);
    const std::unique_ptr<std::uint8_t[]> owner(payload);
    if (!payload)
        return 0;
    return quillet::WriteCipherFile(path, {header, headerLength}, {payload, std::uint32_t(payloadLength)}) ? 1 : 0;
}

int Enc(const std::uint8_t* in, std::uint32_t length, const std::uint8_t* key, int keyLength, std::uint8_t** out)
{
    if (!out)
        return 0;
    *out = new (std::nothrow) std::uint8_t[std::size_t(length) + 1]();
    if (!*out)
        return 0;
    // The output has room for whole blocks only; rather than write a partial block's rounding past its end, a
    // length that is not whole blocks (never a Des output) is refused, leaving the zeroed buffer as empty text.
    if (length % kDesBlockSize != 0)
        return 0;
    return Des(*out, in, std::int32_t(length), key, keyLength, 0);
}
