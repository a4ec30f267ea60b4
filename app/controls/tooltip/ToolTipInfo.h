// The record of one tooltip tool, and the notification that hands it to the
// owner just before its tip is shown.
#pragma once

#include "app/controls/PrivateMessage.h"
#include "platform/afx/String.h"
#include "platform/user/User.h"

// UM_TOOLTIP_NOTIFY: the WM_NOTIFY code sent to the notify window before a tip
// is shown; UM_TOOLTIP_REPAINT: from the markup drawer to its tooltip when a
// hyperlink's hover state changed (both in PrivateMessage.h).

// Bits of ToolTipInfo::overrideMask: the display fields the tool sets itself.
enum ToolTipOverride : UINT {
    TOOLTIP_OVERRIDE_STYLE = 0x01,
    TOOLTIP_OVERRIDE_EFFECT = 0x02,  // effect and granularity
    TOOLTIP_OVERRIDE_COLORS = 0x04,
    TOOLTIP_OVERRIDE_DIRECTION = 0x08,
    TOOLTIP_OVERRIDE_BEHAVIOUR = 0x10,
    TOOLTIP_OVERRIDE_TRANSPARENCY = 0x20,
};

// Behaviour bits.
enum ToolTipBehaviour : UINT {
    TOOLTIP_BEHAVIOUR_RESHOW = 0x01,    // a move in the shown tool hides it and shows it again
    TOOLTIP_BEHAVIOUR_FOLLOW = 0x02,    // the tip follows the cursor
    TOOLTIP_BEHAVIOUR_KEEP = 0x04,      // a move in the shown tool restarts the autopop
    TOOLTIP_BEHAVIOUR_OVER_TIP = 0x08,  // the cursor over the tip keeps it
    TOOLTIP_BEHAVIOUR_NO_AUTOPOP = 0x10,
};

struct ToolTipInfo {
    int toolId = 0;
    RECT rect{0, 0, 0, 0};  // client coordinates of the tool window; empty = all of it
    CString text;           // markup; plain text is valid markup
    UINT overrideMask = 0;
    UINT style = 0;
    UINT direction = 0;
    UINT effect = 0;
    UINT behaviour = 0;
    BYTE granularity = 0;
    BYTE transparency = 0;  // 0 opaque .. 100 invisible
    COLORREF colorBegin = 0, colorMid = 0, colorEnd = 0;
};

struct ToolTipDisplayNotify {
    NMHDR hdr;
    HWND toolWindow;
    POINT* cursor;      // screen coordinates at which the tip will be placed
    ToolTipInfo* info;  // defaults applied; the receiver may change any field
};
