#include "trees/CxTree.h"

#include "controls/ControlPaint.h"
#include "framework/Image.h"

#include <shlobj.h>

using namespace Gdiplus;

IMPLEMENT_DYNAMIC(CxTree, CTreeCtrl)

namespace {

constexpr int kIndent = 21;  // the indentation per level that the connectors assume
constexpr int kHalfRow = 9;
constexpr int kIconWidth = 18;
constexpr int kIconHeight = 20;
constexpr COLORREF kLineColour = RGB(80, 80, 80);
constexpr COLORREF kShade = RGB(100, 100, 100);
constexpr BYTE kShadeAlpha = 70;
constexpr COLORREF kFrameLight = RGB(160, 160, 160);
constexpr COLORREF kFrameDark = RGB(120, 120, 120);

}  // namespace

CxTreeBase::CxTreeBase() : linePen(PS_DOT, 1, kLineColour) {}

CxTreeBase::~CxTreeBase()
{
    iconStrip.reset();
    glyphStrip.reset();
    itemFont.reset();
}

void CxTreeBase::SetAtt(CTreeCtrl* tree, UINT a, UINT b, UINT c, IStream* icons, IStream* glyphs)
{
    iconStrip = ImageFrom(icons);
    // An empty list whose 18-pixel cells make the native layout leave room for the icons drawn here.
    spacerImages.Create(kIconWidth, kIconWidth, 0, 1, 1);
    AttachTree(tree, a, b, c, glyphs);
    tree->SetImageList(&spacerImages, TVSIL_NORMAL);
}

void CxTreeBase::AttachTree(CTreeCtrl* treeCtrl, UINT a, UINT b, UINT c, IStream* glyphs)
{
    tree = treeCtrl;
    glyphStrip = ImageFrom(glyphs);
    Load(tree);
    HDC dc = tree->GetDC();
    itemFont = ControlPaint::FontFromGdi(dc, tree->GetFont());
    tree->ReleaseDC(dc);
    CxSrlBar::SetAtt(tree, a, b, c);
}

CString CxTreeBase::GetPathFromTree()
{
    HTREEITEM item = tree ? tree->GetSelectedItem() : nullptr;
    if (!item) return {};
    CString path = tree->GetItemText(item);
    for (HTREEITEM above = tree->GetParentItem(item); above; above = tree->GetParentItem(above)) {
        path = tree->GetItemText(above) + L"\\" + path;
    }
    return path;
}

CString CxTreeBase::GetPathFromTree(HTREEITEM item, HTREEITEM stop)
{
    CString path;
    for (; tree && item && item != stop; item = tree->GetParentItem(item)) path = tree->GetItemText(item) + L"\\" + path;
    return path;
}

HTREEITEM CxTreeBase::GetRoot(HTREEITEM item)
{
    while (tree && item) {
        HTREEITEM parent = tree->GetParentItem(item);
        if (!parent) break;
        item = parent;
    }
    return item;
}

HTREEITEM CxTreeBase::FindItem(const wchar_t* text, HTREEITEM first, int partial)
{
    if (!tree || !text) return nullptr;
    for (HTREEITEM item = first ? first : tree->GetRootItem(); item; item = tree->GetNextSiblingItem(item)) {
        CString itemText = tree->GetItemText(item);
        if (partial ? itemText.Find(text) >= 0 : itemText == text) return item;
    }
    return nullptr;
}

CString CxTreeBase::GetSpeDir(int csidl)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(tree ? tree->m_hWnd : nullptr, csidl, &pidl))) return {};
    wchar_t path[MAX_PATH] = {};
    BOOL found = SHGetPathFromIDListW(pidl, path);
    ILFree(pidl);
    return found ? CString(path) : CString();
}

CString CxTreeBase::GetSpeFolder(int csidl)
{
    CString path = GetSpeDir(csidl);
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

int CxTreeBase::IsExpandedItem(HTREEITEM item)
{
    return tree && (tree->GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) ? 1 : 0;
}

void CxTreeBase::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    const int width = INT(area.Width), height = INT(area.Height);
    CImage canvas;
    if (!tree || width <= 0 || height <= 0 || !canvas.Create(width, height, 32)) return;
    {
        CDC dc(canvas.GetDC());
        HDC under = background.GetHDC();
        if (under) ::BitBlt(dc.GetSafeHdc(), 0, 0, width, height, under, INT(area.X), INT(area.Y), SRCCOPY);
        if (under) background.ReleaseHDC(under);
        DrawTextW(dc);
        canvas.ReleaseDC();
    }
    // The tree is opaque over the background it copied; GDI left the alpha bytes of what it drew at 0.
    ControlPaint::MakeOpaque(canvas, CRect(0, 0, canvas.GetWidth(), canvas.GetHeight()));
    HDC cacheDc = target.GetHDC();
    if (cacheDc) {
        canvas.Draw(cacheDc, 0, 0);
        target.ReleaseHDC(cacheDc);
    }
    DrawBar(target);
}

