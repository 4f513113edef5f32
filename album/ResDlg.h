#pragma once
// CResDlg: album's dialog frame: the skinned frame, a tiled texture inside it and a close button at the top right.
#include "skin/CxDlg.h"
#include "skin/LayerSurface.h"

#include "controls/CxBtn.h"
#include "framework/Gdi.h"

#include <initializer_list>
#include <memory>

class CResDlg : public CxDlg {
public:
    explicit CResDlg(UINT templateId, CWnd* parent = nullptr);

    // Skins the frame, loads the texture, creates the close button and makes the window layered.
    BOOL OnInitDialog() override;
    // Draws the frame, the texture inside it (both replacing what g held) and the close button.
    void DrawBgm(Gdiplus::Graphics& g) override;

    // Routes WM_SIZE and WM_DESTROY to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Keeps the close button at its place from the right edge.
    LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam);
    // Releases the texture's brush and image.
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Composes each control onto g, in the order given.
    static void DrawControls(Gdiplus::Graphics& g, std::initializer_list<CxWnd*> controls);

    CBitmap textureBitmap;
    std::unique_ptr<Gdiplus::Bitmap> textureImage;
    std::unique_ptr<Gdiplus::TextureBrush> textureBrush;
    CxBmpBtn closeButton;

private:
    // The frame and the texture drawn once for the window's size: the tiled texture alone costs Wine's GDI+ more
    // than the rest of a composition.
    std::unique_ptr<LayerSurface> backdrop;

    // Moves the close button 23 pixels from the right edge and 11 from the top, and recomposes it.
    void PlaceCloseButton();
};
