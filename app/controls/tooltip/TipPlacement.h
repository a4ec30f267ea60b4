// Where a tip goes around the cursor: the direction after fitting it on the
// virtual screen and the anchor's apex in the window's coordinates.
//
// A direction is a group (direction & 0x30: 0x00 below the cursor with the
// anchor on the top edge, 0x10 above, 0x20 right of it with the anchor on the
// left edge, 0x30 left) and an alignment along that edge (direction & 3: 0
// near the left or top end, 1 near the right or bottom end, 2 centred).
#pragma once

#include "platform/gdi/GdiTypes.h"

struct TipPlacement {
    int direction;
    POINT anchor;
};

// `cursor` in screen coordinates, `screen` the virtual screen, `size` the
// window without shadow (anchor included), `margin` the anchor's distance
// from the end of its edge.
TipPlacement PlaceTip(int direction, POINT cursor, const RECT& screen, SIZE size, int margin);
