#include "Image.h"

#include <gdiplus.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

// GDI+ for the length of one decode: startup and shutdown are counted, so this is cheap when the program has
// started GDI+ itself, and a program that has not still gets its images.
class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession()
    {
        if (m_started) Gdiplus::GdiplusShutdown(m_token);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool Started() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};

// Owns a decoded GDI+ bitmap.
struct GpBitmapOwner {
    Gdiplus::GpBitmap* bitmap = nullptr;
    ~GpBitmapOwner()
    {
        if (bitmap) GdipDisposeImage(bitmap);
    }
};

// True when an indexed GDI+ image has a palette entry that is not opaque (GIF transparency).
bool PaletteHasAlpha(Gdiplus::GpBitmap* bitmap)
{
    INT size = 0;
    if (GdipGetImagePaletteSize(bitmap, &size) != Gdiplus::Ok || size < INT(sizeof(Gdiplus::ColorPalette))) {
        return false;
    }
    std::vector<BYTE> buffer(size_t(size), 0);
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
    return GdipGetImagePalette(bitmap, palette, size) == Gdiplus::Ok &&
           (palette->Flags & Gdiplus::PaletteFlagsHasAlpha);
}

// Bytes per row of a DIB: rows are padded to whole DWORDs.
long long DibPitch(int width, int bitsPerPixel) { return (static_cast<long long>(width) * bitsPerPixel + 31) / 32 * 4; }

// True when the first row in a DIB section's memory is the top row of the picture. The height that GetObject
// reports cannot tell (Wine gives a positive height for top-down sections too), so for 24 and 32 bits GDI is
// asked which of two differing rows it shows at the top; a picture whose rows mirror each other reads the same
// either way.
bool RowsAreTopDown(HBITMAP bitmap, const DIBSECTION& section)
{
    if (section.dsBmih.biHeight < 0) return true;
    int bitsPerPixel = section.dsBmih.biBitCount;
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return false;
    int width = section.dsBm.bmWidth, height = section.dsBm.bmHeight, bytes = bitsPerPixel / 8;
    auto pitch = static_cast<ptrdiff_t>(DibPitch(width, bitsPerPixel));
    const auto* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
    auto colourAt = [&](int x, int row) {
        const BYTE* pixel = bits + row * pitch + x * bytes;
        return RGB(pixel[2], pixel[1], pixel[0]);
    };
    GdiFlush();  // GDI may still hold batched drawing into the bits
    for (int row = 0; row < height / 2; ++row) {
        for (int x = 0; x < width; ++x) {
            COLORREF first = colourAt(x, row);
            if (first == colourAt(x, height - 1 - row)) continue;
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ previous = SelectObject(dc, bitmap);
            COLORREF shown = ::GetPixel(dc, x, row);
            SelectObject(dc, previous);
            DeleteDC(dc);
            return shown == first;
        }
    }
    return false;
}

}  // namespace

CImage::~CImage() { Destroy(); }

CImage::CImage(CImage&& other) noexcept { *this = std::move(other); }

CImage& CImage::operator=(CImage&& other) noexcept
{
    if (this == &other) return *this;
    Destroy();
    m_bitmap = std::exchange(other.m_bitmap, nullptr);
    m_bits = std::exchange(other.m_bits, nullptr);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_bitsPerPixel = std::exchange(other.m_bitsPerPixel, 0);
    m_pitch = std::exchange(other.m_pitch, 0);
    m_hasAlpha = std::exchange(other.m_hasAlpha, false);
    m_transparentColor = std::exchange(other.m_transparentColor, CLR_INVALID);
    m_dc = std::exchange(other.m_dc, nullptr);
    m_dcPrevious = std::exchange(other.m_dcPrevious, nullptr);
    m_dcUses = std::exchange(other.m_dcUses, 0);
    return *this;
}

BOOL CImage::Create(int width, int height, int bitsPerPixel, DWORD flags)
{
    bool alpha = flags & createAlphaChannel;
    if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32) || (alpha && bitsPerPixel != 32)) {
        return FALSE;
    }
    long long bytes = DibPitch(width, bitsPerPixel) * height;
    if (bytes > 0x7FFFFFFF) return FALSE;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return FALSE;
    std::memset(bits, 0, size_t(bytes));
    CImage created;
    created.Adopt(bitmap, true);
    created.m_hasAlpha = alpha;
    *this = std::move(created);
    return TRUE;
}

