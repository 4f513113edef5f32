#include "TreesTestIds.h"
#include "quillet/controls/ControlsProbes.h"
#include "trees/CxTree.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Gdiplus;

namespace {

constexpr ARGB kExpandedGlyph = 0xFFFF0000;
constexpr ARGB kCollapsedGlyph = 0xFF0000FF;
constexpr ARGB kIcon0 = 0xFF00C000;
constexpr ARGB kIcon1 = 0xFFFFFF00;
constexpr ARGB kLine = 0xFF505050;
constexpr ARGB kFrameLight = 0xFFA0A0A0;
const CPoint kOrigin(10, 10);

// A fabricated tree:  A (expanded) > B (expanded) > C;  A > D (collapsed) > G;  East (collapsed) > F.
class Tree : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                CRect(kOrigin.x, kOrigin.y, 210, 190), &dialog, 1004));
        tree.SetAtt(0, 0, 0, tree.LoadRes(IDP_TREE_ICONS, L"PNG", nullptr),
                    tree.LoadRes(IDP_TREE_GLYPHS, L"PNG", nullptr));
        a = tree.InsertItem(L"A", 0, 0);
        b = tree.InsertItem(L"B", 1, 1, a);
        c = tree.InsertItem(L"C", 0, 0, b);
        d = tree.InsertItem(L"D", 0, 0, a);
        g = tree.InsertItem(L"G", 0, 0, d);
        e = tree.InsertItem(L"East", 0, 0);
        f = tree.InsertItem(L"F", 0, 0, e);
        tree.Expand(a, TVE_EXPAND);
        tree.Expand(b, TVE_EXPAND);
        dialog.Compose(tree);
    }
    CRect TextRect(HTREEITEM item)
    {
        CRect rect;
        tree.GetItemRect(item, &rect, TRUE);
        return rect;
    }
    // The surface colour at a point of the tree's client area.
    ARGB At(Bitmap& surface, int x, int y) { return PixelAt(surface, kOrigin.x + x, kOrigin.y + y); }
    // How many pixels of the line colour lie on the segment (one of x or y fixed).
    int LinePixels(Bitmap& surface, int x1, int y1, int x2, int y2)
    {
        int count = 0;
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
            for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) count += At(surface, x, y) == kLine;
        }
        return count;
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog{IDD_TREES_DIALOG};
    CxTree tree;
    HTREEITEM a{}, b{}, c{}, d{}, e{}, f{}, g{};
};

TEST(TreeConnectors, ColumnsFollowTheIndentationAndStopAtTheParentRow)
{
    const CRect rect(100, 40, 140, 58);
    using S = CxTreeBase::Segment;
    auto belowParent = CxTreeBase::ConnectorSegments(rect, true, {false}, 21);
    ASSERT_EQ(belowParent.size(), 2u);
    EXPECT_EQ(belowParent[0], (S{81, 49, 68, 49}));
    EXPECT_EQ(belowParent[1], (S{68, 49, 68, 40})) << "up to its own top only";

    auto deeper = CxTreeBase::ConnectorSegments(rect, false, {true, false, true}, 21);
    ASSERT_EQ(deeper.size(), 4u);
    EXPECT_EQ(deeper[1], (S{68, 49, 68, 31})) << "up to the middle of the row above";
    EXPECT_EQ(deeper[2], (S{47, 49, 47, 31})) << "the parent's column";
    EXPECT_EQ(deeper[3], (S{5, 49, 5, 31})) << "the grandparent's grandparent, three steps out";

    auto shell = CxTreeBase::ConnectorSegments(rect, false, {true, true}, 19);
    EXPECT_EQ(shell[2].x1, 49);
    EXPECT_EQ(shell[3].x1, 30);
}

