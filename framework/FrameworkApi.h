#pragma once
// Export/import marker of framework.dll.
#ifdef FRAMEWORK_BUILD
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif

#include <windows.h>
