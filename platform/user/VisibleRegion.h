// Where a window may draw: the pixels of its top-level window's backing store
// that belong to it. Window DCs, the paint cycle and direct pixel access for
// the video renderer all cut their drawing to this region, so that nothing
// drawn into a window lands on an overlapping sibling above it.
#pragma once

#include "platform/user/UserTypes.h"

class Window;

// In top-level coordinates: the window's client area (or whole window), within
// its window region, inside every ancestor's client area and region, less the
// siblings above it and theirs, and less its children when it has
// WS_CLIPCHILDREN. The caller deletes it. UserMutex() held.
HRGN VisibleRegionLocked(const Window* w, bool clientOnly);
