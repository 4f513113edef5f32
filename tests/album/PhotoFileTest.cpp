// The photo pipeline's file layer and format checks: the order of a durable write's calls and its clean-up after a
// failure at any of them, and the completeness check of every format GDI+ decodes, at every cut.
#include "album/PhotoTestSupport.h"
#include "photo/PhotoFile.h"
#include "photo/PhotoStructure.h"

#include <gtest/gtest.h>

#include <string>

using namespace phototest;

namespace {

// The real calls, noted in order; the one named failAt fails.
struct RecordedCalls : FileCalls {
    explicit RecordedCalls(std::string failing = {}) : failAt(std::move(failing)) {}

    HANDLE CreateNew(const wchar_t* path) override
    {
        if (Note("create")) return FileCalls::CreateNew(path);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    bool Write(HANDLE file, const void* data, DWORD size) override
    {
        return Note("write") && FileCalls::Write(file, data, size);
    }
    bool Flush(HANDLE file) override { return Note("flush") && FileCalls::Flush(file); }
    bool Close(HANDLE file) override { return FileCalls::Close(file) && Note("close"); }
    bool Move(const wchar_t* from, const wchar_t* to, DWORD flags) override
    {
        moveFlags = flags;
        return Note("move") && FileCalls::Move(from, to, flags);
    }
    bool Delete(const wchar_t* path) override { return Note("delete") && FileCalls::Delete(path); }

    bool Note(const char* call)
    {
        calls.push_back(call);
        return failAt != call;
    }

    std::string failAt;
    std::vector<std::string> calls;
    DWORD moveFlags = 0;
};

} // namespace

TEST(PhotoFile, DurableWriteFlushesBeforeTheRenameAndCleansUpAfterAnyFailure)
{
    TempFolder folder;
    const CString target = folder / L"a.jpg";
    const Bytes old(10, 'o');
    const Bytes fresh(5000, 'n');
    WriteBytes(target, old);
    RecordedCalls calls;
    ASSERT_TRUE(WriteFileDurably(folder.Path() + L"\\", target, fresh.data(), fresh.size(), true, nullptr, calls));
    EXPECT_EQ(calls.calls, (std::vector<std::string>{"create", "write", "flush", "close", "move"}));
    EXPECT_EQ(calls.moveFlags, DWORD(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(ReadBytes(target), fresh);

    for (const char* failAt : {"create", "write", "flush", "close", "check", "move"}) {
        SCOPED_TRACE(failAt);
        WriteBytes(target, old);
        RecordedCalls failing(failAt);
        const auto check = [&] { return std::string(failAt) != "check"; };
        EXPECT_FALSE(WriteFileDurably(folder.Path(), target, fresh.data(), fresh.size(), true, check, failing));
        EXPECT_EQ(ReadBytes(target), old);
        EXPECT_EQ(folder.Files(), std::vector<CString>{L"a.jpg"});
        if (std::string(failAt) != "create") {
            EXPECT_EQ(failing.calls.back(), "delete");
        }
    }
    // Without replace, an existing target stays.
    RecordedCalls keeping;
    EXPECT_FALSE(WriteFileDurably(folder.Path(), target, fresh.data(), fresh.size(), false, nullptr, keeping));
    EXPECT_EQ(keeping.moveFlags, DWORD(MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(ReadBytes(target), old);
}

TEST(PhotoFile, LongPathFormsAndIdentity)
{
    EXPECT_EQ(LongPathForm(L"C:\\a\\.\\b\\..\\c.jpg"), L"\\\\?\\C:\\a\\c.jpg");
    EXPECT_EQ(LongPathForm(L"\\\\server\\share\\c.jpg"), L"\\\\?\\UNC\\server\\share\\c.jpg");
    EXPECT_EQ(PlainPathForm(L"\\\\?\\UNC\\server\\share"), L"\\\\server\\share");
    // A drive that reports no volume serial matches by file index alone.
    EXPECT_TRUE((FileIdentity{7, 42, true}).SameFile(FileIdentity{0, 42, true}));
    EXPECT_FALSE((FileIdentity{7, 42, true}).SameFile(FileIdentity{8, 42, true}));
}

TEST(PhotoStructure, EveryCutThroughTheDataIsIncomplete)
{
    TempFolder folder;
    for (const wchar_t* mime : {L"image/png", L"image/gif", L"image/bmp", L"image/tiff"}) {
        SCOPED_TRACE(CStringA(mime).GetString());
        ASSERT_TRUE(SaveWithGdiplus(Busy(40, 30, 7), folder / L"whole", mime));
        const Bytes whole = ReadBytes(folder / L"whole");
        EXPECT_TRUE(IsStructureComplete(whole.data(), whole.size()));
        // Shorter than a signature, the bytes are no known format; a TIFF's last tag values may follow its strips,
        // and losing them leaves the picture whole.
        const std::size_t end = whole.size() - (CString(mime) == L"image/tiff" ? 64 : 0);
        int complete = 0;
        for (std::size_t size = 8; size < end; ++size) complete += IsStructureComplete(whole.data(), size);
        EXPECT_EQ(complete, 0);
    }
}
