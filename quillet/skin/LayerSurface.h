#pragma once
// A 32-bit top-down DIB section in a memory DC, with a GDI+ bitmap over the same pixels in
// premultiplied ARGB: what GDI+ draws is exactly what UpdateLayeredWindow expects.
#include "framework/Gdi.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <optional>

class LayerSurface {
public:
    LayerSurface(int width, int height);
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    HDC Dc() const { return m_dc.GetSafeHdc(); }
    Gdiplus::Bitmap* Bitmap() const { return m_bitmap.get(); }

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc;
    CBitmap m_dib;
    std::optional<CSelectionGuard> m_selection;
    std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
};
