// Real pointer input for end-to-end tests, made by the X server's test
// extension on the display named by DISPLAY (kept apart from our headers:
// Xlib's macros clash with the window system's names).
#pragma once

// Presses the left button at (x0, y0), moves in `steps` even steps to
// (x1, y1) and releases there. False when the server cannot fake input.
bool DragWithXTest(int x0, int y0, int x1, int y1, int steps);

// Turns the wheel one notch up (or down) with the pointer at (x, y).
bool WheelWithXTest(int x, int y, bool up);
// Presses and releases each key, named by its X keysym name ("a", "Return").
bool TypeWithXTest(const char* const* keys, int count);
// Types `text` (UTF-8) key by key as a keyboard would, with Shift where the
// keymap has a character on its second level. Characters the keymap lacks
// are put on spare key codes for the while, as a layout that has them would.
bool TypeTextWithXTest(const char* utf8);
// Moves the pointer to (x, y) without pressing a button.
bool MoveWithXTest(int x, int y);
// A left click at (x, y).
bool ClickWithXTest(int x, int y);
// Asks the window manager to move the topmost managed window at (x, y) so its
// top left corner goes to (toX, toY), as a pager or a keyboard move does.
// Waits up to 10 s for the window manager to take a shown window over; false
// when none is managed there by then.
bool MoveWindowWithWindowManager(int x, int y, int toX, int toY);
// Asks the window manager to maximise (or restore) the topmost managed window
// at (x, y), as its Maximize action does. Waits as MoveWindowWithWindowManager
// does; false when none is managed there by then.
bool MaximizeWithWindowManager(int x, int y, bool maximize);
// Asks the window manager to close the topmost managed window at (x, y), as
// its Close action does. Waits as MoveWindowWithWindowManager does; false
// when none is managed there by then.
bool CloseWithWindowManager(int x, int y);
// Holds Alt and drags with the right button from (x0, y0) to (x1, y1): the
// window manager's resize, from the corner nearest the start.
bool AltResizeWithXTest(int x0, int y0, int x1, int y1, int steps);
// How many managed windows the window manager keeps iconified (hidden).
int IconifiedByWindowManager();
// Activates the first iconified managed window as a task bar does; false
// when there is none.
bool ActivateIconifiedWithWindowManager();
// Asks the topmost window at (x, y) to close, as a window manager's close
// button does (WM_DELETE_WINDOW).
bool CloseWindowAt(int x, int y);
