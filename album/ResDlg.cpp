#include "ResDlg.h"

#include "res/resource.h"

using namespace Gdiplus;

namespace {

constexpr int kCloseFromRight = 23;
constexpr int kCloseTop = 11;

}  // namespace

CResDlg::CResDlg(UINT templateId, CWnd* parent) : CxDlg(templateId, parent) {}

BOOL CResDlg::OnInitDialog()
{
    CxDlg::OnInitDialog();
    SetAtt(IDP_FRAME, L"PNG", nullptr);
    textureBitmap.Attach(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TEXTURE), IMAGE_BITMAP, 0, 0,
                                      LR_CREATEDIBSECTION));
    if (textureBitmap.Get()) {
        textureImage.reset(Bitmap::FromHBITMAP(textureBitmap.Get(), nullptr));
        textureBrush = std::make_unique<TextureBrush>(textureImage.get());
    }
    closeButton.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, IDCANCEL);
    closeButton.SetAtt(closeButton.LoadRes(IDI_CLOSE_STRIP, L"IMG", nullptr),
                       closeButton.LoadRes(IDI_CLOSE_ICON, L"IMG", nullptr), nullptr, 0, 0, Color(255, 0, 0, 0),
                       Point(-3, -3), Point(0, 0));
    closeButton.SetTip(L"Close");
    PlaceCloseButton();
    ModifyStyleEx(0, WS_EX_LAYERED);
    return TRUE;
}

void CResDlg::DrawBgm(Graphics& g)
{
    CRect rect;
    GetWindowRect(&rect);
    if (!backdrop || backdrop->Width() != rect.Width() || backdrop->Height() != rect.Height()) {
        backdrop = std::make_unique<LayerSurface>(rect.Width(), rect.Height());
        Graphics& frame = backdrop->BeginFrame();
        CxDlg::DrawBgm(frame);
        if (textureBrush) frame.FillRectangle(textureBrush.get(), 10, 24, rect.Width() - 20, rect.Height() - 33);
    }
    // The frame comes first onto a cleared composition: copied rather than blended.
    backdrop->CopyOnto(g, 0, 0);
    closeButton.DoDraw(g);
}

LRESULT CResDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        return OnSize(msg, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy(msg, wParam, lParam);
    }
    return CxDlg::WindowProc(msg, wParam, lParam);
}

LRESULT CResDlg::OnSize(UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetRedraw(1);
    LRESULT result = CxDlg::WindowProc(msg, wParam, lParam);
    if (closeButton.m_hWnd) PlaceCloseButton();
    SetRedraw(0);
    return result;
}

LRESULT CResDlg::OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam)
{
    backdrop.reset();
    textureBrush.reset();
    textureImage.reset();
    return CxDlg::WindowProc(msg, wParam, lParam);
}

void CResDlg::DrawControls(Graphics& g, std::initializer_list<CxWnd*> controls)
{
    for (CxWnd* control : controls) control->DoDraw(g);
}

void CResDlg::PlaceCloseButton()
{
    CRect rect;
    GetWindowRect(&rect);
    closeButton.MoveTo(rect.Width() - kCloseFromRight, kCloseTop, -1, -1);
    closeButton.Redraw(1, nullptr);
}
