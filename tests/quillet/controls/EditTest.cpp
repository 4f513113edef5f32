#include "ControlsProbes.h"
#include "controls/CxEdit.h"

#include <gtest/gtest.h>

#include <string>

using namespace Gdiplus;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFF;
// White under the default selection tint (blue at alpha 0x50).
constexpr ARGB kBandOverWhite = 0xFFAFAFFF;

// Lets the tests read what a multi-line edit paints line by line.
class ViewEdit : public CxEdit {
public:
    using CxEdit::GetViewCount;
    using CxEdit::GetViewText;
};

class Edit : public testing::Test {
protected:
    void Open(DWORD style, int height = 22)
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | style, CRect(20, 40, 220, 40 + height), &dialog, 1028));
        dialog.Compose(edit);
    }
    // The surface colour at a client point of the edit.
    ARGB At(int x, int y) { return PixelAt(*dialog.Render(edit), 20 + x, 40 + y); }
    bool CaretShown()
    {
        CPoint caret = edit.GetBand().start;
        return At(caret.x + 1, caret.y + 10) == 0xFF000000;
    }
    // Whether any pixel of the text row between client columns left and right is dark.
    bool TextIn(int left, int right)
    {
        auto surface = dialog.Render(edit);
        for (int x = left; x < right; ++x) {
            for (int y = 4; y < 18; ++y) {
                if ((PixelAt(*surface, 20 + x, 40 + y) & 0xFF) < 0x80) return true;
            }
        }
        return false;
    }

    GdiplusSession gdiplus;
    ControlsDialog dialog;
    ViewEdit edit;
};

TEST_F(Edit, CaretBlinksWhileFocusedAndEditableAndSurvivesClicks)
{
    Open(ES_AUTOHSCROLL);
    EXPECT_EQ(At(100, 10), kWhite) << "the default tint covers the background";
    edit.SetFocus();
    // Between button-down and button-up the native edit runs a timer of its own.
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(CaretShown()) << "the caret first shows at the first tick";
    EXPECT_TRUE(PumpUntil([&] { return CaretShown(); }, 1500));
    EXPECT_TRUE(PumpUntil([&] { return !CaretShown(); }, 1500));
    EXPECT_TRUE(PumpUntil([&] { return CaretShown(); }, 1500));
    dialog.SetFocus();
    EXPECT_FALSE(CaretShown()) << "hidden at once when the focus leaves";
    edit.SendMessage(EM_SETREADONLY, TRUE);
    edit.SetFocus();
    EXPECT_FALSE(PumpUntil([&] { return CaretShown(); }, 1200)) << "a read-only edit never shows one";
}

TEST_F(Edit, BandSpansTheSelectionFromThreePixelsBelowItsLine)
{
    Open(ES_AUTOHSCROLL, 30);
    edit.SetWindowText(L"ab      cd");
    edit.SetSel(3, 7);
    edit.Redraw(1, nullptr);
    CxEdit::Band band = edit.GetBand();
    const CPoint first = edit.PosFromChar(3);
    EXPECT_EQ(band.endX, edit.PosFromChar(7).x);
    const int middle = (band.start.x + band.endX) / 2;
    EXPECT_TRUE(Near(At(middle, first.y + 3), kBandOverWhite));
    EXPECT_TRUE(Near(At(middle, first.y + 20), kBandOverWhite)) << "18 pixels high";
    EXPECT_EQ(At(middle, first.y + 21), kWhite);
    EXPECT_EQ(At(first.x, first.y + 10), kWhite) << "starts one pixel right of the character";
}

TEST_F(Edit, CaretAtTheEndOfTheTextLiesPastTheLastCharacter)
{
    Open(ES_AUTOHSCROLL);
    CRect format;
    edit.GetRect(&format);
    EXPECT_EQ(edit.CharPos(0), format.TopLeft()) << "an empty edit";
    edit.SetWindowText(L"abW");
    CClientDC dc(&edit);
    CSelectionGuard font(dc.GetSafeHdc(), edit.GetFont());
    const CPoint last = edit.PosFromChar(2);
    EXPECT_EQ(edit.CharPos(3), CPoint(last.x + dc.GetTextExtent(L"W", 1).cx, last.y));
}

