// The screen as the top-level windows make it up: each shown top-level window's
// backing store, cut by its window region and blended by its alpha, over the
// desktop colour, bottom window first. Any thread; the pixels of each window
// are read under its backing store's lock.
#pragma once

#include "platform/gdi/PixelBuffer.h"
#include "platform/user/UserTypes.h"

// Composes into `target`, whose (0, 0) is the screen's (0, 0).
void ComposeScreen(const PixelBuffer& target, COLORREF desktop);
