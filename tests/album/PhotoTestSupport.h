// Helpers of the photo pipeline's tests: generated photos (every JPEG kind through libjpeg, other formats through
// GDI+), temporary folders, pixel probes. GDI+ is started once for the whole test program.
#pragma once

#include "album/TestJpeg.h"
#include "photo/PixelBuffer.h"

#include "framework/Framework.h"

#include <gdiplus.h>

#include <cstdint>
#include <vector>

namespace phototest {

// A picture of one colour (0xAARRGGBB).
PixelBuffer Solid(int width, int height, std::uint32_t argb);
// Camera-like content: coloured blocks with hard edges under per-pixel noise.
PixelBuffer Busy(int width, int height, unsigned seed);
// Fills a rectangle of the picture.
void Fill(PixelBuffer& picture, int x, int y, int width, int height, std::uint32_t argb);

// True when the two colours differ by at most tolerance in every channel of red, green and blue.
bool Near(std::uint32_t argb, std::uint32_t expected, int tolerance = 40);

void WriteBytes(const CString& path, const Bytes& bytes);
Bytes ReadBytes(const CString& path);
// Saves the picture with the GDI+ encoder of the MIME type ("image/png", "image/bmp", "image/tiff", "image/gif").
bool SaveWithGdiplus(const PixelBuffer& picture, const CString& path, const wchar_t* mimeType);
// Decodes a JPEG file at full size; empty when it cannot be decoded.
PixelBuffer DecodeFile(const CString& path);

// A new empty folder in the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path without a final backslash.
    const CString& Path() const { return m_path; }
    // Path of name inside the folder.
    CString operator/(const wchar_t* name) const { return m_path + L"\\" + name; }
    // Names of the files in the folder, sorted.
    std::vector<CString> Files() const;

private:
    CString m_path;
};

} // namespace phototest
