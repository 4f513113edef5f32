#pragma once
// A 32-bit top-down DIB section selected into a memory DC, with a GDI+ bitmap over the same pixels in
// premultiplied ARGB, which is what UpdateLayeredWindow expects. GDI+ draws through the bitmap: Wine's GDI+ blends
// bitmap to bitmap many times faster than onto a DC, where every image and string goes through a temporary DIB
// and AlphaBlend. GDI draws, and controls read the pixels under them, through the DC.
#include "QuilletApi.h"

#include "framework/Gdi.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <vector>

class QUILLET_API LayerSurface {
public:
    LayerSurface(int width, int height);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    HDC Dc() const { return m_dc.GetSafeHdc(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixels as a GDI+ bitmap; null when the DIB could not be made.
    Gdiplus::Bitmap* Pixels() const { return m_pixels.get(); }
    // Clears every pixel to transparent and returns a fresh graphics drawing into the pixels; it lives until the
    // next call.
    Gdiplus::Graphics& BeginFrame();
    // Sets the alpha byte of every pixel in rect, where GDI drawing leaves it at 0.
    void MakeOpaque(const RECT& rect);
    // The same for any 32-bit pixels: origin is the address of pixel (0, 0), pitch the bytes from one row to the
    // next (negative for bottom-up rows); area must lie inside the pixels.
    static void MakeOpaque(void* origin, int pitch, const RECT& area);
    // The rows whose pixels differ from those of previous, a surface of the same size, across the whole width;
    // empty when none do, the whole surface when the sizes differ.
    RECT ChangedRows(const LayerSurface& previous) const;
    // Blends the pixels over g with their top-left corner at (x, y): through the DCs when g draws into a surface
    // (Wine's GDI blends several times faster than its GDI+), else with GDI+.
    void DrawOnto(Gdiplus::Graphics& g, int x, int y) const;
    // The same for the part of the pixels in part (clipped to them), which lands at (x + part.left, y + part.top).
    void DrawOnto(Gdiplus::Graphics& g, int x, int y, const RECT& part) const;

    // Puts the pixels onto g with their top-left corner at (x, y), replacing those under them: what DrawOnto gives
    // over transparent pixels, at the cost of a copy.
    void CopyOnto(Gdiplus::Graphics& g, int x, int y) const;
    // The runs of rows holding any pixel that is not fully transparent, each as wide as its pixels reach.
    std::vector<RECT> Bands() const;

    // The DC over the pixels of the surface whose frame g is, GDI's batch flushed; null for any other graphics.
    static HDC FrameDc(const Gdiplus::Graphics& g);

    // What a control composed onto g reads the pixels under it from: a graphics on the DC of the surface whose
    // frame g is (the DC then holds the very pixels composed so far), else g itself.
    static Gdiplus::Graphics& BackgroundOf(Gdiplus::Graphics& g);
    // A graphics drawing into dc: over the pixels of the surface whose DC it is (the DC's clip region and origin
    // then do not apply), else on the DC itself.
    static std::unique_ptr<Gdiplus::Graphics> GraphicsOn(HDC dc);

private:
    // The surface whose frame g is; null for any other graphics.
    static LayerSurface* FrameOwner(const Gdiplus::Graphics& g);

    CMemoryDC m_dc;
    CBitmap m_dib;
    std::optional<CSelectionGuard> m_selection;
    void* m_bits = nullptr;
    int m_width;
    int m_height;
    std::unique_ptr<Gdiplus::Bitmap> m_pixels;
    std::unique_ptr<Gdiplus::Graphics> m_frame;
    std::unique_ptr<Gdiplus::Graphics> m_background;
};
