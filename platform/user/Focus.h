// Keyboard focus, activation and mouse capture.
// - Focus and the active window belong to a thread, as its queue's state:
//   SetFocus sends WM_KILLFOCUS to the old and WM_SETFOCUS to the new window,
//   and activates the new window's top-level window first. Both take only
//   windows of the calling thread (null otherwise).
// - Activation sends WM_NCACTIVATE and WM_ACTIVATE to the windows that lose and
//   gain it; the foreground window is the active window of the thread that
//   last activated one.
// - The capture is system-wide: while a window holds it, all mouse input goes
//   to it as client messages, wherever the cursor is. Losing it sends
//   WM_CAPTURECHANGED (lParam: the new holder).
#pragma once

#include "platform/user/UserTypes.h"

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Inside the window system.
void ActivateTopLevelOf(HWND hwnd);
// A window being hidden or disabled gives up the focus it or its children have.
void LeaveFocusOf(HWND hwnd);
// An active window going out of sight passes the activation to its owner.
void HandOffActivation(HWND hwnd);
// A window being destroyed gives up focus, capture and activation.
void LeaveInputStateOf(HWND hwnd);
