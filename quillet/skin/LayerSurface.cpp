#include "skin/LayerSurface.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

// The surfaces that exist, for the look-ups by graphics and by DC (one user-interface thread).
std::vector<LayerSurface*>& LiveSurfaces()
{
    static std::vector<LayerSurface*> surfaces;
    return surfaces;
}

}  // namespace

LayerSurface::LayerSurface(int width, int height) : m_width(std::max(width, 1)), m_height(std::max(height, 1))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dib.Attach(CreateDIBSection(m_dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
    if (!m_dib.GetSafeHandle()) return;
    m_selection.emplace(m_dc.SelectObject(m_dib));
    m_pixels = std::make_unique<Bitmap>(m_width, m_height, m_width * 4, PixelFormat32bppPARGB,
                                        static_cast<BYTE*>(m_bits));
    LiveSurfaces().push_back(this);
}

LayerSurface::~LayerSurface()
{
    auto& surfaces = LiveSurfaces();
    surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), this), surfaces.end());
    m_background.reset();
    m_frame.reset();
    m_pixels.reset();
}

Graphics& LayerSurface::BeginFrame()
{
    m_frame.reset();
    GdiFlush();
    if (m_bits) std::memset(m_bits, 0, std::size_t(m_width) * std::size_t(m_height) * 4);
    m_frame = m_pixels ? std::make_unique<Graphics>(m_pixels.get()) : std::make_unique<Graphics>(Dc());
    return *m_frame;
}

void LayerSurface::MakeOpaque(const RECT& rect)
{
    if (!m_bits) return;
    GdiFlush();
    const RECT area{std::max(0, int(rect.left)), std::max(0, int(rect.top)), std::min(m_width, int(rect.right)),
                    std::min(m_height, int(rect.bottom))};
    MakeOpaque(m_bits, m_width * 4, area);
}

void LayerSurface::MakeOpaque(void* origin, int pitch, const RECT& area)
{
    for (int y = area.top; y < area.bottom; ++y) {
        auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(origin) + std::ptrdiff_t(y) * pitch);
        for (int x = area.left; x < area.right; ++x) row[x] |= 0xFF000000;
    }
}

RECT LayerSurface::ChangedRows(const LayerSurface& previous) const
{
    const RECT whole{0, 0, m_width, m_height};
    if (previous.m_width != m_width || previous.m_height != m_height || !m_bits || !previous.m_bits) return whole;
    GdiFlush();
    const std::size_t stride = std::size_t(m_width) * 4;
    auto differs = [&](int y) {
        return std::memcmp(static_cast<const BYTE*>(m_bits) + stride * y,
                           static_cast<const BYTE*>(previous.m_bits) + stride * y, stride) != 0;
    };
    int top = 0, bottom = m_height;
    while (top < bottom && !differs(top)) ++top;
    while (bottom > top && !differs(bottom - 1)) --bottom;
    return top < bottom ? RECT{0, top, m_width, bottom} : RECT{};
}

LayerSurface* LayerSurface::FrameOwner(const Graphics& g)
{
    for (LayerSurface* surface : LiveSurfaces())
        if (surface->m_frame.get() == &g) return surface;
    return nullptr;
}

void LayerSurface::DrawOnto(Graphics& g, int x, int y) const { DrawOnto(g, x, y, RECT{0, 0, m_width, m_height}); }

void LayerSurface::DrawOnto(Graphics& g, int x, int y, const RECT& part) const
{
    const RECT area{std::max(0, int(part.left)), std::max(0, int(part.top)), std::min(m_width, int(part.right)),
                    std::min(m_height, int(part.bottom))};
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    if (HDC frame = FrameDc(g)) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(frame, x + area.left, y + area.top, width, height, Dc(), area.left, area.top, width, height,
                     blend);
        return;
    }
    if (m_pixels) {
        g.DrawImage(m_pixels.get(), Rect(x + area.left, y + area.top, width, height), area.left, area.top, width,
                    height, UnitPixel);
    }
}

void LayerSurface::CopyOnto(Graphics& g, int x, int y) const
{
    if (HDC frame = FrameDc(g)) {
        ::BitBlt(frame, x, y, m_width, m_height, Dc(), 0, 0, SRCCOPY);
        return;
    }
    if (!m_pixels) return;
    const CompositingMode mode = g.GetCompositingMode();
    g.SetCompositingMode(CompositingModeSourceCopy);
    g.DrawImage(m_pixels.get(), Rect(x, y, m_width, m_height), 0, 0, m_width, m_height, UnitPixel);
    g.SetCompositingMode(mode);
}

std::vector<RECT> LayerSurface::Bands() const
{
    std::vector<RECT> bands;
    if (!m_bits) return bands;
    GdiFlush();
    for (int y = 0; y < m_height; ++y) {
        const auto* row = static_cast<const DWORD*>(m_bits) + std::size_t(y) * std::size_t(m_width);
        int left = 0, right = m_width;
        while (left < right && (row[left] >> 24) == 0) ++left;
        while (right > left && (row[right - 1] >> 24) == 0) --right;
        if (left == right) continue;
        if (!bands.empty() && bands.back().bottom == y) {
            RECT& band = bands.back();
            band = RECT{std::min(int(band.left), left), band.top, std::max(int(band.right), right), y + 1};
        } else {
            bands.push_back(RECT{left, y, right, y + 1});
        }
    }
    return bands;
}

HDC LayerSurface::FrameDc(const Graphics& g)
{
    LayerSurface* frame = FrameOwner(g);
    if (!frame) return nullptr;
    GdiFlush();
    return frame->Dc();
}

Graphics& LayerSurface::BackgroundOf(Graphics& g)
{
    LayerSurface* frame = FrameOwner(g);
    if (!frame) return g;
    if (!frame->m_background) frame->m_background = std::make_unique<Graphics>(frame->Dc());
    // What GDI+ wrote through the bitmap is already in the DIB; only GDI's own batch may lag.
    GdiFlush();
    return *frame->m_background;
}

std::unique_ptr<Graphics> LayerSurface::GraphicsOn(HDC dc)
{
    for (LayerSurface* surface : LiveSurfaces()) {
        if (surface->Dc() != dc || !surface->m_pixels) continue;
        // GDI may still hold drawing of its own for these pixels.
        GdiFlush();
        return std::make_unique<Graphics>(surface->m_pixels.get());
    }
    return std::make_unique<Graphics>(dc);
}
