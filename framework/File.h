#pragma once
// Files and time: CTime, CFileStatus, CFile and CFileFind. Failures are reported by results, never thrown.
#include "Strings.h"

#include <ctime>

// A moment in time: seconds since 1970-01-01 UTC; it becomes local time only when formatted.
class FW_API CTime {
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // From a file-system time stamp (UTC); a zero stamp gives time 0.
    explicit CTime(const FILETIME& fileTime);

    __time64_t GetTime() const { return m_time; }
    // The local broken-down time (_localtime64_s) in out; null when the time cannot be converted.
    struct tm* GetLocalTm(struct tm* out) const;
    // The local time formatted with wcsftime; empty when it cannot be converted or formatted.
    CString Format(const wchar_t* format) const;

    friend bool operator==(CTime a, CTime b) { return a.m_time == b.m_time; }
    friend bool operator<(CTime a, CTime b) { return a.m_time < b.m_time; }

private:
    __time64_t m_time = 0;
};

// What the file system knows of a file: its times, size, attributes and full path.
struct FW_API CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    DWORD m_attribute = 0;
    wchar_t m_szFullName[MAX_PATH] = {};
};

// An open file. Move-only; the handle is closed on destruction.
class FW_API CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
    // What Seek answers when the position cannot be moved.
    enum : ULONGLONG { kInvalidPosition = ~0ULL };

    CFile() = default;
    virtual ~CFile();
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens path with a combination of OpenFlags (modeCreate truncates unless modeNoTruncate); a file opened
    // before is closed first. Handles are never inherited by child processes.
    BOOL Open(const wchar_t* path, UINT flags);
    void Close();
    // Reads up to count bytes; returns the number read (0 at the end or on failure).
    UINT Read(void* buffer, UINT count);
    // Writes count bytes; FALSE unless all were written.
    BOOL Write(const void* buffer, UINT count);
    // Moves the position relative to a SeekPosition; returns the new position or kInvalidPosition.
    ULONGLONG Seek(LONGLONG offset, UINT from);
    ULONGLONG SeekToEnd();
    void SeekToBegin();
    ULONGLONG GetPosition() const;
    // Size in bytes; 0 when there is no open file.
    ULONGLONG GetLength() const;
    BOOL Flush();
    CString GetFilePath() const { return m_path; }
    CString GetFileName() const;

    // Status of the file or folder at path; FALSE when it does not exist, cannot be read, or path holds wildcards.
    static BOOL GetStatus(const wchar_t* path, CFileStatus& status);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

private:
    CString m_path;
};

// A search over the entries of a folder. FindFile starts it; each FindNextFile makes the next entry current
// and answers whether one more follows, so `for (BOOL more = f.FindFile(p); more;) { more = f.FindNextFile();
// ... }` visits every entry, "." and ".." included.
class FW_API CFileFind {
public:
    CFileFind() = default;
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search on a pattern such as C:\Photos\*.* (all of the current folder for null); FALSE when
    // nothing matches.
    BOOL FindFile(const wchar_t* pattern = nullptr);
    // Makes the next entry current; FALSE when it is the last one (it is still current then).
    BOOL FindNextFile();
    void Close();

    // Properties of the current entry (FALSE, empty or 0 before the first FindNextFile).
    BOOL IsDots() const;
    BOOL IsDirectory() const;
    CString GetFileName() const;
    // Root and name: the entry's full path.
    CString GetFilePath() const;
    // The folder searched, with its trailing backslash.
    CString GetRoot() const { return m_root; }
    ULONGLONG GetLength() const;

private:
    HANDLE m_find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_current{};
    WIN32_FIND_DATAW m_next{};
    bool m_hasCurrent = false;
    bool m_hasNext = false;
    CString m_root;
};