BOOL CImage::Load(IStream* stream)
{
    if (!stream) return FALSE;
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) return FALSE;
    GpBitmapOwner source;
    UINT width = 0, height = 0;
    Gdiplus::PixelFormat format = 0;
    if (GdipCreateBitmapFromStream(stream, &source.bitmap) != Gdiplus::Ok ||
        GdipGetImageWidth(source.bitmap, &width) != Gdiplus::Ok ||
        GdipGetImageHeight(source.bitmap, &height) != Gdiplus::Ok ||
        GdipGetImagePixelFormat(source.bitmap, &format) != Gdiplus::Ok) {
        return FALSE;
    }
    bool alpha = Gdiplus::IsAlphaPixelFormat(format) ||
                 (Gdiplus::IsIndexedPixelFormat(format) && PaletteHasAlpha(source.bitmap));
    CImage decoded;
    if (!decoded.Create(int(width), int(height), alpha ? 32 : 24, alpha ? DWORD(createAlphaChannel) : 0)) return FALSE;
    // GDI+ converts straight into the DIB's memory (ImageLockModeUserInputBuf); PARGB is the premultiplied
    // form that AlphaBlend expects.
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = decoded.m_pitch;
    data.PixelFormat = PixelFormat24bppRGB;
    if (alpha) data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = decoded.m_bits;
    Gdiplus::GpRect area(0, 0, INT(width), INT(height));
    if (GdipBitmapLockBits(source.bitmap, &area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                           data.PixelFormat, &data) != Gdiplus::Ok) {
        return FALSE;
    }
    GdipBitmapUnlockBits(source.bitmap, &data);
    *this = std::move(decoded);
    return TRUE;
}

BOOL CImage::LoadFromResource(HINSTANCE module, UINT id) { return LoadFromResource(module, MAKEINTRESOURCEW(id)); }

BOOL CImage::LoadFromResource(HINSTANCE module, const wchar_t* name)
{
    auto bitmap = static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    CImage loaded;
    if (!loaded.Attach(bitmap)) return FALSE;
    if (loaded.m_hasAlpha) {
        for (int y = 0; y < loaded.m_height; ++y) {
            auto* pixel = static_cast<BYTE*>(loaded.GetPixelAddress(0, y));
            for (int x = 0; x < loaded.m_width; ++x, pixel += 4) {
                for (int channel = 0; channel < 3; ++channel) {
                    pixel[channel] = BYTE((pixel[channel] * pixel[3] + 127) / 255);
                }
            }
        }
    }
    *this = std::move(loaded);
    return TRUE;
}

BOOL CImage::Attach(HBITMAP bitmap) { return Adopt(bitmap, false); }

BOOL CImage::Adopt(HBITMAP bitmap, bool knownTopDown)
{
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return FALSE;
    Destroy();
    m_bitmap = bitmap;
    ReadBitmapInfo(knownTopDown);
    return TRUE;
}

void CImage::ReadBitmapInfo(bool knownTopDown)
{
    DIBSECTION section{};
    if (GetObjectW(m_bitmap, sizeof(section), &section) == int(sizeof(section)) && section.dsBm.bmBits) {
        m_width = section.dsBm.bmWidth;
        m_height = std::abs(section.dsBmih.biHeight);
        m_bitsPerPixel = section.dsBmih.biBitCount;
        m_pitch = int(DibPitch(m_width, m_bitsPerPixel));
        m_bits = section.dsBm.bmBits;
        if (!knownTopDown && !RowsAreTopDown(m_bitmap, section)) {
            // Bottom-up: the first row in memory is the bottom row of the picture.
            m_bits = static_cast<BYTE*>(m_bits) + static_cast<ptrdiff_t>(m_height - 1) * m_pitch;
            m_pitch = -m_pitch;
        }
    } else {
        BITMAP plain{};
        GetObjectW(m_bitmap, sizeof(plain), &plain);
        m_width = plain.bmWidth;
        m_height = plain.bmHeight;
        m_bitsPerPixel = plain.bmBitsPixel;
        m_pitch = 0;
        m_bits = nullptr;
    }
    m_hasAlpha = false;
    if (m_bitsPerPixel != 32 || !m_bits) return;
    GdiFlush();
    for (int y = 0; y < m_height && !m_hasAlpha; ++y) {
        const auto* pixel = static_cast<const BYTE*>(GetPixelAddress(0, y));
        for (int x = 0; x < m_width; ++x, pixel += 4) {
            if (pixel[3]) {
                m_hasAlpha = true;
                break;
            }
        }
    }
}