void CxTreeBase::DrawTextW(CDC& dc)
{
    HTREEITEM item = tree->GetFirstVisibleItem();
    if (!item) return;
    const INT glyphHeight = glyphStrip ? INT(glyphStrip->GetHeight()) : 0;
    const INT half = glyphStrip ? INT(glyphStrip->GetWidth()) / 2 : 0;
    const Color text(textColor);
    dc.SetTextColor(RGB(text.GetR(), text.GetG(), text.GetB()));
    CSelectionGuard font = dc.SelectObject(tree->GetFont());
    Graphics g(dc.GetSafeHdc());
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    SolidBrush brush(text);
    CRect client;
    tree->GetClientRect(&client);

    // Rows below the client area cannot be seen: an expanded folder of thousands is not painted in full.
    for (; item; item = tree->GetNextVisibleItem(item)) {
        CRect rect;
        if (!tree->GetItemRect(item, &rect, TRUE)) continue;
        if (rect.top >= client.bottom) break;
        DrawSel(&dc, rect, item);
        CRect lineRect = rect;
        lineRect.left += 2;
        DrawItemLine(&dc, lineRect, item);
        if (glyphStrip && tree->ItemHasChildren(item) && tree->GetParentItem(item)) {
            bool expanded = IsExpandedItem(item);
            Rect glyph(rect.left - (expanded ? 27 : 26), rect.top + (expanded ? 2 : 5), half, glyphHeight);
            g.DrawImage(glyphStrip.get(), glyph, expanded ? 0 : half, 0, half, glyphHeight, UnitPixel);
        }
        DrawIcon(g, dc, item, rect);
        if (itemFont) {
            CString itemText = tree->GetItemText(item);
            g.DrawString(itemText, -1, itemFont.get(), PointF(REAL(rect.left + 2), REAL(rect.top + 2)), &brush);
        }
    }
}

void CxTreeBase::DrawSel(CDC* dc, CRect& rect, HTREEITEM item)
{
    if (!(tree->GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED)) return;
    CMemoryDC shadeDc(dc);
    CBitmap shade;
    shade.CreateCompatibleBitmap(dc, 1, 1);
    {
        CSelectionGuard selected = shadeDc.SelectObject(shade);
        ::SetPixel(shadeDc.GetSafeHdc(), 0, 0, kShade);
        // Constant alpha only: the shade pixel's alpha byte is 0, and taken as premultiplied alpha it would add
        // the grey instead of blending it (wrapping to near black over light rows).
        dc->AlphaBlend(rect.left, rect.top, rect.Width(), rect.Height(), &shadeDc, 0, 0, 1, 1,
                       BLENDFUNCTION{AC_SRC_OVER, 0, kShadeAlpha, 0});
    }
    CRect frame = rect;
    // The first row's frame would touch the tree's top edge.
    if (item == tree->GetFirstVisibleItem()) frame.top += 2;
    dc->Draw3dRect(&frame, kFrameLight, kFrameDark);
}

std::vector<CxTreeBase::Segment> CxTreeBase::ConnectorSegments(const CRect& rect, bool belowParent,
                                                               const std::vector<bool>& ancestorHasNext, int step)
{
    const int middle = rect.top + kHalfRow;
    const int column = rect.left - 32;
    std::vector<Segment> segments{{rect.left - 19, middle, column, middle},
                                  {column, middle, column, belowParent ? rect.top : rect.top - kHalfRow}};
    int offset = step;
    for (bool hasNext : ancestorHasNext) {
        if (hasNext) segments.push_back({column - offset, middle, column - offset, rect.top - kHalfRow});
        offset += step;
    }
    return segments;
}

