// Real pointer input for end-to-end tests, made by the X server's test
// extension on the display named by DISPLAY (kept apart from our headers:
// Xlib's macros clash with the window system's names).
#pragma once

// Presses the left button at (x0, y0), moves in `steps` even steps to
// (x1, y1) and releases there. False when the server cannot fake input.
bool DragWithXTest(int x0, int y0, int x1, int y1, int steps);
