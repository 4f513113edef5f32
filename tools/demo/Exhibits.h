#pragma once
// The gallery's panels, one per kind of control. Each names its controls' classes in small captions, so that a
// developer sees which class draws what.
#include "Gallery.h"

#include "controls/CxChkBtn.h"
#include "controls/CxEdit.h"
#include "controls/CxSlider.h"
#include "controls/CxSplitter.h"
#include "lists/CxComBox.h"
#include "lists/CxIconListCtrl.h"
#include "lists/CxListBox.h"
#include "lists/CxListCtrl.h"
#include "trees/CxShellTree.h"
#include "trees/CxTree.h"

// An exhibit with small grey captions of its own.
class CaptionedExhibit : public Exhibit {
protected:
    // A caption at rect (client coordinates), composed with the controls.
    CxStatic& Caption(const wchar_t* text, const CRect& rect);

private:
    std::vector<std::unique_ptr<CxStatic>> captions;
};

// Push buttons from three strips, icon buttons, a disabled button, and the button that opens the menu.
class ButtonsExhibit : public CaptionedExhibit {
public:
    void Drive() override;
    bool OnCommand(UINT id) override;

protected:
    void Create(const CRect& area) override;

private:
    void Make(CxBtn& button, const wchar_t* text, int x, int y, int width, int height);

    CxBtn ok, cancel, apply, all, none, menuButton;
    CxBmpBtn start, browse;
};

// Check boxes (one disabled) and a group of radio buttons, from the generated strips.
class ChecksExhibit : public CaptionedExhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    CxChkBtn checks[3];
    CxRadBtn radios[3];
    CxRadGroup group;
};

// A slider that drives a progress bar and a value caption.
class SliderExhibit : public CaptionedExhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    // Shows percent on the caption and the progress bar.
    void ShowValue(int percent);

    CxSlider slider;
    CxPrg progress;
    CxStatic* value = nullptr;
};

// A single-line edit with a selection, an edit with an icon, and a multi-line edit with skinned scroll bars.
class EditsExhibit : public CaptionedExhibit {
public:
    void Drive() override;

protected:
    void Create(const CRect& area) override;

private:
    CxEdit line;
    CxIconEdit path;
    CxEdit notes;
};

// Two panes with a splitter between them; each pane keeps a minimum width.
class SplitterExhibit : public Exhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;
    void Draw(Gdiplus::Graphics& g) override;

protected:
    void Create(const CRect& area) override;

private:
    CRect panes;
    CxSplitter splitter;
};

// A tree filled by the program, with the generated item icons and album's expand glyphs.
class TreeExhibit : public Exhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    CxTree tree;
};

// The shell's folder tree, opened at the gallery's folder.
class ShellTreeExhibit : public Exhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    CxShellTree tree;
};

// An icon list of photo thumbnails with captions.
class IconListExhibit : public Exhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    CxIconListCtrl list;
};

// The three list boxes: text rows, rows with icons, rows with check boxes.
class ListBoxesExhibit : public CaptionedExhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    void Make(CxListBox& box, const wchar_t* caption, const CRect& rect);

    CxListBox plain;
    CxBmpListBox icons;
    CxChkListBox checks;
};

// The two combo boxes: text items and items with icons.
class CombosExhibit : public CaptionedExhibit {
public:
    void Drive() override;
    bool OnReport(WPARAM sender, LPARAM value, LRESULT& result) override;

protected:
    void Create(const CRect& area) override;

private:
    void Make(CxComBox& combo, const wchar_t* caption, const CRect& rect);

    CxComBox plain;
    CxBmpComBox icons;
};

// A report list of photos with a skinned header, grid, check boxes and the photos' details; a click on a row's box
// ticks or clears it. Fill replaces the rows with as many generated ones (the benchmark's 10,000).
class ReportListExhibit : public CaptionedExhibit {
public:
    void Drive() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    // Replaces the rows with count generated photos.
    void Fill(int count);
    CxChkListCtrl& List() { return list; }

protected:
    void Create(const CRect& area) override;

private:
    // Ticks or clears the row's box.
    void Toggle(int row);

    CxChkListCtrl list;
};
