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
    m_dib.Attach(CreateDIBSection(m_dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_dib.GetSafeHandle()) return;
    m_selection.emplace(m_dc.SelectObject(m_dib));
    m_bitmap = std::make_unique<Gdiplus::Bitmap>(m_width, m_height, m_width * 4, PixelFormat32bppPARGB,
                                                 static_cast<BYTE*>(bits));
}
