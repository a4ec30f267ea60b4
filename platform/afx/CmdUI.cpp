#include "platform/afx/CmdUI.h"

#include "platform/afx/Menu.h"
#include "platform/afx/Wnd.h"

void CCmdUI::Enable(BOOL on) {
    m_bEnableChanged = true;
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->EnableMenuItem(m_nIndex,
                                    MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
        return;
    }
    if (m_pOther != nullptr)
        m_pOther->EnableWindow(on);
}

void CCmdUI::SetCheck(int check) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check != 0 ? MF_CHECKED : 0u));
        return;
    }
    if (m_pOther != nullptr)
        m_pOther->SendMessage(BM_SETCHECK, WPARAM(check), 0);
}

void CCmdUI::SetText(const wchar_t* text) {
    if (m_pMenu != nullptr) {
        // The new text keeps the item's id and state.
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        if (m_pSubMenu == nullptr && state != UINT(-1))
            m_pMenu->ModifyMenu(
                m_nIndex,
                MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), m_nID,
                text);
        return;
    }
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
