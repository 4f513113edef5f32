#include "skin/CxDlg.h"

#include "skin/LayerSurface.h"

#include "framework/Gdi.h"

#include <algorithm>
#include <climits>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxDlg, CDialog)

namespace {

constexpr int kCaptionHeight = 24;
// The frame's top band, side columns and bottom band (the pieces from row h - 9 reach one row past the window).
constexpr int kTopBand = 24;
constexpr int kSideColumn = 10;
constexpr int kBottomBand = 9;

}  // namespace

CxDlg::CxDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CxDlg::~CxDlg()
{
    // Images read their stream lazily: dispose of the frame before the CxWnd part frees the streams.
    frameImage.reset();
    DestroyWindow();
}

void CxDlg::SetAtt(UINT id, const wchar_t* type, HINSTANCE module)
{
    Load(this);
    frameImage = ImageFrom(LoadRes(id, type, module));
    frameLayer.reset();
}

LRESULT CxDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCHITTEST:
        return OnNcHitTest(CPoint(lParam));
    case WM_ERASEBKGND:
        return OnEraseBkgnd(nullptr);
    case WM_NCPAINT:
        return 0;
    case WM_SHOWWINDOW:
    case WM_SIZE:
        // What the system keeps of a hidden, minimised or resized layered window is not relied on: the next frame
        // goes whole (a place where no frame went makes it so).
        shownAt = CPoint(INT_MIN, INT_MIN);
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

BOOL CxDlg::OnEraseBkgnd(CDC*)
{
    Update();
    return TRUE;
}

LRESULT CxDlg::OnNcHitTest(CPoint point)
{
    ScreenToClient(&point);
    if (point.y < kCaptionHeight) return HTCAPTION;
    return Default();
}

CRect CxDlg::OnScreenWindowRect()
{
    CRect rect;
    GetWindowRect(&rect);
    if (rect.left < 0 || rect.top < 0) {
        MoveWindow(std::max(0, int(rect.left)), std::max(0, int(rect.top)), rect.Width(), rect.Height(), FALSE);
        GetWindowRect(&rect);
    }
    return rect;
}

void CxDlg::Update()
{
    if (!IsWindowVisible() || updating) return;
    updating = 1;
    CRect rect = OnScreenWindowRect();
    // The frame shown last stays beside the one drawn now, so that only the rows that changed go to the system.
    std::swap(surface, shown);
    if (!surface || surface->Width() != rect.Width() || surface->Height() != rect.Height())
        surface = std::make_unique<LayerSurface>(rect.Width(), rect.Height());
    Graphics& g = surface->BeginFrame();
    composing = &g;
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    DrawBgm(g);
    DrawWnd(g);
    DrawUtl(g);
    composing = nullptr;
    RECT dirty{0, 0, rect.Width(), rect.Height()};
    // The constant alpha is applied as the pixels go: a new one needs them all.
    if (shown && rect.left == shownAt.x && rect.top == shownAt.y && blend.SourceConstantAlpha == shownAlpha) {
        dirty = surface->ChangedRows(*shown);
        // The system still shows these very pixels.
        if (::IsRectEmpty(&dirty)) {
            updating = 0;
            return;
        }
    }
    CWindowDC windowDc(this);
    POINT destination{rect.left, rect.top};
    SIZE size{rect.Width(), rect.Height()};
    POINT source{0, 0};
    const UPDATELAYEREDWINDOWINFO info{sizeof(info), windowDc.GetSafeHdc(), &destination, &size, surface->Dc(),
                                       &source, 0, &blend, ULW_ALPHA, &dirty};
    ::UpdateLayeredWindowIndirect(m_hWnd, &info);
    shownAt = rect.TopLeft();
    shownAlpha = blend.SourceConstantAlpha;
    updating = 0;
}

void CxDlg::DrawBgm(Graphics& g)
{
    if (!frameImage) return;
    CRect rect;
    GetWindowRect(&rect);
    const int w = rect.Width(), h = rect.Height();
    if (&g != composing) {
        DrawFramePieces(g, w, h);
        return;
    }
    if (!frameLayer || frameLayer->Width() != w || frameLayer->Height() != h) {
        frameLayer = std::make_unique<LayerSurface>(w, h);
        DrawFramePieces(frameLayer->BeginFrame(), w, h);
    }
    // Only the border strips hold frame pixels: blending the transparent inside too would cost as much again.
    frameLayer->DrawOnto(g, 0, 0, RECT{0, 0, w, kTopBand});
    frameLayer->DrawOnto(g, 0, 0, RECT{0, h - kBottomBand, w, h});
    frameLayer->DrawOnto(g, 0, 0, RECT{0, kTopBand, kSideColumn, h - kBottomBand});
    frameLayer->DrawOnto(g, 0, 0, RECT{w - kSideColumn, kTopBand, w, h - kBottomBand});
}

void CxDlg::DrawFramePieces(Graphics& g, int w, int h)
{
    struct Piece {
        Rect destination;
        Rect source;
    };
    // The frame skin is laid out for 159 x 336 pixels: caption corners and a one-pixel caption column
    // on top, ten-pixel side columns, and a bottom band from source row 327.
    const Piece pieces[] = {
        {{0, 0, 15, 24}, {0, 0, 15, 24}},
        {{15, 0, w - 40, 24}, {15, 0, 1, 24}},
        {{w - 25, 0, 27, 24}, {134, 0, 27, 24}},
        {{0, 24, 10, h - 33}, {0, 15, 10, 1}},
        {{w - 10, 24, 10, h - 33}, {149, 15, 10, 1}},
        {{0, h - 9, 10, 10}, {0, 327, 10, 10}},
        {{w - 10, h - 9, 10, 10}, {149, 327, 10, 10}},
        {{10, h - 9, w - 20, 8}, {10, 327, 1, 8}},
    };
    for (const Piece& piece : pieces) {
        g.DrawImage(frameImage.get(), piece.destination, piece.source.X, piece.source.Y, piece.source.Width,
                    piece.source.Height, UnitPixel);
    }
}

void CxDlg::DrawWnd(Graphics&) {}

void CxDlg::DrawUtl(Graphics& g)
{
    CString title = GetWindowText();
    FontFamily family(L"Arial");
    Font font(&family, 8.0f, FontStyleRegular, UnitPoint);
    SolidBrush brush(Color(0xFF000000));
    g.DrawString(title, title.GetLength(), &font, PointF(10.0f, 10.0f), &brush);
}
