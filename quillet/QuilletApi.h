#pragma once
// Export/import marker and calling convention of quillet.dll's interface.
#if defined(_WIN32)
#ifdef QUILLET_BUILD
#define QUILLET_API __declspec(dllexport)
#else
#define QUILLET_API __declspec(dllimport)
#endif
#define QUILLET_CDECL __cdecl
#else
// Native builds of the toolkit's pure units (host tests) link them statically and have one calling convention.
#define QUILLET_API
#define QUILLET_CDECL
#endif
