// The non-client area drawn and hit-tested by the default window procedure:
// frames by style (sizing frame SM_CXFRAME, dialog frame SM_CXDLGFRAME, thin
// border), the caption (SM_CYCAPTION) with the system-menu box on the left and
// the minimise, maximise and close boxes on the right, and client edges.
#pragma once

#include "platform/user/UserTypes.h"

// Thickness of the frame on each side, caption included in `top`.
RECT FrameThickness(DWORD style, DWORD exStyle);

// Parts of a window's frame, in window coordinates.
struct NonClientLayout {
    RECT caption{};   // empty without a caption
    RECT closeBox{};  // empty when absent
    RECT maxBox{};
    RECT minBox{};
    RECT sysMenu{};
    RECT client{};
    bool sizing = false;  // the frame sizes the window
};
NonClientLayout LayoutNonClient(DWORD style, DWORD exStyle, int width, int height);

// Sends WM_NCCALCSIZE and stores the client area it answers.
void RecalculateClientArea(HWND hwnd);

// Default processing.
LRESULT DefNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DefNcHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DefNcPaint(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DefNcActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DefNcLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DefNcLButtonDblClk(HWND hwnd, WPARAM wParam, LPARAM lParam);
