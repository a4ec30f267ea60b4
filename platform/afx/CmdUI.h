// An update-UI request for one command: handlers of ON_UPDATE_COMMAND_UI
// entries enable, check or relabel the item. This base acts on a window
// (m_pOther); menus add their own kind.
#pragma once

#include "platform/user/UserTypes.h"

class CCmdTarget;
class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CWnd* m_pOther = nullptr;
    bool m_bEnableChanged = false;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE) { SetCheck(on ? 1 : 0); }
    virtual void SetText(const wchar_t* text);

    // Asks `target` for the update; without a handler, disables the item when
    // `disableIfNoHandler`. TRUE when a handler ran.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};
