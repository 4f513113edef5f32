#include "controls/CxStatic.h"

#include "controls/ControlPaint.h"

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxStatic, CStatic)
IMPLEMENT_DYNAMIC(CxPic, CxStatic)

CxStatic::~CxStatic() { textFont.reset(); }

void CxStatic::PreSubclassWindow()
{
    Load(this);
    SetFont(CFont::FromHandle(GetFont()));
    CStatic::PreSubclassWindow();
}

void CxStatic::SetFont(CFont* font)
{
    textFont.reset();
    CClientDC dc(this);
    textFont = ControlPaint::FontFromGdi(dc.GetSafeHdc(), font ? font->Get() : nullptr);
}

void CxStatic::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    ControlPaint::CopyBackground(target, background, area);
    DrawTextW(target, area);
}

void CxStatic::DrawTextW(Graphics& target, RectF& area)
{
    if (!textFont) return;
    CString text = GetWindowText();
    DWORD style = GetStyle();
    std::unique_ptr<StringFormat> format(StringFormat::GenericDefault()->Clone());
    REAL x = 0;
    if (style & SS_RIGHT) {
        format->SetAlignment(StringAlignmentFar);
        x = area.Width;
    } else if (style & SS_CENTER) {
        format->SetAlignment(StringAlignmentCenter);
        x = area.Width / 2;
    }
    SolidBrush brush{Color(textColor)};
    target.DrawString(text, -1, textFont.get(), PointF(x, 0), format.get(), &brush);
}

CxPic::~CxPic() { picture.reset(); }

void CxPic::PreSubclassWindow()
{
    DWORD style = GetStyle();
    if ((style & SS_BITMAP) == SS_BITMAP) {
        if (HBITMAP bitmap = GetBitmap()) picture.reset(Bitmap::FromHBITMAP(bitmap, nullptr));
    } else if ((style & SS_ICON) == SS_ICON) {
        if (HICON templateIcon = CStatic::GetIcon()) picture.reset(Bitmap::FromHICON(templateIcon));
    }
    // The picture draws no text, so the font step of CxStatic is skipped.
    Load(this);
    CStatic::PreSubclassWindow();
}

void CxPic::ReclacWnd()
{
    Rect r = GetRect(GetRect());
    int thick = GetThick();
    INT width = picture ? INT(picture->GetWidth()) : 0;
    INT height = picture ? INT(picture->GetHeight()) : 0;
    MoveWindow(r.X - thick, r.Y - thick, width, height, FALSE);
}

void CxPic::SetAtt(UINT id, const wchar_t* type, HINSTANCE module)
{
    picture.reset();
    picture = std::make_unique<Bitmap>(LoadRes(id, type, module));
    dirty = 1;  // not a redraw: the next composition renders the new picture
    ReclacWnd();
}

BOOL CxPic::SetAtt(const wchar_t* path)
{
    picture.reset();
    picture = std::make_unique<Bitmap>(path);
    dirty = 1;
    if (picture->GetLastStatus() != Ok) return FALSE;
    ReclacWnd();
    return TRUE;
}

void CxPic::DrawImage(Graphics& target, Graphics&, RectF&)
{
    if (!picture) return;
    target.DrawImage(picture.get(), 0, 0, INT(picture->GetWidth()), INT(picture->GetHeight()));
}
