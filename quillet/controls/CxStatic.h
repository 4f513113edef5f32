#pragma once
// CxStatic: a static control's text drawn with GDI+ over the real background of its parent, in the
// control's alignment. CxPic: a static control showing one picture at its natural size.
#include "skin/CxWnd.h"

#include "framework/Controls.h"
#include "framework/Gdi.h"

#include <memory>

class QUILLET_API CxStatic : public CStatic, public CxWnd {
    DECLARE_DYNAMIC(CxStatic)
public:
    CxStatic() = default;
    // Deletes the drawing font.
    ~CxStatic() override;

    // Attaches the skin part and takes the drawing font from the window's font.
    void PreSubclassWindow() override;
    // Replaces the drawing font with a GDI+ copy of font (null: the control DC's font); the window's own
    // GDI font is not changed. No redraw.
    void SetFont(CFont* font);

    // Copies the background under the control, then draws the text.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    // Draws the window text at the top, left, centred or right-aligned as the style says (SS_CENTER, SS_RIGHT).
    void DrawTextW(Gdiplus::Graphics& target, Gdiplus::RectF& area) override;

protected:
    std::unique_ptr<Gdiplus::Font> textFont;
};

class QUILLET_API CxPic : public CxStatic {
    DECLARE_DYNAMIC(CxPic)
public:
    CxPic() = default;
    // Deletes the picture.
    ~CxPic() override;

    // Resizes the window to the picture, keeping its position, without repainting.
    virtual void ReclacWnd();

    // Takes the picture from the template's bitmap (SS_BITMAP) or icon (SS_ICON) and attaches the skin part.
    void PreSubclassWindow() override;
    // Shows a skin resource of module (null: the program's resources) and resizes the window to it.
    void SetAtt(UINT id, const wchar_t* type, HINSTANCE module);
    // Shows the picture in a file and resizes the window to it; FALSE (size unchanged) when it cannot be decoded.
    BOOL SetAtt(const wchar_t* path);

    // Draws the picture at (0, 0) at its own size; transparent pixels stay transparent.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;

protected:
    std::unique_ptr<Gdiplus::Bitmap> picture;
};
