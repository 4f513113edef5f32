// Quillet's DES cipher functions: ECB over byte buffers, single DES for keys up to 8 bytes, two-key triple DES
// (EDE) for 9 to 16. Mode 0 runs the cipher forward, any other mode inverse. Output arrays are allocated with
// new[] and released by the caller with delete[].
#pragma once

#include "QuilletApi.h"

#include <cstdint>

class CString;

// Transforms length bytes from in to out (which may be in), a zero-completed last block included; 0 for a null
// pointer, a negative key length or a length that rounds to no block.
QUILLET_API int QUILLET_CDECL Des(std::uint8_t* out, const std::uint8_t* in, std::int32_t length,
                                  const std::uint8_t* key, int keyLength, int mode);

// Allocates *out with length rounded up to whole blocks and fills it by mode 1; returns that length, or 0.
QUILLET_API int QUILLET_CDECL Des(const std::uint8_t* in, std::uint32_t length, const std::uint8_t* key,
                                  int keyLength, std::uint8_t** out);

// Writes header, the payload transformed by mode 1 with the built-in key, and its length to the file at path;
// 1 when the whole file was written, else 0 with no partial file left.
QUILLET_API int QUILLET_CDECL Des(const std::uint8_t* in, std::uint32_t length, const std::uint8_t* header,
                                  std::uint32_t headerLength, const wchar_t* path);

// Allocates *out with length + 1 zero bytes and fills it by mode 0; returns 1, or 0 (also for a length that is not
// whole blocks).
QUILLET_API int QUILLET_CDECL Enc(const std::uint8_t* in, std::uint32_t length, const std::uint8_t* key,
                                  int keyLength, std::uint8_t** out);

// Reads back the payload of a file written by the file form of Des as ANSI text; 0 when the file cannot be
// opened or its stored length does not fit the file.
QUILLET_API int QUILLET_CDECL Enc(const wchar_t* path, CString& text);
