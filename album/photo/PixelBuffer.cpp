#include "photo/PixelBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

bool PixelBuffer::FitsLimit(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels && width * height <= kMaxPixels;
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    m_pixels = std::move(other.m_pixels);
    m_capacity = std::exchange(other.m_capacity, 0);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    return *this;
}

bool PixelBuffer::Allocate(int width, int height, bool clear)
{
    m_width = m_height = 0;
    if (!FitsLimit(width, height)) return false;
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    if (bytes > m_capacity) {
        Release();
        m_pixels.reset(new (std::nothrow) std::uint8_t[bytes]);
        if (!m_pixels) return false;
        m_capacity = bytes;
    }
    if (clear) std::memset(m_pixels.get(), 0, bytes);
    m_width = width;
    m_height = height;
    return true;
}

void PixelBuffer::Release()
{
    m_pixels.reset();
    m_capacity = 0;
    m_width = m_height = 0;
}

std::uint32_t PixelBuffer::Pixel(int x, int y) const
{
    std::uint32_t argb = 0;
    std::memcpy(&argb, Row(y) + std::size_t(x) * 4, 4);
    return argb;
}

void PixelBuffer::SetPixel(int x, int y, std::uint32_t argb) { std::memcpy(Row(y) + std::size_t(x) * 4, &argb, 4); }

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

// The source taps of one target position along one axis: first index and fixed-point weights summing to one.
struct Taps {
    int first = 0;
    std::vector<std::int32_t> weights;
};

std::vector<Taps> TentTaps(int sourceLength, int targetLength)
{
    const double scale = double(sourceLength) / double(targetLength);
    const double radius = std::max(scale, 1.0);
    std::vector<Taps> all(static_cast<std::size_t>(targetLength));
    std::vector<double> raw;
    for (int t = 0; t < targetLength; ++t) {
        const double center = (t + 0.5) * scale - 0.5;
        int first = int(std::ceil(center - radius));
        int last = int(std::floor(center + radius));
        first = std::max(first, 0);
        last = std::min(last, sourceLength - 1);
        if (last < first) first = last = std::clamp(int(std::lround(center)), 0, sourceLength - 1);
        raw.assign(std::size_t(last - first + 1), 0.0);
        double sum = 0.0;
        for (int s = first; s <= last; ++s) {
            const double w = std::max(0.0, 1.0 - std::abs(s - center) / radius);
            raw[std::size_t(s - first)] = w;
            sum += w;
        }
        Taps& taps = all[std::size_t(t)];
        taps.first = first;
        taps.weights.resize(raw.size());
        if (sum <= 0.0) {
            taps.weights.assign(raw.size(), 0);
            taps.weights[0] = kWeightOne;
            continue;
        }
        // Rounding leftovers go to the largest weight so every target pixel keeps full intensity.
        std::int32_t total = 0;
        std::size_t largest = 0;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            taps.weights[i] = std::int32_t(std::lround(raw[i] / sum * kWeightOne));
            total += taps.weights[i];
            if (taps.weights[i] > taps.weights[largest]) largest = i;
        }
        taps.weights[largest] += kWeightOne - total;
    }
    return all;
}

// Where the stored pixel of upright (x, y) lies, as a pixel index origin + x * stepX + y * stepY.
struct OrientationWalk {
    std::ptrdiff_t origin = 0;
    std::ptrdiff_t stepX = 1;
    std::ptrdiff_t stepY = 0;
};

OrientationWalk WalkOf(int orientation, std::ptrdiff_t w, std::ptrdiff_t h)
{
    switch (orientation) {
    case 2: return {w - 1, -1, w};                  // mirrored left to right
    case 3: return {(h - 1) * w + w - 1, -1, -w};   // half turn
    case 4: return {(h - 1) * w, 1, -w};            // mirrored top to bottom
    case 5: return {0, w, 1};                       // mirrored along the main diagonal
    case 6: return {(h - 1) * w, -w, 1};            // stored a quarter turn anticlockwise
    case 7: return {(h - 1) * w + w - 1, -w, -1};   // mirrored along the other diagonal
    case 8: return {w - 1, w, -1};                  // stored a quarter turn clockwise
    }
    return {0, 1, w};
}

constexpr int kTurnTile = 32;

std::uint8_t ClampChannel(std::int32_t fixedPoint)
{
    return std::uint8_t(std::clamp((fixedPoint + kWeightOne / 2) >> kWeightBits, 0, 255));
}

} // namespace

bool Resample(const PixelBuffer& source, int width, int height, PixelBuffer& target)
{
    if (source.IsEmpty() || !target.Allocate(width, height, false)) return false;
    // Horizontal pass into rows of the target's width and the source's height, then the vertical pass.
    PixelBuffer across;
    if (!across.Allocate(width, source.Height(), false)) return false;
    const std::vector<Taps> columns = TentTaps(source.Width(), width);
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* in = source.Row(y);
        std::uint8_t* out = across.Row(y);
        for (int x = 0; x < width; ++x) {
            const Taps& taps = columns[std::size_t(x)];
            std::int32_t sum[4] = {};
            const std::uint8_t* p = in + std::size_t(taps.first) * 4;
            for (std::int32_t w : taps.weights) {
                for (int c = 0; c < 4; ++c) sum[c] += p[c] * w;
                p += 4;
            }
            for (int c = 0; c < 4; ++c) out[x * 4 + c] = ClampChannel(sum[c]);
        }
    }
    const std::vector<Taps> rows = TentTaps(source.Height(), height);
    const std::size_t rowBytes = std::size_t(width) * 4;
    std::vector<std::int32_t> sum(rowBytes);
    for (int y = 0; y < height; ++y) {
        const Taps& taps = rows[std::size_t(y)];
        std::fill(sum.begin(), sum.end(), 0);
        for (std::size_t i = 0; i < taps.weights.size(); ++i) {
            const std::uint8_t* in = across.Row(taps.first + int(i));
            const std::int32_t w = taps.weights[i];
            for (std::size_t b = 0; b < rowBytes; ++b) sum[b] += in[b] * w;
        }
        std::uint8_t* out = target.Row(y);
        for (std::size_t b = 0; b < rowBytes; ++b) out[b] = ClampChannel(sum[b]);
    }
    return true;
}

bool ApplyOrientation(PixelBuffer& picture, int orientation, PixelBuffer& spare)
{
    if (orientation < 2 || orientation > 8 || picture.IsEmpty()) return true;
    const int w = picture.Width();
    const int h = picture.Height();
    const bool swaps = orientation >= 5;
    PixelBuffer& upright = spare;
    if (!upright.Allocate(swaps ? h : w, swaps ? w : h, false)) return false;
    const OrientationWalk walk = WalkOf(orientation, w, h);
    const std::uint8_t* stored = picture.Data();
    // Square tiles keep both the rows written and the columns read of a quarter turn in the cache.
    for (int top = 0; top < upright.Height(); top += kTurnTile) {
        const int bottom = std::min(top + kTurnTile, upright.Height());
        for (int left = 0; left < upright.Width(); left += kTurnTile) {
            const int right = std::min(left + kTurnTile, upright.Width());
            for (int y = top; y < bottom; ++y) {
                std::ptrdiff_t from = walk.origin + left * walk.stepX + y * walk.stepY;
                std::uint8_t* to = upright.Row(y) + std::size_t(left) * 4;
                for (int x = left; x < right; ++x, from += walk.stepX, to += 4) std::memcpy(to, stored + from * 4, 4);
            }
        }
    }
    std::swap(picture, upright);
    return true;
}
