#include "AlbumApp.h"

#include <objidl.h>
#include <gdiplus.h>

#include "AlbumDlg.h"

#include <commctrl.h>

BOOL CAlbumApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(L"Daduz V1.4");
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    {
        CAlbumDlg mainWindow;
        m_pMainWnd = &mainWindow;
        mainWindow.DoModal();
        m_pMainWnd = nullptr;
    }
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return FALSE;
}
