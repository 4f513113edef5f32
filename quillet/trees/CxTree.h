#pragma once
// CxTreeBase: the drawing half of the skinned trees. It paints every visible item of a native tree view
// (selection shade, dotted connectors, expand glyphs, icons, text) and the skinned scroll bars, and reports
// selection changes to the tree's parent. CxTree: a tree view that the program fills, drawn by CxTreeBase.
#include "controls/CxSrlBar.h"
#include "skin/CxWnd.h"

#include "framework/Gdi.h"
#include "framework/ListControls.h"

#include <memory>
#include <vector>

class QUILLET_API CxTreeBase : public CxWnd, public CxSrlBar {
public:
    // One connector segment from (x1, y1) to (x2, y2), in the tree's client pixels.
    struct Segment {
        int x1, y1, x2, y2;
        bool operator==(const Segment&) const = default;
    };

    // Makes the dotted connector pen and the empty spacer image list.
    CxTreeBase();
    // Deletes the images, the font, the pen and the image list.
    ~CxTreeBase() override;

    // Attaches to tree and skins it: item icons (18 x 20 cells, by image index) and the expand glyph strip
    // (left half expanded, right half collapsed); a, b, c are the scroll bar's bitmap ids.
    void SetAtt(CTreeCtrl* tree, UINT a, UINT b, UINT c, IStream* icons, IStream* glyphs);

    // The caret item's text after its ancestors' texts, joined by backslashes; empty without a caret item.
    CString GetPathFromTree();
    // The texts of item and its ancestors below stop, each followed by a backslash, root side first.
    CString GetPathFromTree(HTREEITEM item, HTREEITEM stop);
    // The top-level item above item (item itself at the top level).
    HTREEITEM GetRoot(HTREEITEM item);
    // The first item from first (the first root when null) along its siblings whose text equals text, or
    // contains it when partial is non-zero (case-sensitive); null when none. Children are not searched.
    HTREEITEM FindItem(const wchar_t* text, HTREEITEM first, int partial);
    // The file-system path of a special folder (CSIDL_*); empty when it has none.
    CString GetSpeDir(int csidl);
    // The last component of GetSpeDir(csidl).
    CString GetSpeFolder(int csidl);

    // Copies the background and paints the visible items and the scroll bars, opaque.
    void DrawImage(Gdiplus::Graphics& target, Gdiplus::Graphics& background, Gdiplus::RectF& area) override;
    using CxWnd::DrawTextW;
    // Paints every visible item on dc (client coordinates of the tree).
    virtual void DrawTextW(CDC& dc);
    // The connectors of one item; rect is its text rectangle with the left edge moved 2 pixels right.
    virtual void DrawItemLine(CDC* dc, CRect& rect, HTREEITEM item);
    // The shade and frame of a selected item.
    virtual void DrawSel(CDC* dc, CRect& rect, HTREEITEM item);
    // The item's icon from the icon strip, left of its text.
    virtual void DrawIcon(Gdiplus::Graphics& g, CDC& dc, HTREEITEM item, CRect& rect);

    // The connectors of an item whose text rectangle (left moved by 2) is rect, for a tree indenting by step
    // pixels per level: the horizontal stub, the vertical up to the row above (only to the item's own top when
    // that row is its parent), and one column per ancestor that has a next sibling (nearest first).
    static std::vector<Segment> ConnectorSegments(const CRect& rect, bool belowParent,
                                                  const std::vector<bool>& ancestorHasNext, int step);

protected:
    // 1 when the item is expanded, else 0.
    int IsExpandedItem(HTREEITEM item);

    // Repaints after an expansion.
    void OnTvnItemexpanded(NMHDR* header, LRESULT* result);
    // Repaints and sends WM_USER (wParam = this part, lParam = the new item) to the tree's parent.
    void OnTvnSelchanged(NMHDR* header, LRESULT* result);
    // Asks for non-client leave and hover messages, then repaints (the scroll bars' hot parts follow).
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcMouseLeave();
    void OnHScroll(UINT code, UINT pos, CWnd* bar);
    void OnVScroll(UINT code, UINT pos, CWnd* bar);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

    // The handling every skinned tree shares: repaint after scrolling, the wheel, clicks and non-client mouse
    // moves and leaves. Returns true with the result for a message it took.
    bool OnTreeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The reflected notifications every skinned tree takes (expanded, selection changed).
    bool OnTreeNotify(NMHDR* header, LRESULT* result);
    // The connectors of an item for a tree indenting by step pixels.
    void DrawConnectors(CDC& dc, const CRect& rect, HTREEITEM item, int step);
    // The steps of SetAtt that every skinned tree takes: tree, glyphs, window, font, scroll bar.
    void AttachTree(CTreeCtrl* tree, UINT a, UINT b, UINT c, IStream* glyphs);

    CTreeCtrl* tree = nullptr;
    CImageList spacerImages;
    std::unique_ptr<Gdiplus::Image> iconStrip;
    std::unique_ptr<Gdiplus::Image> glyphStrip;
    std::unique_ptr<Gdiplus::Font> itemFont;
    CPen linePen;
};

class QUILLET_API CxTree : public CTreeCtrl, public CxTreeBase {
    DECLARE_DYNAMIC(CxTree)
public:
    // Skins this tree (see CxTreeBase::SetAtt).
    void SetAtt(UINT a, UINT b, UINT c, IStream* icons, IStream* glyphs);

    // Routes scrolling, the wheel, clicks and non-client mouse messages to the repaint handlers.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Takes the reflected expansion and selection notifications.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
