// Reading photo files: JPEG through libjpeg-turbo (with the EXIF orientation and embedded thumbnail read from the
// file itself, since Wine's GDI+ and WIC ignore EXIF), every other format through GDI+. A file is a JPEG when its
// content starts like one, whatever its extension.
#pragma once

#include "photo/Exif.h"
#include "photo/PhotoFile.h"
#include "photo/PhotoItem.h"
#include "photo/PixelBuffer.h"

#include "framework/Framework.h"

#include <gdiplus.h>

#include <memory>

// What a folder scan keeps of a photo.
struct PhotoPreview {
    int width = 0;  // stored size, as the file's header gives it
    int height = 0;
    std::unique_ptr<Gdiplus::Image> thumbnail;  // ThumbnailSize of the stored size, turned upright
};

// Working memory kept from one photo to the next, so a scan or a job over many photos does not map fresh pages
// for each (every new page costs a fault, which on virtual machines is dear).
struct PhotoBuffers {
    FileBytes file;
    PixelBuffer decoded;
    PixelBuffer spare;
    PixelBuffer picture;  // DecodePhoto's result
    ExifFacts exif;       // DecodePhoto's: the photo's EXIF facts (none for formats other than JPEG)
};

// Reads a photo's size and thumbnail; false (size 0 x 0, no thumbnail) when the file cannot be decoded.
// The size may be known while the thumbnail is missing (a header that reads but data that does not).
bool ReadPhotoPreview(const CString& path, PhotoPreview& preview, PhotoBuffers& buffers);

// Decodes the whole photo of item into buffers.picture, drawn at size (in its stored orientation) and then turned
// upright by its EXIF orientation, so orientations 5 to 8 give size with the sides swapped. False when the file
// cannot be read or decoded, is damaged or cut short, is no longer the file or the stored size the scan saw, or the
// picture would pass PixelBuffer::kMaxPixels.
bool DecodePhoto(const PhotoItem& item, CSize size, PhotoBuffers& buffers);

// A GDI+ bitmap holding a copy of the pixels; null on failure.
std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(const PixelBuffer& pixels);
