#include "File.h"

#include <cwchar>
#include <utility>
#include <vector>

namespace {

// 100-nanosecond intervals from 1601-01-01 (the FILETIME epoch) to 1970-01-01.
constexpr ULONGLONG kUnixEpochInFileTime = 116444736000000000ULL;
constexpr ULONGLONG kFileTimeTicksPerSecond = 10000000ULL;

bool HasWildcards(const wchar_t* path) { return std::wcspbrk(path, L"*?") != nullptr; }

// The full path of path, through GetFullPathNameW; empty when that fails. fileOffset receives the index of
// the last component (the length when the path ends in a separator).
CString FullPath(const wchar_t* path, int* fileOffset = nullptr)
{
    DWORD length = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (length == 0) return CString();
    std::vector<wchar_t> buffer(length + 1, L'\0');
    wchar_t* file = nullptr;
    DWORD written = GetFullPathNameW(path, DWORD(buffer.size()), buffer.data(), &file);
    if (written == 0 || written >= buffer.size()) return CString();
    if (fileOffset) *fileOffset = file ? int(file - buffer.data()) : int(written);
    return CString(buffer.data(), int(written));
}

}  // namespace

CTime::CTime(const FILETIME& fileTime)
{
    ULONGLONG ticks = (ULONGLONG(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    if (ticks == 0) return;
    m_time = __time64_t((LONGLONG(ticks) - LONGLONG(kUnixEpochInFileTime)) / LONGLONG(kFileTimeTicksPerSecond));
}

struct tm* CTime::GetLocalTm(struct tm* out) const
{
    if (!out || _localtime64_s(out, &m_time) != 0) return nullptr;
    return out;
}

CString CTime::Format(const wchar_t* format) const
{
    struct tm local {};
    if (!format || !*format || !GetLocalTm(&local)) return CString();
    // A result that fills the buffer may have been cut (Wine's wcsftime then answers the buffer's size rather
    // than 0): only a result with room to spare is whole, so the buffer grows until there is some.
    for (size_t capacity = 128; capacity <= 8192; capacity *= 4) {
        std::vector<wchar_t> buffer(capacity, L'\0');
        size_t length = wcsftime(buffer.data(), capacity, format, &local);
        if (length > 0 && length < capacity - 1) return CString(buffer.data(), int(length));
    }
    return CString();
}

CFile::~CFile() { Close(); }

CFile::CFile(CFile&& other) noexcept
    : m_hFile(std::exchange(other.m_hFile, INVALID_HANDLE_VALUE)), m_path(std::move(other.m_path))
{
}

CFile& CFile::operator=(CFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_hFile = std::exchange(other.m_hFile, INVALID_HANDLE_VALUE);
        m_path = std::move(other.m_path);
    }
    return *this;
}

BOOL CFile::Open(const wchar_t* path, UINT flags)
{
    Close();
    if (!path || !*path) return FALSE;
    DWORD access = GENERIC_READ;
    switch (flags & 0x3) {
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    }
    DWORD share = 0;
    switch (flags & 0x70) {
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE file = CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    m_hFile = file;
    m_path = FullPath(path);
    if (m_path.IsEmpty()) m_path = path;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(m_hFile, INVALID_HANDLE_VALUE));
    m_path.Empty();
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || !buffer || !ReadFile(m_hFile, buffer, count, &read, nullptr)) return 0;
    return read;
}

BOOL CFile::Write(const void* buffer, UINT count)
{
    if (count == 0) return m_hFile != INVALID_HANDLE_VALUE;
    DWORD written = 0;
    return m_hFile != INVALID_HANDLE_VALUE && buffer && WriteFile(m_hFile, buffer, count, &written, nullptr) &&
           written == count;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER distance{}, position{};
    distance.QuadPart = offset;
    DWORD method = from == current ? FILE_CURRENT : from == end ? FILE_END : FILE_BEGIN;
    if (m_hFile == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_hFile, distance, &position, method)) {
        return kInvalidPosition;
    }
    return ULONGLONG(position.QuadPart);
}

ULONGLONG CFile::SeekToEnd() { return Seek(0, end); }

void CFile::SeekToBegin() { Seek(0, begin); }

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance{}, position{};
    if (m_hFile == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT)) return 0;
    return ULONGLONG(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size{};
    if (m_hFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(m_hFile, &size)) return 0;
    return ULONGLONG(size.QuadPart);
}

BOOL CFile::Flush() { return m_hFile != INVALID_HANDLE_VALUE && FlushFileBuffers(m_hFile); }

CString CFile::GetFileName() const
{
    int slash = m_path.ReverseFind(L'\\');
    return slash < 0 ? m_path : m_path.Mid(slash + 1);
}

BOOL CFile::GetStatus(const wchar_t* path, CFileStatus& status)
{
    // The search APIs would report some other file for a pattern, so wildcards are refused outright.
    if (!path || !*path || HasWildcards(path)) return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return FALSE;
    CString full = FullPath(path);
    if (full.IsEmpty() || full.GetLength() >= MAX_PATH) return FALSE;
    wcscpy_s(status.m_szFullName, MAX_PATH, full);
    status.m_ctime = CTime(data.ftCreationTime);
    status.m_mtime = CTime(data.ftLastWriteTime);
    status.m_atime = CTime(data.ftLastAccessTime);
    status.m_size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = data.dwFileAttributes;
    return TRUE;
}

CFileFind::~CFileFind() { Close(); }

BOOL CFileFind::FindFile(const wchar_t* pattern)
{
    Close();
    if (!pattern) pattern = L"*.*";
    int fileOffset = 0;
    CString full = FullPath(pattern, &fileOffset);
    if (full.IsEmpty()) return FALSE;
    m_find = FindFirstFileW(pattern, &m_next);
    if (m_find == INVALID_HANDLE_VALUE) return FALSE;
    m_hasNext = true;
    m_root = full.Left(fileOffset);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext) return FALSE;
    m_current = m_next;
    m_hasCurrent = true;
    m_hasNext = ::FindNextFileW(m_find, &m_next) != FALSE;
    return m_hasNext;
}

void CFileFind::Close()
{
    if (m_find != INVALID_HANDLE_VALUE) FindClose(std::exchange(m_find, INVALID_HANDLE_VALUE));
    m_hasCurrent = m_hasNext = false;
    m_root.Empty();
}

BOOL CFileFind::IsDots() const
{
    if (!IsDirectory()) return FALSE;
    const wchar_t* name = m_current.cFileName;
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

BOOL CFileFind::IsDirectory() const
{
    return m_hasCurrent && (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString CFileFind::GetFileName() const { return m_hasCurrent ? CString(m_current.cFileName) : CString(); }

CString CFileFind::GetFilePath() const { return m_hasCurrent ? m_root + m_current.cFileName : CString(); }

ULONGLONG CFileFind::GetLength() const
{
    return m_hasCurrent ? (ULONGLONG(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow : 0;
}
