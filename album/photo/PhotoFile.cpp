#include "photo/PhotoFile.h"

#include "photo/PhotoNames.h"

#include <atomic>
#include <new>
#include <utility>
#include <vector>

namespace {

// Largest single read or write call.
constexpr DWORD kChunk = DWORD(1) << 30;
constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";
// Tries at a fresh temporary name before a write gives up.
constexpr int kTempNameTries = 100;

bool StartsWith(const wchar_t* text, const wchar_t* prefix) { return wcsncmp(text, prefix, wcslen(prefix)) == 0; }

// A handle closed on scope exit.
class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (IsValid()) CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return m_handle; }
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

// Opens a file for reading its data (read set) or only its attributes, letting others read, write and delete it
// meanwhile: a viewer or the shell's thumbnailer may hold the photo open.
HANDLE OpenShared(const wchar_t* path, bool read)
{
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder of a photo's name be opened too, so it has an identity as well.
    return CreateFileW(LongPathForm(path), read ? GENERIC_READ : FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool ReadFacts(HANDLE file, FileFacts& facts)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return false;
    facts.identity.volume = info.dwVolumeSerialNumber;
    facts.identity.index = ULONGLONG(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    facts.identity.known = true;
    facts.size = ULONGLONG(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    facts.created = info.ftCreationTime;
    return true;
}

// A temporary file of the write, created under a name of its own in the target's folder (so the rename stays on
// one volume) and deleted unless it was renamed into place.
class TempFile {
public:
    TempFile(const CString& folder, FileCalls& calls) : m_calls(calls)
    {
        // The name is made here rather than by GetTempFileNameW, which cannot work in folders past MAX_PATH.
        static std::atomic<unsigned> counter{0};
        for (int i = 0; i < kTempNameTries && m_file == INVALID_HANDLE_VALUE; ++i) {
            CString name;
            name.Format(L"~album-%lx-%x.tmp", GetCurrentProcessId(), ++counter);
            m_path = folder + name;
            m_file = m_calls.CreateNew(m_path);
            if (m_file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
        }
        m_created = IsOpen();
    }
    ~TempFile()
    {
        CloseFile();
        if (m_created && !m_renamed) m_calls.Delete(m_path);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    bool Write(const std::uint8_t* data, std::size_t size)
    {
        for (std::size_t done = 0; done < size;) {
            const DWORD chunk = DWORD(size - done < kChunk ? size - done : kChunk);
            if (!m_calls.Write(m_file, data + done, chunk)) return false;
            done += chunk;
        }
        return true;
    }

    // Flushes the data to the disk and closes the file, so the rename can only ever show a complete file.
    bool Commit()
    {
        const bool flushed = m_calls.Flush(m_file);
        return CloseFile() && flushed;
    }

    bool RenameTo(const CString& target, bool replace)
    {
        const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        m_renamed = m_calls.Move(m_path, target, flags);
        return m_renamed;
    }

private:
    bool CloseFile()
    {
        if (m_file == INVALID_HANDLE_VALUE) return true;
        return m_calls.Close(std::exchange(m_file, INVALID_HANDLE_VALUE));
    }

    FileCalls& m_calls;
    CString m_path;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_created = false;
    bool m_renamed = false;
};

} // namespace

CString LongPathForm(const wchar_t* path)
{
    if (!path || !*path || StartsWith(path, kLongPrefix)) return path;
    const DWORD length = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (length == 0) return path;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    const DWORD written = GetFullPathNameW(path, DWORD(buffer.size()), buffer.data(), nullptr);
    if (written == 0 || written >= buffer.size()) return path;
    const CString full(buffer.data(), int(written));
    if (StartsWith(full, L"\\\\.\\")) return full;  // a device name stays as it is
    if (StartsWith(full, L"\\\\")) return kLongUncPrefix + full.Mid(2);
    return kLongPrefix + full;
}

CString PlainPathForm(const wchar_t* path)
{
    if (!path) return CString();
    if (StartsWith(path, kLongUncPrefix)) return L"\\\\" + CString(path + wcslen(kLongUncPrefix));
    if (StartsWith(path, kLongPrefix)) return path + wcslen(kLongPrefix);
    return path;
}

bool ReadFileFacts(const wchar_t* path, FileFacts& facts)
{
    const Handle file(OpenShared(path, false));
    return file.IsValid() && ReadFacts(file.Get(), facts);
}

void FileBytes::Release()
{
    m_data.reset();
    m_capacity = m_size = 0;
    m_fileSize = 0;
    m_identity = FileIdentity();
}

bool FileBytes::Read(const wchar_t* path, std::uint64_t limit)
{
    m_size = 0;
    m_fileSize = 0;
    m_identity = FileIdentity();
    const Handle file(OpenShared(path, true));
    FileFacts facts;
    if (!file.IsValid() || !ReadFacts(file.Get(), facts)) return false;
    const std::uint64_t wanted = facts.size < limit ? facts.size : limit;
    if (wanted > SIZE_MAX / 2) return false;
    if (wanted + 1 > m_capacity) {
        m_data.reset(new (std::nothrow) std::uint8_t[std::size_t(wanted) + 1]);
        m_capacity = m_data ? std::size_t(wanted) + 1 : 0;
        if (!m_data) return false;
    }
    m_identity = facts.identity;
    m_fileSize = facts.size;
    std::size_t done = 0;
    while (done < wanted) {
        const DWORD chunk = DWORD(wanted - done < kChunk ? wanted - done : kChunk);
        DWORD read = 0;
        // A failed read (a locked region, a card pulled out) ends the data here; the short size tells.
        if (!ReadFile(file.Get(), m_data.get() + done, chunk, &read, nullptr) || read == 0) break;
        done += read;
    }
    m_size = done;
    if (done < wanted) m_fileSize = done;
    return true;
}

HANDLE FileCalls::CreateNew(const wchar_t* path)
{
    return CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool FileCalls::Write(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool FileCalls::Flush(HANDLE file) { return FlushFileBuffers(file) != FALSE; }

bool FileCalls::Close(HANDLE file) { return CloseHandle(file) != FALSE; }

bool FileCalls::Move(const wchar_t* from, const wchar_t* to, DWORD flags) { return MoveFileExW(from, to, flags); }

bool FileCalls::Delete(const wchar_t* path) { return DeleteFileW(path) != FALSE; }

FileCalls& FileCalls::System()
{
    static FileCalls calls;
    return calls;
}

bool WriteFileDurably(const wchar_t* folder, const wchar_t* target, const std::uint8_t* data, std::size_t size,
                      bool replace, const std::function<bool()>& mayRename, FileCalls& calls)
{
    CString longFolder = LongPathForm(folder);
    // GetFullPathNameW keeps a final backslash, but be sure the name is joined to the folder.
    if (longFolder.Right(1) != L"\\") longFolder += L'\\';
    TempFile temp(longFolder, calls);
    return temp.IsOpen() && temp.Write(data, size) && temp.Commit() && (!mayRename || mayRename()) &&
           temp.RenameTo(LongPathForm(target), replace);
}

bool MakeOutputFolder(const CString& folder)
{
    if (!IsUsableFolderName(folder)) return false;
    const CString longForm = LongPathForm(folder);
    CreateDirectoryW(longForm, nullptr);  // an existing folder is fine
    const DWORD attributes = GetFileAttributesW(longForm);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
