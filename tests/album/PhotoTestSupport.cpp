#include "album/PhotoTestSupport.h"

#include "app/CxWinApp.h"
#include "photo/JpegCodec.h"
#include "photo/PhotoFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>

namespace phototest {

namespace {

// Starts GDI+ before the first test and shuts it down after the last, as album's application object does.
class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

[[maybe_unused]] testing::Environment* const gdiplus = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

void RemoveTree(const CString& path)
{
    const CString folder = LongPathForm(path);  // folders past MAX_PATH are removed too
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW(folder + L"\\*", &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const CString name(entry.cFileName);
            if (name == L"." || name == L"..") continue;
            const CString path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path);
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder);
}

} // namespace

PixelBuffer Solid(int width, int height, std::uint32_t argb)
{
    PixelBuffer picture;
    picture.Allocate(width, height, false);
    Fill(picture, 0, 0, width, height, argb);
    return picture;
}

PixelBuffer Busy(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    PixelBuffer picture = Solid(width, height, 0xFF808080);
    for (int i = 0; i < 40; ++i) {
        const int x = int(random() % unsigned(width));
        const int y = int(random() % unsigned(height));
        Fill(picture, x, y, std::min(width - x, 1 + int(random() % unsigned(width / 4 + 1))),
             std::min(height - y, 1 + int(random() % unsigned(height / 4 + 1))), 0xFF000000 | (random() & 0xFFFFFF));
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int b = 0; b < width * 4; ++b) {
            if (b % 4 != 3) p[b] = std::uint8_t(std::clamp(int(p[b]) + int(random() % 33) - 16, 0, 255));
        }
    }
    return picture;
}

void Fill(PixelBuffer& picture, int x, int y, int width, int height, std::uint32_t argb)
{
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) picture.SetPixel(column, row, argb);
    }
}

bool Near(std::uint32_t argb, std::uint32_t expected, int tolerance)
{
    for (int shift : {0, 8, 16}) {
        if (std::abs(int((argb >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance) return false;
    }
    return true;
}

void WriteBytes(const CString& path, const Bytes& bytes)
{
    const HANDLE file =
        CreateFileW(LongPathForm(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

Bytes ReadBytes(const CString& path)
{
    Bytes bytes;
    const HANDLE file =
        CreateFileW(LongPathForm(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool SaveWithGdiplus(const PixelBuffer& picture, const CString& path, const wchar_t* mimeType)
{
    CLSID encoder{};
    if (!CxWinApp::GetEncClsid(mimeType, &encoder)) return false;
    Gdiplus::Bitmap bitmap(picture.Width(), picture.Height(), picture.Stride(), PixelFormat32bppARGB,
                           const_cast<BYTE*>(picture.Data()));
    // Wine's GIF encoder writes an empty file from 32-bit pixels; it needs a palette image.
    const std::unique_ptr<Gdiplus::Bitmap> indexed(
        CString(mimeType) == L"image/gif"
            ? bitmap.Clone(0, 0, picture.Width(), picture.Height(), PixelFormat8bppIndexed)
            : nullptr);
    return (indexed ? indexed.get() : &bitmap)->Save(path, &encoder, nullptr) == Gdiplus::Ok;
}

PixelBuffer DecodeFile(const CString& path)
{
    const Bytes bytes = ReadBytes(path);
    PixelBuffer pixels;
    if (!bytes.empty()) DecodeJpeg(bytes.data(), bytes.size(), JpegScale{8}, pixels);
    return pixels;
}

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path.Format(L"%salbum-photo-%lu-%d", base, GetCurrentProcessId(), ++counter);
    RemoveTree(m_path);
    CreateDirectoryW(m_path, nullptr);
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

std::vector<CString> TempFolder::Files() const
{
    std::vector<CString> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW(m_path + L"\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace phototest
