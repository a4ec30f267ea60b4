// Inside the window system: which window gets the next WM_PAINT.
#pragma once

#include "platform/user/UserTypes.h"

class MessageQueue;
class Window;

// UserMutex() held. The first window of the queue's thread, parents before
// children and top-level windows in z-order, that is shown and has something
// to paint; clears the queue's paint flag when there is none.
bool TakePaintMessage(MessageQueue* queue, HWND filter, MSG* msg);

// UserMutex() held. Adds `clientRegion` (client coordinates; null: all) to the
// window's update region; `childMode` is RDW_ALLCHILDREN, RDW_NOCHILDREN or 0.
void InvalidateLocked(Window* w, HRGN clientRegion, bool erase, UINT childMode, bool frame);
