#include "MenuTestIds.h"
#include "common/TestSupport.h"
#include "menu/CxMenu.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRowFill = RGB(246, 246, 246);
constexpr COLORREF kHighlightFill = RGB(232, 238, 230);
constexpr COLORREF kSlices[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
constexpr UINT kOpen = 101, kSave = 102, kQuit = 103;

MENUITEMINFOW Query(UINT mask)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

// Gives every item an 18 x 8 icon: a magenta left half (normal look) and a cyan right half (disabled look).
class IconMenu : public CxMenu {
public:
    CImage* SetBitmaps(UINT, CImage& image) override
    {
        image.Create(18, 8, 24);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 18; ++x) image.SetPixel(x, y, x < 9 ? RGB(255, 0, 255) : RGB(0, 255, 255));
        return &image;
    }
    int Width() const { return itemWidth; }
};

class Menu : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        menu.SetAtt(IDB_STRIP, &owner);
        ASSERT_TRUE(surface.Create(300, 120, 32));
        Fill(items);
    }
    // "Open", "&Save as...", a separator, a disabled "Quit" and "More" with a submenu.
    void Fill(CMenu& target)
    {
        target.CreatePopupMenu();
        target.AppendMenu(MF_STRING, kOpen, L"Open");
        target.AppendMenu(MF_STRING, kSave, L"&Save as...");
        target.AppendMenu(MF_SEPARATOR);
        target.AppendMenu(MF_STRING | MF_GRAYED, kQuit, L"Quit");
        CMenu more;
        more.CreatePopupMenu();
        more.AppendMenu(MF_STRING, 104, L"Inner");
        target.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(more.Detach()), L"More");
    }
    static int RowTop(int position) { return position <= 2 ? position * 22 : 49 + (position - 3) * 22; }
    // Sends the draw record the system would send for the row at position.
    void Draw(CMenu& target, int position, UINT action, CImage& into, CxMenu* by = nullptr)
    {
        MENUITEMINFOW info = Query(MIIM_DATA | MIIM_ID);
        target.GetMenuItemInfo(position, &info, TRUE);
        const int height = target.GetMenuItemID(position) == 0 ? 5 : 22;
        DRAWITEMSTRUCT record{ODT_MENU, 0, info.wID, action, 0, reinterpret_cast<HWND>(target.GetSafeHmenu()),
                              into.GetDC(), CRect(0, RowTop(position), menu.Width(), RowTop(position) + height),
                              info.dwItemData};
        (by ? by : &menu)->OnDrawItem(0, &record);
        into.ReleaseDC();
    }
    void Draw(int position, UINT action) { Draw(items, position, action, surface); }
    // The colour inside the row's highlight frame, right of any text.
    COLORREF RowColour(int position) const { return surface.GetPixel(menu.Width() + 5, RowTop(position) + 2); }

    CWnd owner;
    IconMenu menu;
    CMenu items;
    CImage surface;
};

TEST_F(Menu, RemapMakesItemsOwnerDrawnKeepingSeparatorsSubmenusAndStates)
{
    HMENU submenu = ::GetSubMenu(items.GetSafeHmenu(), 4);
    menu.RemapMenu(&items);
    for (int position = 0; position < 5; ++position) {
        MENUITEMINFOW info = Query(MIIM_FTYPE | MIIM_STATE);
        items.GetMenuItemInfo(position, &info, TRUE);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << position;
        EXPECT_EQ(bool(info.fType & MFT_SEPARATOR), position == 2) << position;
        // Separators read as disabled.
        if (position != 2) {
            EXPECT_EQ(bool(info.fState & MFS_DISABLED), position == 3) << position;
        }
    }
    EXPECT_EQ(::GetSubMenu(items.GetSafeHmenu(), 4), submenu);
    EXPECT_EQ(GetMenuItemCount(submenu), 1);

    CClientDC dc(&owner);
    EXPECT_EQ(menu.Width(), dc.GetTextExtent(L"&Save as...").cx + 16);
    MEASUREITEMSTRUCT command{ODT_MENU, 0, kOpen, 0, 0, 0}, separator{ODT_MENU, 0, 0, 0, 0, 0};
    MEASUREITEMSTRUCT button{ODT_BUTTON, 0, kOpen, 7, 9, 0};
    for (MEASUREITEMSTRUCT* record : {&command, &separator, &button}) menu.OnMeasureItem(0, record);
    EXPECT_EQ(command.itemWidth, UINT(menu.Width()));
    EXPECT_EQ(command.itemHeight, 22u);
    EXPECT_EQ(separator.itemHeight, 5u);
    EXPECT_EQ(button.itemWidth + button.itemHeight, 16u) << "other control types are left alone";
}

