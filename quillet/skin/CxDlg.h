#pragma once
// CxDlg: the skinned layered dialog. Composes frame, children and title into one 32-bit premultiplied
// image handed to UpdateLayeredWindow; its top 24-pixel band drags the window.
#include "skin/CxWnd.h"

#include "framework/Dialog.h"

class LayerSurface;

class QUILLET_API CxDlg : public CDialog, public CxWnd {
    DECLARE_DYNAMIC(CxDlg)
public:
    CxDlg(UINT templateId, CWnd* parent);
    ~CxDlg() override;

    // Takes the frame skin from a resource of the given module (null: the program's resources).
    void SetAtt(UINT id, const wchar_t* type, HINSTANCE module);
    // Non-zero suspends every composition until SetRedraw(0) (the caller then calls Update).
    void SetRedraw(int redraw) { updating = redraw; }

    // Composes the whole window and hands it to the system; nothing while invisible or suspended.
    virtual void Update();
    // Draws the frame from the frame skin in eight pieces (onto the window's composition from a layer drawn once per
    // window size).
    virtual void DrawBgm(Gdiplus::Graphics& g);
    // Paints the client area and composes the skinned children; empty here.
    virtual void DrawWnd(Gdiplus::Graphics& g);
    // Draws the window text ("Arial" 8 pt, black) at (10, 10).
    virtual void DrawUtl(Gdiplus::Graphics& g);

    void DoDataExchange(CDataExchange*) override {}
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Recomposes the window (where every Redraw(1, null) of a child ends); always TRUE.
    BOOL OnEraseBkgnd(CDC* dc);
    // The top 24 client pixels act as the caption.
    LRESULT OnNcHitTest(CPoint point);

protected:
    int updating = 0;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    std::unique_ptr<Gdiplus::Image> frameImage;

private:
    // The window rectangle, after moving the window back on screen when its left or top is negative.
    CRect OnScreenWindowRect();
    // Draws the eight frame pieces for a w x h window onto g.
    void DrawFramePieces(Gdiplus::Graphics& g, int w, int h);

    // The composition's pixels, kept from one Update to the next while the window keeps its size, and the frame
    // handed to the system last with the place and constant alpha it went with.
    std::unique_ptr<LayerSurface> surface;
    std::unique_ptr<LayerSurface> shown;
    CPoint shownAt;
    BYTE shownAlpha = 0;
    // The graphics of the composition being drawn; null between compositions.
    Gdiplus::Graphics* composing = nullptr;
    // The frame pieces as drawn for the window's size.
    std::unique_ptr<LayerSurface> frameLayer;
};
