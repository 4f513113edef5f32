#pragma once
// CResList: the main window's photo list. Each item is a photo card: the thumbnail in a frame, the shortened file
// name, the pixel and file size, and the round "Compress" and "Date" boxes that a click toggles. During a scan a
// status bar with the file being read covers the cards; over a thumbnail a badge slides in beside the card.
#include "TextImages.h"
#include "ToolDlg.h"
#include "photo/PhotoItem.h"

#include "lists/CxIconListCtrl.h"

#include <memory>

class CResList : public CxIconListCtrl {
public:
    // Where the parts of a card lie, from the item's bounds as the native icon view reports them.
    struct CardLayout {
        explicit CardLayout(const CRect& bounds, CSize box);
        CPoint origin;
        CRect frame;
        CRect compressBox;
        CRect dateBox;
        // The thumbnail's hot box: clicks on it are swallowed and hovering shows the badge.
        CRect thumbHotBox;
        CPoint name;
        CPoint sizeLine;
        CPoint compressWord;
        CPoint dateWord;
        // Where a thumbnail of the given size goes, centred in the frame.
        CPoint Thumbnail(int width, int height) const;
    };

    CResList() = default;
    // Frees the photos; the badge and the pictures go with their owners.
    ~CResList() override;

    // True when point lies inside rect, on none of its four edges.
    static bool StrictlyInside(CPoint point, const CRect& rect);

    // Appends an item for a photo, which the list owns from then on; returns its index.
    int AddPhoto(std::unique_ptr<PhotoItem> photo);
    // Frees every photo and deletes every item.
    void ClearPhotos();
    // The photo of an item; null for an item without one.
    PhotoItem* GetPhoto(int item) const;
    // The number of photos marked for compression.
    int CountMarked() const;
    // Hides the badge and forgets the item it was shown for.
    void HideBadge();
    // The badge window (for its owner's checks).
    CToolDlg& Badge() { return badge; }
    // The item the badge was last shown for; -1 for none.
    int HoverItem() const { return hoverItem; }

    // Composes the list onto g from its body, drawn again (as DrawImage draws) only when dirty: the body goes onto a
    // layered window's composition through GDI, without a cache in between.
    void Compose(Gdiplus::Graphics& g);

    // Loads the card pictures, the base's tints, a fainter selection and creates the badge.
    void PreSubclassWindow() override;
    // Background, tint and cards; the scroll bars only while no status is shown; no border.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;

    // Routes clicks, moves, size changes and the window's end to their handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Toggles a box under the pointer ("Compress" also tells the parent, WM_USER + 1); clicks on a thumbnail do
    // nothing; other clicks get the base's click report.
    LRESULT OnLButtonDown(UINT flags, CPoint point);
    // Shows the badge for a thumbnail under the pointer and hides it elsewhere on a card.
    LRESULT OnMouseMove(UINT flags, CPoint point);
    // Re-arranges the icons for the new size without repainting in between.
    LRESULT OnSize();
    // Frees the photos before the window goes.
    LRESULT OnDestroy();

protected:
    // Draws every visible card, then the status bar while the window text is set.
    void DrawTextW(CDC& dc) override;
    // Draws one photo card.
    void DrawItemImg(CDC& dc, int item, CRect& rect) override;

private:
    // Whether the scroll bars are drawn: not while a status is shown.
    bool ShowsBars() const;
    // The card under a client point (the native hit test covers only the icon's part of it); -1 for none.
    int CardAt(CPoint point) const;
    // The size of one round box: half the box picture's width by its height.
    CSize BoxSize() const;
    // The card layout of an item.
    CardLayout LayoutOf(int item) const;
    // The status bar in three slices across the middle of the client area, with the status text.
    void DrawStatus(Gdiplus::Graphics& g, const CString& status);

    std::unique_ptr<Gdiplus::Image> frameImage;
    std::unique_ptr<Gdiplus::Image> checkImage;
    std::unique_ptr<Gdiplus::Image> statusImage;
    // The card texts' font and brush are kept across strings and paints.
    std::unique_ptr<Gdiplus::Font> cardFont;
    std::unique_ptr<Gdiplus::Font> statusFont;
    // The card texts, drawn from images of the strings in view.
    std::unique_ptr<CTextImages> cardTexts;
    CToolDlg badge;
    int hoverItem = -1;
};
