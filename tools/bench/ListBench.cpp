// Benchmark harness of album's photo list, run under Wine: album's main window at 700 x 500 with 1,000 photo cards
// (real thumbnails read from one photo), then
//   - the scroll step: one LVM_SCROLL by one row of cards up to the return of the window's Update() (the list's
//     re-render and UpdateLayeredWindow included), with the list's own DrawImage and UpdateLayeredWindow timed apart;
//   - the memory of the items: private bytes after adding the 1,000 items less before, less the thumbnails' pixels;
//   - the cost split of one recomposition: the frame, the client area with its controls, the title, the list's
//     DrawImage, each on a graphics over a DC, over a 32bpp PARGB bitmap on the same pixels and onto a layer
//     surface (the window's own composition), then
//     UpdateLayeredWindow and whole Update() calls with nothing and with only the list to re-render;
//   - given a folder, the scan through the window: ScanFolder of the folder until the counter shows its total,
//     the status repaints included.
//
//   list_bench <photo> [steps] [folder]
#include "BenchSurface.h"
#include "AlbumApp.h"
#include "AlbumDlg.h"
#include "photo/PhotoScanner.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Gdiplus;

namespace {

constexpr int kCards = 1000;
constexpr int kRowHeight = 75;  // the native icon view's vertical spacing for 180 x 32 cells

double NowMs()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// User plus kernel time of the calling thread. Wine counts it in scheduler ticks, so only sums over many steps are
// meaningful; unlike wall time, it does not grow when other processes share the cores.
double ThreadCpuMs()
{
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    const auto ticks = [](FILETIME t) { return double(ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime); };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

// The process's private bytes as its heaps hold them: every allocated block with its overhead. Wine's
// PrivateUsage counter follows the whole address space in pages and moves by megabytes on its own.
double PrivateBytes()
{
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    double bytes = 0;
    for (DWORD i = 0; i < count; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += double(entry.cbData) + entry.cbOverhead;
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

// Runs a piece of drawing steps times; prints its median wall time and its mean CPU time.
void TimePiece(const char* what, int steps, const std::function<void()>& piece)
{
    std::vector<double> wall;
    const double cpuStart = ThreadCpuMs();
    for (int i = 0; i < steps; ++i) {
        const double start = NowMs();
        piece();
        wall.push_back(NowMs() - start);
    }
    std::printf("  %-44s median %7.2f ms   mean CPU %7.2f ms\n", what, Percentile(wall, 0.5),
                (ThreadCpuMs() - cpuStart) / steps);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: list_bench <photo> [steps]\n");
        return 2;
    }
    const int steps = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    int status = 0;
    {
        CAlbumApp app;
        AfxWinInit(GetModuleHandleW(nullptr), nullptr, L"", SW_SHOWNORMAL);
        app.SetRegistryKey(L"Daduz Bench");  // no stored folder: the window starts with an empty list
        app.appFont = CAlbumApp::MakeFont(L"Courier New", 9.0f);
        CAlbumDlg window;
        window.Create(IDD_ALBUM_DIALOG);
        CResList& list = window.photoList;

        PhotoBuffers buffers;
        PhotoScanner::ReadPhoto(argv[1], buffers);  // the decoder's working memory, kept across photos
        const double before = PrivateBytes();
        std::vector<std::unique_ptr<PhotoItem>> photos;
        double pixelBytes = 0;
        for (int i = 0; i < kCards; ++i) {
            photos.push_back(PhotoScanner::ReadPhoto(argv[1], buffers));
            if (Image* thumbnail = photos.back()->thumbnail.get())
                pixelBytes += 4.0 * thumbnail->GetWidth() * thumbnail->GetHeight();
        }
        if (!photos.front()->thumbnail) {
            std::fprintf(stderr, "no thumbnail from %ls\n", argv[1]);
            status = 1;
        }
        const double withPhotos = PrivateBytes();
        const double addCpu = ThreadCpuMs(), addStart = NowMs();
        for (auto& photo : photos) list.AddPhoto(std::move(photo));
        list.Arrange(LVA_DEFAULT);
        const double addWall = NowMs() - addStart, addCpuMs = ThreadCpuMs() - addCpu;
        const double withItems = PrivateBytes();
        const double perItem = (withItems - before - pixelBytes) / kCards;
        const double listPerItem = (withItems - withPhotos) / kCards;
        std::printf("memory, %d items: %.0f bytes per item beyond the thumbnails' pixels (records, thumbnail objects, "
                    "list items); the list's items alone %.0f bytes\n",
                    kCards, perItem, listPerItem);
        // The scan adds its items with the list's redrawing off; here it stays on.
        std::printf("adding %d items to the list, redrawing on, and arranging them: %.0f ms wall, %.0f ms CPU\n",
                    kCards, addWall, addCpuMs);
        window.Update();

        // One step: the list scrolled by one row of cards, then recomposed as its scroll handler does.
        auto scroll = [&] {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            list.GetScrollInfo(SB_VERT, &info, SIF_POS | SIF_RANGE | SIF_PAGE);
            const bool atEnd = info.nPos + int(info.nPage) > info.nMax;
            list.SendMessage(LVM_SCROLL, 0, atEnd ? -(info.nMax) : kRowHeight);
            list.Redraw(0, nullptr);
        };
        std::vector<double> total, drawImage, layered;
        const double cpuStart = ThreadCpuMs();
        for (int i = 0; i < steps; ++i) {
            const double start = NowMs();
            scroll();
            window.Update();
            total.push_back(NowMs() - start);
        }
        const double cpuPerStep = (ThreadCpuMs() - cpuStart) / steps;

        CRect windowRect;
        window.GetWindowRect(&windowRect);
        DcSurface surface(windowRect.Width(), windowRect.Height());
        RectF area = list.GetRect();
        for (int i = 0; i < steps; ++i) {
            scroll();
            Bitmap cache(INT(area.Width), INT(area.Height), PixelFormat32bppARGB);
            Graphics background(surface.Dc());
            Graphics target(&cache);
            const double start = NowMs();
            list.DrawImage(target, background, area);
            drawImage.push_back(NowMs() - start);
        }
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        for (int i = 0; i < steps; ++i) {
            POINT destination{windowRect.left, windowRect.top}, source{0, 0};
            SIZE size{windowRect.Width(), windowRect.Height()};
            HDC screen = GetDC(nullptr);
            const double start = NowMs();
            UpdateLayeredWindow(window.m_hWnd, screen, &destination, &size, surface.Dc(), &source, 0, &blend, ULW_ALPHA);
            layered.push_back(NowMs() - start);
            ReleaseDC(nullptr, screen);
        }
        std::printf("cost split of one recomposition (the list's cache kept unless said):\n");
        {
            const int w = windowRect.Width(), h = windowRect.Height();
            Bitmap pixels(w, h, w * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(surface.Bits()));
            Graphics onDc(surface.Dc());
            Graphics onBitmap(&pixels);
            // The kind of surface the window composes onto: a DIB with a GDI+ bitmap over its pixels.
            LayerSurface layer(w, h);
            Graphics& onLayer = layer.BeginFrame();
            for (Graphics* g : {&onDc, &onBitmap, &onLayer}) {
                g->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
                const char* kind = g == &onDc ? "on a DC" : g == &onBitmap ? "on a PARGB bitmap" : "on a layer";
                char label[96];
                std::snprintf(label, sizeof(label), "frame (DrawBgm), %s", kind);
                TimePiece(label, steps, [&] { window.DrawBgm(*g); });
                std::snprintf(label, sizeof(label), "client area (DrawWnd), %s", kind);
                TimePiece(label, steps, [&] { window.DrawWnd(*g); });
                std::snprintf(label, sizeof(label), "  of which the plain frame pieces, %s", kind);
                TimePiece(label, steps, [&] { window.CxDlg::DrawBgm(*g); });
                std::snprintf(label, sizeof(label), "  of which the photo list from its cache, %s", kind);
                TimePiece(label, steps, [&] { list.Compose(*g); });
                std::snprintf(label, sizeof(label), "  of which the folder tree from its cache, %s", kind);
                TimePiece(label, steps, [&] { window.folderTree.DoDraw(*g); });
                std::snprintf(label, sizeof(label), "  of which the small controls, %s", kind);
                TimePiece(label, steps, [&] {
                    for (CxWnd* control : std::initializer_list<CxWnd*>{
                             &window.capacityBar, &window.splitter, &window.selectedLabel, &window.counter,
                             &window.selectLabel, &window.dateLabel, &window.selectAll, &window.selectNone,
                             &window.dateAll, &window.dateNone, &window.startButton, &window.systemButton,
                             &window.exitButton, &window.capacityText, &window.volumeLabel, &window.jobBar,
                             &window.outputLabel, &window.outputEdit, &window.browseButton, &window.pathLabel})
                        control->DoDraw(*g);
                });
                std::snprintf(label, sizeof(label), "title (DrawUtl), %s", kind);
                TimePiece(label, steps, [&] { window.DrawUtl(*g); });
                std::snprintf(label, sizeof(label), "list's DrawImage, background %s", kind);
                TimePiece(label, steps, [&] {
                    Bitmap cache(INT(area.Width), INT(area.Height), PixelFormat32bppARGB);
                    Graphics target(&cache);
                    list.DrawImage(target, *g, area);
                });
            }
        }
        TimePiece("the list view's positions of all items", steps, [&] {
            POINT at{};
            for (int i = 0, count = list.GetItemCount(); i < count; ++i) list.GetItemPosition(i, &at);
        });
        TimePiece("UpdateLayeredWindow", steps, [&] {
            POINT destination{windowRect.left, windowRect.top}, source{0, 0};
            SIZE size{windowRect.Width(), windowRect.Height()};
            UpdateLayeredWindow(window.m_hWnd, nullptr, &destination, &size, surface.Dc(), &source, 0, &blend,
                                ULW_ALPHA);
        });
        TimePiece("Update(), nothing to re-render", steps, [&] { window.Update(); });
        TimePiece("Update(), the list re-rendered", steps, [&] {
            list.Redraw(0, nullptr);
            window.Update();
        });
        std::printf("scroll step, %d cards, 700 x 500 window:\n", kCards);
        PrintTimes("  LVM_SCROLL to end of Update()", total);
        std::printf("  %-32s mean   %6.2f ms of CPU\n", "", cpuPerStep);
        PrintTimes("  the list's DrawImage", drawImage);
        PrintTimes("  UpdateLayeredWindow", layered);
        const bool fast = Percentile(total, 0.5) < 8.0;
        std::printf("targets: scroll step median under 8 ms: %s; the list's items at most 200 bytes each: %s\n",
                    fast ? "met" : "NOT met", listPerItem <= 200 ? "met" : "NOT met");
        if (argc > 3) {
            const double cpuBefore = ThreadCpuMs();
            const double start = NowMs();
            window.ScanFolder(CString(argv[3]) + L"\\*.*");
            const double wall = NowMs() - start;
            std::printf("scan through the window, %d photos: %.0f ms wall, %.0f ms CPU; counter %ls\n",
                        list.GetItemCount(), wall, ThreadCpuMs() - cpuBefore, window.counter.GetWindowText().GetString());
        }
        window.DestroyWindow();
    }
    GdiplusShutdown(gdiplusToken);
    return status;
}
