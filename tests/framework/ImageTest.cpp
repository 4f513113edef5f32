#include "common/TestSupport.h"
#include "FrameworkTestIds.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// GDI+'s PNG encoder.
const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

bool Near(COLORREF actual, int r, int g, int b)
{
    return std::abs(GetRValue(actual) - r) <= 1 && std::abs(GetGValue(actual) - g) <= 1 &&
           std::abs(GetBValue(actual) - b) <= 1;
}

// A 24-bit image filled with one colour, the surface the tests draw onto.
CImage Surface(int width, int height, COLORREF fill)
{
    CImage surface;
    surface.Create(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) surface.SetPixel(x, y, fill);
    }
    return surface;
}

// A PNG of the given pixels (one row), encoded by GDI+ into a memory stream rewound to its start.
IStream* EncodePng(std::initializer_list<Gdiplus::ARGB> row, Gdiplus::PixelFormat format)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    {
        Gdiplus::Bitmap bitmap(INT(row.size()), 1, format);
        int x = 0;
        for (Gdiplus::ARGB pixel : row) bitmap.SetPixel(x++, 0, Gdiplus::Color(pixel));
        bitmap.Save(stream, &kPngEncoder, nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    return stream;
}

TEST(Image, AlphaImagesBlendPremultipliedPixelsOverTheTarget)
{
    IStream* png = EncodePng({0x80FF0000, 0xFF0000FF, 0x00FFFFFF}, PixelFormat32bppARGB);
    CImage image;
    ASSERT_TRUE(image.Load(png));
    png->Release();
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_TRUE(image.HasAlphaChannel());
    // Stored premultiplied: half-transparent red keeps half its red.
    EXPECT_TRUE(Near(image.GetPixel(0, 0), 128, 0, 0));
    EXPECT_EQ(static_cast<const BYTE*>(image.GetPixelAddress(0, 0))[3], 0x80);

    CImage target = Surface(3, 1, RGB(255, 255, 255));
    ASSERT_TRUE(image.Draw(target.GetDC(), 0, 0));
    target.ReleaseDC();
    // result = source + target * (255 - alpha) / 255
    EXPECT_TRUE(Near(target.GetPixel(0, 0), 255, 127, 127));
    EXPECT_TRUE(Near(target.GetPixel(1, 0), 0, 0, 255));
    EXPECT_TRUE(Near(target.GetPixel(2, 0), 255, 255, 255));
}

TEST(Image, OpaqueSourcesLoadWithoutAlphaAndCopyPlainly)
{
    IStream* png = EncodePng({0xFF102030, 0xFFFFFFFF}, PixelFormat24bppRGB);
    CImage image;
    ASSERT_TRUE(image.Load(png));
    png->Release();
    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_FALSE(image.HasAlphaChannel());
    CImage target = Surface(4, 2, RGB(0, 0, 0));
    // Stretched from 2 x 1 to 4 x 2.
    ASSERT_TRUE(image.Draw(target.GetDC(), CRect(0, 0, 4, 2), CRect(0, 0, 2, 1)));
    target.ReleaseDC();
    EXPECT_EQ(target.GetPixel(1, 1), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(target.GetPixel(3, 0), RGB(255, 255, 255));

    // A stream that is not an image leaves the image as it was.
    IStream* junk = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &junk);
    junk->Write("not an image", 12, nullptr);
    junk->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    EXPECT_FALSE(image.Load(junk));
    junk->Release();
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetPixel(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST(Image, ColourKeyedImagesLeaveTheKeyOut)
{
    const COLORREF key = RGB(255, 0, 255);
    CImage image;
    ASSERT_TRUE(image.Create(2, 1, 24));
    image.SetPixel(0, 0, key);
    image.SetPixel(1, 0, RGB(200, 0, 0));
    EXPECT_EQ(image.SetTransparentColor(key), CLR_INVALID);

    CImage target = Surface(2, 1, RGB(0, 128, 0));
    ASSERT_TRUE(image.Draw(target.GetDC(), 0, 0));
    target.ReleaseDC();
    EXPECT_EQ(target.GetPixel(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(target.GetPixel(1, 0), RGB(200, 0, 0));

    image.SetTransparentColor(CLR_INVALID);
    ASSERT_TRUE(image.Draw(target.GetDC(), 0, 0));
    target.ReleaseDC();
    EXPECT_EQ(target.GetPixel(0, 0), key);
}

TEST(Image, ConstantAlphaStretchesATintOverTheTarget)
{
    // The toolkit's translucent tints: one pixel stretched over an area at a constant opacity.
    CImage tint;
    ASSERT_TRUE(tint.Create(1, 1, 24));
    tint.SetPixel(0, 0, RGB(0, 0, 255));
    CImage target = Surface(4, 4, RGB(255, 255, 255));
    ASSERT_TRUE(tint.AlphaBlend(target.GetDC(), 0, 0, 4, 4, 0, 0, 1, 1, 0x50));
    target.ReleaseDC();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_TRUE(Near(target.GetPixel(x, y), 175, 175, 255)) << x << "," << y;
    }
}

TEST(Image, BitmapResourcesWithAlphaArePremultipliedTopRowFirst)
{
    CImage image;
    ASSERT_TRUE(image.LoadFromResource(GetModuleHandleW(nullptr), IDB_TEST_ALPHA));
    ASSERT_EQ(image.GetWidth(), 2);
    ASSERT_EQ(image.GetHeight(), 2);
    EXPECT_TRUE(image.HasAlphaChannel());
    // Top row: red 200, green 100 at alpha 128, then a fully transparent white; bottom row opaque blue, green.
    EXPECT_TRUE(Near(image.GetPixel(0, 0), 100, 50, 0));
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(image.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(image.GetPixel(1, 1), RGB(0, 255, 0));

    CImage target = Surface(2, 2, RGB(255, 255, 255));
    ASSERT_TRUE(image.Draw(target.GetDC(), 0, 0));
    target.ReleaseDC();
    EXPECT_TRUE(Near(target.GetPixel(0, 0), 227, 177, 127));
    EXPECT_EQ(target.GetPixel(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.GetPixel(1, 1), RGB(0, 255, 0));

    EXPECT_FALSE(image.LoadFromResource(GetModuleHandleW(nullptr), 9999));
    EXPECT_FALSE(image.IsNull());
}

TEST(Image, LentDeviceContextsNestAndOpaqueSetPixelsStayOpaque)
{
    CImage image;
    ASSERT_TRUE(image.Create(3, 2, 32, CImage::createAlphaChannel));
    HDC first = image.GetDC();
    EXPECT_EQ(image.GetDC(), first);
    image.ReleaseDC();
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), image.Get());
    image.ReleaseDC();
    EXPECT_EQ(GetObjectType(first), 0u);

    image.SetPixel(2, 1, RGB(10, 20, 30));
    image.SetPixel(5, 5, RGB(1, 1, 1));  // outside: ignored
    EXPECT_EQ(static_cast<const BYTE*>(image.GetPixelAddress(2, 1))[3], 0xFF);
    EXPECT_EQ(image.GetPixel(2, 1), RGB(10, 20, 30));
    EXPECT_EQ(image.GetPixel(3, 0), CLR_INVALID);

    CImage moved = std::move(image);
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(moved.GetPixel(2, 1), RGB(10, 20, 30));
    HBITMAP bitmap = moved.Get();
    moved.Destroy();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

}  // namespace
