#include "AlbumApp.h"

#include "res/resource.h"

#include <commctrl.h>

BOOL CAlbumApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(L"Daduz V1.4");

    CDialog mainWindow(IDD_ALBUM_DIALOG);
    m_pMainWnd = &mainWindow;
    mainWindow.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
