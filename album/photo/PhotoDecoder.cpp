#include "photo/PhotoDecoder.h"

#include "photo/Exif.h"
#include "photo/JpegCodec.h"
#include "photo/PhotoNames.h"
#include "photo/PhotoStructure.h"

#include "misc/ComPtr.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The head of a file read first at scan time: enough for the EXIF segment (at most 64 KB), the tables and the
// frame header of nearly every camera JPEG, so a photo with an embedded thumbnail is never read whole.
constexpr std::uint64_t kHeadBytes = 128 * 1024;
// Largest file decoded at all; its compressed data must fit in memory beside the pixels.
constexpr std::uint64_t kMaxFileBytes = 512ull * 1024 * 1024;

bool StartsLikeJpeg(const FileBytes& bytes)
{
    return bytes.Size() >= 2 && bytes.Data()[0] == 0xFF && bytes.Data()[1] == 0xD8;
}

// An embedded thumbnail stands in for the photo when it shows the same picture: the same aspect, to within one
// thumbnail pixel, and at least the size it will be shrunk to.
bool DecodeEmbeddedThumbnail(const FileBytes& bytes, const JpegLayout& layout, CSize size, PixelBuffer& pixels)
{
    const ExifFacts& exif = layout.exif;
    if (exif.thumbnailLength == 0 || exif.thumbnailOffset + exif.thumbnailLength > bytes.Size()) return false;
    const std::uint8_t* data = bytes.Data() + exif.thumbnailOffset;
    int width = 0;
    int height = 0;
    if (!ReadJpegSize(data, exif.thumbnailLength, width, height) || width < size.cx || height < size.cy) return false;
    const long long skew = std::llabs(1ll * width * layout.height - 1ll * height * layout.width);
    if (skew > std::max(layout.width, layout.height)) return false;
    return DecodeJpeg(data, exif.thumbnailLength, JpegScale::Covering(width, height, size.cx, size.cy), pixels);
}

bool ReadJpegPreview(const CString& path, PhotoPreview& preview, PhotoBuffers& buffers)
{
    FileBytes& bytes = buffers.file;
    JpegLayout layout = ReadJpegLayout(bytes.Data(), bytes.Size());
    if (!layout.hasFrame && !bytes.IsWhole()) {
        if (!bytes.Read(path, kMaxFileBytes)) return false;
        layout = ReadJpegLayout(bytes.Data(), bytes.Size());
    }
    int width = layout.width;
    int height = layout.height;
    // Some files hold stray bytes between segments that libjpeg skips but the layout walk stops at.
    if ((!layout.hasFrame || width <= 0 || height <= 0) && !ReadJpegSize(bytes.Data(), bytes.Size(), width, height)) {
        return false;
    }
    if (width <= 0 || height <= 0) return false;
    preview.width = width;
    preview.height = height;

    const CSize size = ThumbnailSize(width, height);
    PixelBuffer& decoded = buffers.decoded;
    if (!DecodeEmbeddedThumbnail(bytes, layout, size, decoded)) {
        if (!bytes.IsWhole() && !bytes.Read(path, kMaxFileBytes)) return true;
        if (!DecodeJpeg(bytes.Data(), bytes.Size(), JpegScale::Covering(width, height, size.cx, size.cy), decoded)) {
            return true;
        }
    }
    PixelBuffer& thumbnail = buffers.picture;
    if (Resample(decoded, size.cx, size.cy, thumbnail) &&
        ApplyOrientation(thumbnail, layout.exif.orientation, buffers.spare)) {
        preview.thumbnail = MakeBitmap(thumbnail);
    }
    return true;
}

// A GDI+ image decoded from a file's bytes in memory (GDI+ cannot open names past MAX_PATH on every system, and
// the bytes checked are then the bytes decoded). The image reads its stream for as long as it lives.
class MemoryImage {
public:
    explicit MemoryImage(const FileBytes& bytes)
    {
        const HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.Size());
        if (!block) return;
        std::memcpy(block, bytes.Data(), bytes.Size());  // a fixed block's handle is its address
        if (FAILED(CreateStreamOnHGlobal(block, TRUE, m_stream.Put()))) {
            GlobalFree(block);
            return;
        }
        m_image = std::make_unique<Gdiplus::Image>(m_stream.Get());
        if (m_image->GetLastStatus() != Gdiplus::Ok || m_image->GetWidth() == 0 || m_image->GetHeight() == 0) {
            m_image.reset();
        }
    }

    // The decoded image; null when GDI+ cannot read it.
    Gdiplus::Image* Get() const { return m_image.get(); }

private:
    ComPtr<IStream> m_stream;
    std::unique_ptr<Gdiplus::Image> m_image;  // released before its stream
};

