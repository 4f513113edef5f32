#include "AlbumDlg.h"
#include "DialogTestSupport.h"
#include "res/resource.h"

#include "app/CxWinApp.h"

#include <vector>

using namespace Gdiplus;

namespace {

// The main window, recording what its photo list reports and how often it is composed.
class RecordingAlbumDlg : public CAlbumDlg {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_USER + 1) toggles.push_back(lParam);
        if (msg == WM_USER) clicks.push_back(lParam);
        if (msg == WM_ERASEBKGND) ++compositions;
        return CAlbumDlg::WindowProc(msg, wParam, lParam);
    }
    std::vector<LPARAM> toggles;
    std::vector<LPARAM> clicks;
    int compositions = 0;
};

class PhotoList : public AlbumDialogTest {
protected:
    PhotoList() { EXPECT_TRUE(window.Create(IDD_ALBUM_DIALOG)); }

    void AddPhotos(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto photo = std::make_unique<PhotoItem>();
            photo->path.Format(L"C:\\photos\\IMG_%04d.jpg", i);
            photo->thumbnail = std::make_unique<Bitmap>(52, 39, PixelFormat32bppARGB);
            list().AddPhoto(std::move(photo));
        }
        list().Arrange(LVA_DEFAULT);
    }
    CResList& list() { return window.photoList; }
    CRect Bounds(int item)
    {
        CRect bounds;
        list().GetItemRect(item, &bounds, LVIR_BOUNDS);
        return bounds;
    }
    void ClickAt(CPoint at) { list().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)); }
    void MoveTo(CPoint at)
    {
        CPoint screen = at;
        list().ClientToScreen(&screen);
        SetCursorPos(screen.x, screen.y);
        list().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
    // The first card not scrolled above the client area.
    int FirstVisible()
    {
        for (int i = 0; i < list().GetItemCount(); ++i)
            if (Bounds(i).bottom > 0) return i;
        return -1;
    }
    CRect BadgeRect()
    {
        CRect rect;
        list().Badge().GetWindowRect(&rect);
        return rect;
    }

    RecordingAlbumDlg window;
};

TEST_F(PhotoList, BoxesToggleOnlyStrictlyInsideAndOnlyCompressIsReported)
{
    AddPhotos(2);
    const CRect card = Bounds(1);
    PhotoItem* photo = list().GetPhoto(1);
    ClickAt({card.left + 83, card.top + 47});
    EXPECT_EQ(photo->compress, 1) << "the box's left edge is outside it";
    ClickAt({card.left + 84, card.top + 47});
    EXPECT_EQ(photo->compress, 0);
    ClickAt({card.left + 100, card.top + 40});
    EXPECT_EQ(photo->compress, 1);
    EXPECT_EQ(window.toggles, (std::vector<LPARAM>{1, 1}));

    ClickAt({card.left + 180, card.top + 47});
    EXPECT_EQ(photo->stampDate, 1);
    EXPECT_EQ(window.toggles.size(), 2u) << "the date box is not reported";
    EXPECT_TRUE(window.clicks.empty()) << "box clicks are not item clicks";

    ClickAt({card.left + 30, card.top + 30});
    EXPECT_TRUE(window.clicks.empty()) << "a click on the thumbnail is swallowed";
    EXPECT_EQ(list().GetItemState(1, LVIS_SELECTED), 0u);
}

TEST_F(PhotoList, WheelStepRecomposesOnceAndScrollsTheCards)
{
    AddPhotos(40);
    ASSERT_EQ(FirstVisible(), 0);
    const int before = window.compositions;
    int top = Bounds(0).top;
    for (int step = 1; step <= 3; ++step) {
        list().SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
        EXPECT_EQ(window.compositions, before + step);
        EXPECT_LT(Bounds(0).top, top);
        top = Bounds(0).top;
    }
    EXPECT_GT(FirstVisible(), 0) << "a row of cards is scrolled out";
}

