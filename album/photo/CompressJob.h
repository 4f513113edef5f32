// The compression job: writes a JPEG copy of every photo marked "Compress" into the output folder, halving wide
// photos, stamping the date where marked. Window-free: it reports what the job bar and the message boxes show
// through its events and its result.
#pragma once

#include "photo/PhotoDecoder.h"
#include "photo/PhotoItem.h"
#include "version.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

class CompressJob {
public:
    // Progress steps per written photo.
    static constexpr int kStepsPerPhoto = 5;
    static constexpr int kDefaultQuality = 30;
    // The software tag of every copy: album's name and build version. A file whose tag starts with "album " is a copy
    // that album wrote, which a later job may replace.
    static constexpr char kSoftware[] = "album " ALBUM_VERSION_TEXT;

    struct Events {
        std::function<void(int upper)> range;             // the bar's range becomes 0..upper, position 0
        std::function<void()> step;                        // one step forward
        std::function<void(const CString& name)> written;  // a photo was written; its name shortened for the bar
        std::function<int()> quality;                      // the JPEG quality, asked before each photo
        // Draws the date stamp text on a copy at (x, y) with an alignment (0 near, 1 centre, 2 far); none when unset.
        std::function<void(Gdiplus::Graphics& surface, const wchar_t* text, int x, int y, int alignment)> stamp;
    };

    enum class Outcome { Completed, NothingMarked, NoOutputFolder, Failure };

    struct Result {
        Outcome outcome = Outcome::Completed;
        CString message;       // the message box text
        CString outputFolder;  // the folder written to, with its final backslash (to remember as "SavePath")
    };

    // files makes the copies' temporary files, flushes and renames (the system's calls unless a test or the
    // benchmark watches them).
    explicit CompressJob(Events events, FileCalls& files = FileCalls::System())
        : m_events(std::move(events)), m_files(files)
    {
    }

    // Runs the job over the photo list in list order. outputText is the output folder as typed. Stops at the first
    // photo that cannot be written; the files written before it stay.
    Result Run(const std::vector<const PhotoItem*>& items, const CString& outputText);

    // Where a copy goes: a path in the output folder, and whether a file there (a copy album wrote) is replaced.
    struct Target {
        CString path;
        bool replace = false;
    };

    // Writes the JPEG copy of one photo to target: decoded anew, drawn at the halving result (upright by its EXIF
    // orientation), stamped with its date at (100, 100) when marked, encoded at quality with the photo's capture
    // facts (date, camera, exposure) and no location. The file appears only complete and flushed, and never in place
    // of a listed photo or of a file album did not write; false when nothing was written.
    bool CompressPhoto(const PhotoItem& item, const CString& outputFolder, const Target& target, int quality);

    // True when the file at path is a JPEG whose EXIF software tag names album.
    static bool IsAlbumCopy(const CString& path);

    // Sets a progress bar's range with PBM_SETRANGE32, since 5 steps per photo pass 16 bits beyond 13107 photos.
    static void SetBarRange(HWND bar, int upper);

private:
    // The target for a photo: its output name in the folder, numbered " (2)", " (3)", ... past the files this job
    // wrote and every existing file that is not a copy album wrote or that is a listed photo.
    Target ChooseTarget(const CString& folder, const CString& sourcePath) const;
    // True when the existing file at target may be replaced: a copy album wrote that is not a listed photo.
    bool MayReplace(const CString& target) const;

    // Notes the identity of every listed photo, at scan time and now.
    void TakeSourceIdentities(const std::vector<const PhotoItem*>& items);
    // True when target is (another name of) a listed photo.
    bool IsSource(const CString& target) const;

    Result Finish(Result result);

    Events m_events;
    FileCalls& m_files;
    std::set<std::wstring> m_written;  // PathKey of every file written by this run
    std::vector<FileIdentity> m_sources;  // identities of the listed photos
    PhotoBuffers m_buffers;            // working memory of the run's photos, released at its end
};
