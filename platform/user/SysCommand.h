// System commands as the default window procedure carries them out: moving
// and sizing by the mouse (a modal loop that follows the cursor until the
// button comes up, Escape puts the window back), minimise, maximise, restore
// and close; and the caption boxes, which act when released over themselves.
#pragma once

#include "platform/user/UserTypes.h"

LRESULT DefSysCommand(HWND hwnd, WPARAM command, LPARAM lParam);
void TrackCaptionBox(HWND hwnd, LRESULT hit);
