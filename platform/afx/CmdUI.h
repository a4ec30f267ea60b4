// An update-UI request for one command: handlers of ON_UPDATE_COMMAND_UI
// entries enable, check or relabel the item. It acts on the item at m_nIndex
// of m_pMenu when that is set, else on a window (m_pOther). For a popup entry
// (m_pSubMenu set, m_nID its first item's) the entry itself is left as it is:
// the sub-menu's items are updated when it opens.
#pragma once

#include "platform/user/UserTypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CWnd* m_pOther = nullptr;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    UINT m_nIndexMax = 0;
    bool m_bEnableChanged = false;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE) { SetCheck(on ? 1 : 0); }
    virtual void SetText(const wchar_t* text);

    // Asks `target` for the update; without a handler, disables the item when
    // `disableIfNoHandler`. TRUE when a handler ran.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};