TEST_F(Tree, PaintsGlyphsIconsAndConnectorsBelowTheTopLevel)
{
    auto surface = dialog.Render(tree);
    CRect ra = TextRect(a), rb = TextRect(b), rc = TextRect(c), rd = TextRect(d), re = TextRect(e);

    EXPECT_EQ(At(*surface, rb.left - 27 + 2, rb.top + 2 + 4), kExpandedGlyph);
    EXPECT_EQ(At(*surface, rd.left - 26 + 2, rd.top + 5 + 4), kCollapsedGlyph);
    for (const CRect& top : {ra, re}) {
        ARGB glyph = At(*surface, top.left - 26 + 2, top.top + 6);
        EXPECT_NE(glyph, kExpandedGlyph) << "top-level items get no glyph";
        EXPECT_NE(glyph, kCollapsedGlyph);
        EXPECT_EQ(LinePixels(*surface, top.left - 30, top.top - 9, top.left - 30, top.top + 9), 0);
    }
    EXPECT_EQ(At(*surface, ra.left - 20 + 9, ra.top + 10), kIcon0);
    EXPECT_EQ(At(*surface, rb.left - 20 + 9, rb.top + 10), kIcon1);

    // C sits right below its parent: its column runs from its middle to its own top, not into B's row.
    EXPECT_GE(LinePixels(*surface, rc.left - 30, rc.top, rc.left - 30, rc.top + 8), 2);
    EXPECT_GE(LinePixels(*surface, rc.left - 17, rc.top + 9, rc.left - 29, rc.top + 9), 2);
    EXPECT_EQ(LinePixels(*surface, rc.left - 30, rc.top - 9, rc.left - 30, rc.top - 1), 0);
    // D follows C: its column reaches up into C's row.
    EXPECT_GE(LinePixels(*surface, rd.left - 30, rd.top - 9, rd.left - 30, rd.top - 1), 1);
}

TEST_F(Tree, TheFirstRowsSelectionFrameStartsTwoPixelsLower)
{
    tree.SelectItem(a);
    auto surface = dialog.Render(tree);
    CRect ra = TextRect(a);
    EXPECT_NE(At(*surface, ra.left, ra.top), kFrameLight);
    EXPECT_EQ(At(*surface, ra.left, ra.top + 2), kFrameLight);

    tree.SelectItem(b);
    surface = dialog.Render(tree);
    CRect rb = TextRect(b);
    EXPECT_EQ(At(*surface, rb.left, rb.top), kFrameLight);
    EXPECT_EQ(At(*surface, rb.left + 1, rb.bottom - 1), 0xFF787878u) << "the dark bottom edge";
    EXPECT_TRUE(Near(At(*surface, rb.left + 1, rb.top + 1), 0xFF78784A, 2))
        << std::hex << At(*surface, rb.left + 1, rb.top + 1) << ": RGB(100, 100, 100) at alpha 70 over the background";

    tree.Redraw(0, nullptr);
    auto light = CacheOver(tree, 0xFFF4F6F9, 0xFF000000);
    EXPECT_TRUE(Near(At(*light, rb.left + 1, rb.top + 1), 0xFFCCCDCF, 2))
        << std::hex << At(*light, rb.left + 1, rb.top + 1) << ": a light background stays light under the shade";
}

TEST_F(Tree, PathsRootsAndSiblingSearch)
{
    EXPECT_EQ(tree.GetPathFromTree(c, tree.GetRoot(c)), CString(L"B\\C\\"));
    EXPECT_EQ(tree.GetPathFromTree(c, c), CString(L""));
    EXPECT_EQ(tree.GetPathFromTree(c, nullptr), CString(L"A\\B\\C\\"));
    EXPECT_EQ(tree.GetRoot(a), a);
    EXPECT_EQ(tree.GetPathFromTree(), CString(L""));
    tree.SelectItem(c);
    EXPECT_EQ(tree.GetPathFromTree(), CString(L"A\\B\\C"));

    EXPECT_EQ(tree.FindItem(L"East", nullptr, 0), e);
    EXPECT_EQ(tree.FindItem(L"C", nullptr, 0), nullptr) << "children are not searched";
    EXPECT_EQ(tree.FindItem(L"D", b, 0), d);
    EXPECT_EQ(tree.FindItem(L"east", nullptr, 0), nullptr) << "case-sensitive";
    EXPECT_EQ(tree.FindItem(L"as", nullptr, 1), e);
    EXPECT_EQ(tree.FindItem(L"as", nullptr, 0), nullptr);
    EXPECT_EQ(tree.GetSpeFolder(CSIDL_WINDOWS).CompareNoCase(L"windows"), 0) << CStringA(tree.GetSpeDir(CSIDL_WINDOWS)).GetString();
}

TEST_F(Tree, EachSelectionChangeReportsOnceWithTheNewItem)
{
    tree.SelectItem(b);
    tree.SelectItem(b);
    tree.SelectItem(f);
    ASSERT_EQ(dialog.reports.size(), 2u);
    const auto part = reinterpret_cast<WPARAM>(static_cast<CxTreeBase*>(&tree));
    EXPECT_EQ(dialog.reports[0].wParam, part);
    EXPECT_EQ(dialog.reports[0].lParam, reinterpret_cast<LPARAM>(b));
    EXPECT_EQ(dialog.reports[1].lParam, reinterpret_cast<LPARAM>(f));
    EXPECT_TRUE(tree.GetItemState(e, TVIS_EXPANDED) & TVIS_EXPANDED) << "selecting F showed it";
}

}  // namespace
