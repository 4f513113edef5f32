// album's one application object; the framework's entry point runs it.
#include "AlbumApp.h"

CAlbumApp theApp;
