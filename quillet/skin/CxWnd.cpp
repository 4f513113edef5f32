#include "skin/CxWnd.h"

#include "skin/LayerSurface.h"

#include "framework/Gdi.h"

#include <cstring>
#include <utility>

using namespace Gdiplus;

CxWnd::ResourceStream::~ResourceStream()
{
    if (m_stream) m_stream->Release();
    if (m_block) {
        GlobalUnlock(m_block);
        GlobalFree(m_block);
    }
}

CxWnd::ResourceStream::ResourceStream(ResourceStream&& other) noexcept
    : m_stream(std::exchange(other.m_stream, nullptr)), m_block(std::exchange(other.m_block, nullptr))
{
}

CxWnd::~CxWnd()
{
    FreeStream();
    blendable.reset();
    cache.reset();
}

void CxWnd::DrawImage(Graphics&, Graphics&, RectF&) {}

void CxWnd::DrawTextW(Graphics&, RectF&) {}

void CxWnd::GetLeaveMsg(DWORD flags)
{
    TRACKMOUSEEVENT track{sizeof(track), flags, window ? window->m_hWnd : nullptr, 0};
    TrackMouseEvent(&track);
}

int CxWnd::GetThick() { return window ? BorderOf(::GetParent(window->m_hWnd)) : 0; }

int CxWnd::BorderOf(HWND parent)
{
    if (!parent) return 0;
    POINT clientOrigin{0, 0};
    ::ClientToScreen(parent, &clientOrigin);
    RECT frame{};
    ::GetWindowRect(parent, &frame);
    return clientOrigin.x - frame.left;
}

RectF CxWnd::GetRect()
{
    if (!window) return {};
    int thick = GetThick();
    RECT rect{};
    ::GetWindowRect(window->m_hWnd, &rect);
    MapWindowPoints(nullptr, ::GetParent(window->m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return RectF(REAL(rect.left + thick), REAL(rect.top + thick), REAL(rect.right - rect.left),
                 REAL(rect.bottom - rect.top));
}

Rect CxWnd::GetRect(RectF r) { return Rect(INT(r.X), INT(r.Y), INT(r.Width), INT(r.Height)); }

void CxWnd::Move(int dx, int dy, int dw, int dh)
{
    if (!window) return;
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    ::MoveWindow(window->m_hWnd, r.X + dx - thick, r.Y + dy - thick, r.Width + dw, r.Height + dh, FALSE);
    Redraw(0, nullptr);
}

void CxWnd::MoveTo(int x, int y, int w, int h)
{
    if (!window) return;
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    ::MoveWindow(window->m_hWnd, (x == -1 ? r.X : x) - thick, (y == -1 ? r.Y : y) - thick, w == -1 ? r.Width : w,
                 h == -1 ? r.Height : h, FALSE);
    Redraw(0, nullptr);
}

namespace {

bool IsLayered(HWND hwnd) { return hwnd && (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED); }

}  // namespace

bool CxWnd::ParentIsLayered() const { return window && IsLayered(::GetParent(window->m_hWnd)); }

void CxWnd::Redraw(int notify, CWnd* wnd)
{
    dirty = 1;
    HWND target = wnd ? wnd->m_hWnd : window ? ::GetParent(window->m_hWnd) : nullptr;
    if (!IsLayered(target)) {
        if (window) ::RedrawWindow(window->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }
    if (notify) ::SendMessageW(target, WM_ERASEBKGND, 0, 0);
}

void CxWnd::RenderCache(int width, int height, Graphics& background, RectF& area)
{
    // A new bitmap in 32bpp ARGB starts fully transparent; one of the same size is cleared instead, which spares
    // the fresh pages of a new one.
    const bool reuse = cache && INT(cache->GetWidth()) == width && INT(cache->GetHeight()) == height;
    if (!reuse) cache = std::make_unique<Bitmap>(width, height, PixelFormat32bppARGB);
    Graphics target(cache.get());
    if (reuse) target.Clear(Color(0, 0, 0, 0));
    target.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    DrawImage(target, LayerSurface::BackgroundOf(background), area);
    DrawTextW(target, area);
    blendable.reset();
    dirty = 0;
}

void CxWnd::ComposeCache(Graphics& g, int x, int y, int width, int height)
{
    if (!cache) return;
    const INT cacheWidth = INT(cache->GetWidth()), cacheHeight = INT(cache->GetHeight());
    if (width != cacheWidth || height != cacheHeight || !LayerSurface::FrameDc(g)) {
        g.DrawImage(cache.get(), REAL(x), REAL(y), REAL(width), REAL(height));
        return;
    }
    if (!blendable) {
        blendable = std::make_unique<LayerSurface>(width, height);
        blendable->BeginFrame().DrawImage(cache.get(), 0, 0, width, height);
    }
    blendable->DrawOnto(g, x, y);
}

void CxWnd::DoDraw(Graphics& g)
{
    if (!window || !::IsWindowVisible(window->m_hWnd)) return;
    RectF area = GetRect();
    if (ParentIsLayered()) {
        if (dirty || !cache) RenderCache(INT(area.Width), INT(area.Height), g, area);
        ComposeCache(g, INT(area.X), INT(area.Y), INT(area.Width), INT(area.Height));
        return;
    }
    RECT client{};
    ::GetClientRect(window->m_hWnd, &client);
    if (dirty || !cache) RenderCache(client.right, client.bottom, g, area);
    ComposeCache(g, INT(area.X), INT(area.Y), client.right, client.bottom);
}

BOOL CxWnd::OnEraseBkgnd(CDC*)
{
    if (!window || ParentIsLayered()) return TRUE;
    CWnd* parent = window->GetParent();
    if (!parent) return TRUE;
    CClientDC dc(parent);
    Graphics g(dc.GetSafeHdc());
    DoDraw(g);
    return TRUE;
}

IStream* CxWnd::LoadRes(UINT id, const wchar_t* type, HINSTANCE module)
{
    if (!module) module = AfxGetResourceHandle();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!resource) return nullptr;
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return nullptr;

    HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (!block) return nullptr;
    memcpy(GlobalLock(block), bytes, size);  // a fixed block locks to its own address
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream))) {
        GlobalUnlock(block);
        GlobalFree(block);
        return nullptr;
    }
    streams.emplace_back(stream, block);
    return stream;
}

int CxWnd::LoadRes(UINT id, const wchar_t* type, BYTE** data, HINSTANCE module)
{
    if (!data) return 0;
    if (!module) module = AfxGetResourceHandle();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!resource) return 0;
    HGLOBAL loaded = LoadResource(module, resource);
    *data = static_cast<BYTE*>(loaded ? LockResource(loaded) : nullptr);
    return int(SizeofResource(module, resource));
}

std::unique_ptr<Image> CxWnd::ImageFrom(IStream* stream)
{
    return stream ? std::make_unique<Image>(stream) : nullptr;
}

void CxWnd::FreeStream() { streams.clear(); }
