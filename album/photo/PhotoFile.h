// The photo pipeline's file layer: paths in the \\?\ form (so folders and names past MAX_PATH work), file identity,
// whole-file reads and durable all-or-nothing writes.
#pragma once

#include "framework/Framework.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// The \\?\ form of a path (\\?\UNC\ for a share), made full first since that form skips all normalisation; a path
// already in that form stays as it is, and one that cannot be made full is returned unchanged.
CString LongPathForm(const wchar_t* path);
// A path without its \\?\ (or \\?\UNC\) prefix, as the user knows it.
CString PlainPathForm(const wchar_t* path);

// Which file a name leads to: the volume serial number and the file index, the same for every name of one file
// (a second drive letter, an 8.3 name, a hard link).
struct FileIdentity {
    DWORD volume = 0;
    ULONGLONG index = 0;
    bool known = false;

    // Equal indices on equal volumes; a volume serial of 0 (a drive that reports none) matches any serial.
    bool SameFile(const FileIdentity& other) const
    {
        return known && other.known && index == other.index &&
               (volume == other.volume || volume == 0 || other.volume == 0);
    }
};

// What the file system records about a file.
struct FileFacts {
    FileIdentity identity;
    ULONGLONG size = 0;
    FILETIME created{};
};

// Makes the output folder (its last level) unless it exists; true when it is a usable folder afterwards.
bool MakeOutputFolder(const CString& folder);
// Reads the facts of the file at path (long paths and files locked by others included); false when it does not
// exist or cannot be opened even for its attributes.
bool ReadFileFacts(const wchar_t* path, FileFacts& facts);

// The first bytes of a file (or all of it), read at once. A later read reuses the memory of an earlier, larger one.
class FileBytes {
public:
    // Reads up to limit bytes from the start of the file and takes its identity; false when it cannot be opened or
    // read, or memory is short.
    bool Read(const wchar_t* path, std::uint64_t limit);
    // Gives the memory back.
    void Release();

    const std::uint8_t* Data() const { return m_data.get(); }
    std::size_t Size() const { return m_size; }
    // The file's whole length, which may exceed Size() when the read was limited.
    std::uint64_t FileSize() const { return m_fileSize; }
    bool IsWhole() const { return m_size == m_fileSize; }
    // The identity of the file last read.
    const FileIdentity& Identity() const { return m_identity; }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
    std::uint64_t m_fileSize = 0;
    FileIdentity m_identity;
};

// The system calls of a durable write, so tests can watch their order and make any of them fail.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual HANDLE CreateNew(const wchar_t* path);  // CreateFileW for writing, CREATE_NEW, no sharing
    virtual bool Write(HANDLE file, const void* data, DWORD size);
    virtual bool Flush(HANDLE file);  // FlushFileBuffers
    virtual bool Close(HANDLE file);
    virtual bool Move(const wchar_t* from, const wchar_t* to, DWORD flags);  // MoveFileExW
    virtual bool Delete(const wchar_t* path);

    // The real calls.
    static FileCalls& System();
};

// Writes bytes to a new temporary file in folder (which ends in a backslash), flushes it to the disk and renames it
// to target with MOVEFILE_WRITE_THROUGH, replacing an existing file only when replace is set. mayRename is asked
// right before the rename and stops the write when it answers false. On any failure the temporary file is removed
// and target is left as it was. False on failure.
bool WriteFileDurably(const wchar_t* folder, const wchar_t* target, const std::uint8_t* data, std::size_t size,
                      bool replace, const std::function<bool()>& mayRename, FileCalls& calls = FileCalls::System());
