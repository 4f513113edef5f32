#pragma once
// A 32-bit top-down DIB section selected into a memory DC: GDI+ draws into it with premultiplied alpha,
// which is what UpdateLayeredWindow expects. Drawing through the DC (rather than a GDI+ bitmap over the
// same bits) lets controls read the pixels under them from the composition's DC.
#include "framework/Gdi.h"

#include <optional>

class LayerSurface {
public:
    LayerSurface(int width, int height);
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    HDC Dc() const { return m_dc.GetSafeHdc(); }

private:
    CMemoryDC m_dc;
    CBitmap m_dib;
    std::optional<CSelectionGuard> m_selection;
};
