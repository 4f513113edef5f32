#include "photo/PhotoScanner.h"

#include "photo/JpegMemory.h"
#include "photo/PhotoNames.h"

int PhotoScanner::ScanFolder(const CString& pattern, const Events& events)
{
    CFileFind finder;
    // The \\?\ form lists folders whose path with the pattern passes MAX_PATH.
    BOOL more = finder.FindFile(LongPathForm(pattern));
    if (!more) {
        if (events.finished) events.finished(0, false);
        return 0;
    }
    PhotoBuffers buffers;
    int count = 0;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots() || finder.IsDirectory()) continue;
        const CString name = finder.GetFileName();
        if (!IsPhotoFileName(name)) continue;
        if (events.loading) events.loading(name);
        std::unique_ptr<PhotoItem> item = ReadPhoto(PlainPathForm(finder.GetFilePath()), buffers);
        ++count;
        if (events.added) events.added(std::move(item));
    }
    ReleaseJpegMemory();
    if (events.finished) events.finished(count, true);
    return count;
}

std::unique_ptr<PhotoItem> PhotoScanner::ReadPhoto(const CString& path, PhotoBuffers& buffers)
{
    auto item = std::make_unique<PhotoItem>();
    item->path = path;
    PhotoPreview preview;
    ReadPhotoPreview(path, preview, buffers);
    item->identity = buffers.file.Identity();
    item->width = preview.width;
    item->height = preview.height;
    item->thumbnail = std::move(preview.thumbnail);
    item->sizeText = FileSizeText(path);
    return item;
}
