#pragma once
// album's application object: prepares the platform and the settings store, then shows the splash, inside whose
// modal loop the main window runs.
#include "app/CxWinApp.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

class CAlbumApp : public CxWinApp {
public:
    // Prepares common controls, the settings key, GDI+ and appFont, runs the splash and releases them again;
    // FALSE, so the program ends when the splash returns.
    BOOL InitInstance() override;

    // A regular font of family at size points; the generic sans-serif family when family cannot be used.
    static std::unique_ptr<Gdiplus::Font> MakeFont(const wchar_t* family, float size);
    // The running application's shared font.
    static Gdiplus::Font* AppFont();

    // The font of every skinned button: "Courier New" 9 pt.
    std::unique_ptr<Gdiplus::Font> appFont;
    // The company name of the settings key, HKCU\Software\<company>\Daduz.
    CString settingsCompany = L"Daduz V1.4";
};
