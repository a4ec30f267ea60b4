// Minimised, maximised and normal placement of a window. A minimised window
// keeps a caption-sized rectangle far off screen with an empty client area; a
// maximised top-level window fills the screen with its borders outside it; the
// normal rectangle is kept to come back to.
#pragma once

#include "platform/user/UserTypes.h"

void MinimizeWindow(HWND hwnd);
void MaximizeWindow(HWND hwnd);
void RestoreWindow(HWND hwnd);
