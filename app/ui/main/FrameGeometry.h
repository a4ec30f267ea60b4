// The geometry of the main window's own frame and of its video pane: where a
// point on the window sizes or moves it, which system command a frame hit
// starts, and which channel a tile of the video grid shows.
#pragma once

#include "platform/afx/Rect.h"

// 10-pixel corners, 3-pixel edges, first match wins; elsewhere the default
// answer, with HTCLIENT turned into HTCAPTION so that every bare point of the
// client area drags the window.
LRESULT FrameHitTest(const CRect& window, CPoint screen, LRESULT defaultHit);

// SC_SIZE plus the edge for the sizing hits, the move command for the
// caption; 0 for every other hit.
WPARAM FrameSysCommand(UINT hit);

// The channel the tile under `point` selects in the video rectangle, for a
// recording of `screens` channels in division mode `divMode`; 0 when the
// point is on no tile, -1 when the tile lies beyond the channel count.
int VideoTileChannel(const CRect& video, CPoint point, int screens, int divMode);

// Strictly inside all four sides.
bool StrictlyInside(const RECT& area, CPoint point);
