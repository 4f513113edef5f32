#include "ControlsProbes.h"
#include "controls/CxStatic.h"

#include <gtest/gtest.h>

using namespace Gdiplus;

namespace {

class Static : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        font.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    }
    // A 200 x 60 label at (10, 20) with the given alignment style and text, drawn in the test font.
    void MakeLabel(CxStatic& label, DWORD align, const wchar_t* text)
    {
        ASSERT_TRUE(label.Create(text, WS_CHILD | WS_VISIBLE | align, CRect(10, 20, 210, 80), &dialog, 1301));
        label.SetFont(&font);
        dialog.Compose(label);
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CFont font;
};

// Bounding box of the dark pixels inside rect.
struct Ink {
    int count = 0;
    int top = 1000, left = 1000, bottom = -1, right = -1;
};

Ink DarkInk(Bitmap& surface, const CRect& rect)
{
    Ink ink;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            Color c(PixelAt(surface, x, y));
            if (c.GetR() >= 60 || c.GetG() >= 60 || c.GetB() >= 60) continue;
            ++ink.count;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

TEST_F(Static, LabelsAlignToTheirStyleAndStartAtTheTop)
{
    CxStatic left, centre, right;
    MakeLabel(left, SS_LEFT, L"MMM");
    MakeLabel(centre, SS_CENTER, L"MMM");
    MakeLabel(right, SS_RIGHT, L"MMM");
    const CRect rect(10, 20, 210, 80);

    Ink leftInk = DarkInk(*dialog.Render(left), rect);
    Ink centreInk = DarkInk(*dialog.Render(centre), rect);
    Ink rightInk = DarkInk(*dialog.Render(right), rect);
    ASSERT_GT(leftInk.count, 20);
    EXPECT_LE(leftInk.left, rect.left + 4);
    EXPECT_NEAR((centreInk.left + centreInk.right) / 2.0, rect.CenterPoint().x, 3);
    EXPECT_GE(rightInk.right, rect.right - 5);
    EXPECT_LT(rightInk.right, rect.right);
    for (const Ink& ink : {leftInk, centreInk, rightInk}) {
        EXPECT_LE(ink.top, rect.top + 6) << "text starts at y 0 whatever the height";
        EXPECT_LT(ink.bottom, rect.top + 24);
    }
}

TEST_F(Static, LabelCopiesTheBackgroundAndKeepsOldTextUntilRedrawn)
{
    CxStatic label;
    MakeLabel(label, SS_LEFT, L"MMMM");
    const CRect rect(10, 20, 210, 80);
    auto surface = CacheOver(label, Skin::kBackground, 0xFFFFFFFF);
    EXPECT_EQ(PixelAt(*surface, 200, 70), Skin::kBackground) << "the cache holds the background under the label";
    int before = DarkInk(*surface, rect).count;
    ASSERT_GT(before, 0);

    label.SetWindowText(L"M");
    EXPECT_EQ(DarkInk(*dialog.Render(label), rect).count, before) << "the cache holds the old text";
    label.Redraw(1, nullptr);
    EXPECT_LT(DarkInk(*dialog.Render(label), rect).count, before / 2);
}

TEST_F(Static, LabelWithoutAUsableFontStillCopiesTheBackground)
{
    // Made without a window font: the drawing font comes from the control's DC (the stock font, which
    // GDI+ may refuse); either way the background is there.
    CxStatic label;
    ASSERT_TRUE(label.Create(L"MMMM", WS_CHILD | WS_VISIBLE, CRect(10, 20, 210, 80), &dialog, 1302));
    dialog.Compose(label);
    auto surface = CacheOver(label, Skin::kBackground, 0xFFFFFFFF);
    EXPECT_EQ(PixelAt(*surface, 200, 70), Skin::kBackground);
    EXPECT_EQ(PixelAt(*surface, 10, 79), Skin::kBackground);
}

TEST_F(Static, PictureTakesTheSizeOfItsImage)
{
    CxPic picture;
    ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE, CRect(40, 50, 60, 60), &dialog, 1303));
    dialog.Compose(picture);
    EXPECT_EQ(PixelAt(*dialog.Render(picture), 45, 55), Skin::kBackground) << "no picture draws nothing";

    picture.SetAtt(IDP_PICTURE, L"PNG", nullptr);
    EXPECT_EQ(ChildRect(picture), CRect(40, 50, 88, 98));
    auto surface = dialog.Render(picture);
    EXPECT_EQ(PixelAt(*surface, 40, 50), Skin::kPicture);
    EXPECT_EQ(PixelAt(*surface, 87, 97), Skin::kPicture);
    EXPECT_EQ(PixelAt(*surface, 88, 98), Skin::kBackground);
}

TEST_F(Static, PictureFromAFileOrNot)
{
    CxPic picture;
    ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE, CRect(40, 50, 60, 60), &dialog, 1304));
    EXPECT_FALSE(picture.SetAtt(L"C:\\no such folder\\missing.png"));
    EXPECT_EQ(ChildRect(picture), CRect(40, 50, 60, 60)) << "a failed load keeps the size";

    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    CString path = CString(folder) + L"controls-test-picture.png";
    BYTE* data = nullptr;
    int size = picture.LoadRes(IDP_PICTURE, L"PNG", &data, nullptr);
    ASSERT_GT(size, 0);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, data, DWORD(size), &written, nullptr);
    CloseHandle(file);

    EXPECT_TRUE(picture.SetAtt(path));
    EXPECT_EQ(ChildRect(picture), CRect(40, 50, 88, 98));
    picture.SetAtt(L"");  // lets go of the file before it is deleted
    DeleteFileW(path);
}

TEST_F(Static, PictureFromATemplateIconShowsItWithoutSetAtt)
{
    CxPic picture;
    ASSERT_TRUE(picture.SubclassDlgItem(IDC_ICON_PICTURE, &dialog));
    dialog.Compose(picture);
    CRect rect = ChildRect(picture);
    ASSERT_GT(rect.Width(), 0);
    auto surface = dialog.Render(picture);
    EXPECT_TRUE(Near(PixelAt(*surface, rect.left + 16, rect.top + 16), Skin::kTemplateIcon))
        << std::hex << PixelAt(*surface, rect.left + 16, rect.top + 16);
}

}  // namespace
