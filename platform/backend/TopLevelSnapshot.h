// What the display needs to know of the window system's top-level windows,
// read through the public window functions. A snapshot is taken in several
// steps, so it may mix states of a window that is changing; every change asks
// for presentation again, and the next snapshot catches up.
#pragma once

#include <vector>

#include "platform/user/Rects.h"
#include "platform/user/UserTypes.h"

struct TopLevelView {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    RECT rect{};  // screen
    bool visible = false;
    bool minimized = false;  // the window system's rectangle is then a stub far off the screen
    bool maximized = false;
    BYTE alpha = 255;
    bool shaped = false;
    std::vector<RECT> shape;  // window coordinates; meaningful when `shaped`
};

// Top-level windows, topmost first. Any thread.
std::vector<TopLevelView> SnapshotTopLevels();

// The place of a child window inside its top-level window, cut to that window,
// and whether it shows; false for a stale handle.
bool ChildPlacement(HWND child, RECT* inTopLevel, bool* shown);
