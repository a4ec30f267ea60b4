// The geometry of the main window's video pane: which channel a tile of the
// video grid shows. Its frame's hit-test is FrameHitTest.h.
#pragma once

#include "app/controls/skin/FrameHitTest.h"
#include "platform/afx/Rect.h"

// The channel the tile under `point` selects in the video rectangle, for a
// recording of `screens` channels in division mode `divMode`; 0 when the
// point is on no tile, -1 when the tile lies beyond the channel count.
int VideoTileChannel(const CRect& video, CPoint point, int screens, int divMode);

// Strictly inside all four sides.
bool StrictlyInside(const RECT& area, CPoint point);
