#include "Gallery.h"
#include "common/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A gallery that keeps every report and counts the menu rows it draws.
class RecordingGallery : public GalleryDlg {
public:
    RecordingGallery() : GalleryDlg(L"C:\\windows") {}

    void Report(const CString& text) override
    {
        reports.push_back(text);
        GalleryDlg::Report(text);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_DRAWITEM && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) ++menuRows;
        return GalleryDlg::WindowProc(msg, wParam, lParam);
    }
    bool Reported(const wchar_t* text) const
    {
        for (const CString& report : reports) {
            if (report == text) return true;
        }
        return false;
    }

    std::vector<CString> reports;
    int menuRows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND wnd, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(wnd, CountChild, count);
    return TRUE;
}

// The windows of this thread and their children: the user objects the gallery makes. Wine's GetGuiResources
// is a stub, so user objects are counted where they live.
int ThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, LPARAM(&count));
    return count;
}

struct Children {
    HWND parent;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM out)
{
    auto* children = reinterpret_cast<Children*>(out);
    if (IsWindowVisible(child) && GetParent(child) == children->parent) children->found.push_back(child);
    return TRUE;
}

// The visible controls placed directly on the gallery.
std::vector<HWND> Controls(CWnd& gallery)
{
    Children children{gallery.m_hWnd, {}};
    EnumChildWindows(gallery.m_hWnd, CollectChild, LPARAM(&children));
    return children.found;
}

CString ClassOf(HWND wnd)
{
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    return name;
}

HWND FindControl(CWnd& gallery, const wchar_t* className)
{
    for (HWND control : Controls(gallery)) {
        if (ClassOf(control) == className) return control;
    }
    return nullptr;
}

// Opens the gallery, drives every control once and destroys it.
void Cycle()
{
    RecordingGallery gallery;
    ASSERT_TRUE(gallery.Create(200));
    gallery.Drive();
    PumpPending();
}

class Gallery : public testing::Test {
protected:
    GdiplusSession gdiplus;
};

TEST_F(Gallery, EveryPanelAnswersItsUserAction)
{
    RecordingGallery gallery;
    ASSERT_TRUE(gallery.Create(200));
    gallery.Drive();
    EXPECT_GT(gallery.menuRows, 0) << "the menu was opened and its rows drawn";
    for (const wchar_t* report :
         {L"\u201COK\u201D clicked", L"\u201CCompress large photos\u201D checked", L"Size \u201CLarge\u201D chosen",
          L"Tree: \u201CLighthouse.jpg\u201D selected", L"Icon list: \u201CSunset\u201D clicked",
          L"\u201CIMG_0003.JPG\u201D cleared", L"Report list: \u201CIMG_0004.JPG\u201D selected",
          L"\u201CHarbour\u201D unticked", L"Combo box: \u201CBest quality (95)\u201D chosen"})
        EXPECT_TRUE(gallery.Reported(report)) << CStringA(report).GetString();
    EXPECT_TRUE(std::any_of(gallery.reports.begin(), gallery.reports.end(),
                            [](const CString& r) { return r.Find(L"Quality set to") == 0; }));
    EXPECT_TRUE(std::any_of(gallery.reports.begin(), gallery.reports.end(),
                            [](const CString& r) { return r.Find(L"Splitter moved") == 0; }));
    EXPECT_EQ(gallery.Status(), gallery.reports.back());
    const LRESULT quality = SendMessageW(FindControl(gallery, TRACKBAR_CLASSW), TBM_GETPOS, 0, 0);
    EXPECT_GT(quality, 40) << "the drag moved the slider";
    EXPECT_EQ(SendMessageW(FindControl(gallery, PROGRESS_CLASSW), PBM_GETPOS, 0, 0), quality);
}

