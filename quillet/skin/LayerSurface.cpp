#include "skin/LayerSurface.h"

#include <algorithm>

LayerSurface::LayerSurface(int width, int height) : m_width(std::max(width, 1)), m_height(std::max(height, 1))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_dib = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    if (m_dc && m_dib) m_previous = SelectObject(m_dc, m_dib);
    if (m_bits) {
        m_bitmap = std::make_unique<Gdiplus::Bitmap>(m_width, m_height, m_width * 4, PixelFormat32bppPARGB,
                                                     reinterpret_cast<BYTE*>(m_bits));
    }
}

LayerSurface::~LayerSurface()
{
    m_bitmap.reset();
    if (m_previous) SelectObject(m_dc, m_previous);
    if (m_dib) DeleteObject(m_dib);
    if (m_dc) DeleteDC(m_dc);
}

DWORD LayerSurface::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_bits[size_t(y) * size_t(m_width) + size_t(x)];
}
