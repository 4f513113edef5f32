#include "ControlsProbes.h"
#include "controls/CxEdit.h"

#include <gtest/gtest.h>

#include <string>

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kBlack = 0xFF000000;
// White under the default selection tint (blue at alpha 0x50).
constexpr ARGB kBandOverWhite = 0xFFAFAFFF;

class Edit : public testing::Test {
protected:
    void Open(DWORD style, CRect rect)
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | style, rect, &dialog, 1028));
        origin = rect.TopLeft();
        dialog.Compose(edit);
    }
    // The surface colour at a client point of the edit.
    ARGB At(int x, int y)
    {
        auto surface = dialog.Render(edit);
        return PixelAt(*surface, origin.x + x, origin.y + y);
    }
    // Whether the painted caret shows at the start of the selection.
    bool CaretShown()
    {
        CPoint caret = edit.GetBand().start;
        return At(caret.x + 1, caret.y + 10) == kBlack;
    }
    // Whether any of the edit's client pixels in columns [left, right) is dark (painted text).
    bool TextIn(int left, int right)
    {
        auto surface = dialog.Render(edit);
        for (int x = left; x < right; ++x) {
            for (int y = 4; y < 18; ++y) {
                if ((PixelAt(*surface, origin.x + x, origin.y + y) & 0xFF) < 0x80) return true;
            }
        }
        return false;
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    CxEdit edit;
    CPoint origin;
};

TEST_F(Edit, CaretBlinksWhileFocusedAndSurvivesClicks)
{
    Open(ES_AUTOHSCROLL, CRect(20, 40, 220, 62));
    EXPECT_EQ(At(0, 5), Color::MakeARGB(255, 120, 120, 120)) << "sunken frame";
    EXPECT_EQ(At(100, 21), Color::MakeARGB(255, 160, 160, 160));
    EXPECT_EQ(At(100, 10), kWhite) << "default tint covers the background";

    edit.SetFocus();
    // The native edit runs a timer of its own between button-down and button-up.
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(CaretShown()) << "the caret first shows at the first tick";
    EXPECT_TRUE(PumpUntil([&] { return CaretShown(); }, 1500));
    EXPECT_TRUE(PumpUntil([&] { return !CaretShown(); }, 1500));
    EXPECT_TRUE(PumpUntil([&] { return CaretShown(); }, 1500));

    dialog.SetFocus();
    EXPECT_FALSE(CaretShown()) << "hidden at once when the focus leaves";
}

TEST_F(Edit, ReadOnlyEditNeverShowsACaret)
{
    Open(ES_AUTOHSCROLL | ES_READONLY, CRect(20, 40, 220, 62));
    edit.SetWindowText(L"read only");
    edit.SetFocus();
    EXPECT_FALSE(PumpUntil([&] { return CaretShown(); }, 1200));
}

TEST_F(Edit, BandSpansTheSelectionOnTheLineOfItsStart)
{
    Open(ES_AUTOHSCROLL, CRect(20, 40, 220, 70));
    edit.SetWindowText(L"ab      cd");
    edit.SetSel(3, 7);
    edit.Redraw(1, nullptr);
    CxEdit::Band band = edit.GetBand();
    const CPoint first = edit.PosFromChar(3);
    EXPECT_EQ(band.start, first);
    EXPECT_EQ(band.endX, edit.PosFromChar(7).x);
    EXPECT_EQ(band.height, 18);

    const int middle = (band.start.x + band.endX) / 2 + 1;
    EXPECT_TRUE(Near(At(middle, first.y + 3), kBandOverWhite));
    EXPECT_TRUE(Near(At(middle, first.y + 20), kBandOverWhite));
    EXPECT_EQ(At(middle, first.y + 2), kWhite);
    EXPECT_EQ(At(middle, first.y + 21), kWhite);
    EXPECT_EQ(At(band.start.x, first.y + 10), kWhite);
    EXPECT_TRUE(Near(At(band.start.x + 1, first.y + 10), kBandOverWhite));
    EXPECT_EQ(At(band.endX + 1, first.y + 10), kWhite);
}

// Lets the test read what a multi-line edit paints line by line.
class ViewEdit : public CxEdit {
public:
    using CxEdit::GetViewCount;
    using CxEdit::GetViewText;
};

