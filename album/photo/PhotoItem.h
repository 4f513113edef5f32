// PhotoItem: album's record of one photo in the photo list, attached to its list item as the item's data.
#pragma once

#include "photo/PhotoFile.h"

#include "framework/Framework.h"

#include <gdiplus.h>

#include <memory>

struct PhotoItem {
    std::unique_ptr<Gdiplus::Image> thumbnail;  // at most 52 x 52, upright; null when the photo could not be read
    int width = 0;                              // stored pixel size at scan time (0 x 0 when decoding failed)
    int height = 0;
    int compress = 1;                           // marked for the compression job
    int stampDate = 0;                          // marked for the date stamp
    CString sizeText;                           // file size as text; empty when unavailable
    CString path;                               // full path of the source file
    FileIdentity identity;                      // which file path led to at scan time
};
