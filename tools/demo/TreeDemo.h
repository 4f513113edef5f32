#pragma once
// The skin demo's shell folder tree: a CxShellTree on the demo dialog, opened at the folder named on the command
// line (the demo's own folder without one).
#include "skin/CxDlg.h"
#include "trees/CxShellTree.h"

class ShellTreePanel {
public:
    // Creates the skinned tree in parent at rect, selects the folder and expands it.
    void Create(CxDlg& parent, const CRect& rect);
    // Composes the tree onto the dialog's surface.
    void Draw(Gdiplus::Graphics& g) { tree.DoDraw(g); }

private:
    CxShellTree tree;
};