TEST_F(Menu, RowsShowTheirStripSliceAndTheHighlightFollowsTheSelection)
{
    menu.RemapMenu(&items);
    for (int position = 0; position < 4; ++position) Draw(position, ODA_DRAWENTIRE);
    for (int position : {0, 1, 3}) {
        EXPECT_EQ(surface.GetPixel(20, RowTop(position) + 20), kSlices[position]) << position;
        EXPECT_EQ(RowColour(position), kRowFill) << position;
    }
    EXPECT_EQ(surface.GetPixel(20, RowTop(2) + 4), kSlices[2]) << "the separator's slice";

    Draw(0, ODA_SELECT);
    EXPECT_EQ(RowColour(0), kHighlightFill);
    EXPECT_EQ(menu.GetSel(), CString(L"Open"));
    Draw(0, ODA_SELECT);
    Draw(1, ODA_SELECT);
    EXPECT_EQ(RowColour(0), kRowFill) << "the row that lost the highlight is plain again";
    EXPECT_EQ(RowColour(1), kHighlightFill);
    Draw(1, ODA_SELECT);
    Draw(3, ODA_SELECT);
    EXPECT_EQ(RowColour(1), kRowFill);
    EXPECT_EQ(RowColour(3), kRowFill) << "a disabled row is never highlighted";
    EXPECT_EQ(surface.GetPixel(3, RowTop(3) + 3), RGB(0, 255, 255)) << "disabled icon: its right half";
    EXPECT_EQ(surface.GetPixel(3, RowTop(0) + 3), RGB(255, 0, 255)) << "enabled icon: its left half";
}

TEST_F(Menu, AmpersandsAreLeftOutOfTheDrawnText)
{
    auto rowWith = [&](const wchar_t* text, CImage& into) {
        CMenu one;
        one.CreatePopupMenu();
        one.AppendMenu(MF_STRING, kOpen, text);
        one.AppendMenu(MF_STRING, kSave, L"A wide enough row");
        menu.RemapMenu(&one);
        into.Create(300, 22, 32);
        Draw(one, 0, ODA_DRAWENTIRE, into);
    };
    CImage marked, plain;
    rowWith(L"&Save", marked);
    rowWith(L"Save", plain);
    int ink = 0, differences = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 23; x < 120; ++x) {
            ink += marked.GetPixel(x, y) == RGB(0, 0, 0);
            differences += marked.GetPixel(x, y) != plain.GetPixel(x, y);
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(differences, 0) << "drawn as Save";
}

TEST_F(Menu, EnablingChangesTheMenuNotTheConvertedLookAndAMissingStripDrawsNothing)
{
    menu.RemapMenu(&items);
    menu.EnableMenuItem(&items, kQuit, 1);
    EXPECT_FALSE(items.GetMenuState(kQuit, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));
    Draw(3, ODA_DRAWENTIRE);
    EXPECT_EQ(surface.GetPixel(3, RowTop(3) + 3), RGB(0, 255, 255)) << "drawn as converted until remapped";

    IconMenu unskinned;
    unskinned.SetAtt(9999, &owner);
    unskinned.RemapMenu(&items);
    CImage untouched;
    untouched.Create(300, 22, 32);
    Draw(items, 0, ODA_DRAWENTIRE, untouched, &unskinned);
    EXPECT_EQ(untouched.GetPixel(30, 10), RGB(0, 0, 0));
}

}  // namespace
