#pragma once
// CImage: an owned device-independent bitmap that knows how it is to be drawn.
#include "FrameworkApi.h"

#include <objidl.h>

// A DIB section of 24 or 32 bits per pixel (32 with a premultiplied alpha channel when its source has alpha).
// Its kind decides how Draw puts it on a device context: per-pixel alpha blending for an image with an
// alpha channel, colour-key transparency for one with a transparent colour, otherwise a plain copy.
// Move-only; GetDC/ReleaseDC lend a memory device context with the bitmap selected.
class FW_API CImage {
public:
    // Create flag: the 32-bit image carries an alpha channel.
    enum : DWORD { createAlphaChannel = 0x01 };

    CImage() = default;
    virtual ~CImage();
    CImage(CImage&& other) noexcept;
    CImage& operator=(CImage&& other) noexcept;
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // A new all-zero top-down image of 24 or 32 bits per pixel, replacing the one held so far.
    BOOL Create(int width, int height, int bitsPerPixel, DWORD flags = 0);
    // Decodes a PNG, BMP, GIF, TIFF or JPEG stream from its current position with GDI+ (started for the call);
    // sources with alpha (PNG/TIFF alpha, GIF transparency) become 32-bit images with an alpha channel.
    BOOL Load(IStream* stream);
    // Loads a bitmap resource as a DIB section. A 32-bit bitmap whose alpha bytes are not all zero is taken as
    // straight alpha, premultiplied and marked as having an alpha channel.
    BOOL LoadFromResource(HINSTANCE module, UINT id);
    BOOL LoadFromResource(HINSTANCE module, const wchar_t* name);
    // Takes ownership of a bitmap (a 32-bit DIB section with non-zero alpha bytes counts as premultiplied alpha).
    BOOL Attach(HBITMAP bitmap);
    // Gives up ownership; a lent device context must have been released.
    HBITMAP Detach();
    // Deletes the bitmap.
    void Destroy();

    bool IsNull() const { return m_bitmap == nullptr; }
    HBITMAP Get() const { return m_bitmap; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBPP() const { return m_bitsPerPixel; }
    // Bytes from one row to the next below it (negative for a bottom-up DIB); 0 for a device-dependent bitmap.
    int GetPitch() const { return m_pitch; }
    // Address of the top-left pixel; null for a device-dependent bitmap.
    void* GetBits() const { return m_bits; }
    void* GetPixelAddress(int x, int y) const;
    bool IsDIBSection() const { return m_bits != nullptr; }
    bool HasAlphaChannel() const { return m_hasAlpha; }

    // The colour that colour-key drawing leaves out (CLR_INVALID for none); returns the previous one.
    COLORREF SetTransparentColor(COLORREF color);
    COLORREF GetTransparentColor() const { return m_transparentColor; }

    // A memory device context with the bitmap selected; every GetDC needs its ReleaseDC.
    HDC GetDC() const;
    void ReleaseDC() const;

    // Colour of a pixel (premultiplied for an alpha image); CLR_INVALID outside the image.
    COLORREF GetPixel(int x, int y) const;
    // Sets a pixel to an opaque colour; nothing outside the image.
    void SetPixel(int x, int y, COLORREF color);

    // Draws the source rectangle into the destination rectangle the way the image's kind asks for.
    BOOL Draw(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
              int sourceWidth, int sourceHeight) const;
    BOOL Draw(HDC dc, const RECT& dest, const RECT& source) const;
    // The whole image at its own size.
    BOOL Draw(HDC dc, int x, int y) const;
    // AlphaBlend with a constant alpha, per-pixel alpha too when the image has an alpha channel.
    BOOL AlphaBlend(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                    int sourceWidth, int sourceHeight, BYTE sourceAlpha = 0xFF, BYTE blendOp = AC_SRC_OVER) const;

private:
    BOOL Adopt(HBITMAP bitmap, bool knownTopDown);
    void ReadBitmapInfo(bool knownTopDown);

    HBITMAP m_bitmap = nullptr;
    void* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    int m_pitch = 0;
    bool m_hasAlpha = false;
    COLORREF m_transparentColor = CLR_INVALID;
    mutable HDC m_dc = nullptr;
    mutable HGDIOBJ m_dcPrevious = nullptr;
    mutable int m_dcUses = 0;
};
