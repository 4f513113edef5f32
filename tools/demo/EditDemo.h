#pragma once
// The edit and splitter part of the skin demo: two panes with a splitter between them and, below them, a
// focused output-path edit with a selection, all composed by the hosting layered dialog.
#include "controls/CxEdit.h"
#include "controls/CxSplitter.h"

class EditDemo {
public:
    // Creates the controls as children of parent inside area (client coordinates) and focuses the edit.
    void Create(CWnd& parent, const CRect& area);
    // Paints the panes and composes the splitter and the edit.
    void Draw(Gdiplus::Graphics& g);
    // Answers a splitter step: accepted while both panes stay at least their minimum width.
    LRESULT OnSplitterStep(int dx);

private:
    CRect area;
    CxSplitter splitter;
    CxEdit edit;
};
