#include "AboutDlg.h"
#include "DialogTestSupport.h"
#include "SetDlg.h"
#include "res/resource.h"

#include <memory>

using namespace Gdiplus;

namespace {

// Gives the tests the frame's close button.
template <class Dialog>
class FrameProbe : public Dialog {
public:
    using CResDlg::closeButton;
};

using ResDlg = AlbumDialogTest;

constexpr int kTextureSize = 55;

template <class Dialog>
void ExpectCloseButtonAtTheTopRightAcrossResizes()
{
    FrameProbe<Dialog> dialog;
    ASSERT_TRUE(dialog.Create(dialog.m_templateId));
    for (CSize size : {CSize(0, 0), CSize(420, 260), CSize(200, 130)}) {
        if (size.cx) dialog.MoveWindow(30, 40, size.cx, size.cy);
        CRect rect;
        dialog.GetWindowRect(&rect);
        EXPECT_EQ(OffsetInParent(dialog.closeButton), CPoint(rect.Width() - 23, 11)) << "width " << rect.Width();
    }
}

TEST_F(ResDlg, CloseButtonStaysAtTheTopRightOfEveryFramedDialog)
{
    ExpectCloseButtonAtTheTopRightAcrossResizes<CAboutDlg>();
    ExpectCloseButtonAtTheTopRightAcrossResizes<CSetDlg>();
}

TEST_F(ResDlg, CloseButtonIsSkinnedAndCarriesTheCancelCommand)
{
    FrameProbe<CAboutDlg> dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    EXPECT_EQ(dialog.closeButton.GetDlgCtrlID(), IDCANCEL);
    CRect rect;
    dialog.closeButton.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(11, 11)) << "one frame of the close strip";
    EXPECT_TRUE(dialog.GetExStyle() & WS_EX_LAYERED);
}

TEST_F(ResDlg, TextureFillsTheWindowLessTheMargins)
{
    CAboutDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    dialog.MoveWindow(30, 40, 300, 200);
    Bitmap framed(300, 200, PixelFormat32bppARGB), frameOnly(300, 200, PixelFormat32bppARGB);
    {
        Graphics g(&framed);
        dialog.DrawBgm(g);
        Graphics f(&frameOnly);
        dialog.CxDlg::DrawBgm(f);
    }
    CBitmap textureBitmap;
    textureBitmap.Attach(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TEXTURE), IMAGE_BITMAP, 0,
                                      0, LR_CREATEDIBSECTION));
    std::unique_ptr<Bitmap> texture(Bitmap::FromHBITMAP(textureBitmap.Get(), nullptr));
    ASSERT_EQ(texture->GetWidth(), UINT(kTextureSize));

    auto expectTexture = [&](int x, int y) {
        Color drawn, expected;
        framed.GetPixel(x, y, &drawn);
        texture->GetPixel(x % kTextureSize, y % kTextureSize, &expected);
        EXPECT_EQ(drawn.GetValue(), expected.GetValue()) << "at " << x << "," << y;
    };
    for (CPoint p : {CPoint(10, 24), CPoint(150, 100), CPoint(289, 24), CPoint(10, 190), CPoint(289, 190)}) {
        expectTexture(p.x, p.y);
    }
    auto expectFrame = [&](int x, int y) {
        Color drawn, frame;
        framed.GetPixel(x, y, &drawn);
        frameOnly.GetPixel(x, y, &frame);
        EXPECT_EQ(drawn.GetValue(), frame.GetValue()) << "at " << x << "," << y;
    };
    for (CPoint p : {CPoint(9, 100), CPoint(290, 100), CPoint(150, 23), CPoint(150, 191), CPoint(40, 5)}) {
        expectFrame(p.x, p.y);
    }
}

TEST_F(ResDlg, CloseButtonEndsAModalDialogAsCancel)
{
    FrameProbe<CAboutDlg> dialog;
    EXPECT_EQ(RunModal(dialog, [&] { Click(dialog.closeButton); }), IDCANCEL);
    EXPECT_EQ(MessageBoxesShown(), 0);
}

}  // namespace
