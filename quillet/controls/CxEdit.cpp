#include "controls/CxEdit.h"

#include "controls/ControlPaint.h"
#include "framework/Gdi.h"

#include <algorithm>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxEdit, CEdit)
IMPLEMENT_DYNAMIC(CxIconEdit, CxEdit)

namespace {

// The native edit runs timer 0 itself while a drag-selection scrolls (Wine kills it on button-up), so the
// blink timer takes an id of its own.
constexpr UINT_PTR kCaretTimer = 0x4358;
constexpr UINT kBlinkMs = 500;
constexpr int kLineBuffer = 1024;
constexpr int kSingleLineBand = 18;
constexpr int kMultiLineBand = 14;
const COLORREF kFrameDark = RGB(120, 120, 120);
const COLORREF kFrameLight = RGB(160, 160, 160);
const COLORREF kFrameInner = RGB(255, 255, 255);

// A 1 x 1, 24-bit image of the colour's RGB, stretched with the colour's alpha as constant alpha.
CImage FillOf(Color c)
{
    CImage fill;
    fill.Create(1, 1, 24);
    fill.SetPixel(0, 0, c.ToCOLORREF());
    return fill;
}

BYTE AlphaOf(ARGB c) { return BYTE(c >> 24); }

}  // namespace

CxEdit::~CxEdit()
{
    if (blinking && m_hWnd) KillTimer(kCaretTimer);
}

void CxEdit::PreSubclassWindow()
{
    Load(this);
    SetBgmColor(Color(0xFFFFFFFF));
    SetSelColor(Color(0x500000FF));
    multiLine = (GetStyle() & ES_MULTILINE) ? 1 : 0;
    CEdit::PreSubclassWindow();
}

void CxEdit::SetBgmColor(Color c)
{
    backFill = FillOf(c);
    bgmColor = c.GetValue();
}

void CxEdit::SetSelColor(Color c)
{
    selFill = FillOf(c);
    selColor = c.GetValue();
}

void CxEdit::SetAtt(UINT vertId, UINT horzId, UINT cornerId) { CxSrlBar::SetAtt(this, vertId, horzId, cornerId); }

CPoint CxEdit::CharPos(int index)
{
    CPoint pos = PosFromChar(UINT(index));
    int length = GetWindowTextLength();
    // EM_POSFROMCHAR answers -1 for the index after the last character (and for any index of an empty edit).
    if (pos != CPoint(-1, -1) || index < length) return pos;
    CRect format;
    GetRect(&format);
    if (length == 0) return format.TopLeft();

    CPoint last = PosFromChar(UINT(length - 1));
    wchar_t lastChar = GetWindowText()[length - 1];
    CClientDC dc(this);
    CSelectionGuard font(dc.GetSafeHdc(), GetFont());
    if (lastChar == L'\n') {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);
        return CPoint(format.left, last.y + metrics.tmHeight);
    }
    return CPoint(last.x + dc.GetTextExtent(&lastChar, 1).cx, last.y);
}

CxEdit::Band CxEdit::GetBand()
{
    int start = 0, end = 0;
    GetSel(start, end);
    CPoint first = CharPos(start);
    int endX = start == end ? first.x : CharPos(end).x;
    return {first, endX, multiLine ? kMultiLineBand : kSingleLineBand};
}

void CxEdit::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    const int width = INT(area.Width), height = INT(area.Height);
    // The face is painted with GDI into a DIB of its own: GDI output straight into the ARGB cache would come
    // out transparent (and under Wine lands on a stand-in DC). The DIB is then copied in as opaque pixels.
    CImage canvas;
    if (width <= 0 || height <= 0 || !canvas.Create(width, height, 32)) return;
    Band band = GetBand();
    {
        CDC dc(canvas.GetDC());
        HDC hdc = dc.GetSafeHdc();
        ControlPaint::CopyBackground(hdc, background, area);
        backFill.AlphaBlend(hdc, 0, 0, width, height, 0, 0, 1, 1, AlphaOf(bgmColor));
        dc.Draw3dRect(0, 0, width, height, kFrameDark, kFrameLight);
        dc.Draw3dRect(1, 1, width - 2, height - 2, kFrameInner, kFrameInner);
        if (band.endX > band.start.x) {
            selFill.AlphaBlend(hdc, band.start.x + 1, band.start.y + 3, band.endX - band.start.x, band.height, 0, 0,
                               1, 1, AlphaOf(selColor));
        }
        DrawTextW(dc);
        if (caretOn) {
            CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
            CSelectionGuard selected(hdc, pen.Get());
            dc.MoveTo(band.start.x + 1, band.start.y + 3);
            dc.LineTo(band.start.x + 1, band.start.y + band.height + 2);
        }
        canvas.ReleaseDC();
    }
    std::unique_ptr<Bitmap> face = ControlPaint::BitmapOver(canvas);
    target.DrawImage(face.get(), Rect(0, 0, width, height), 0, 0, width, height, UnitPixel);
    if (multiLine) DrawBar(target);
}

