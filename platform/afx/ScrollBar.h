// A scroll bar control's object. WM_HSCROLL and WM_VSCROLL handlers
// (ON_WM_HSCROLL, ON_WM_VSCROLL) taking CScrollBar* receive only controls
// whose object is one, else null; handlers taking CWnd* receive the object
// attached to any control that scrolled (a CSliderCtrl member compares equal
// to it) or a temporary one. The window system has no scroll bar control of
// its own; trackbars are what send these messages.
#pragma once

#include "platform/afx/Wnd.h"

class CScrollBar : public CWnd {
public:
    DECLARE_DYNAMIC(CScrollBar)
};
