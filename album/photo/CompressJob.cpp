#include "photo/CompressJob.h"

#include "photo/DateStamp.h"
#include "photo/Exif.h"
#include "photo/JpegCodec.h"
#include "photo/JpegMemory.h"
#include "photo/PhotoFile.h"
#include "photo/PhotoNames.h"

#include "app/CxWinApp.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

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
    // An existing folder is fine. One that neither exists nor can be made is named in the message, rather than the
    // first photo, which was never the fault.
    if (!MakeOutputFolder(folder)) {
        result.outcome = Outcome::Failure;
        result.message = L"Failure\n" + folder;
        return result;
    }
    folder += L'\\';
    TakeSourceIdentities(items);

    if (m_events.range) m_events.range(kStepsPerPhoto * marked);
    for (const PhotoItem* item : items) {
        if (!item->compress) continue;
        const Target target = ChooseTarget(folder, item->path);
        const int quality = m_events.quality ? m_events.quality() : kDefaultQuality;
        if (!CompressPhoto(*item, folder, target, quality)) {
            result.outcome = Outcome::Failure;
            result.message = L"Failure\n" + item->path;
            return Finish(result);
        }
        m_written.insert(PathKey(target.path));
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
    ReleaseJpegMemory();
    m_written.clear();
    m_sources.clear();
    return result;
}

void CompressJob::TakeSourceIdentities(const std::vector<const PhotoItem*>& items)
{
    // The identities of the scan, and those of now: a photo put in place of a listed one since is guarded as well.
    m_sources.clear();
    for (const PhotoItem* item : items) {
        if (item->identity.known) m_sources.push_back(item->identity);
        FileFacts facts;
        if (ReadFileFacts(item->path, facts)) m_sources.push_back(facts.identity);
    }
}

bool CompressJob::IsSource(const CString& target) const
{
    FileFacts facts;
    // A file that exists but shows no identity cannot be told apart from a source.
    if (!ReadFileFacts(target, facts)) return GetFileAttributesW(LongPathForm(target)) != INVALID_FILE_ATTRIBUTES;
    return std::any_of(m_sources.begin(), m_sources.end(),
                       [&](const FileIdentity& source) { return source.SameFile(facts.identity); });
}

bool CompressJob::IsAlbumCopy(const CString& path)
{
    constexpr std::uint64_t kHeadBytes = 64 * 1024 + 4;  // the start marker and a whole first segment
    FileBytes head;
    if (!head.Read(path, kHeadBytes)) return false;
    const std::string software = ReadJpegLayout(head.Data(), head.Size()).exif.software;
    const std::string name = "album ";
    return software.compare(0, name.size(), name) == 0;
}

bool CompressJob::MayReplace(const CString& target) const { return IsAlbumCopy(target) && !IsSource(target); }

CompressJob::Target CompressJob::ChooseTarget(const CString& folder, const CString& sourcePath) const
{
    // Camera names repeat across cards (IMG_0001.JPG on every one), and two sources may share a name (a.png,
    // a.jpg): a copy takes the first free name rather than destroy a file it did not write.
    const CString name = OutputFileName(CxWinApp::GetFileName(sourcePath));
    const CString stem = name.Left(name.GetLength() - 4);
    for (int n = 1;; ++n) {
        Target target;
        if (n == 1) {
            target.path = folder + name;
        } else {
            CString numbered;
            numbered.Format(L"%s (%d).jpg", stem.GetString(), n);
            target.path = folder + numbered;
        }
        if (m_written.count(PathKey(target.path))) continue;
        if (GetFileAttributesW(LongPathForm(target.path)) == INVALID_FILE_ATTRIBUTES) return target;
        target.replace = MayReplace(target.path);
        if (target.replace) return target;
    }
}

bool CompressJob::CompressPhoto(const PhotoItem& item, const CString& outputFolder, const Target& target,
                                int quality)
{
    if (!DecodePhoto(item, OutputSize(item.width, item.height), m_buffers)) return false;
    PixelBuffer& picture = m_buffers.picture;
    CString date;
    if (item.stampDate && FileDateText(item.path, date) && !date.IsEmpty()) {
        // GDI+ draws straight into the picture's pixels.
        Gdiplus::Bitmap surface(picture.Width(), picture.Height(), picture.Stride(), PixelFormat32bppARGB,
                                picture.Data());
        Gdiplus::Graphics graphics(&surface);
        if (m_events.stamp) m_events.stamp(graphics, date, kStampX, kStampY, 0);
    }
    const std::vector<std::uint8_t> exif = BuildCopyExif(m_buffers.exif, kSoftware, picture.Width(), picture.Height());
    JpegBytes jpeg;
    // Checked again right before the rename: the copy must never replace one of the listed photos, under whatever
    // name it reaches the target (the photo folder given as output through a second drive letter, a hard link, a
    // short name). A new name is taken without replacing, so a file that appeared meanwhile stays too.
    return EncodeJpeg(picture, quality, jpeg, exif) &&
           WriteFileDurably(outputFolder, target.path, jpeg.Data(), jpeg.Size(), target.replace,
                            [&] { return !target.replace || MayReplace(target.path); }, m_files);
}

void CompressJob::SetBarRange(HWND bar, int upper) { SendMessageW(bar, PBM_SETRANGE32, 0, LPARAM(upper)); }
