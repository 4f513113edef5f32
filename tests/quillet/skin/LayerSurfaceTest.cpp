#include "SkinProbes.h"
#include "skin/LayerSurface.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Gdiplus;

namespace {

class Surface : public testing::Test {
protected:
    static Color At(const LayerSurface& surface, int x, int y)
    {
        Color c;
        surface.Pixels()->GetPixel(x, y, &c);
        return c;
    }
    static bool Near(Color a, Color b)
    {
        auto close = [](BYTE p, BYTE q) { return std::abs(int(p) - int(q)) <= 2; };
        return close(a.GetA(), b.GetA()) && close(a.GetR(), b.GetR()) && close(a.GetG(), b.GetG()) &&
               close(a.GetB(), b.GetB());
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
    EXPECT_EQ(At(surface, 5, 5).GetA(), 0) << "a new frame starts transparent";
    Bitmap other(4, 4, PixelFormat32bppARGB);
    Graphics plain(&other);
    EXPECT_EQ(&LayerSurface::BackgroundOf(plain), &plain);
}

TEST_F(Surface, DrawingOntoAFrameBlendsAsGdiplusDoes)
{
    LayerSurface layer(10, 10);
    SolidBrush tint(Color(100, 0, 200, 50));
    layer.BeginFrame().FillRectangle(&tint, 0, 0, 10, 5);
    SolidBrush base(Color(255, 40, 80, 120));

    LayerSurface target(30, 30);
    Graphics& frame = target.BeginFrame();
    frame.FillRectangle(&base, 0, 0, 30, 30);
    layer.DrawOnto(frame, 5, 5);
    Bitmap plain(30, 30, PixelFormat32bppARGB);
    {
        Graphics g(&plain);
        g.FillRectangle(&base, 0, 0, 30, 30);
        layer.DrawOnto(g, 5, 5);
    }
    for (POINT p : {POINT{7, 7}, POINT{7, 12}, POINT{2, 2}}) {
        Color expected;
        plain.GetPixel(p.x, p.y, &expected);
        EXPECT_TRUE(Near(At(target, p.x, p.y), expected)) << p.x << ", " << p.y;
    }
    EXPECT_FALSE(Near(At(target, 7, 7), Color(255, 40, 80, 120))) << "the tint shows";
}

TEST_F(Surface, GdiAndGdiplusShareThePixelsAndOnlyTheGivenRectBecomesOpaque)
{
    LayerSurface surface(20, 20);
    surface.BeginFrame();
    CBrush grey(RGB(10, 20, 30));
    RECT top{0, 0, 20, 10};
    FillRect(surface.Dc(), &top, grey.Get());
    surface.MakeOpaque(RECT{-5, -5, 10, 5});
    EXPECT_TRUE(Near(At(surface, 2, 2), Color(255, 10, 20, 30)));
    EXPECT_EQ(At(surface, 15, 2).GetA(), 0) << "GDI leaves alpha at 0 outside the rectangle";

    SolidBrush white(Color(0xFFFFFFFF));
    LayerSurface::GraphicsOn(surface.Dc())->FillRectangle(&white, 0, 15, 20, 5);
    EXPECT_EQ(GetPixel(surface.Dc(), 5, 17), RGB(255, 255, 255));
    EXPECT_EQ(At(surface, 5, 17).GetValue(), 0xFFFFFFFF);

    CMemoryDC other;
    auto onOther = LayerSurface::GraphicsOn(other.GetSafeHdc());
    HDC dc = onOther->GetHDC();
    EXPECT_EQ(dc, other.GetSafeHdc());
    onOther->ReleaseHDC(dc);
}

}  // namespace
