// The host window's repaints, heard by the renderer: the window is subclassed
// once, and after each WM_PAINT its own procedure has handled (which erases
// the panes) the renderer drawing into it shows its last pictures again.
//
// Threads: Watch and Forget on any thread; the repaint runs on the window's
// thread, under this file's lock, which Forget takes too, so a renderer being
// forgotten is never called afterwards. The subclass stays for the window's
// life and ends with WM_NCDESTROY.
#pragma once

#include "platform/user/UserTypes.h"

class CRenderer;

// From now on `renderer` repaints after each WM_PAINT of `window`; a window
// has one renderer at a time.
void WatchHostPaint(HWND window, CRenderer* renderer);
// `renderer` is never called again (its window, if any, keeps the subclass).
void ForgetHostPaint(CRenderer* renderer);
