// The folder scan: finds the photos directly in a folder and makes a PhotoItem for each, in the order the file
// system lists them. Window-free: it reports what the photo list shows through its events.
#pragma once

#include "photo/PhotoDecoder.h"
#include "photo/PhotoItem.h"

#include <functional>

class PhotoScanner {
public:
    struct Events {
        std::function<void(const CString& name)> loading;            // a photo file is about to be read
        std::function<void(std::unique_ptr<PhotoItem> item)> added;  // its item, handed over to the caller
        std::function<void(int photoCount, bool anyEntry)> finished; // the end; anyEntry false when nothing matched
    };

    // Scans a search pattern such as "E:\DCIM\*.*"; skips folders and names IsPhotoFileName rejects.
    // Returns the number of items added.
    static int ScanFolder(const CString& pattern, const Events& events);
    // Makes the item of one photo file: marked for compression, not for the date; a file that cannot be decoded
    // gets size 0 x 0 and no thumbnail. buffers is working memory shared by the photos of one scan.
    static std::unique_ptr<PhotoItem> ReadPhoto(const CString& path, PhotoBuffers& buffers);
};
