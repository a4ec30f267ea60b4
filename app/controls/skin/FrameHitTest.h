// The hit-test of the program's own window frames (the main window and the
// floating map): where a point on the window sizes or moves it, and which
// system command a press there starts.
#pragma once

#include "platform/afx/Rect.h"

// 10-pixel corners, 3-pixel edges, first match wins; elsewhere the default
// answer, with HTCLIENT turned into HTCAPTION so that every bare point of the
// client area drags the window.
LRESULT FrameHitTest(const CRect& window, CPoint screen, LRESULT defaultHit);

// SC_SIZE plus the edge for the sizing hits, the move command for the
// caption; 0 for every other hit.
WPARAM FrameSysCommand(UINT hit);