void CxEdit::DrawTextW(CDC& dc)
{
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(Color(textColor).ToCOLORREF());
    CSelectionGuard font(dc.GetSafeHdc(), GetFont());
    if (!multiLine) {
        // Painted from the first visible character, so that a scrolled text shows what the native edit shows.
        // Probed at the formatting rectangle's left edge, as the lines of a multi-line edit are.
        CRect format;
        GetRect(&format);
        int first = LOWORD(CharFromPos(CPoint(format.left, 0)));
        CString text = GetViewText(0);
        if (first < text.GetLength()) dc.TextOut(CharPos(first).x + 1, 4, text.Mid(first));
        return;
    }
    CRect client;
    GetClientRect(&client);
    const int first = GetFirstVisibleLine();
    const int end = std::min(first + GetViewCount(), GetLineCount());
    const int scroll = GetScrollPos(SB_HORZ);
    for (int line = first; line < end; ++line) {
        CPoint pos = CharPos(LineIndex(line));
        // Without a vertical scroll bar every line counts as shown; stop below the client area.
        if (pos.y >= client.bottom) break;
        dc.TextOut(scroll + pos.x + 1, pos.y + 2, GetViewText(line));
    }
}

CString CxEdit::GetViewText(int line)
{
    if (!multiLine) return GetWindowText();
    wchar_t buffer[kLineBuffer];
    CString text(buffer, GetLine(line, buffer, kLineBuffer));
    CRect format;
    GetRect(&format);
    const int start = LineIndex(line);
    const int probeY = CharPos(start).y + 2;
    // Probed at the formatting rectangle's edges: a probe a pixel or two inside would land past the middle
    // of a narrow first character and drop it.
    const int first = LOWORD(CharFromPos(CPoint(format.left, probeY)));
    const int last = LOWORD(CharFromPos(CPoint(format.right, probeY)));
    return text.Mid(first - start, last - first);
}

int CxEdit::GetViewCount() { return GetLineCount() - GetScrollLimit(SB_VERT); }

LRESULT CxEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        return OnDefaultAndRedraw();
    case WM_TIMER:
        return OnTimer(UINT_PTR(wParam));
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_KILLFOCUS:
        return OnKillFocus();
    case WM_MOUSEMOVE:
        return OnMouseMove();
    case WM_KEYDOWN:
        return OnKeyDown(UINT(wParam));
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove();
    }
    return CEdit::WindowProc(msg, wParam, lParam);
}

BOOL CxEdit::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !inInput) Redraw(1, nullptr);
    return CEdit::OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CxEdit::OnDefaultAndRedraw()
{
    // A change made inside the default processing (EN_CHANGE) waits for the one redraw below.
    inInput = 1;
    LRESULT result = Default();
    inInput = 0;
    Redraw(1, nullptr);
    return result;
}

LRESULT CxEdit::OnTimer(UINT_PTR id)
{
    if (id != kCaretTimer) return Default();
    if (blinking) {
        caretOn = !caretOn;
        Redraw(1, nullptr);
    }
    return 0;
}

LRESULT CxEdit::OnSetFocus()
{
    LRESULT result = Default();
    if (GetStyle() & ES_READONLY) return result;
    SetTimer(kCaretTimer, kBlinkMs);
    blinking = 1;
    return result;
}

LRESULT CxEdit::OnKillFocus()
{
    LRESULT result = Default();
    blinking = 0;
    KillTimer(kCaretTimer);
    caretOn = 0;
    Redraw(1, nullptr);
    return result;
}

LRESULT CxEdit::OnMouseMove()
{
    LRESULT result = Default();
    int start = 0, end = 0;
    GetSel(start, end);
    if (start != end) Redraw(1, nullptr);
    return result;
}

LRESULT CxEdit::OnKeyDown(UINT vk)
{
    LRESULT result = Default();
    if (vk >= VK_LEFT && vk <= VK_DOWN) Redraw(1, nullptr);
    return result;
}

LRESULT CxEdit::OnNcMouseMove()
{
    LRESULT result = Default();
    if (multiLine) Redraw(1, nullptr);
    return result;
}

CxIconEdit::~CxIconEdit()
{
    // Images read their stream lazily: dispose of the icon before the CxWnd part frees the streams.
    icon.reset();
    textFont.reset();
}

void CxIconEdit::SetAtt(IStream* iconStream)
{
    icon = ImageFrom(iconStream);
    CClientDC dc(this);
    textFont = ControlPaint::FontFromGdi(dc.GetSafeHdc(), GetFont());
}

void CxIconEdit::DrawTextW(CDC& dc)
{
    Graphics g(dc.GetSafeHdc());
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    RectF area = GetRect();
    if (textFont) {
        SolidBrush brush{Color(textColor)};
        CString text = GetWindowText();
        g.DrawString(text, -1, textFont.get(), RectF(20, 4, area.Width, area.Height), nullptr, &brush);
    }
    if (icon) {
        const INT w = INT(icon->GetWidth()) / 2, h = INT(icon->GetHeight());
        g.DrawImage(icon.get(), Rect(2, 3, w, h), 0, 0, w, h, UnitPixel);
    }
}
