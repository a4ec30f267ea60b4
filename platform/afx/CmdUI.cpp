#include "platform/afx/CmdUI.h"

#include "platform/afx/Wnd.h"

void CCmdUI::Enable(BOOL on) {
    m_bEnableChanged = true;
    if (m_pOther != nullptr)
        m_pOther->EnableWindow(on);
}

void CCmdUI::SetCheck(int check) {
    if (m_pOther != nullptr)
        m_pOther->SendMessage(BM_SETCHECK, WPARAM(check), 0);
}

void CCmdUI::SetText(const wchar_t* text) {
    if (m_pOther != nullptr)
        m_pOther->SetWindowText(text);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = false;
    const BOOL handled = target->OnCmdMsg(m_nID, int(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (!handled && disableIfNoHandler && !m_bEnableChanged)
        Enable(FALSE);
    return handled;
}
