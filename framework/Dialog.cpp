#include "Dialog.h"

#include "CreationHook.h"

#include <cassert>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

// The dialog box procedure only lets the dialog manager do its defaults: every message reaches the
// dialog's object through the framework window procedure first.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    HWND child = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
    [[maybe_unused]] BOOL bound = child && control.SubclassWindow(child);
    assert(bound && "DDX_Control: no such control, or it is bound already");
}

BOOL CDialog::CreateFromTemplate(HWND parent)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(m_templateId), RT_DIALOG);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(m_templateId), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(loaded ? LockResource(loaded) : nullptr);
    if (!dialogTemplate || m_hWnd) return FALSE;

    CWndCreationHook hook(this);
    HWND hwnd = CreateDialogIndirectParamW(module, dialogTemplate, parent, AfxDlgProc, 0);
    return hwnd != nullptr && hwnd == m_hWnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr);
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        CWnd* main = app ? app->GetMainWnd() : nullptr;
        owner = main && main != this ? main->m_hWnd : nullptr;
    }
    return owner ? GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = ModalOwner();
    m_modal = true;
    m_endModal = false;
    m_modalResult = -1;
    if (!CreateFromTemplate(owner)) {
        m_modal = false;
        return -1;
    }
    bool ownerDisabled = owner && ::IsWindowEnabled(owner) && !::EnableWindow(owner, FALSE);
    if (!m_endModal && !(GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNORMAL);

    WPARAM quitCode = 0;
    while (!m_endModal && m_hWnd) {
        if (!AfxPumpMessage(&quitCode)) {
            PostQuitMessage(int(quitCode));  // the outer loop must see the quit request too
            break;
        }
    }

    HideInPlace();
    if (ownerDisabled) {
        ::EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    DestroyWindow();
    m_modal = false;
    return m_modalResult;
}

void CDialog::HideInPlace()
{
    const UINT inPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_hWnd) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | inPlace);
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    if (m_modal) {
        m_endModal = true;
        // Hidden at once, as the system's dialogs are: the loop may return only much later when another modal
        // loop runs nested inside one of this dialog's handlers.
        HideInPlace();
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop if it is waiting
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(msg, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED) return CWnd::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
