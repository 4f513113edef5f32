#pragma once
// album's application object: prepares the platform and the settings store, then runs the main window.
#include "framework/Framework.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

class CAlbumApp : public CWinAppEx {
public:
    CAlbumApp() : CWinAppEx(TRUE) {}

    BOOL InitInstance() override;

    // A regular font of family at size points; the generic sans-serif family when family cannot be used.
    static std::unique_ptr<Gdiplus::Font> MakeFont(const wchar_t* family, float size);
    // The running application's shared font.
    static Gdiplus::Font* AppFont();

    // The font of every skinned button: "Courier New" 9 pt.
    std::unique_ptr<Gdiplus::Font> appFont;
};
