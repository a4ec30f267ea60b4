// The program's private window messages (WM_USER + 100 to + 131). Every
// handler returns 0. The sliders post theirs to the application's main window
// with wParam = the slider's control id and lParam = a position 0..100.
#pragma once

#include "platform/user/User.h"

enum PrivateMessage : UINT {
    UM_SLIDER_BEGIN_DRAG = WM_USER + 100,
    UM_SLIDER_DRAGGING = WM_USER + 101,
    UM_SLIDER_RELEASED = WM_USER + 102,
    UM_SLIDER_MOUSEMOVE = WM_USER + 104,
    UM_MAP_TRACK = WM_USER + 105,
    UM_VOLUME_CHANGED = WM_USER + 113,
    UM_EXPORT_RESULT = WM_USER + 114,
    UM_EXPORT_PROGRESS = WM_USER + 115,
    UM_SEEK_TO_POSITION = WM_USER + 116,
    UM_PLAYBAR_SNAPSHOT = WM_USER + 120,
    UM_PLAYBAR_PLAY = WM_USER + 121,
    UM_PLAYBAR_PAUSE = WM_USER + 122,
    UM_PLAYBAR_STOP = WM_USER + 123,
    UM_PLAYBAR_STEP_FORWARD = WM_USER + 124,
    UM_PLAYBAR_STEP_BACKWARD = WM_USER + 125,
    UM_PLAYBAR_FAST_FORWARD = WM_USER + 126,
    UM_PLAYBAR_FAST_BACKWARD = WM_USER + 127,
    UM_PLAYBAR_EXPORT = WM_USER + 128,
    UM_PLAYBAR_SPLIT = WM_USER + 129,
    UM_REBUILD_PROGRESS = WM_USER + 130,
    UM_SNAPSHOT_RESULT = WM_USER + 131,
    // Outside the main window's numbering: the tooltip's WM_NOTIFY code to its
    // owner, and the markup drawer's repaint request to its tooltip window.
    UM_TOOLTIP_NOTIFY = WM_USER + 100,
    UM_TOOLTIP_REPAINT = WM_USER + 101,
};
