#pragma once
// CDialog: dialogs from templates, modeless or modal in the framework's own loop, with control
// binding through DoDataExchange.
#include "Wnd.h"

// Context of one DoDataExchange pass.
class FW_API CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds control to the template's control id by subclassing it (once).
FW_API void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// A dialog made from a dialog template resource of the resource module.
class FW_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_pParentWnd(parent) {}

    // Creates the dialog modeless.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Shows the dialog with its owner disabled and runs a nested message loop until EndDialog.
    virtual INT_PTR DoModal();
    // Hides the dialog and ends its modal loop (or ends a modeless dialog) with the given result.
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Runs DoDataExchange: controls are bound and values moved into (save) or out of the members.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT m_templateId = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    BOOL CreateFromTemplate(HWND parent);
    HWND ModalOwner() const;
    // Hides the window without moving, sizing or activating anything.
    void HideInPlace();

    INT_PTR m_modalResult = -1;
    bool m_modal = false;
    bool m_endModal = false;
};
