// The host window of the display benchmarks: a visible pop-up of the given
// size at the screen's top-left corner, its messages left to the default
// window procedure. Create the display backend first.
#pragma once

#include "platform/user/User.h"

HWND CreateBenchWindow(int width, int height);