void CxTreeBase::DrawConnectors(CDC& dc, const CRect& rect, HTREEITEM item, int step)
{
    HTREEITEM parent = tree->GetParentItem(item);
    if (!parent) return;
    std::vector<bool> ancestorHasNext;
    for (HTREEITEM above = parent; above; above = tree->GetParentItem(above)) {
        ancestorHasNext.push_back(tree->GetNextSiblingItem(above) != nullptr);
    }
    bool belowParent = tree->GetPrevVisibleItem(item) == parent;
    CSelectionGuard pen = dc.SelectObject(linePen);
    for (const Segment& s : ConnectorSegments(rect, belowParent, ancestorHasNext, step)) {
        dc.MoveTo(s.x1, s.y1);
        dc.LineTo(s.x2, s.y2);
    }
}

void CxTreeBase::DrawItemLine(CDC* dc, CRect& rect, HTREEITEM item) { DrawConnectors(*dc, rect, item, kIndent); }

void CxTreeBase::DrawIcon(Graphics& g, CDC&, HTREEITEM item, CRect& rect)
{
    int image = 0, selectedImage = 0;
    if (!iconStrip || !tree->GetItemImage(item, image, selectedImage)) return;
    Rect destination(rect.left - 20, rect.top, kIconWidth, INT(iconStrip->GetHeight()));
    g.DrawImage(iconStrip.get(), destination, image * kIconWidth, 0, kIconWidth, kIconHeight, UnitPixel);
}

void CxTreeBase::OnTvnItemexpanded(NMHDR*, LRESULT* result)
{
    Redraw(1, nullptr);
    *result = 0;
}

void CxTreeBase::OnTvnSelchanged(NMHDR* header, LRESULT* result)
{
    Redraw(1, nullptr);
    auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
    ::SendMessageW(::GetParent(tree->m_hWnd), WM_USER, reinterpret_cast<WPARAM>(this),
                   reinterpret_cast<LPARAM>(change->itemNew.hItem));
    *result = 0;
}

void CxTreeBase::OnNcMouseMove(UINT, CPoint)
{
    GetLeaveMsg(TME_HOVER | TME_LEAVE | TME_NONCLIENT);
    Redraw(1, nullptr);
}

void CxTreeBase::OnNcMouseLeave() { Redraw(1, nullptr); }

void CxTreeBase::OnHScroll(UINT, UINT, CWnd*) { Redraw(1, nullptr); }

void CxTreeBase::OnVScroll(UINT, UINT, CWnd*) { Redraw(1, nullptr); }

BOOL CxTreeBase::OnMouseWheel(UINT, short, CPoint)
{
    Redraw(1, nullptr);
    return TRUE;
}

bool CxTreeBase::OnTreeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!tree) return false;
    switch (msg) {
    case WM_HSCROLL:
        result = tree->Default();
        OnHScroll(LOWORD(wParam), HIWORD(wParam), nullptr);
        return true;
    case WM_VSCROLL:
        result = tree->Default();
        OnVScroll(LOWORD(wParam), HIWORD(wParam), nullptr);
        return true;
    case WM_MOUSEWHEEL:
        tree->Default();
        result = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointFrom(lParam));
        return true;
    case WM_LBUTTONDOWN:
        result = tree->Default();
        Redraw(1, nullptr);
        return true;
    case WM_NCMOUSEMOVE:
        OnNcMouseMove(UINT(wParam), PointFrom(lParam));
        result = tree->Default();
        return true;
    case WM_NCMOUSELEAVE:
        OnNcMouseLeave();
        result = tree->Default();
        return true;
    }
    return false;
}

bool CxTreeBase::OnTreeNotify(NMHDR* header, LRESULT* result)
{
    if (!tree) return false;
    switch (header->code) {
    case TVN_ITEMEXPANDEDW:
        OnTvnItemexpanded(header, result);
        return true;
    case TVN_SELCHANGEDW:
        OnTvnSelchanged(header, result);
        return true;
    }
    return false;
}

void CxTree::SetAtt(UINT a, UINT b, UINT c, IStream* icons, IStream* glyphs)
{
    CxTreeBase::SetAtt(this, a, b, c, icons, glyphs);
}

LRESULT CxTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnTreeMessage(msg, wParam, lParam, result)) return result;
    return CTreeCtrl::WindowProc(msg, wParam, lParam);
}

BOOL CxTree::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_NOTIFY && OnTreeNotify(reinterpret_cast<NMHDR*>(lParam), result)) return TRUE;
    return CTreeCtrl::OnChildNotify(msg, wParam, lParam, result);
}
