#pragma once
// A 32-bit top-down DIB section in a memory DC, with a GDI+ bitmap over the same pixels in
// premultiplied ARGB: what GDI+ draws is exactly what UpdateLayeredWindow expects.
#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

class LayerSurface {
public:
    LayerSurface(int width, int height);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    HDC Dc() const { return m_dc; }
    Gdiplus::Bitmap* Bitmap() const { return m_bitmap.get(); }
    // The premultiplied BGRA pixel at (x, y); 0 outside the surface.
    DWORD Pixel(int x, int y) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
};
