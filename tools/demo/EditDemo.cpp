#include "EditDemo.h"

using namespace Gdiplus;

namespace {

constexpr UINT kGripSkin = 160;
constexpr int kMinPane = 80;
constexpr int kEditHeight = 20;
constexpr int kGap = 8;

void DrawPane(Graphics& g, const CRect& pane, const wchar_t* caption)
{
    SolidBrush fill(Color(255, 255, 255, 255));
    g.FillRectangle(&fill, pane.left, pane.top, pane.Width(), pane.Height());
    Pen edge(Color(255, 190, 198, 210), 1.0f);
    g.DrawRectangle(&edge, pane.left, pane.top, pane.Width() - 1, pane.Height() - 1);
    FontFamily family(L"Arial");
    Font font(&family, 9.0f, FontStyleRegular, UnitPoint);
    SolidBrush text(Color(255, 90, 100, 120));
    g.DrawString(caption, -1, &font, PointF(REAL(pane.left + 8), REAL(pane.top + 8)), &text);
}

}  // namespace

void EditDemo::Create(CWnd& parent, const CRect& where)
{
    area = where;
    const int splitX = area.left + area.Width() / 3;
    const int panesBottom = area.bottom - kEditHeight - kGap;
    splitter.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(splitX, area.top, splitX + 10, panesBottom),
                    &parent, 1011);
    splitter.SetAtt(splitter.LoadRes(kGripSkin, L"IMG", nullptr));

    edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                CRect(area.left, area.bottom - kEditHeight, area.right, area.bottom), &parent, 1028);
    edit.SetFont(parent.GetFont(), FALSE);
    edit.SetWindowText(L"C:\\Users\\Mirelle\\Pictures\\Holiday 2026\\Compressed");
    edit.SetFocus();
    edit.SetSel(18, 26);
}

void EditDemo::Draw(Graphics& g)
{
    Rect bar = splitter.GetRect(splitter.GetRect());
    DrawPane(g, CRect(area.left, bar.Y, bar.X, bar.GetBottom()), L"Folders");
    DrawPane(g, CRect(bar.GetRight(), bar.Y, area.right, bar.GetBottom()), L"Photos");
    splitter.DoDraw(g);
    edit.DoDraw(g);
}

LRESULT EditDemo::OnSplitterStep(int dx)
{
    Rect bar = splitter.GetRect(splitter.GetRect());
    if (bar.X + dx - area.left < kMinPane || area.right - (bar.GetRight() + dx) < kMinPane) return 0;
    return 1;
}