TEST_F(Edit, LongTextShowsItsEndWhileScrolled)
{
    Open(ES_AUTOHSCROLL);
    edit.SendMessage(EM_SETLIMITTEXT, 40000, 0);
    edit.SetWindowText(CString(L'W', 32000));
    edit.SetFocus();
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    auto surface = dialog.Render(edit);
    EXPECT_EQ(PixelAt(*surface, 19, 50), Skin::kBackground) << "nothing outside the control";
    EXPECT_EQ(PixelAt(*surface, 220, 50), Skin::kBackground);

    // Painting the whole text from the first visible character's x would push the visible end out of sight.
    edit.SetWindowText(CString(L' ', 400) + L"MMMM");
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    ASSERT_GT(LOWORD(edit.CharFromPos(CPoint(1, 0))), 300) << "the native edit scrolled to the end";
    EXPECT_TRUE(TextIn(2, 198));
}

TEST_F(Edit, RedrawsOnceOnChangesAndArrowsButNotOnHomeOrEnd)
{
    Open(ES_AUTOHSCROLL);
    edit.SetWindowText(L"text");
    int before = dialog.compositions;
    edit.SendMessage(WM_CHAR, L'x', 0);
    EXPECT_EQ(dialog.compositions, before + 1) << "one redraw per character, not one more for its change";
    edit.SetSel(0, -1);
    edit.SendMessage(WM_CLEAR);
    EXPECT_EQ(dialog.compositions, before + 2) << "a deletion outside the keyboard handlers";
    EXPECT_FALSE(TextIn(2, 198));

    edit.SetWindowText(L"text");
    before = dialog.compositions;
    edit.SendMessage(WM_KEYDOWN, VK_HOME, 0);
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(dialog.compositions, before);
    edit.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(dialog.compositions, before + 1);
}

TEST_F(Edit, MultiLinePaintsItsVisibleLinesAndScrollBars)
{
    Open(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 100);
    edit.SetAtt(IDB_VBAR, IDB_HBAR, IDB_CORNER);
    CString text;
    for (int i = 0; i < 30; ++i) text += (i ? L"\r\nline " : L"line ") + CString(std::to_wstring(i));
    edit.SetWindowText(text);
    edit.SendMessage(EM_LINESCROLL, 0, 5);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 5);
    EXPECT_EQ(edit.GetViewCount(), 30 - edit.GetScrollLimit(SB_VERT));
    EXPECT_EQ(edit.GetViewText(5), L"line 5") << "a narrow first character is kept";
    edit.SetSel(0, 2);
    EXPECT_EQ(edit.GetBand().height, 14);

    CRect client;
    edit.GetClientRect(&client);
    EXPECT_NE(At(client.right + 3, 30), kWhite) << "the skinned vertical bar covers the tint";
}

TEST_F(Edit, IconEditDrawsTheLeftLookOfItsIcon)
{
    Open(ES_AUTOHSCROLL);
    CxIconEdit iconEdit;
    ASSERT_TRUE(iconEdit.Create(WS_CHILD | WS_VISIBLE, CRect(20, 80, 220, 104), &dialog, 1029));
    iconEdit.SetBgmColor(Color(0xFF808080));
    iconEdit.SetAtt(iconEdit.LoadRes(IDI_CLOSE_ICON, L"IMG", nullptr));
    auto surface = dialog.Render(iconEdit);
    EXPECT_EQ(PixelAt(*surface, 30, 91), Skin::kIconHover);
    EXPECT_EQ(PixelAt(*surface, 48, 91), 0xFF808080u) << "only the left half";
}

}  // namespace
