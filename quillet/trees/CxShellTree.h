#pragma once
// CxShellTree: the skinned folder tree of the shell namespace. The framework's shell tree lists the folders;
// CxTreeBase paints them with the shell's own icons, and the shell's context menu opens on the items.
#include "trees/CxTree.h"

#include "framework/ShellTree.h"

class QUILLET_API CxShellTree : public CMFCShellTreeCtrl, public CxTreeBase {
    DECLARE_DYNAMIC(CxShellTree)
public:
    // Skins the tree: a, b, c are the scroll bar's bitmap ids, glyphs the expand glyph strip. The icons come
    // from the system image list that the shell tree installs.
    void SetAtt(UINT a, UINT b, UINT c, IStream* glyphs);

    // Draws the item's shell icon from the tree's image list.
    void DrawIcon(Gdiplus::Graphics& g, CDC& dc, HTREEITEM item, CRect& rect) override;
    // The connectors, at the shell tree's 19-pixel indentation.
    void DrawItemLine(CDC* dc, CRect& rect, HTREEITEM item) override;

    // Shows the shell's context menu of the item at point (screen coordinates; (-1, -1) for the keyboard: the
    // selected item) and runs the chosen command.
    virtual void OnShowContextMenu(CPoint point);

    // Routes the mouse, scroll and context-menu messages.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Takes the reflected expansion and selection notifications; the rest go to the shell tree.
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The shell's context menu when it is on, else the tree's own handling.
    LRESULT OnContextMenu(CWnd* wnd, CPoint point);
};
