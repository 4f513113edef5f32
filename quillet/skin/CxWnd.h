#pragma once
// CxWnd: the drawing mix-in of every skinned control. It renders its control into a cached 32-bit
// ARGB bitmap (re-rendered only when dirty), composes it onto the parent, and owns skin resource streams.
#include "QuilletApi.h"
#include "framework/Wnd.h"
#include "skin/LayerSurface.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

class CDC;

class QUILLET_API CxWnd {
public:
    CxWnd() = default;
    // Releases the resource streams, then the cache.
    virtual ~CxWnd();
    CxWnd(const CxWnd&) = delete;
    CxWnd& operator=(const CxWnd&) = delete;

    // Paints the control's image into target (a graphics on the cache); background is the surface the
    // control will be composed onto, area the control's rectangle on it.
    virtual void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area);
    // Paints the control's text into target.
    virtual void DrawTextW(Gdiplus::Graphics& target, Gdiplus::RectF& area);
    // The control's rectangle in the parent's window frame (client position plus the parent's border).
    virtual Gdiplus::RectF GetRect();
    // Marks the cache dirty and gets the control repainted: recomposed by a layered parent (when notify
    // is set) or redrawn at once under an ordinary parent. wnd replaces the parent as the target.
    virtual void Redraw(int notify, CWnd* wnd);

    // Sets the window this object draws.
    void Load(CWnd* wnd) { window = wnd; }
    void SetTextColor(Gdiplus::Color c) { textColor = c.GetValue(); }
    Gdiplus::Color GetTextColor() const { return Gdiplus::Color(textColor); }
    void SetNcDraw(int on) { ncDraw = on; }
    // Asks for mouse tracking of the window (TrackMouseEvent) with the given TME_ flags.
    void GetLeaveMsg(DWORD flags);
    // The left border width of the parent window (0 for a borderless parent).
    int GetThick();
    // The rectangle with each value truncated toward zero.
    Gdiplus::Rect GetRect(Gdiplus::RectF r);
    // Moves and resizes by deltas, then Redraw(0, null). Nothing before the window is set.
    void Move(int dx, int dy, int dw, int dh);
    // Moves and resizes to values in the parent's window frame; -1 keeps a value. Then Redraw(0, null).
    // Nothing before the window is set.
    void MoveTo(int x, int y, int w, int h);
    // Composes the control onto g (the parent's composition surface or a graphics on its DC). Virtual, so that a
    // control made of several windows (a list with its header) is composed whole through a CxWnd pointer.
    virtual void DoDraw(Gdiplus::Graphics& g);
    // WM_ERASEBKGND of controls that also paint under an ordinary parent; always TRUE.
    BOOL OnEraseBkgnd(CDC* dc);

    // Loads a skin image resource into a memory stream owned by this object; null when missing.
    IStream* LoadRes(UINT id, const wchar_t* type, HINSTANCE module);
    // Finds a resource: its size, with *data pointing at its bytes in the module (not owned); 0 when missing
    // or when data is null.
    int LoadRes(UINT id, const wchar_t* type, BYTE** data, HINSTANCE module);
    // A GDI+ image read from stream (which must outlive it); null for a null stream.
    static std::unique_ptr<Gdiplus::Image> ImageFrom(IStream* stream);
    // Releases every stream and frees every memory block of this object.
    void FreeStream();

protected:
    // The left border width of a window: its client origin less its window origin, in screen pixels.
    static int BorderOf(HWND parent);
    // True when the parent window of `window` has the layered style.
    bool ParentIsLayered() const;
    // Renders DrawImage and DrawTextW into a fresh, fully transparent cache of the given size.
    void RenderCache(int width, int height, Gdiplus::Graphics& background, Gdiplus::RectF& area);
    // Composes the cache onto g, stretched over width x height at (x, y); unstretched onto a window's composition
    // through GDI, from a premultiplied copy made once per rendering (Wine's GDI blends faster than its GDI+).
    void ComposeCache(Gdiplus::Graphics& g, int x, int y, int width, int height);

    // One loaded resource: a stream over a locked copy of the bytes. The stream does not free the block.
    class ResourceStream {
    public:
        ResourceStream(IStream* stream, HGLOBAL block) : m_stream(stream), m_block(block) {}
        ~ResourceStream();
        ResourceStream(ResourceStream&& other) noexcept;
        ResourceStream(const ResourceStream&) = delete;
        ResourceStream& operator=(const ResourceStream&) = delete;
        ResourceStream& operator=(ResourceStream&&) = delete;

    private:
        IStream* m_stream;
        HGLOBAL m_block;
    };

    Gdiplus::ARGB textColor = 0xFF000000;
    std::unique_ptr<Gdiplus::Bitmap> cache;
    // The cache premultiplied, made when first composed through GDI after a rendering.
    std::unique_ptr<LayerSurface> blendable;
    int dirty = 1;
    int ncDraw = 1;
    CWnd* window = nullptr;
    std::vector<ResourceStream> streams;
};
