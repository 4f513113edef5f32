#include "QuilletModule.h"

namespace {
HINSTANCE g_module = nullptr;
}

HINSTANCE QuilletModule() { return g_module; }

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}