TEST(MultiLineEdit, PaintsTheVisibleLinesAndItsScrollBars)
{
    GdiplusSession gdiplus;
    ControlsDialog dialog;
    ASSERT_TRUE(dialog.Open());
    ViewEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
                            CRect(20, 20, 200, 120), &dialog, 1030));
    edit.SetAtt(IDB_VBAR, IDB_HBAR, IDB_CORNER);
    dialog.Compose(edit);
    CString text;
    for (int i = 0; i < 30; ++i) text += (i ? L"\r\nline " : L"line ") + CString(std::to_wstring(i));
    edit.SetWindowText(text);
    edit.SendMessage(EM_LINESCROLL, 0, 5);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 5);
    EXPECT_EQ(edit.GetViewCount(), 30 - edit.GetScrollLimit(SB_VERT));
    EXPECT_GT(edit.GetViewCount(), 1);
    EXPECT_LT(edit.GetViewCount(), 30);
    EXPECT_EQ(edit.GetViewText(5), L"line 5");

    edit.SetSel(0, 2);
    EXPECT_EQ(edit.GetBand().height, 14);

    CRect client;
    edit.GetClientRect(&client);
    auto surface = dialog.Render(edit);
    ARGB bar = PixelAt(*surface, 20 + client.right + 3, 20 + 30);
    EXPECT_NE(bar, kWhite) << "the skinned vertical bar covers the tint";
    EXPECT_NE(bar, Skin::kBackground);
}

TEST_F(Edit, CaretAtTheEndOfTheTextLiesPastTheLastCharacter)
{
    Open(ES_AUTOHSCROLL, CRect(20, 40, 220, 62));
    CRect format;
    edit.CEdit::GetRect(&format);
    EXPECT_EQ(edit.CharPos(0), format.TopLeft()) << "an empty edit";

    edit.SetWindowText(L"abW");
    CClientDC dc(&edit);
    CSelectionGuard font(dc.GetSafeHdc(), edit.GetFont());
    const CPoint last = edit.PosFromChar(2);
    EXPECT_EQ(edit.CharPos(3), CPoint(last.x + dc.GetTextExtent(L"W", 1).cx, last.y));
}

TEST_F(Edit, LongTextShowsItsEndWhileScrolled)
{
    Open(ES_AUTOHSCROLL, CRect(20, 40, 220, 62));
    edit.SendMessage(EM_SETLIMITTEXT, 40000, 0);
    edit.SetWindowText(CString(L'W', 32000));
    edit.SetFocus();
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    auto surface = dialog.Render(edit);
    EXPECT_EQ(PixelAt(*surface, origin.x - 1, origin.y + 10), Skin::kBackground) << "nothing outside the control";
    EXPECT_EQ(PixelAt(*surface, origin.x + 200, origin.y + 10), Skin::kBackground);

    // Only the end of this text is visible: painting the whole text from the first visible character's x
    // would push it out of the control.
    edit.SetWindowText(CString(L' ', 400) + L"MMMM");
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    ASSERT_GT(LOWORD(edit.CharFromPos(CPoint(1, 0))), 300) << "the native edit scrolled to the end";
    EXPECT_TRUE(TextIn(2, 198));
}

TEST_F(Edit, RedrawsOnChangesAndArrowsButNotOnHomeOrEnd)
{
    Open(ES_AUTOHSCROLL, CRect(20, 40, 220, 62));
    edit.SetWindowText(L"text");
    int before = dialog.compositions;
    edit.SendMessage(WM_CHAR, L'x', 0);
    EXPECT_EQ(dialog.compositions, before + 1) << "one redraw per character, not one more for its change";

    before = dialog.compositions;
    edit.SetSel(0, -1);
    edit.SendMessage(WM_CLEAR);
    EXPECT_EQ(dialog.compositions, before + 1) << "a deletion outside the keyboard handlers";
    EXPECT_FALSE(TextIn(2, 198));

    edit.SetWindowText(L"text");
    before = dialog.compositions;
    edit.SendMessage(WM_KEYDOWN, VK_HOME, 0);
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(dialog.compositions, before);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(dialog.compositions, before + 1);
}

TEST_F(Edit, IconEditDrawsTheLeftLookOfItsIcon)
{
    ASSERT_TRUE(dialog.Open());
    CxIconEdit iconEdit;
    ASSERT_TRUE(iconEdit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(20, 40, 220, 64), &dialog, 1029));
    iconEdit.SetBgmColor(Color(0xFF808080));
    iconEdit.SetAtt(iconEdit.LoadRes(IDI_CLOSE_ICON, L"IMG", nullptr));
    auto surface = dialog.Render(iconEdit);
    EXPECT_EQ(PixelAt(*surface, 20 + 2 + 8, 40 + 3 + 8), Skin::kIconHover);
    EXPECT_EQ(PixelAt(*surface, 20 + 2 + 18 + 8, 40 + 3 + 8), Color::MakeARGB(255, 128, 128, 128))
        << "only the left half";
}

}  // namespace
