#include "controls/CxSplitter.h"

#include "controls/ControlPaint.h"

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxSplitter, CButton)

CxSplitter::~CxSplitter() { gripImage.Destroy(); }

void CxSplitter::SetAtt(IStream* grip)
{
    gripImage.Load(grip);
    Load(this);
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    MoveWindow(r.X - thick, r.Y - thick, gripImage.IsNull() ? r.Width : gripImage.GetWidth(), r.Height, FALSE);
    Redraw(0, nullptr);
    cursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
}

LRESULT CxSplitter::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(UINT(wParam), PointFrom(lParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_SETCURSOR:
        return OnSetCursor();
    }
    return CButton::WindowProc(msg, wParam, lParam);
}

LRESULT CxSplitter::OnLButtonDown(UINT, CPoint point)
{
    dragX = point.x;
    SetCapture();
    return Default();
}

LRESULT CxSplitter::OnLButtonUp(UINT, CPoint)
{
    ReleaseCapture();
    return Default();
}

LRESULT CxSplitter::OnMouseMove(UINT, CPoint point)
{
    if (GetKeyState(VK_LBUTTON) < 0) {
        int dx = point.x - dragX;
        HWND parent = ::GetParent(m_hWnd);
        LRESULT accepted = parent ? ::SendMessageW(parent, WM_USER, reinterpret_cast<WPARAM>(this), LPARAM(dx)) : 0;
        if (accepted) {
            offset += dx;
            // The bar follows the pointer, so the next point.x - dragX is again the step since this one.
            Move(dx, 0, 0, 0);
        } else if (GetCapture() == this) {
            ReleaseCapture();
        }
        Redraw(1, nullptr);
    }
    return Default();
}

BOOL CxSplitter::OnSetCursor()
{
    ::SetCursor(cursor);
    return TRUE;
}

void CxSplitter::DrawImage(Graphics& target, Graphics&, RectF& area)
{
    std::unique_ptr<Bitmap> grip = ControlPaint::BitmapOver(gripImage);
    if (!grip) return;
    const INT w = gripImage.GetWidth(), h = gripImage.GetHeight(), height = INT(area.Height);
    // Exact pixel copies: no smoothing between the stretched row and its neighbours.
    target.SetInterpolationMode(InterpolationModeNearestNeighbor);
    target.SetPixelOffsetMode(PixelOffsetModeHalf);
    target.DrawImage(grip.get(), Rect(0, 0, w, height), 0, h - 1, w, 1, UnitPixel);
    target.DrawImage(grip.get(), Rect(0, (height - h) / 2, w, h), 0, 0, w, h, UnitPixel);
}
