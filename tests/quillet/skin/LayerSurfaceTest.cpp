#include "SkinProbes.h"
#include "skin/LayerSurface.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Gdiplus;

namespace {

class Surface : public testing::Test {
protected:
    static ARGB At(const LayerSurface& surface, int x, int y)
    {
        Color c;
        surface.Pixels()->GetPixel(x, y, &c);
        return c.GetValue();
    }
    static bool Near(ARGB a, ARGB b)
    {
        for (int shift = 0; shift < 32; shift += 8)
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
        return true;
    }

    GdiplusSession gdiplus;
};

TEST_F(Surface, AFrameDrawsIntoThePixelsThatItsBackgroundGraphicsReads)
{
    LayerSurface surface(40, 30);
    Graphics& frame = surface.BeginFrame();
    SolidBrush red(Color(0xFFFF0000));
    frame.FillRectangle(&red, 0, 0, 20, 30);
    Graphics& background = LayerSurface::BackgroundOf(frame);
    ASSERT_NE(&background, &frame);
    HDC dc = background.GetHDC();
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 30, 5), RGB(0, 0, 0));
    background.ReleaseHDC(dc);

    surface.BeginFrame();
    EXPECT_EQ(At(surface, 5, 5) >> 24, 0u) << "a new frame starts transparent";
}

TEST_F(Surface, DrawingOntoAFrameBlendsAsGdiplusDoes)
{
    LayerSurface layer(10, 10);
    SolidBrush tint(Color(100, 0, 200, 50));
    layer.BeginFrame().FillRectangle(&tint, 0, 0, 10, 5);
    SolidBrush base(Color(0xFF285078));
    LayerSurface target(30, 30);
    Graphics& frame = target.BeginFrame();
    frame.FillRectangle(&base, 0, 0, 30, 30);
    layer.DrawOnto(frame, 5, 5);
    Bitmap plain(30, 30, PixelFormat32bppARGB);
    Graphics g(&plain);
    g.FillRectangle(&base, 0, 0, 30, 30);
    layer.DrawOnto(g, 5, 5);
    for (POINT p : {POINT{7, 7}, POINT{7, 12}, POINT{2, 2}}) {
        Color expected;
        plain.GetPixel(p.x, p.y, &expected);
        EXPECT_TRUE(Near(At(target, p.x, p.y), expected.GetValue())) << p.x << ", " << p.y;
    }
    EXPECT_FALSE(Near(At(target, 7, 7), 0xFF285078)) << "the tint shows";
}

TEST_F(Surface, ChangedRowsSpanTheRowsThatDifferAcrossTheWholeWidth)
{
    LayerSurface before(30, 20), after(30, 20), other(30, 21);
    SolidBrush blue(Color(0xFF0000FF));
    before.BeginFrame().FillRectangle(&blue, 0, 0, 30, 20);
    Graphics& frame = after.BeginFrame();
    frame.FillRectangle(&blue, 0, 0, 30, 20);
    const RECT same = after.ChangedRows(before);
    EXPECT_TRUE(IsRectEmpty(&same));
    SolidBrush red(Color(0xFFFF0000));
    frame.FillRectangle(&red, 25, 4, 1, 1);
    frame.FillRectangle(&red, 3, 11, 2, 2);
    const RECT rows = after.ChangedRows(before);
    const RECT expected{0, 4, 30, 13};
    EXPECT_TRUE(EqualRect(&rows, &expected));
    EXPECT_EQ(after.ChangedRows(other).bottom, 20) << "another size: everything";
}

TEST_F(Surface, APartLandsWhereItLiesACopyReplacesThePixelsUnderAndBandsHoldTheVisibleRows)
{
    LayerSurface layer(20, 20);
    SolidBrush half(Color(0x80, 0, 0, 0x80));
    layer.BeginFrame().FillRectangle(&half, 2, 3, 5, 4);
    layer.BeginFrame().FillRectangle(&half, 0, 10, 20, 10);
    const std::vector<RECT> bands = layer.Bands();
    const RECT band{0, 10, 20, 20};
    ASSERT_EQ(bands.size(), 1u) << "a new frame forgets the old pixels";
    EXPECT_TRUE(EqualRect(&bands[0], &band));
    LayerSurface target(40, 40);
    Graphics& frame = target.BeginFrame();
    SolidBrush red(Color(0xFFFF0000));
    frame.FillRectangle(&red, 0, 0, 40, 40);
    layer.DrawOnto(frame, 10, 10, RECT{5, 5, 10, 30});
    EXPECT_EQ(At(target, 25, 25), 0xFFFF0000u) << "outside the part";
    EXPECT_FALSE(Near(At(target, 17, 29), 0xFFFF0000u)) << "inside, down to the layer's last row";
    layer.CopyOnto(frame, 0, 0);
    EXPECT_TRUE(Near(At(target, 3, 13), At(layer, 3, 13)));
    EXPECT_EQ(At(target, 3, 3) >> 24, 0u);
}

}  // namespace
