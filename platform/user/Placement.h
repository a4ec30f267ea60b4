// Minimised, maximised and normal placement of a window. A minimised window
// keeps a caption-sized rectangle far off screen with an empty client area; a
// maximised top-level window fills the work area, borders included; the
// normal rectangle is kept to come back to.
#pragma once

#include "platform/user/UserTypes.h"

void MinimizeWindow(HWND hwnd);
void MaximizeWindow(HWND hwnd);
void RestoreWindow(HWND hwnd);

// The part of the screen windows are placed on: the screen less what a
// desktop keeps for its panels. The display tells it (any thread); until
// then it is the whole screen.
void SetWorkArea(const RECT& area);
RECT WorkArea();
// `window` (screen coordinates) moved as little as needed to lie wholly on the
// work area; one larger than the work area keeps its top left corner, and so
// its caption, on it.
RECT KeptOnWorkArea(RECT window);
// Centres a top-level window over `over` (the work area when it is null,
// hidden or minimised), kept on the work area.
void CenterWindowOver(HWND hwnd, HWND over);
