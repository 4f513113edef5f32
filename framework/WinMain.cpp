// The executable's entry point, linked into every program built on the framework.
#include "App.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, wchar_t* cmdLine, int cmdShow)
{
    return AfxWinMain(instance, previous, cmdLine, cmdShow);
}
