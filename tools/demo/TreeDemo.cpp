#include "TreeDemo.h"

namespace {

// The skin resources of the tree: the scroll bar's atlases and corner, and the expand glyphs.
constexpr UINT kScrollVert = 144;
constexpr UINT kScrollHorz = 145;
constexpr UINT kScrollCorner = 146;
constexpr UINT kExpandGlyphs = 148;
constexpr UINT kTreeId = 2;

// The folder named on the command line (quotes removed), else the folder of the demo program.
CString DemoFolder()
{
    CString folder(AfxGetApp()->m_lpCmdLine);
    folder.Trim();
    folder.Trim(L'"');
    if (!folder.IsEmpty()) return folder;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    folder = path;
    return folder.Left(folder.ReverseFind(L'\\'));
}

}  // namespace

void ShellTreePanel::Create(CxDlg& parent, const CRect& rect)
{
    AfxEnableControlContainer();  // COM for the shell's context menus
    tree.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
                rect, &parent, kTreeId);
    tree.SetFont(parent.GetFont(), FALSE);
    tree.SetAtt(kScrollVert, kScrollHorz, kScrollCorner, tree.LoadRes(kExpandGlyphs, L"PNG", nullptr));
    tree.SelectPath(DemoFolder());
    tree.Expand(tree.GetSelectedItem(), TVE_EXPAND);
}
