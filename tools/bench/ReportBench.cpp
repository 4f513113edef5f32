// Benchmark harness of the skinned report list, run under Wine: a check list of 10,000 rows x 4 columns in a
// 700 x 500 skinned layered dialog, then
//   - the scroll step: one LVM_SCROLL by one row up to the return of the dialog's Update() (the list's re-render,
//     the composition and UpdateLayeredWindow included);
//   - the dialog's Update() alone, nothing dirty (the composition the list's part adds to);
//   - the list's own part alone: its DoDraw after the same step (painting the list and its header and composing
//     both) onto a surface of the dialog's size.
//
//   report_bench [steps]    prints the median and 90th percentile of each, in milliseconds
#include "BenchTiming.h"
#include "ReportBenchIds.h"
#include "lists/CxListCtrl.h"
#include "skin/CxDlg.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 4;

class BenchDialog : public CxDlg {
public:
    BenchDialog() : CxDlg(IDD_REPORT_BENCH, nullptr) {}
    void DrawWnd(Graphics& g) override
    {
        SolidBrush panel(Color(255, 244, 246, 249));
        g.FillRectangle(&panel, 10, 24, 680, 467);
        for (CxWnd* control : controls) control->DoDraw(g);
    }
    std::vector<CxWnd*> controls;
    CxChkListCtrl list;
};

// The skinned layered dialog at 700 x 500 with the report list filling its panel.
bool OpenDialog(BenchDialog& dialog)
{
    if (!dialog.Create(IDD_REPORT_BENCH)) return false;
    dialog.ModifyStyleEx(0, WS_EX_LAYERED);
    dialog.SetAtt(IDP_FRAME, L"PNG", nullptr);
    dialog.MoveWindow(0, 0, 700, 500, FALSE);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    CxChkListCtrl& list = dialog.list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(14, 30, 686, 486), &dialog, 1001)) return false;
    list.SetAtt(dialog.LoadRes(IDP_ICONS, L"PNG", nullptr), IDB_HEADER, IDB_VBAR, IDB_HBAR, IDB_CORNER, 5, 4, nullptr);
    list.SetBgmColor(Color(0xE0FFFFFF));
    dialog.controls.push_back(&list);
    return true;
}

// A 32-bit DIB section of the dialog's size in a memory DC, as the dialog composes into.
class DcSurface {
public:
    DcSurface(int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_dib = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_previous = SelectObject(m_dc, m_dib);
        std::fill_n(static_cast<DWORD*>(bits), width * height, 0xFFF4F6F9);
    }
    ~DcSurface()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_dib);
        DeleteDC(m_dc);
    }
    DcSurface(const DcSurface&) = delete;
    DcSurface& operator=(const DcSurface&) = delete;
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_previous = nullptr;
};

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

void PrintTimes(const char* what, const std::vector<double>& ms)
{
    std::printf("%-34s median %6.2f ms   p90 %6.2f ms   (%zu steps)\n", what, Percentile(ms, 0.5), Percentile(ms, 0.9),
                ms.size());
}

int Run(int steps)
{
    BenchDialog dialog;
    if (!OpenDialog(dialog)) return 1;
    CxChkListCtrl& list = dialog.list;
    const wchar_t* headings[kColumns] = {L"Name", L"Size", L"Taken", L"Folder"};
    for (int col = 0; col < kColumns; ++col) list.InsertColumn(col, headings[col], LVCFMT_LEFT, col == 0 ? 200 : 140);
    list.SendMessage(LVM_SETITEMCOUNT, kRows);
    Stopwatch filling;
    list.CListCtrl::SetRedraw(FALSE);  // no native repaint or scroll update per row while filling
    for (int row = 0; row < kRows; ++row) {
        const std::wstring name = L"IMG_" + std::to_wstring(row + 1) + L".jpg";
        list.InsertItem(row, name.c_str());
        list.SetItemText(row, 1, (std::to_wstring(1200 + row % 900) + L" KB").c_str());
        list.SetItemText(row, 2, L"Mar. 07. 2009");
        list.SetItemText(row, 3, L"C:\\Photos\\Camera");
        list.SetCheck(row, row % 3 == 0);
    }
    list.CListCtrl::SetRedraw(TRUE);
    const double fillMs = filling.WallMs();
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    dialog.Update();

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
        dialog.Update();
        total.push_back(watch.WallMs());
    }
    const double cpuPerStep = cpu.CpuMs() / steps;

    for (int i = 0; i < steps; ++i) {
        Stopwatch watch;
        dialog.Update();
        composition.push_back(watch.WallMs());
    }

    DcSurface surface(700, 500);
    Graphics onSurface(surface.Dc());
    for (int i = 0; i < steps; ++i) {
        scroll();
        Stopwatch watch;
        list.DoDraw(onSurface);
        listPart.push_back(watch.WallMs());
    }
    std::printf("report list, %d rows x %d columns (filled in %.0f ms), 700 x 500 dialog, %d rows on a page:\n", kRows,
                kColumns, fillMs, list.GetCountPerPage());
    PrintTimes("  LVM_SCROLL to end of Update()", total);
    std::printf("  %-32s mean   %6.2f ms of CPU\n", "", cpuPerStep);
    PrintTimes("  Update() alone, nothing dirty", composition);
    PrintTimes("  the list's DoDraw (with its header)", listPart);
    std::printf("target: scroll step median under 8 ms: %s\n", Percentile(total, 0.5) < 8.0 ? "met" : "NOT met");
    dialog.DestroyWindow();
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
