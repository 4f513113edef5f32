#include "AlbumApp.h"

#include "Splash.h"

#include <commctrl.h>

BOOL CAlbumApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    CxWinApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(settingsCompany);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    appFont = MakeFont(L"Courier New", 9.0f);
    {
        CxSplash splash;
        splash.DoModal();
    }
    appFont.reset();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return FALSE;
}

std::unique_ptr<Gdiplus::Font> CAlbumApp::MakeFont(const wchar_t* family, float size)
{
    Gdiplus::FontFamily named(family);
    if (named.GetLastStatus() == Gdiplus::Ok) {
        auto font = std::make_unique<Gdiplus::Font>(&named, size, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
        if (font->GetLastStatus() == Gdiplus::Ok) return font;
    }
    return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), size, Gdiplus::FontStyleRegular,
                                           Gdiplus::UnitPoint);
}

Gdiplus::Font* CAlbumApp::AppFont() { return static_cast<CAlbumApp*>(AfxGetApp())->appFont.get(); }
