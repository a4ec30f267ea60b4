// The base of the skinned statics. They are the parents of buttons and labels
// placed on a panel; each passes every WM_COMMAND it receives on to its own
// parent (synchronously, wParam and lParam unchanged), so that the commands
// reach the dialog, and then handles it as a static would.
#pragma once

#include "platform/afx/Afx.h"

class CCommandForwardingStatic : public CStatic {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam);
        return CStatic::OnCommand(wParam, lParam);
    }
};
