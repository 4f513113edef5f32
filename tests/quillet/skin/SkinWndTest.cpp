#include "SkinProbes.h"
#include "SkinTestIds.h"
#include "skin/LayerSurface.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

class SkinWnd : public testing::Test {
protected:
    GdiplusSession gdiplus;
};

TEST_F(SkinWnd, LoadResGivesIndependentOwnedStreams)
{
    IStream* first = nullptr;
    IStream* second = nullptr;
    {
        ProbeControl owner;
        EXPECT_EQ(owner.LoadRes(4242, L"PNG", nullptr), nullptr);
        EXPECT_EQ(owner.StreamCount(), 0u);

        first = owner.LoadRes(IDP_TEST_FRAME, L"PNG", nullptr);
        second = owner.LoadRes(IDP_TEST_FRAME, L"PNG", nullptr);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_NE(first, second);
        EXPECT_EQ(owner.StreamCount(), 2u);
        {
            Image fromFirst(first);
            Image fromSecond(second);
            EXPECT_EQ(fromFirst.GetWidth(), 159u);
            EXPECT_EQ(fromSecond.GetHeight(), 336u);
        }
        first->AddRef();
        second->AddRef();
    }
    // The owner released its reference at destruction: ours is the last one.
    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(second->Release(), 0u);

    ProbeControl owner;
    BYTE* data = nullptr;
    int size = owner.LoadRes(IDP_TEST_FRAME, L"PNG", &data, nullptr);
    ASSERT_GT(size, 8);
    EXPECT_EQ(memcmp(data, "\x89PNG", 4), 0);
    EXPECT_EQ(owner.LoadRes(4242, L"PNG", &data, nullptr), 0);
    EXPECT_EQ(owner.LoadRes(IDP_TEST_FRAME, L"PNG", nullptr, nullptr), 0) << "no place for the bytes";
    owner.Move(1, 1, 0, 0);
    owner.MoveTo(1, 1, -1, -1);  // before a window is set: nothing to move
}

TEST_F(SkinWnd, GeometryIsInTheParentsWindowFrame)
{
    CountingParent parent;
    ASSERT_TRUE(parent.Open(false, 3));
    ProbeControl control;
    ASSERT_TRUE(control.CreateIn(parent, CRect(20, 30, 70, 70)));

    EXPECT_EQ(control.GetThick(), 3);
    Rect rect = control.GetRect(control.GetRect());
    EXPECT_EQ(rect.X, 23);
    EXPECT_EQ(rect.Y, 33);
    EXPECT_EQ(rect.Width, 50);
    EXPECT_EQ(rect.Height, 40);

    auto clientRect = [&] {
        CRect r;
        control.GetWindowRect(&r);
        parent.ScreenToClient(&r);
        return r;
    };
    control.Move(5, 0, 0, 0);
    EXPECT_EQ(clientRect(), CRect(25, 30, 75, 70));

    Bitmap scratch(300, 200, PixelFormat32bppARGB);
    Graphics g(&scratch);
    control.DoDraw(g);
    ASSERT_FALSE(control.IsDirty());
    control.MoveTo(-1, -1, -1, -1);
    EXPECT_EQ(clientRect(), CRect(25, 30, 75, 70));
    EXPECT_TRUE(control.IsDirty());

    control.MoveTo(100, 50, 20, 10);
    EXPECT_EQ(clientRect(), CRect(97, 47, 117, 57));
}

TEST_F(SkinWnd, RedrawRecomposesALayeredParentOnceAndOnlyWhenAsked)
{
    CountingParent parent;
    ASSERT_TRUE(parent.Open(true));
    ProbeControl control;
    ASSERT_TRUE(control.CreateIn(parent, CRect(10, 10, 60, 40)));
    PumpPending();
    parent.erases = 0;

    control.Redraw(1, nullptr);
    EXPECT_EQ(parent.erases, 1);
    control.Redraw(0, nullptr);
    EXPECT_EQ(parent.erases, 1);
    EXPECT_TRUE(control.IsDirty());
}

TEST_F(SkinWnd, RedrawUnderAnOrdinaryParentRepaintsTheControlAtOnce)
{
    CountingParent parent;
    ASSERT_TRUE(parent.Open(false));
    ProbeControl control;
    ASSERT_TRUE(control.CreateIn(parent, CRect(10, 10, 60, 40)));
    PumpPending();
    parent.erases = 0;
    int paintsBefore = control.paints;

    control.Redraw(0, nullptr);
    EXPECT_GT(control.paints, paintsBefore);
    EXPECT_EQ(parent.erases, 0);
}

TEST_F(SkinWnd, TheCacheIsRenderedOnlyWhenDirty)
{
    CountingParent parent;
    ASSERT_TRUE(parent.Open(true));
    ProbeControl control(0xFFFF0000);
    ASSERT_TRUE(control.CreateIn(parent, CRect(10, 20, 40, 30)));

    Bitmap surface(300, 200, PixelFormat32bppARGB);
    {
        Graphics g(&surface);
        control.DoDraw(g);
        control.DoDraw(g);
    }
    EXPECT_EQ(control.renders, 1);
    Color pixel;
    surface.GetPixel(15, 25, &pixel);
    EXPECT_EQ(pixel.GetValue(), 0xFFFF0000u);
    surface.GetPixel(45, 25, &pixel);
    EXPECT_EQ(pixel.GetAlpha(), 0);

    control.Redraw(0, nullptr);
    Graphics g(&surface);
    control.DoDraw(g);
    EXPECT_EQ(control.renders, 2);

    control.ShowWindow(SW_HIDE);
    control.Redraw(0, nullptr);
    control.DoDraw(g);
    EXPECT_EQ(control.renders, 2);
    EXPECT_TRUE(control.IsDirty());
}

// A probe whose colour can change between renderings.
class TintControl : public ProbeControl {
public:
    void DrawImage(Graphics& target, Graphics&, RectF& area) override
    {
        SolidBrush brush{Color(colour)};
        target.FillRectangle(&brush, 0.0f, 0.0f, area.Width, area.Height);
    }
    ARGB colour = 0x80FF0000;
};

TEST_F(SkinWnd, OntoAWindowsCompositionTheCacheBlendsAsOntoABitmapAndFollowsEachRendering)
{
    CountingParent parent;
    ASSERT_TRUE(parent.Open(true));
    TintControl control;
    ASSERT_TRUE(control.CreateIn(parent, CRect(10, 20, 40, 30)));
    SolidBrush base(Color(0xFF204060));
    auto composed = [&](Graphics& g, Bitmap& pixels) {
        g.FillRectangle(&base, 0, 0, 60, 40);
        control.DoDraw(g);
        Color c;
        pixels.GetPixel(15, 25, &c);
        return c.GetValue();
    };
    Bitmap plain(60, 40, PixelFormat32bppARGB);
    Graphics onPlain(&plain);
    const ARGB expected = composed(onPlain, plain);
    LayerSurface layer(60, 40);
    const ARGB blended = composed(layer.BeginFrame(), *layer.Pixels());
    for (int shift = 0; shift < 32; shift += 8)
        EXPECT_NEAR(int((blended >> shift) & 0xFF), int((expected >> shift) & 0xFF), 2) << shift;
    control.colour = 0xFF00FF00;
    control.Redraw(0, nullptr);
    EXPECT_EQ(composed(layer.BeginFrame(), *layer.Pixels()), 0xFF00FF00u) << "the latest rendering is composed";
}

}  // namespace
