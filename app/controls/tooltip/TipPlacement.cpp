#include "app/controls/tooltip/TipPlacement.h"

namespace {

int Group(int direction) {
    return direction & 0x30;
}

bool Horizontal(int direction) {
    return Group(direction) <= 0x10;  // the anchor is on the top or bottom edge
}

// The alignment along an edge from `low` to `high` at `at`, the tip `length`
// long: flips to the other end or the middle when it would leave the screen.
int FitAlignment(int alignment, int at, int low, int high, int length, int margin) {
    if (alignment == 0 && at + length - margin > high)
        return at - length + margin < low ? 2 : 1;
    if (alignment == 1 && at - length + margin < low)
        return at + length - margin > high ? 2 : 0;
    if (alignment == 2) {
        if (at - low <= margin)
            return 0;
        if (high - at <= margin)
            return 1;
    }
    return alignment;
}

int FitGroup(int direction, int at, int low, int high, int length, int nearGroup, int farGroup) {
    if (Group(direction) == nearGroup && at + length > high)
        return (direction & ~0x30) | farGroup;
    if (Group(direction) == farGroup && at - length < low)
        return (direction & ~0x30) | nearGroup;
    return direction;
}

// The apex's position along its edge.
int AnchorAlong(int alignment, int at, int low, int high, int length, int margin) {
    if (alignment == 0)
        return margin;
    if (alignment == 1)
        return length - margin;
    const int half = length / 2;
    if (at + half > high && at - half >= low)
        return half + (at + half - high);
    if (at - half < low && at + half <= high)
        return at - low;
    return half;
}

int ClampAlong(int alignment, int along, int at, int low, int high, int length) {
    if (alignment == 1 && at + length - along > high)
        return length + at - high;
    if (alignment != 1 && at - along < low)
        return at - low;
    return along;
}

}  // namespace

TipPlacement PlaceTip(int direction, POINT cursor, const RECT& screen, SIZE size, int margin) {
    const int w = size.cx, h = size.cy;
    if (Horizontal(direction)) {
        direction = (direction & ~3) |
                    FitAlignment(direction & 3, cursor.x, screen.left, screen.right, w, margin);
        direction = FitGroup(direction, cursor.y, screen.top, screen.bottom, h, 0x00, 0x10);
    } else {
        direction = FitGroup(direction, cursor.x, screen.left, screen.right, w, 0x20, 0x30);
        direction = (direction & ~3) |
                    FitAlignment(direction & 3, cursor.y, screen.top, screen.bottom, h, margin);
    }
    const int alignment = direction & 3;
    TipPlacement placement{direction, POINT{0, 0}};
    if (Horizontal(direction)) {
        placement.anchor.y = Group(direction) == 0x10 ? h : 0;
        const int along = AnchorAlong(alignment, cursor.x, screen.left, screen.right, w, margin);
        placement.anchor.x = ClampAlong(alignment, along, cursor.x, screen.left, screen.right, w);
    } else {
        placement.anchor.x = Group(direction) == 0x30 ? w : 0;
        const int along = AnchorAlong(alignment, cursor.y, screen.top, screen.bottom, h, margin);
        placement.anchor.y = ClampAlong(alignment, along, cursor.y, screen.top, screen.bottom, h);
    }
    return placement;
}
