// What the seek and volume sliders share: the arithmetic between cursor,
// position and thumb, and their drawing from skin resources loaded anew at
// each drawing and released right after.
#pragma once

#include "platform/afx/Afx.h"

namespace slider {

// trunc(x / span x (max - min)) + min; a span of 0 or less (a control no
// wider than high) has no travel and gives min.
int PositionFromX(int x, int span, int min, int max);
// The thumb's left edge, trunc((W - H) / (max - min) x (pos - min)), clamped
// to 0 .. W - H; 0 for an empty range.
int ThumbOffset(int width, int height, int min, int max, int pos);
// The whole bitmap `id` stretched into `rect` (SRCCOPY); nothing for an
// empty rectangle or a missing bitmap.
void StretchResource(HDC dc, UINT id, const RECT& rect);
// The thumb bitmap stretched into the square (offset, 0, side, side), black
// left out.
void DrawThumb(HDC dc, UINT id, int offset, int side);

}  // namespace slider
