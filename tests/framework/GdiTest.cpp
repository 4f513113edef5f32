#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// More cycles than the default per-process GDI quota of Windows (10000 objects): an owner that leaks one
// object per cycle runs out of handles there, and the handle checks below catch it on any system.
constexpr int kCycles = 12000;

TEST(Gdi, OwnersReleaseTheirObjectsAndSelectionsAreUndoneOverManyCycles)
{
    CClientDC screen(nullptr);
    ASSERT_NE(screen.m_hDC, nullptr);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        std::vector<HGDIOBJ> made;
        {
            CMemoryDC memory(&screen);
            made.push_back(memory.m_hDC);
            HGDIOBJ stockBitmap = GetCurrentObject(memory.m_hDC, OBJ_BITMAP);
            HGDIOBJ stockFont = GetCurrentObject(memory.m_hDC, OBJ_FONT);
            CBitmap bitmap;  // compatible with the memory context: monochrome, cheaper than a screen bitmap
            ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&memory, 4, 4)) << cycle;
            CFont font;
            ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
            CPen pen(PS_DOT, 1, RGB(80, 80, 80));
            CBrush brush(RGB(cycle & 0xFF, 0, 0));
            CImage image;
            ASSERT_TRUE(image.Create(2, 2, 32, CImage::createAlphaChannel)) << cycle;
            made.insert(made.end(), {bitmap.m_hObject, font.m_hObject, pen.m_hObject, brush.m_hObject, image.Get()});
            {
                auto keepBitmap = memory.SelectObject(bitmap);
                auto keepFont = memory.SelectObject(font);
                auto keepPen = memory.SelectObject(pen);
                auto keepBrush = memory.SelectObject(brush);
                ASSERT_TRUE(keepBitmap && keepFont && keepPen && keepBrush);
                ASSERT_TRUE(image.Draw(memory.m_hDC, 0, 0));
                ASSERT_EQ(GetCurrentObject(memory.m_hDC, OBJ_FONT), font.m_hObject);
            }
            ASSERT_EQ(GetCurrentObject(memory.m_hDC, OBJ_BITMAP), stockBitmap);
            ASSERT_EQ(GetCurrentObject(memory.m_hDC, OBJ_FONT), stockFont);
        }
        for (HGDIOBJ object : made) ASSERT_EQ(GetObjectType(object), 0u) << "cycle " << cycle;
    }
}

TEST(Gdi, MovedOwnersHandOverTheirObjectOnce)
{
    CBrush first(RGB(1, 2, 3));
    HGDIOBJ handle = first.m_hObject;
    CBrush second = std::move(first);
    EXPECT_EQ(first.m_hObject, nullptr);
    EXPECT_EQ(second.m_hObject, handle);
    CBrush third(RGB(4, 5, 6));
    HGDIOBJ replaced = third.m_hObject;
    third = std::move(second);
    EXPECT_EQ(GetObjectType(replaced), 0u);
    EXPECT_EQ(third.m_hObject, handle);
    EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_BRUSH));
}

TEST(Gdi, FramesAndFillsLandOnTheirPixelsAndKeepTheBackgroundColour)
{
    CImage target;
    ASSERT_TRUE(target.Create(6, 5, 24));
    {
        CDC dc(target.GetDC());
        dc.FillSolidRect(0, 0, 6, 5, RGB(255, 255, 255));
        dc.SetBkColor(RGB(1, 2, 3));
        dc.Draw3dRect(1, 1, 4, 3, RGB(255, 0, 0), RGB(0, 0, 255));
        EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
        target.ReleaseDC();
    }
    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    // Top and left edges in the first colour, right and bottom edges (drawn last) in the second.
    const COLORREF expected[5][6] = {
        {white, white, white, white, white, white},
        {white, red, red, red, blue, white},
        {white, red, white, white, blue, white},
        {white, blue, blue, blue, blue, white},
        {white, white, white, white, white, white},
    };
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) EXPECT_EQ(target.GetPixel(x, y), expected[y][x]) << x << "," << y;
    }
}

TEST(Gdi, DrawTextNeverWritesIntoTheCallersText)
{
    // A string literal lives in read-only memory: the system's ellipsis would fault if it were written there.
    static const wchar_t* const kText = L"A caption far too long for its cell";
    CImage target;
    ASSERT_TRUE(target.Create(40, 20, 24));
    CDC dc(target.GetDC());
    CRect cell(0, 0, 30, 20);
    EXPECT_GT(dc.DrawText(kText, -1, &cell, DT_MODIFYSTRING | DT_END_ELLIPSIS | DT_SINGLELINE), 0);
    EXPECT_STREQ(kText, L"A caption far too long for its cell");
    EXPECT_GT(dc.GetTextExtent(kText).cx, dc.GetTextExtent(L"A caption").cx);
    target.ReleaseDC();
}

TEST(Gdi, BorrowedFontsWrapTheHandleOfTheirOwner)
{
    EXPECT_EQ(CFont::FromHandle(nullptr), nullptr);
    CFont owned;
    ASSERT_TRUE(owned.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    CFont* borrowed = CFont::FromHandle(owned.Get());
    ASSERT_NE(borrowed, nullptr);
    EXPECT_EQ(CFont::FromHandle(owned.Get()), borrowed);
    EXPECT_EQ(borrowed->Get(), owned.Get());
    LOGFONTW description{};
    ASSERT_TRUE(borrowed->GetLogFont(&description));
    EXPECT_EQ(description.lfHeight, -20);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
}

}  // namespace
