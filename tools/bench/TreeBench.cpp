// Benchmark harness of the shell folder tree, run under Wine: expands a folder with many subfolders in a
// CxShellTree on a layered skinned dialog (TVM_EXPAND, including the recomposition it triggers), then the same in
// steps: the shell's listing, the tree's inserts, the native expansion of the filled item with its recomposition,
// and a repaint alone.
//
//   tree_bench <folder> [runs]    prints medians over the runs, in milliseconds (wall and CPU)
#include "BenchTiming.h"
#include "TreeBenchIds.h"
#include "skin/CxDlg.h"
#include "trees/CxShellTree.h"

#include <cstdio>
#include <vector>

namespace {

// Exposes the two sides of filling, so that each can be timed on its own.
class BenchTree : public CxShellTree {
public:
    using CMFCShellTreeCtrl::InsertChildren;
    using CMFCShellTreeCtrl::ListFolder;
};

class BenchDialog : public CxDlg {
public:
    BenchDialog() : CxDlg(IDD_TREE_BENCH, nullptr) {}

    bool Open()
    {
        if (!Create(IDD_TREE_BENCH)) return false;
        ModifyStyleEx(0, WS_EX_LAYERED);
        MoveWindow(0, 0, 700, 500, FALSE);
        ShowWindow(SW_SHOWNOACTIVATE);
        return tree.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | TVS_HASBUTTONS | TVS_HASLINES,
                           CRect(10, 128, 190, 491), this, 1004);
    }
    void DrawWnd(Gdiplus::Graphics& g) override
    {
        ++compositions;
        Gdiplus::SolidBrush panel(Gdiplus::Color(255, 244, 246, 249));
        g.FillRectangle(&panel, 0, 0, 700, 500);
        tree.DoDraw(g);
    }

    BenchTree tree;
    int compositions = 0;
};

struct Span {
    std::vector<double> wall, cpu;
    void Add(const Stopwatch& watch)
    {
        wall.push_back(watch.WallMs());
        cpu.push_back(watch.CpuMs());
    }
    void Print(const char* name) const
    {
        std::printf("tree %s wall_ms=%.1f cpu_ms=%.1f\n", name, Median(wall), Median(cpu));
    }
};

int Run(const wchar_t* folder, int runs)
{
    BenchDialog dialog;
    if (!dialog.Open()) return 1;
    dialog.tree.SetAtt(0, 0, 0, nullptr);
    if (!dialog.tree.SelectPath(folder)) {
        std::fprintf(stderr, "tree_bench: no folder %ls\n", folder);
        return 1;
    }
    HTREEITEM item = dialog.tree.GetSelectedItem();
    Span total, listing, inserts, expand, recompose;
    size_t children = 0;
    for (int run = 0; run < runs; ++run) {
        // The whole expansion as a user causes it: fill on first expansion, then the recomposition.
        dialog.tree.Expand(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
        int before = dialog.compositions;
        Stopwatch watch;
        dialog.tree.SendMessage(TVM_EXPAND, TVE_EXPAND, LPARAM(item));
        total.Add(watch);
        if (dialog.compositions == before) std::fprintf(stderr, "tree_bench: the expansion did not recompose\n");

        // The same in steps: the shell's listing, the tree's inserts, the expansion of the filled item.
        dialog.tree.Expand(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
        watch.Lap();
        auto found = dialog.tree.ListFolder(item);
        listing.Add(watch);
        children = found.children.size();
        watch.Lap();
        dialog.tree.InsertChildren(item, found);
        inserts.Add(watch);
        watch.Lap();
        dialog.tree.SendMessage(TVM_EXPAND, TVE_EXPAND, LPARAM(item));
        expand.Add(watch);

        // A repaint alone never lists the shell.
        watch.Lap();
        dialog.tree.Redraw(1, nullptr);
        recompose.Add(watch);
    }
    std::printf("tree folder children=%zu runs=%d\n", children, runs);
    total.Print("expand-total");
    listing.Print("shell-listing");
    inserts.Print("tree-inserts");
    expand.Print("expand-filled-and-recompose");
    recompose.Print("recomposition");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tree_bench <folder> [runs]\n");
        return 2;
    }
    const int runs = std::max(1, argc > 2 ? _wtoi(argv[2]) : 5);
    OleInitialize(nullptr);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    int status = Run(argv[1], runs);
    Gdiplus::GdiplusShutdown(token);
    OleUninitialize();
    return status;
}
