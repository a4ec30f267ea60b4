#include "platform/afx/MenuUpdate.h"

#include "platform/afx/CmdUI.h"
#include "platform/afx/Menu.h"

namespace {

// Prepares `state` for the item at its index; false when it is skipped.
bool PrepareItem(CCmdUI& state, CMenu* popup) {
    state.m_nID = popup->GetMenuItemID(int(state.m_nIndex));
    state.m_pSubMenu = nullptr;
    if (state.m_nID == 0)
        return false;
    if (state.m_nID != UINT(-1))
        return true;
    state.m_pSubMenu = popup->GetSubMenu(int(state.m_nIndex));
    if (state.m_pSubMenu == nullptr)
        return false;
    state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
    return state.m_nID != 0 && state.m_nID != UINT(-1);
}

}  // namespace

void UpdateMenuCommandUI(CCmdTarget* target, CMenu* popup, BOOL disableIfNoHandler) {
    if (target == nullptr || popup == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        if (!PrepareItem(state, popup))
            continue;
        state.DoUpdate(target, state.m_pSubMenu == nullptr ? disableIfNoHandler : FALSE);
        // A handler that removed items: step back by as many, then past the
        // items that carry the id just updated.
        const UINT count = popup->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count &&
                   popup->GetMenuItemID(int(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}
