// A small program that shows the skin core at work: a layered CxDlg with a frame skin, one CxWnd-based child
// control, the edit and the splitter, and the skinned shell folder tree, opened at the folder given on the command
// line. Run it under Wine and take a screenshot.
#include "EditDemo.h"
#include "TreeDemo.h"
#include "skin/CxDlg.h"

#include "framework/Framework.h"

using namespace Gdiplus;

namespace {

constexpr UINT kFrameSkin = 129;
constexpr UINT kDemoDialog = 200;

// A card with a rounded accent band and a caption, rendered once into the control's cache.
class DemoCard : public CWnd, public CxWnd {
public:
    void DrawImage(Graphics& target, Graphics&, RectF& area) override
    {
        target.SetSmoothingMode(SmoothingModeAntiAlias);
        GraphicsPath card;
        const REAL r = 10.0f, w = area.Width - 1, h = area.Height - 1;
        card.AddArc(0.0f, 0.0f, 2 * r, 2 * r, 180, 90);
        card.AddArc(w - 2 * r, 0.0f, 2 * r, 2 * r, 270, 90);
        card.AddArc(w - 2 * r, h - 2 * r, 2 * r, 2 * r, 0, 90);
        card.AddArc(0.0f, h - 2 * r, 2 * r, 2 * r, 90, 90);
        card.CloseFigure();
        LinearGradientBrush fill(PointF(0, 0), PointF(0, h), Color(255, 74, 144, 226), Color(255, 46, 110, 196));
        target.FillPath(&fill, &card);
        Pen edge(Color(255, 34, 86, 160), 1.0f);
        target.DrawPath(&edge, &card);
    }
    void DrawTextW(Graphics& target, RectF& area) override
    {
        FontFamily family(L"Arial");
        Font font(&family, 11.0f, FontStyleBold, UnitPoint);
        SolidBrush white(Color(255, 255, 255, 255));
        StringFormat centred;
        centred.SetAlignment(StringAlignmentCenter);
        centred.SetLineAlignment(StringAlignmentCenter);
        RectF box(0, 0, area.Width, area.Height);
        target.DrawString(L"CxWnd child control", -1, &font, box, &centred, &white);
    }
};

class DemoDialog : public CxDlg {
public:
    DemoDialog() : CxDlg(kDemoDialog, nullptr) {}

    BOOL OnInitDialog() override
    {
        CxDlg::OnInitDialog();
        SetAtt(kFrameSkin, L"PNG", nullptr);
        ModifyStyleEx(0, WS_EX_LAYERED);
        MoveWindow(0, 0, 660, 440, FALSE);
        CenterWindow();
        card.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(60, 50, 360, 110), this, 1);
        card.Load(&card);
        folders.Create(*this, CRect(400, 40, 640, 420));
        ShowWindow(SW_SHOW);
        editDemo.Create(*this, CRect(24, 130, 396, 380));
        Update();
        return FALSE;  // the edit demo holds the focus
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_USER) return editDemo.OnSplitterStep(int(lParam));
        return CxDlg::WindowProc(msg, wParam, lParam);
    }
    void DrawWnd(Graphics& g) override
    {
        CRect rect;
        GetWindowRect(&rect);
        SolidBrush panel(Color(255, 244, 246, 249));
        g.FillRectangle(&panel, 10, 24, rect.Width() - 20, rect.Height() - 33);
        card.DoDraw(g);
        editDemo.Draw(g);
        folders.Draw(g);
    }

    DemoCard card;
    EditDemo editDemo;
    ShellTreePanel folders;
};

class DemoApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        GdiplusStartupInput input;
        ULONG_PTR token = 0;
        GdiplusStartup(&token, &input, nullptr);
        {
            DemoDialog dialog;
            dialog.DoModal();
        }
        GdiplusShutdown(token);
        return FALSE;
    }
};

DemoApp theApp;

}  // namespace
