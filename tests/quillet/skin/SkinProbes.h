#pragma once
// Windows that record what the skin classes do to them.
#include "common/TestSupport.h"
#include "skin/CxWnd.h"

// A skinned control that fills its area with one colour and counts its renderings.
class ProbeControl : public CWnd, public CxWnd {
public:
    explicit ProbeControl(Gdiplus::ARGB colour = 0xFF2080C0) : m_colour(colour) {}

    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics&, Gdiplus::RectF& area) override
    {
        ++renders;
        Gdiplus::SolidBrush brush{Gdiplus::Color(m_colour)};
        target.FillRectangle(&brush, 0.0f, 0.0f, area.Width, area.Height);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_PAINT) ++paints;
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    // Creates the control as a visible child at the given client rectangle and attaches the skin part.
    bool CreateIn(CWnd& parent, const CRect& rect, UINT id = 1)
    {
        if (!Create(L"STATIC", L"", WS_VISIBLE, rect, &parent, id)) return false;
        Load(this);
        return true;
    }

    int IsDirty() const { return dirty; }
    size_t StreamCount() const { return streams.size(); }
    int renders = 0;
    int paints = 0;

private:
    Gdiplus::ARGB m_colour;
};

// A top-level window that counts WM_ERASEBKGND; optionally layered, optionally with a 3-pixel frame.
class CountingParent : public CWnd {
public:
    bool Open(bool layered, int border = 0)
    {
        m_border = border;
        return CreateEx(layered ? WS_EX_LAYERED : 0, nullptr, L"parent", WS_POPUP | WS_VISIBLE,
                        CRect(40, 40, 340, 240), nullptr, 0);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_ERASEBKGND) ++erases;
        if (msg == WM_NCCALCSIZE && m_border) {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            InflateRect(rect, -m_border, -m_border);
            return 0;
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    int erases = 0;

private:
    int m_border = 0;
};
