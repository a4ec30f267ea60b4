#include "platform/afx/Dialog.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOKCommand)
ON_COMMAND(IDCANCEL, &CDialog::OnCancelCommand)
END_MESSAGE_MAP()

namespace {

// Everything is handled by the object; what it leaves goes to the defaults.
intptr_t FrameworkDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYDOWN && message <= WM_SYSCHAR;
}

}  // namespace

HWND CDialog::ParentHandle() const {
    if (m_pParentWnd != nullptr)
        return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main != this ? main->m_hWnd : nullptr;
}

HWND CDialog::MakeWindow(HWND parent) {
    const DialogTemplate* t = FindDialogResource(MAKEINTRESOURCEW(int(m_nIDTemplate)));
    if (t == nullptr)
        return nullptr;
    AfxHookWindowCreate(this);
    HWND hwnd = CreateDialogIndirectParamW(nullptr, t, parent, &FrameworkDialogProc, 0);
    AfxUnhookWindowCreate();
    return hwnd;
}

intptr_t CDialog::RunModalLoop() {
    MSG msg{};
    intptr_t result = IDCANCEL;
    HWND self = m_hWnd;
    while (IsWindow(self) && !HasDialogEnded(self, &result)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));  // for the loop outside
            break;
        }
        if (!WalkPreTranslateTree(self, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return result;
}

intptr_t CDialog::DoModal() {
    HWND parent = ParentHandle();
    HWND owner = parent != nullptr ? GetAncestor(parent, GA_ROOT) : nullptr;
    const bool disabled = owner != nullptr && ::EnableWindow(owner, FALSE) == FALSE;
    HWND self = MakeWindow(parent);
    intptr_t result = -1;
    if (self != nullptr) {
        if (!HasDialogEnded(self, &result))
            ::ShowWindow(self, SW_SHOWNORMAL);
        result = RunModalLoop();
    }
    if (disabled)
        ::EnableWindow(owner, TRUE);
    if (self != nullptr)
        ::DestroyWindow(self);
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return MakeWindow(ParentHandle()) != nullptr ? TRUE : FALSE;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

// A top-level dialog its code did not place while it initialised opens
// centred over its owner (the work area for the main window).
LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    RECT before{};
    ::GetWindowRect(m_hWnd, &before);
    const BOOL result = OnInitDialog();
    RECT after{};
    if ((GetStyle() & WS_CHILD) == 0 && ::GetWindowRect(m_hWnd, &after) &&
        EqualRect(&before, &after))
        CenterWindow();
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!IsKeyboardMessage(msg->message) || m_hWnd == nullptr)
        return FALSE;
    return IsDialogMessageW(m_hWnd, msg);
}
