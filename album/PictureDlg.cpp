#include "PictureDlg.h"

void CPictureDlg::DrawBgm(Gdiplus::Graphics& g)
{
    if (frameImage) g.DrawImage(frameImage.get(), 0, 0, frameImage->GetWidth(), frameImage->GetHeight());
}

void CPictureDlg::FitToPicture()
{
    if (frameImage) MoveWindow(0, 0, frameImage->GetWidth(), frameImage->GetHeight(), FALSE);
}
