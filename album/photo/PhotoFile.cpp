#include "photo/PhotoFile.h"

#include <new>

namespace {

// Largest single read or write call.
constexpr std::size_t kChunk = std::size_t(1) << 30;

} // namespace

void FileBytes::Release()
{
    m_data.reset();
    m_capacity = m_size = 0;
    m_fileSize = 0;
}

bool FileBytes::Read(const wchar_t* path, std::uint64_t limit)
{
    m_size = 0;
    m_fileSize = 0;
    // Other programs may keep the photo open (a viewer, the shell's thumbnailer).
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) return false;
    const std::uint64_t fileSize = file.GetLength();
    const std::uint64_t wanted = fileSize < limit ? fileSize : limit;
    if (wanted > SIZE_MAX / 2) return false;
    if (wanted + 1 > m_capacity) {
        Release();
        m_data.reset(new (std::nothrow) std::uint8_t[std::size_t(wanted) + 1]);
        if (!m_data) return false;
        m_capacity = std::size_t(wanted) + 1;
    }
    m_fileSize = fileSize;
    std::size_t done = 0;
    while (done < wanted) {
        const UINT chunk = UINT(wanted - done < kChunk ? wanted - done : kChunk);
        const UINT read = file.Read(m_data.get() + done, chunk);
        if (read == 0) break;  // the file shrank since its size was taken
        done += read;
    }
    m_size = done;
    if (done < wanted) m_fileSize = done;
    return true;
}

namespace {

// A temporary file that is deleted unless it was renamed into place.
class TempFile {
public:
    explicit TempFile(const wchar_t* folder)
    {
        // GetTempFileNameW creates the file, so the name is ours alone.
        if (!GetTempFileNameW(folder, L"alb", 0, m_path)) m_path[0] = 0;
    }
    ~TempFile()
    {
        if (m_path[0]) DeleteFileW(m_path);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const wchar_t* Path() const { return m_path; }
    bool IsValid() const { return m_path[0] != 0; }
    bool RenameOver(const wchar_t* target)
    {
        if (!MoveFileExW(m_path, target, MOVEFILE_REPLACE_EXISTING)) return false;
        m_path[0] = 0;
        return true;
    }

private:
    wchar_t m_path[MAX_PATH] = {};
};

} // namespace

bool WriteFileReplacing(const wchar_t* folder, const wchar_t* target, const std::uint8_t* data, std::size_t size)
{
    TempFile temp(folder);
    if (!temp.IsValid()) return false;
    CFile file;
    if (!file.Open(temp.Path(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)) return false;
    for (std::size_t done = 0; done < size;) {
        const UINT chunk = UINT(size - done < kChunk ? size - done : kChunk);
        if (!file.Write(data + done, chunk)) return false;
        done += chunk;
    }
    file.Close();
    return temp.RenameOver(target);
}