HBITMAP CImage::Detach()
{
    if (m_dcUses) {
        m_dcUses = 1;
        ReleaseDC();
    }
    HBITMAP bitmap = std::exchange(m_bitmap, nullptr);
    m_bits = nullptr;
    m_width = m_height = m_bitsPerPixel = m_pitch = 0;
    m_hasAlpha = false;
    m_transparentColor = CLR_INVALID;
    return bitmap;
}

void CImage::Destroy()
{
    if (HBITMAP bitmap = Detach()) DeleteObject(bitmap);
}

void* CImage::GetPixelAddress(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height || m_bitsPerPixel < 8) return nullptr;
    return static_cast<BYTE*>(m_bits) + static_cast<ptrdiff_t>(y) * m_pitch + x * (m_bitsPerPixel / 8);
}

COLORREF CImage::SetTransparentColor(COLORREF color) { return std::exchange(m_transparentColor, color); }

HDC CImage::GetDC() const
{
    if (!m_bitmap) return nullptr;
    if (m_dcUses++ == 0) {
        m_dc = CreateCompatibleDC(nullptr);
        m_dcPrevious = SelectObject(m_dc, m_bitmap);
    }
    return m_dc;
}

void CImage::ReleaseDC() const
{
    if (m_dcUses == 0 || --m_dcUses > 0) return;
    SelectObject(m_dc, m_dcPrevious);
    DeleteDC(m_dc);
    m_dc = nullptr;
    m_dcPrevious = nullptr;
}

namespace {

// Lends an image's device context for one call.
class LentDc {
public:
    explicit LentDc(const CImage& image) : m_image(image), m_dc(image.GetDC()) {}
    ~LentDc() { m_image.ReleaseDC(); }
    LentDc(const LentDc&) = delete;
    LentDc& operator=(const LentDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    const CImage& m_image;
    HDC m_dc;
};

}  // namespace

COLORREF CImage::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    if (m_bitsPerPixel >= 24 && m_bits) {
        GdiFlush();
        const auto* pixel = static_cast<const BYTE*>(GetPixelAddress(x, y));
        return RGB(pixel[2], pixel[1], pixel[0]);
    }
    LentDc dc(*this);
    return ::GetPixel(dc.Get(), x, y);
}

void CImage::SetPixel(int x, int y, COLORREF color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    if (m_bitsPerPixel >= 24 && m_bits) {
        // Written straight into the bits: GDI's SetPixel would clear the alpha byte of a 32-bit pixel,
        // which AlphaBlend then reads as a transparent pixel with colour added on top.
        GdiFlush();
        auto* pixel = static_cast<BYTE*>(GetPixelAddress(x, y));
        pixel[0] = GetBValue(color);
        pixel[1] = GetGValue(color);
        pixel[2] = GetRValue(color);
        if (m_bitsPerPixel == 32) pixel[3] = 0xFF;
        return;
    }
    LentDc dc(*this);
    ::SetPixel(dc.Get(), x, y, color);
}

BOOL CImage::Draw(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                  int sourceWidth, int sourceHeight) const
{
    if (!m_bitmap || !dc) return FALSE;
    LentDc source(*this);
    if (m_hasAlpha) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
        return ::AlphaBlend(dc, xDest, yDest, destWidth, destHeight, source.Get(), xSource, ySource, sourceWidth,
                            sourceHeight, blend);
    }
    if (m_transparentColor != CLR_INVALID) {
        return ::TransparentBlt(dc, xDest, yDest, destWidth, destHeight, source.Get(), xSource, ySource, sourceWidth,
                                sourceHeight, m_transparentColor);
    }
    return ::StretchBlt(dc, xDest, yDest, destWidth, destHeight, source.Get(), xSource, ySource, sourceWidth,
                        sourceHeight, SRCCOPY);
}

BOOL CImage::Draw(HDC dc, const RECT& dest, const RECT& source) const
{
    return Draw(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.left, source.top,
                source.right - source.left, source.bottom - source.top);
}

BOOL CImage::Draw(HDC dc, int x, int y) const { return Draw(dc, x, y, m_width, m_height, 0, 0, m_width, m_height); }

BOOL CImage::AlphaBlend(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                        int sourceWidth, int sourceHeight, BYTE sourceAlpha, BYTE blendOp) const
{
    if (!m_bitmap || !dc) return FALSE;
    LentDc source(*this);
    BLENDFUNCTION blend{blendOp, 0, sourceAlpha, BYTE(m_hasAlpha ? AC_SRC_ALPHA : 0)};
    return ::AlphaBlend(dc, xDest, yDest, destWidth, destHeight, source.Get(), xSource, ySource, sourceWidth,
                        sourceHeight, blend);
}
