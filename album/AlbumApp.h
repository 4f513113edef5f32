#pragma once
// album's application object: prepares the platform and the settings store, then runs the main window.
#include "framework/Framework.h"

class CAlbumApp : public CWinAppEx {
public:
    CAlbumApp() : CWinAppEx(TRUE) {}

    BOOL InitInstance() override;
};
