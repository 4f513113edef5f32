#include "photo/CompressJob.h"

#include "photo/DateStamp.h"
#include "photo/JpegCodec.h"
#include "photo/PhotoFile.h"
#include "photo/PhotoNames.h"

#include "app/CxWinApp.h"

#include <commctrl.h>

CompressJob::Result CompressJob::Run(const std::vector<const PhotoItem*>& items, const CString& outputText)
{
    m_written.clear();
    Result result;
    int marked = 0;
    for (const PhotoItem* item : items) marked += item->compress ? 1 : 0;
    if (marked == 0) {
        result.outcome = Outcome::NothingMarked;
        result.message = L"Select one at least";
        return result;
    }
    // An empty folder text would make every target a bare name in the root of the current drive.
    CString folder = NormaliseOutputFolder(outputText);
    if (folder.IsEmpty()) {
        result.outcome = Outcome::NoOutputFolder;
        result.message = L"Select an output folder";
        return result;
    }
    CreateDirectoryW(folder, nullptr);  // an existing folder is fine; a failure shows at the first write
    folder += L'\\';

    // A copy must never replace one of the listed photos (output folder = photo folder, a.jpg from a.jpg).
    std::set<std::wstring> sources;
    for (const PhotoItem* item : items) sources.insert(PathKey(item->path));

    if (m_events.range) m_events.range(kStepsPerPhoto * marked);
    for (const PhotoItem* item : items) {
        if (!item->compress) continue;
        const CString target = ChooseTarget(folder, item->path);
        const int quality = m_events.quality ? m_events.quality() : kDefaultQuality;
        if (sources.count(PathKey(target)) || !CompressPhoto(*item, folder, target, quality)) {
            result.outcome = Outcome::Failure;
            result.message = L"Failure\n" + item->path;
            return Finish(result);
        }
        m_written.insert(PathKey(target));
        for (int i = 0; i < kStepsPerPhoto; ++i) {
            if (m_events.step) m_events.step();
        }
        if (m_events.written) m_events.written(ShortenName(CxWinApp::GetFileName(item->path), kJobBarNameLength));
    }
    result.outcome = Outcome::Completed;
    result.message = L"Compression completed";
    result.outputFolder = folder;
    return Finish(result);
}

CompressJob::Result CompressJob::Finish(Result result)
{
    m_buffers = PhotoBuffers();
    m_written.clear();
    return result;
}

CString CompressJob::ChooseTarget(const CString& folder, const CString& sourcePath)
{
    const CString name = OutputFileName(CxWinApp::GetFileName(sourcePath));
    CString target = folder + name;
    // a.png and a.jpg both map to a.jpg: the second becomes "a (2).jpg" instead of replacing the first.
    const CString stem = name.Left(name.GetLength() - 4);
    for (int n = 2; m_written.count(PathKey(target)); ++n) {
        CString numbered;
        numbered.Format(L"%s (%d).jpg", stem.GetString(), n);
        target = folder + numbered;
    }
    return target;
}

bool CompressJob::CompressPhoto(const PhotoItem& item, const CString& outputFolder, const CString& target,
                                int quality)
{
    if (!DecodePhoto(item.path, OutputSize(item.width, item.height), m_buffers)) return false;
    PixelBuffer& picture = m_buffers.picture;
    CString date;
    if (item.stampDate && FileDateText(item.path, date) && !date.IsEmpty()) {
        // GDI+ draws straight into the picture's pixels.
        Gdiplus::Bitmap surface(picture.Width(), picture.Height(), picture.Stride(), PixelFormat32bppARGB,
                                picture.Data());
        Gdiplus::Graphics graphics(&surface);
        DrawOutlineText(graphics, date, kStampX, kStampY, 0);
    }
    JpegBytes jpeg;
    return EncodeJpeg(picture, quality, jpeg) && WriteFileReplacing(outputFolder, target, jpeg.Data(), jpeg.Size());
}

void CompressJob::SetBarRange(HWND bar, int upper) { SendMessageW(bar, PBM_SETRANGE32, 0, LPARAM(upper)); }
