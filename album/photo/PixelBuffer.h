// PixelBuffer: a top-down 32-bit pixel image in GDI+'s PixelFormat32bppARGB byte order (B, G, R, A), with the
// two transforms of the photo pipeline: resampling to an exact size and turning by an EXIF orientation.
// Pure C++, no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class PixelBuffer {
public:
    // Largest image the pipeline holds at once (256 MB of pixels): a photo that needs more fails cleanly, which
    // also keeps a 32-bit process inside its address space.
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;

    PixelBuffer() = default;
    PixelBuffer(PixelBuffer&& other) noexcept { *this = std::move(other); }
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;

    // Makes room for width x height pixels, zeroed (transparent black) when clear is set; false, leaving the
    // buffer empty, when a side is not positive, the size passes kMaxPixels or memory is short. Memory from an
    // earlier, larger size is reused: fresh pages cost a fault each, and a job handles many photos in a row.
    bool Allocate(int width, int height, bool clear = true);
    // Makes the buffer empty, keeping its memory for the next Allocate.
    void SetEmpty() { m_width = m_height = 0; }
    // Gives the memory back.
    void Release();
    // True when width x height is a size Allocate accepts.
    static bool FitsLimit(std::int64_t width, std::int64_t height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_width == 0; }
    int Stride() const { return m_width * 4; }
    std::uint8_t* Data() { return m_pixels.get(); }
    const std::uint8_t* Data() const { return m_pixels.get(); }
    std::uint8_t* Row(int y) { return m_pixels.get() + std::size_t(y) * std::size_t(Stride()); }
    const std::uint8_t* Row(int y) const { return m_pixels.get() + std::size_t(y) * std::size_t(Stride()); }
    // The pixel at (x, y) as 0xAARRGGBB.
    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t argb);

private:
    std::unique_ptr<std::uint8_t[]> m_pixels;
    std::size_t m_capacity = 0;  // bytes held by m_pixels
    int m_width = 0;
    int m_height = 0;
};

// Scales the whole of source to exactly width x height with a tent filter widened to the scale factor (an area
// average when shrinking, bilinear when enlarging); never crops. False when the target cannot be allocated.
bool Resample(const PixelBuffer& source, int width, int height, PixelBuffer& target);

// Turns a picture stored with the given EXIF orientation (1..8) upright, through spare (whose memory the two then
// swap); orientations 5 to 8 swap width and height. Orientation 1 (and any value out of range) leaves the picture
// as it is. False when memory is short.
bool ApplyOrientation(PixelBuffer& picture, int orientation, PixelBuffer& spare);
