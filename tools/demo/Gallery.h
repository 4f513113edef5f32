#pragma once
// The gallery: one skinned, layered dialog that shows every control of the toolkit, set up with album's skins and
// with the toolkit's own generated ones, grouped into titled panels. Each panel is an Exhibit placed by one row of
// the gallery's table (Gallery.cpp); the status line at the bottom tells what the controls last reported.
#include "controls/CxBtn.h"
#include "controls/CxStatic.h"
#include "menu/CxMenu.h"
#include "skin/CxDlg.h"
#include "skin/LayerSurface.h"

#include "framework/Gdi.h"

#include <initializer_list>
#include <memory>
#include <vector>

class GalleryDlg;

// One panel of the gallery: its controls, their setup, their composition and one user action on each.
class Exhibit {
public:
    Exhibit() = default;
    virtual ~Exhibit() = default;
    Exhibit(const Exhibit&) = delete;
    Exhibit& operator=(const Exhibit&) = delete;

    // Creates the controls as children of owner inside area (client coordinates).
    void Build(GalleryDlg& owner, const CRect& area);
    // Plays one user action on each control: a click, a key, a scroll or a selection.
    virtual void Drive() = 0;
    // Answers a control's WM_USER report (the sender, a value); false when no control of this panel sent it.
    virtual bool OnReport(WPARAM sender, LPARAM value, LRESULT& result);
    // Answers a button's command; false when the button is not one of this panel's.
    virtual bool OnCommand(UINT id);
    // Answers a control's notification; false when no control of this panel sent it.
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    // Composes the controls onto the gallery's surface, in the order they were shown.
    virtual void Draw(Gdiplus::Graphics& g);

protected:
    virtual void Create(const CRect& area) = 0;
    // Adds controls to those that Draw composes.
    void Show(std::initializer_list<CxWnd*> controls);
    // The WM_USER sender value of a control: the address of the part that sends it.
    template <class Part>
    static bool Sent(WPARAM sender, Part& part)
    {
        return sender == reinterpret_cast<WPARAM>(&part);
    }

    GalleryDlg* gallery = nullptr;

private:
    std::vector<CxWnd*> shown;
};

class GalleryDlg : public CxDlg, public CxMenu {
public:
    // folder: where the shell tree opens.
    explicit GalleryDlg(const CString& folder);
    ~GalleryDlg() override;

    // Skins the window, creates every panel and shows the gallery centred on the screen.
    BOOL OnInitDialog() override;
    // The frame, the background and the panels, drawn once for the window's size.
    void DrawBgm(Gdiplus::Graphics& g) override;
    // Composes the panels' titles and controls and the status line.
    void DrawWnd(Gdiplus::Graphics& g) override;
    // Routes control reports and the owner-drawn menu rows.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Offers a button's command to the panels, reports menu commands; the close button ends the gallery.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Opens the skinned menu with its top-left corner at screen point at; the chosen command is reported.
    void ShowMenu(CPoint at);
    // Shows text on the status line.
    virtual void Report(const CString& text);
    // The status line's text.
    CString Status() const { return status.GetWindowText(); }
    // Plays each panel's user action, in table order.
    void Drive();
    // The first panel of the given kind; null when the gallery has none.
    template <class Kind>
    Kind* Find()
    {
        for (Panel& panel : panels) {
            if (auto* kind = dynamic_cast<Kind*>(panel.exhibit.get())) return kind;
        }
        return nullptr;
    }

    // What the panels share: a fresh control id, the dialog font as a GDI and a GDI+ font, the shell tree's folder.
    UINT NextId() { return nextId++; }
    CFont& UiFont() { return uiFont; }
    Gdiplus::Font* CaptionFont() { return captionFont.get(); }
    const CString& Folder() const { return folder; }

private:
    struct Panel {
        CRect area;
        std::unique_ptr<Exhibit> exhibit;
        std::unique_ptr<CxStatic> title;
    };
    void CreateFonts();
    void CreatePanels();
    void CreateMenu();
    void DrawPanel(Gdiplus::Graphics& g, const CRect& area);

    CString folder;
    UINT nextId = 3000;
    // The frame, background and panels: Wine's GDI+ fills them slower than the rest of a composition takes.
    std::unique_ptr<LayerSurface> backdrop;
    CFont uiFont;
    CFont titleFont;
    std::unique_ptr<Gdiplus::Font> captionFont;
    std::vector<Panel> panels;
    CxBmpBtn closeButton;
    CxStatic status;
    CMenu menu;
};
