// The framework's dialog, made from a template among the program's resources
// (platform/user/Resources.h) by id. DoModal runs it modally: the owner is
// disabled, the dialog's own loop passes each message through the
// PreTranslateMessage chain (which gives the dialog its keyboard) before
// dispatching it, and the result of EndDialog is returned; Create makes it
// modeless. WM_INITDIALOG calls OnInitDialog, which loads the controls
// (UpdateData(FALSE)); a dialog OnInitDialog has not placed is then centred
// over its owner. IDOK and IDCANCEL call OnOK (which saves them first)
// and OnCancel, each ending the dialog.
#pragma once

#include "platform/afx/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    virtual intptr_t DoModal();
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_DYNAMIC(CDialog)

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    DECLARE_MESSAGE_MAP()

private:
    HWND ParentHandle() const;
    HWND MakeWindow(HWND parent);
    intptr_t RunModalLoop();
};
