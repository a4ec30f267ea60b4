// What a dialog window keeps besides an ordinary window's state.
// Guarded by UserMutex() like the rest of its Window.
#pragma once

#include "platform/user/UserTypes.h"

struct DialogState {
    HFONT font = nullptr;  // the dialog font, owned by the dialog
    int baseUnitX = 6;     // dialog base units of that font, in pixels
    int baseUnitY = 13;
    bool modal = false;   // run by DialogBox*
    bool ended = false;   // EndDialog was called
    intptr_t result = 0;  // EndDialog's result
    int defaultId = 1;    // IDOK until DM_SETDEFID
};

// At WM_NCCREATE of a dialog: its state and dialog procedure from the
// creation parameters that dialog creation passed.
void InstallDialogState(HWND hwnd, LPARAM createParams);
