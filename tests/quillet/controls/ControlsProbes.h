#pragma once
// A layered skinned dialog that hosts the controls under test, records what they send to it, and renders
// them onto a surface that tests probe.
#include "ControlsTestIds.h"
#include "common/TestSupport.h"
#include "skin/CxDlg.h"

#include <algorithm>
#include <vector>

// Colours of the test skins.
namespace Skin {
// Frames 0-6 of the button strips.
inline const Gdiplus::ARGB kFrames[7] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                         0xFFFF00FF, 0xFF00FFFF, 0xFFFF8000};
constexpr Gdiplus::ARGB kIconHover = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kIconNormal = 0xFF000000;
constexpr Gdiplus::ARGB kBarLeftCap = 0xFFFF0000;
constexpr Gdiplus::ARGB kBarFilled = 0xFF00FF00;
constexpr Gdiplus::ARGB kBarEmpty = 0xFF0000FF;
constexpr Gdiplus::ARGB kBarRightCap = 0xFFFFFF00;
constexpr Gdiplus::ARGB kThumbNormal = 0xFF00C000;
constexpr Gdiplus::ARGB kThumbHot = 0xFFC00000;
constexpr Gdiplus::ARGB kPicture = 0xFF3060A0;
constexpr Gdiplus::ARGB kTemplateIcon = 0xFF20A040;
// The dialog background under the controls.
constexpr Gdiplus::ARGB kBackground = 0xFF808040;
}  // namespace Skin

class ControlsDialog : public CxDlg {
public:
    struct Command {
        WPARAM wParam;
        LPARAM lParam;
        int compositionsBefore;
    };
    struct Report {
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit ControlsDialog(UINT templateId = IDD_CONTROLS_DIALOG) : CxDlg(templateId, nullptr) {}

    // Opens the dialog layered at (50, 60), 300 x 200, shown without activation.
    bool Open()
    {
        if (!Create(m_templateId)) return false;
        ModifyStyleEx(0, WS_EX_LAYERED);
        MoveWindow(50, 60, 300, 200, FALSE);
        ShowWindow(SW_SHOWNOACTIVATE);
        return true;
    }
    void Compose(CxWnd& control) { composed.push_back(&control); }

    // Paints the test background under the controls, as a real dialog paints its panel.
    void DrawWnd(Gdiplus::Graphics& g) override
    {
        ++compositions;
        Gdiplus::SolidBrush background{Gdiplus::Color(Skin::kBackground)};
        g.FillRectangle(&background, 0, 0, 300, 200);
        for (CxWnd* control : composed) control->DoDraw(g);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND) commands.push_back({wParam, lParam, compositions});
        if (msg == WM_USER) reports.push_back({wParam, lParam});
        return CxDlg::WindowProc(msg, wParam, lParam);
    }

    // Composes control alone onto a fresh surface of the dialog's size over the test background.
    std::unique_ptr<Gdiplus::Bitmap> Render(CxWnd& control)
    {
        auto surface = std::make_unique<Gdiplus::Bitmap>(300, 200, PixelFormat32bppARGB);
        Gdiplus::Graphics g(surface.get());
        Gdiplus::SolidBrush background{Gdiplus::Color(Skin::kBackground)};
        g.FillRectangle(&background, 0, 0, 300, 200);
        control.DoDraw(g);
        return surface;
    }

    std::vector<CxWnd*> composed;
    std::vector<Command> commands;
    std::vector<Report> reports;
    int compositions = 0;
};

// A 300 x 200 DIB section in a memory DC, filled with one opaque colour. Wine's GDI+ gives a graphics on an
// alpha bitmap a blank stand-in DC, so only a graphics on a real DC lets the controls read the pixels under them.
class DcSurface {
public:
    explicit DcSurface(Gdiplus::ARGB colour)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_dib = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_previous = SelectObject(m_dc, m_dib);
        std::fill_n(static_cast<DWORD*>(bits), kWidth * kHeight, DWORD(colour));
    }
    ~DcSurface()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_dib);
        DeleteDC(m_dc);
    }
    DcSurface(const DcSurface&) = delete;
    DcSurface& operator=(const DcSurface&) = delete;
    HDC Dc() const { return m_dc; }

private:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;
    HDC m_dc = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// Renders control over a DC surface of colour, then composes its cache unchanged onto an opaque surface of
// another colour: the result shows what the cache holds, with the other colour where it is transparent.
inline std::unique_ptr<Gdiplus::Bitmap> CacheOver(CxWnd& control, Gdiplus::ARGB colour, Gdiplus::ARGB other)
{
    {
        DcSurface under(colour);
        Gdiplus::Graphics g(under.Dc());
        control.DoDraw(g);
    }
    auto surface = std::make_unique<Gdiplus::Bitmap>(300, 200, PixelFormat32bppARGB);
    Gdiplus::Graphics g(surface.get());
    Gdiplus::SolidBrush fill{Gdiplus::Color(other)};
    g.FillRectangle(&fill, 0, 0, 300, 200);
    control.DoDraw(g);
    return surface;
}

// The colour at (x, y) of a surface.
inline Gdiplus::ARGB PixelAt(Gdiplus::Bitmap& surface, int x, int y)
{
    Gdiplus::Color c;
    surface.GetPixel(x, y, &c);
    return c.GetValue();
}

// The client rectangle of a child in its parent.
inline CRect ChildRect(const CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    child.GetParent()->ScreenToClient(&rect);
    return rect;
}

// Puts the cursor on a point of a window's client area.
inline void PutCursor(const CWnd& wnd, CPoint point)
{
    wnd.ClientToScreen(&point);
    SetCursorPos(point.x, point.y);
}

// True when two colours differ by at most tolerance in every channel.
inline bool Near(Gdiplus::ARGB a, Gdiplus::ARGB b, int tolerance = 8)
{
    for (int shift = 0; shift < 32; shift += 8) {
        int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) return false;
    }
    return true;
}
