#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts the task allocations (id lists among them) made and freed while it is registered.
class CountingMallocSpy final : public IMallocSpy {
public:
    long allocated = 0;
    long freed = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IMallocSpy) return *out = nullptr, E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override
    {
        if (block) ++allocated;
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL spied) override
    {
        if (block && spied) ++freed;
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** real, BOOL) override
    {
        *real = block;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

// A folder tree of the test's own under the temporary folder, removed afterwards.
class TempFolders {
public:
    TempFolders()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"shelltree-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_root.c_str(), nullptr);
    }
    ~TempFolders() { Remove(m_root); }
    TempFolders(const TempFolders&) = delete;
    TempFolders& operator=(const TempFolders&) = delete;

    std::wstring Make(const std::wstring& relative)
    {
        std::wstring path = m_root + L"\\" + relative;
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }
    const std::wstring& Root() const { return m_root; }

private:
    static void Remove(const std::wstring& path)
    {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring child = path + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(child);
                else DeleteFileW(child.c_str());
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }

    std::wstring m_root;
};

class ShellTree : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        host.CreateEx(0, nullptr, L"host", WS_POPUP, CRect(0, 0, 300, 400), nullptr, 0);
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, CRect(0, 0, 300, 400), &host,
                                1004));
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        host.DestroyWindow();
        OleUninitialize();
    }
    CString SelectedPath()
    {
        CString path;
        tree.GetItemPath(path);
        return path;
    }

    TempFolders folders;
    CWnd host;
    CMFCShellTreeCtrl tree;
};

TEST_F(ShellTree, TheDesktopIsTheRootAndItsFoldersAreListed)
{
    HTREEITEM root = tree.GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.GetNextSiblingItem(root), nullptr);
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    auto* info = reinterpret_cast<AFX_SHELLITEMINFO*>(tree.GetItemData(root));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->pParentFolder, nullptr);
    EXPECT_NE(tree.GetChildItem(root), nullptr);
}

TEST_F(ShellTree, SelectPathFindsAFolderAndGetItemPathGivesItBack)
{
    std::wstring inner = folders.Make(L"Inner");
    ASSERT_TRUE(tree.SelectPath(inner.c_str()));
    EXPECT_EQ(SelectedPath().CompareNoCase(inner.c_str()), 0) << CStringA(SelectedPath()).GetString();
    HTREEITEM selected = tree.GetSelectedItem();
    EXPECT_EQ(tree.GetItemText(selected), CString(L"Inner"));

    // Drive paths end below the computer, whose item has no file-system path.
    HTREEITEM top = selected;
    while (tree.GetParentItem(tree.GetParentItem(top))) top = tree.GetParentItem(top);
    CString path;
    EXPECT_FALSE(tree.GetItemPath(path, top)) << CStringA(tree.GetItemText(top)).GetString();
    EXPECT_TRUE(path.IsEmpty());
}

TEST_F(ShellTree, SelectPathRejectsWhatIsNotAFolderAndKeepsTheSelection)
{
    std::wstring kept = folders.Make(L"Kept");
    ASSERT_TRUE(tree.SelectPath(kept.c_str()));
    HTREEITEM selected = tree.GetSelectedItem();
    std::wstring file = folders.Root() + L"\\file.txt";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring missing = folders.Root() + L"\\missing";

    for (const wchar_t* bad : {L"", L"Q:\\", L"Q:\\photos", file.c_str(), missing.c_str()}) {
        EXPECT_FALSE(tree.SelectPath(bad)) << CStringA(bad).GetString();
        EXPECT_EQ(tree.GetSelectedItem(), selected) << CStringA(bad).GetString();
    }
    EXPECT_FALSE(tree.SelectPath(static_cast<const wchar_t*>(nullptr)));
    DWORD start = GetTickCount();
    EXPECT_FALSE(tree.SelectPath(L"\\\\127.0.0.1\\nosuchshare"));
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(tree.GetSelectedItem(), selected);
}

TEST_F(ShellTree, AFolderThatCannotBeReadExpandsToNothing)
{
    std::wstring gone = folders.Make(L"Gone");
    folders.Make(L"Gone\\Child");
    ASSERT_TRUE(tree.SelectPath(gone.c_str()));
    HTREEITEM item = tree.GetSelectedItem();
    ASSERT_TRUE(tree.ItemHasChildren(item));
    RemoveDirectoryW((gone + L"\\Child").c_str());
    RemoveDirectoryW(gone.c_str());

    tree.Expand(item, TVE_EXPAND);
    EXPECT_EQ(tree.GetChildItem(item), nullptr);
    EXPECT_FALSE(tree.ItemHasChildren(item)) << "the expand button goes";
}

TEST_F(ShellTree, ExpandingAndCollapsingReleasesEveryFolderAndIdList)
{
    constexpr int kFolders = 200;
    for (int i = 0; i < kFolders; ++i) {
        std::wstring name = L"F" + std::to_wstring(1000 + i);
        folders.Make(name);
        folders.Make(name + L"\\Sub");
    }
    ASSERT_TRUE(tree.SelectPath(folders.Root().c_str()));
    HTREEITEM parent = tree.GetSelectedItem();
    tree.Expand(parent, TVE_EXPAND);
    HTREEITEM first = tree.GetChildItem(parent);
    ASSERT_NE(first, nullptr);
    IShellFolder* shared = reinterpret_cast<AFX_SHELLITEMINFO*>(tree.GetItemData(first))->pParentFolder;
    auto references = [shared] {
        shared->AddRef();
        return shared->Release();
    };
    auto cycle = [&] {
        int expanded = 0;
        for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item)) {
            tree.Expand(item, TVE_EXPAND);
            if (tree.GetChildItem(item)) ++expanded;
            tree.Expand(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
        }
        return expanded;
    };
    ASSERT_EQ(cycle(), kFolders);  // the first round fills the shell's own caches
    ULONG before = references();

    CountingMallocSpy spy;
    ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
    for (int round = 0; round < 5; ++round) EXPECT_EQ(cycle(), kFolders);
    CoRevokeMallocSpy();

    EXPECT_EQ(references(), before);
    EXPECT_GT(spy.allocated, 5 * kFolders) << "the expansions allocate id lists";
    EXPECT_EQ(spy.allocated, spy.freed);
}

}  // namespace