TEST_F(Gallery, TheSplitterKeepsBothPanesAtTheirMinimumWidth)
{
    RecordingGallery gallery;
    ASSERT_TRUE(gallery.Create(200));
    HWND splitter = nullptr;
    for (HWND control : Controls(gallery)) {
        CRect rect;
        GetClientRect(control, &rect);
        if (ClassOf(control) == L"Button" && rect.Width() == 10 && rect.Height() > 100) splitter = control;
    }
    ASSERT_TRUE(splitter);
    CRect before, after;
    GetWindowRect(splitter, &before);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = 0x80;  // the splitter drags while the thread sees the left button down
    SetKeyboardState(keys);
    for (int x : {-30, -1000}) {
        SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 20));
        SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4 + x, 20));
        SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(4 + x, 20));
    }
    keys[VK_LBUTTON] = 0;
    SetKeyboardState(keys);
    GetWindowRect(splitter, &after);
    EXPECT_EQ(after.left, before.left - 30) << "a step that leaves both panes wide enough is taken";
    EXPECT_EQ(gallery.reports.front().Find(L"Splitter moved"), 0);
    EXPECT_EQ(gallery.reports.back().Find(L"Splitter stopped"), 0) << "a step past the minimum is refused";
}

TEST_F(Gallery, FitsTheScreenWithEveryControlInsideAndNoneOverlapping)
{
    RecordingGallery gallery;
    ASSERT_TRUE(gallery.Create(200));
    CRect window;
    gallery.GetWindowRect(&window);
    EXPECT_LE(window.Width(), 1280);
    EXPECT_LE(window.Height(), 1024);
    const std::vector<HWND> controls = Controls(gallery);
    EXPECT_GT(controls.size(), 40u);
    for (size_t i = 0; i < controls.size(); ++i) {
        CRect a;
        GetWindowRect(controls[i], &a);
        CRect inside;
        EXPECT_TRUE(inside.IntersectRect(a, window) && inside == a) << CStringA(ClassOf(controls[i])).GetString();
        for (size_t j = i + 1; j < controls.size(); ++j) {
            CRect b, both;
            GetWindowRect(controls[j], &b);
            EXPECT_FALSE(both.IntersectRect(a, b)) << CStringA(ClassOf(controls[i])).GetString() << " and "
                                                   << CStringA(ClassOf(controls[j])).GetString();
        }
    }
}

TEST_F(Gallery, EveryLabelFitsItsControl)
{
    RecordingGallery gallery;
    ASSERT_TRUE(gallery.Create(200));
    CClientDC dc(&gallery);
    Gdiplus::Graphics g(dc.GetSafeHdc());
    Gdiplus::Font font(dc.GetSafeHdc(), gallery.GetFont());
    int labels = 0;
    for (HWND label : Controls(gallery)) {
        if (ClassOf(label) != L"Static") continue;
        ++labels;
        CRect rect;
        GetClientRect(label, &rect);
        const CString text = CWnd::FromHandle(label)->GetWindowText();
        Gdiplus::RectF extent;
        g.MeasureString(text, -1, &font, Gdiplus::PointF(0, 0), Gdiplus::StringFormat::GenericDefault(), &extent);
        EXPECT_LE(extent.Width, rect.Width()) << CStringA(text).GetString();
        EXPECT_LE(extent.Height, rect.Height() + 1) << CStringA(text).GetString();
    }
    EXPECT_GT(labels, 20);
}

TEST_F(Gallery, CreatingDrivingAndDestroyingLeaksNoGdiOrUserObjects)
{
    Cycle();  // the first run fills the system's caches (fonts, classes, shell icons)
    const int headroom = GdiHandleHeadroom();
    const int windows = ThreadWindows();
    constexpr int kCycles = 3;
    for (int i = 0; i < kCycles; ++i) Cycle();
    EXPECT_GE(GdiHandleHeadroom(), headroom - 2) << "GDI objects leaked over " << kCycles << " galleries";
    EXPECT_EQ(ThreadWindows(), windows) << "windows left over " << kCycles << " galleries";
}

}  // namespace
