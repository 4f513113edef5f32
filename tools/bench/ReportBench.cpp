// Benchmark harness of the skinned report list, run under Wine: the gallery's report list filled with 10,000 rows
// x 4 columns, in the gallery (a skinned layered dialog of every control), then
//   - the scroll step: one LVM_SCROLL by one row up to the return of the gallery's Update() (the list's re-render,
//     the composition and UpdateLayeredWindow included);
//   - the gallery's Update() alone, nothing dirty (the composition the list's part adds to);
//   - the list's own part alone: its DoDraw after the same step (painting the list and its header and composing
//     both) onto a surface of the gallery's size.
//
//   report_bench [steps]    prints the median and 90th percentile of each, in milliseconds
#include "BenchSurface.h"
#include "BenchTiming.h"
#include "Exhibits.h"
#include "GalleryIds.h"

#include <cstdio>
#include <vector>

using namespace Gdiplus;

namespace {

constexpr int kRows = 10000;

int Run(int steps)
{
    GalleryDlg gallery(L"C:\\");
    if (!gallery.Create(IDD_GALLERY)) return 1;
    ReportListExhibit* exhibit = gallery.Find<ReportListExhibit>();
    if (!exhibit) return 1;
    CxChkListCtrl& list = exhibit->List();
    Stopwatch filling;
    exhibit->Fill(kRows);
    const double fillMs = filling.WallMs();
    gallery.Update();

    CRect row;
    list.GetItemRect(0, &row, LVIR_BOUNDS);
    // One step: the list scrolled by one row (back to the top at the end), then recomposed.
    auto scroll = [&] {
        const bool atEnd = list.GetScrollPos(SB_VERT) >= list.GetScrollLimit(SB_VERT);
        list.SendMessage(LVM_SCROLL, 0, atEnd ? -kRows * row.Height() : row.Height());
        list.Redraw(0, nullptr);
    };
    std::vector<double> total, composition, listPart;
    Stopwatch cpu;
    for (int i = 0; i < steps; ++i) {
        Stopwatch watch;
        scroll();
        gallery.Update();
        total.push_back(watch.WallMs());
    }
    const double cpuPerStep = cpu.CpuMs() / steps;

    for (int i = 0; i < steps; ++i) {
        Stopwatch watch;
        gallery.Update();
        composition.push_back(watch.WallMs());
    }

    CRect window;
    gallery.GetWindowRect(&window);
    DcSurface surface(window.Width(), window.Height());
    Graphics onSurface(surface.Dc());
    for (int i = 0; i < steps; ++i) {
        scroll();
        Stopwatch watch;
        list.DoDraw(onSurface);
        listPart.push_back(watch.WallMs());
    }
    std::printf("report list, %d rows x %d columns (filled in %.0f ms), in the %d x %d gallery, %d rows on a page:\n",
                kRows, list.GetHeader()->GetItemCount(), fillMs, window.Width(), window.Height(),
                list.GetCountPerPage());
    PrintTimes("  LVM_SCROLL to end of Update()", total);
    std::printf("  %-32s mean   %6.2f ms of CPU\n", "", cpuPerStep);
    PrintTimes("  Update() alone, nothing dirty", composition);
    PrintTimes("  the list's DoDraw (with its header)", listPart);
    std::printf("target: scroll step median under 8 ms: %s\n", Percentile(total, 0.5) < 8.0 ? "met" : "NOT met");
    gallery.DestroyWindow();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int steps = std::max(1, argc > 1 ? _wtoi(argv[1]) : 50);
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) != Ok) return 1;
    int status = Run(steps);
    GdiplusShutdown(token);
    return status;
}