TEST_F(PhotoList, BadgeFadesInBesideTheThumbnailOncePerItem)
{
    AddPhotos(4);
    const CRect card = Bounds(1);
    MoveTo({card.left + 30, card.top + 30});
    CToolDlg& badge = list().Badge();
    ASSERT_TRUE(badge.IsWindowVisible());
    EXPECT_TRUE(badge.GetStyle() & WS_CHILD);
    CPoint expected(card.left - BadgeRect().Width() + 15, card.top - 4);
    list().ClientToScreen(&expected);
    EXPECT_EQ(BadgeRect().TopLeft(), expected);

    std::vector<int> alphas;
    for (int tick = 0; tick < 10; ++tick) {
        badge.SendMessage(WM_TIMER, 0, 0);
        alphas.push_back(badge.GetAlpha());
    }
    EXPECT_EQ(alphas, (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 0}))
        << "the fade stops above 230 and the stored alpha returns to 0";
    EXPECT_EQ(BadgeRect().left, expected.x - 10);

    MoveTo({card.left + 31, card.top + 31});
    EXPECT_EQ(BadgeRect().left, expected.x - 10) << "the same item does not restart the fade";
    EXPECT_EQ(list().HoverItem(), 1);

    MoveTo({card.right + 1, card.top + 30});
    EXPECT_TRUE(badge.IsWindowVisible()) << "empty space between cards leaves the badge";
    MoveTo({card.left + 120, card.top + 10});
    EXPECT_FALSE(badge.IsWindowVisible()) << "the card beside its thumbnail hides it";
    EXPECT_EQ(list().HoverItem(), -1);
}

TEST_F(PhotoList, StatusBarReplacesTheScrollBarsWhileSetAndAnyItemDraws)
{
    AddPhotos(40);
    LVITEMW bare{};
    bare.mask = LVIF_TEXT;
    bare.iItem = 0;
    bare.pszText = const_cast<wchar_t*>(L"");
    list().InsertItem(&bare);
    list().GetPhoto(1)->thumbnail.reset();
    list().Arrange(LVA_DEFAULT);

    CRect client;
    list().GetClientRect(&client);
    ASSERT_TRUE(list().IsScrollBarVisible(SB_VERT));
    // The middle of the client area and the middle of the vertical scroll bar, in the composed window.
    auto probe = [&] {
        Bitmap surface(700, 500, PixelFormat32bppARGB);
        {
            Graphics g(&surface);
            list().Redraw(0, nullptr);
            list().Compose(g);
        }
        Gdiplus::Rect at = list().GetRect(list().GetRect());
        Color middle, bar;
        surface.GetPixel(at.X + client.Width() / 2, at.Y + client.Height() / 2, &middle);
        surface.GetPixel(at.X + client.right + 8, at.Y + client.Height() / 2, &bar);
        return std::pair(middle.GetValue(), bar.GetValue());
    };
    const auto plain = probe();
    list().SetWindowText(L"Loading IMG_0001.jpg");
    const auto scanning = probe();
    EXPECT_NE(scanning.first, plain.first) << "the status bar covers the cards";
    EXPECT_NE(scanning.second, plain.second) << "no scroll bar during a scan";
    list().SetWindowText(L"");
    EXPECT_EQ(probe(), plain);
}

TEST_F(PhotoList, ScanFillsTheListAndTheCounterAndARescanStartsOver)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    CString folder;
    folder.Format(L"%sphoto-list-%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    CreateDirectoryW(folder + L"\\e.jpg", nullptr);
    CLSID png{};
    ASSERT_GE(CxWinApp::GetEncClsid(L"image/png", &png), 0);
    Bitmap picture(100, 25, PixelFormat32bppARGB);
    for (const wchar_t* name : {L"\\a.PNG", L"\\b.png", L"\\c.txt"}) picture.Save(folder + name, &png, nullptr);

    window.ScanFolder(folder + L"\\*.*");
    ASSERT_EQ(list().GetItemCount(), 2);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"2/2"));
    EXPECT_EQ(list().GetWindowText(), CString(L"")) << "the status ends with the scan";
    EXPECT_EQ(list().GetPhoto(0)->thumbnail->GetWidth(), 52u);
    ClickAt({Bounds(0).left + 90, Bounds(0).top + 47});
    EXPECT_EQ(list().GetPhoto(0)->compress, 0);

    window.ScanFolder(folder + L"\\*.*");
    EXPECT_EQ(list().GetPhoto(0)->compress, 1) << "a rescan marks every photo again";
    window.ScanFolder(folder + L"\\none*.*");
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_EQ(window.counter.GetWindowText(), CString(L"0/0"));

    for (const wchar_t* name : {L"\\a.PNG", L"\\b.png", L"\\c.txt"}) DeleteFileW(folder + name);
    RemoveDirectoryW(folder + L"\\e.jpg");
    RemoveDirectoryW(folder);
}

}  // namespace
