#pragma once
// CxSrlBar: paints skinned scroll bars over the standard scroll bars of a host control. The host keeps its
// native bars for input; this class only paints, from two bitmap atlases and a corner glyph, reading the
// host's scroll state and the cursor at each painting.
#include "QuilletApi.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

#include <objidl.h>
#include <gdiplus.h>

class QUILLET_API CxSrlBar {
public:
    // Three rectangles per bar; only secondButton (the lower arrow of the vertical bar) is ever computed.
    struct SrlBarInfo {
        RECT first;
        RECT secondButton;
        RECT third;
    };

    CxSrlBar() = default;
    virtual ~CxSrlBar() = default;
    CxSrlBar(const CxSrlBar&) = delete;
    CxSrlBar& operator=(const CxSrlBar&) = delete;

    // Takes the host window and loads the bitmap resources of the non-zero ids (vertical atlas, horizontal
    // atlas, corner glyph).
    void SetAtt(CWnd* host, UINT vertId, UINT horzId, UINT cornerId);

    // Paints the vertical bar into r (host window coordinates).
    virtual void DrawVertScrollBar(CDC* dc, CRect& r);
    // Paints the horizontal bar into r (host window coordinates).
    virtual void DrawHorzScrollBar(CDC* dc, CRect& r);
    // Paints whichever bars the host shows, below and right of its client area.
    virtual void DrawScrollBar(CDC* dc, CRect& windowRect, CRect& clientRect);
    // True when the host shows the bar: SB_HORZ (0) or SB_VERT (1); false for any other value.
    virtual BOOL IsScrollBarVisible(int bar);
    // Places the lower arrow button at the bottom of the vertical bar, above the horizontal bar when shown.
    virtual void GetSedBtnInfo(CRect& bar);

    // The record of SB_HORZ (0) or SB_VERT (1); null for other values.
    SrlBarInfo* GetScrollBarInfo(int bar);
    // Paints the bars on the host's whole-window device context, for hosts that paint their own frame.
    void OnNcPaint();
    // Paints the bars into dc, whose origin is the host window's top-left corner.
    void DrawBar(CDC& dc);
    // Paints the bars, opaque, into a host's 32-bit ARGB cache whose origin is the host window's top-left.
    void DrawBar(Gdiplus::Graphics& target);

protected:
    CBitmap vertAtlas;
    CBitmap horzAtlas;
    CBitmap cornerGlyph;
    SCROLLINFO scrollInfo{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    CWnd* owner = nullptr;
    SrlBarInfo vertInfo{};
    SrlBarInfo horzInfo{};

private:
    // The cursor in host client coordinates, and the host's scroll state of bar read into scrollInfo.
    CPoint ReadState(int bar);
    void WindowAndClient(CRect& window, CRect& client) const;
};
