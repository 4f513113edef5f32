// Checks the test bench itself: the fonts the toolkit draws with exist for GDI+.
#include "common/TestSupport.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

namespace {

TEST(Platform, GdiPlusFindsTheToolkitFonts)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    for (const wchar_t* name : {L"Arial", L"Courier New", L"Tahoma"}) {
        Gdiplus::GpFontFamily* family = nullptr;
        EXPECT_EQ(Gdiplus::DllExports::GdipCreateFontFamilyFromName(name, nullptr, &family), Gdiplus::Ok) << name;
        if (family) Gdiplus::DllExports::GdipDeleteFontFamily(family);
    }
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace
