#include "SkinProbes.h"
#include "SkinTestIds.h"
#include "skin/CxDlg.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

// A layered skinned dialog with one skinned child; counts its compositions.
class TestDialog : public CxDlg {
public:
    TestDialog() : CxDlg(IDD_SKIN_DIALOG, nullptr) {}

    bool Open(int width = 300, int height = 200)
    {
        if (!Create(IDD_SKIN_DIALOG)) return false;
        ModifyStyleEx(0, WS_EX_LAYERED);
        SetAtt(IDP_TEST_FRAME, L"PNG", nullptr);
        DDX_ControlChild();
        MoveWindow(50, 60, width, height, FALSE);
        ShowWindow(SW_SHOWNOACTIVATE);
        return true;
    }
    void DrawWnd(Graphics& g) override
    {
        ++compositions;
        child.DoDraw(g);
    }

    ProbeControl child;
    int compositions = 0;

private:
    void DDX_ControlChild()
    {
        child.SubclassDlgItem(IDC_SKIN_CHILD, this);
        child.Load(&child);
    }
};

class SkinDlg : public testing::Test {
protected:
    GdiplusSession gdiplus;
};

// The source position a composed pixel came from, decoded from the test frame's colours.
struct Source {
    int x;
    int y;
};

Source SourceAt(Bitmap& surface, int x, int y)
{
    Color c;
    surface.GetPixel(x, y, &c);
    return {c.GetR(), c.GetG() + 256 * c.GetB()};
}

TEST_F(SkinDlg, FrameIsDrawnInEightPiecesFromFixedSourceRectangles)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(300, 200));
    Bitmap surface(300, 200, PixelFormat32bppARGB);
    {
        Graphics g(&surface);
        dialog.DrawBgm(g);
    }
    auto expectSource = [&](int x, int y, int sourceX, int sourceY) {
        Source s = SourceAt(surface, x, y);
        // Stretching one-pixel columns may blend in a neighbour.
        EXPECT_NEAR(s.x, sourceX, 1) << "at " << x << "," << y;
        EXPECT_NEAR(s.y, sourceY, 1) << "at " << x << "," << y;
    };
    expectSource(5, 5, 5, 5);          // caption left corner
    expectSource(150, 12, 15, 12);     // caption band, one source column stretched
    expectSource(274, 12, 15, 12);     // the band ends at x 275
    expectSource(290, 10, 149, 10);    // caption right corner from source x 134
    expectSource(4, 100, 4, 15);       // left side, one source row stretched
    expectSource(4, 190, 4, 15);       // the side ends at y 191
    expectSource(295, 100, 154, 15);   // right side from source x 149
    expectSource(5, 195, 5, 331);      // bottom-left corner from source row 327
    expectSource(150, 194, 10, 330);   // bottom band
    expectSource(295, 195, 154, 331);  // bottom-right corner

    Color inside;
    surface.GetPixel(150, 100, &inside);
    EXPECT_EQ(inside.GetAlpha(), 0) << "the inside is left to DrawWnd";
}

TEST_F(SkinDlg, TitleIsDrawnInBlackNearTheTopLeft)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SetWindowText(L"MMMM");
    Bitmap surface(300, 200, PixelFormat32bppARGB);
    {
        Graphics g(&surface);
        dialog.DrawUtl(g);
    }
    auto inkBetween = [&](int left, int top, int right, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                Color c;
                surface.GetPixel(x, y, &c);
                if (c.GetAlpha() > 128 && c.GetR() < 100) ++ink;
            }
        }
        return ink;
    };
    EXPECT_GT(inkBetween(10, 10, 60, 26), 20);
    EXPECT_EQ(inkBetween(0, 0, 300, 9), 0);
    EXPECT_EQ(inkBetween(0, 30, 300, 200), 0);
    EXPECT_EQ(inkBetween(0, 0, 9, 200), 0);
}

TEST_F(SkinDlg, TopBandDragsTheWindow)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    auto hitAt = [&](int clientY) {
        CPoint point(100, clientY);
        dialog.ClientToScreen(&point);
        return dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    };
    EXPECT_EQ(hitAt(23), HTCAPTION);
    EXPECT_EQ(hitAt(24), HTCLIENT);
}

TEST_F(SkinDlg, ChildRedrawsRecomposeOnceUnlessSuspended)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    PumpPending();
    dialog.compositions = 0;

    dialog.child.Redraw(1, nullptr);
    EXPECT_EQ(dialog.compositions, 1);
    EXPECT_EQ(dialog.child.renders, 1);

    dialog.SetRedraw(1);
    dialog.child.Move(1, 1, 0, 0);
    dialog.child.Redraw(1, nullptr);
    dialog.Update();
    EXPECT_EQ(dialog.compositions, 1);
    dialog.SetRedraw(0);
    dialog.Update();
    EXPECT_EQ(dialog.compositions, 2);
    EXPECT_EQ(dialog.child.renders, 2);

    dialog.ShowWindow(SW_HIDE);
    dialog.Update();
    EXPECT_EQ(dialog.compositions, 2);
}

// A control that reads, while it renders, the composed pixel under its top-left corner.
class BackgroundReader : public ProbeControl {
public:
    void DrawImage(Graphics& target, Graphics& background, RectF& area) override
    {
        HDC dc = background.GetHDC();
        seen = GetPixel(dc, INT(area.X), INT(area.Y));
        background.ReleaseHDC(dc);
        ProbeControl::DrawImage(target, background, area);
    }
    COLORREF seen = CLR_INVALID;
};

class PanelDialog : public TestDialog {
public:
    void DrawWnd(Graphics& g) override
    {
        SolidBrush panel{Color(0xFF336699)};
        g.FillRectangle(&panel, 10, 24, 280, 160);
        reader.DoDraw(g);
    }
    BackgroundReader reader;
};

TEST_F(SkinDlg, ChildrenCanReadTheComposedPixelsUnderThem)
{
    PanelDialog dialog;
    ASSERT_TRUE(dialog.Open());
    ASSERT_TRUE(dialog.reader.CreateIn(dialog, CRect(40, 50, 80, 70), 7));
    dialog.Update();
    EXPECT_EQ(dialog.reader.seen, RGB(0x33, 0x66, 0x99));
}

TEST_F(SkinDlg, CompositionPutsAWindowDraggedOffScreenBack)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.MoveWindow(-30, -5, 300, 200, FALSE);
    dialog.Update();
    CRect rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 300, 200));
}

TEST_F(SkinDlg, ComposingAndDestroyingLeaksNoGdiHandles)
{
    auto cycle = [] {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Open(120, 80));
        dialog.child.Redraw(1, nullptr);
        ASSERT_EQ(dialog.compositions, 1);
    };
    cycle();  // the first run fills the system's caches (fonts, classes)
    int headroom = GdiHandleHeadroom();
    constexpr int kCycles = 150;
    for (int i = 0; i < kCycles; ++i) cycle();
    EXPECT_GE(GdiHandleHeadroom(), headroom - 2) << "GDI handles leaked over " << kCycles << " compositions";
}

}  // namespace