bool ReadGdiplusPreview(const CString& path, PhotoPreview& preview, FileBytes& bytes)
{
    if (!bytes.IsWhole() && !bytes.Read(path, kMaxFileBytes)) return false;
    const MemoryImage image(bytes);
    if (!image.Get()) return false;
    preview.width = int(image.Get()->GetWidth());
    preview.height = int(image.Get()->GetHeight());
    const CSize size = ThumbnailSize(preview.width, preview.height);
    // GDI+'s own thumbnail call, which uses a thumbnail stored in the file where the format has one.
    preview.thumbnail.reset(image.Get()->GetThumbnailImage(UINT(size.cx), UINT(size.cy), nullptr, nullptr));
    if (preview.thumbnail && preview.thumbnail->GetLastStatus() != Gdiplus::Ok) preview.thumbnail.reset();
    return true;
}

bool DecodeJpegPhoto(CSize stored, CSize size, PhotoBuffers& buffers)
{
    const FileBytes& bytes = buffers.file;
    const JpegLayout layout = ReadJpegLayout(bytes.Data(), bytes.Size());
    int width = layout.width;
    int height = layout.height;
    if ((!layout.hasFrame || width <= 0 || height <= 0) && !ReadJpegSize(bytes.Data(), bytes.Size(), width, height)) {
        return false;
    }
    if (CSize(width, height) != stored) return false;
    PixelBuffer& decoded = buffers.decoded;
    if (!DecodeJpeg(bytes.Data(), bytes.Size(), JpegScale::Covering(width, height, size.cx, size.cy), decoded)) {
        return false;
    }
    // DCT scaling rounds up (4001 wide at 1/2 decodes 2001): scale the rest of the way, never crop.
    if (decoded.Width() == size.cx && decoded.Height() == size.cy) {
        std::swap(decoded, buffers.picture);
    } else if (!Resample(decoded, size.cx, size.cy, buffers.picture)) {
        return false;
    }
    buffers.exif = layout.exif;
    return ApplyOrientation(buffers.picture, layout.exif.orientation, buffers.spare);
}

bool DecodeGdiplusPhoto(const FileBytes& bytes, CSize stored, CSize size, PixelBuffer& upright)
{
    // GDI+ decodes a cut-off PNG, GIF, BMP or TIFF as far as it goes and leaves the rest blank.
    if (!IsStructureComplete(bytes.Data(), bytes.Size())) return false;
    const MemoryImage image(bytes);
    if (!image.Get() || CSize(int(image.Get()->GetWidth()), int(image.Get()->GetHeight())) != stored) return false;
    if (!upright.Allocate(size.cx, size.cy)) return false;
    Gdiplus::Bitmap surface(size.cx, size.cy, upright.Stride(), PixelFormat32bppARGB, upright.Data());
    Gdiplus::Graphics graphics(&surface);
    return graphics.GetLastStatus() == Gdiplus::Ok &&
           graphics.DrawImage(image.Get(), 0, 0, size.cx, size.cy) == Gdiplus::Ok;
}

} // namespace

bool ReadPhotoPreview(const CString& path, PhotoPreview& preview, PhotoBuffers& buffers)
{
    preview = PhotoPreview();
    if (!buffers.file.Read(path, kHeadBytes)) return false;
    const bool read =
        StartsLikeJpeg(buffers.file) ? ReadJpegPreview(path, preview, buffers)
                                      : ReadGdiplusPreview(path, preview, buffers.file);
    if (!read) preview = PhotoPreview();
    return read;
}

bool DecodePhoto(const PhotoItem& item, CSize size, PhotoBuffers& buffers)
{
    if (!PixelBuffer::FitsLimit(size.cx, size.cy)) return false;
    FileBytes& bytes = buffers.file;
    buffers.exif = ExifFacts();
    if (!bytes.Read(item.path, kMaxFileBytes) || !bytes.IsWhole()) return false;
    // A file put in the photo's place since the scan is not the photo the user saw.
    if (item.identity.known && !bytes.Identity().SameFile(item.identity)) return false;
    const CSize stored(item.width, item.height);
    return StartsLikeJpeg(bytes) ? DecodeJpegPhoto(stored, size, buffers)
                                 : DecodeGdiplusPhoto(bytes, stored, size, buffers.picture);
}

std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(const PixelBuffer& pixels)
{
    if (pixels.IsEmpty()) return nullptr;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(pixels.Width(), pixels.Height(), PixelFormat32bppARGB);
    Gdiplus::BitmapData data{};
    const Gdiplus::Rect area(0, 0, pixels.Width(), pixels.Height());
    if (bitmap->GetLastStatus() != Gdiplus::Ok ||
        bitmap->LockBits(&area, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return nullptr;
    }
    for (int y = 0; y < pixels.Height(); ++y) {
        std::memcpy(static_cast<std::uint8_t*>(data.Scan0) + std::ptrdiff_t(y) * data.Stride, pixels.Row(y),
                    std::size_t(pixels.Stride()));
    }
    bitmap->UnlockBits(&data);
    return bitmap;
}
