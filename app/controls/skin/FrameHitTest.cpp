#include "app/controls/skin/FrameHitTest.h"

#include "platform/user/Messages.h"

namespace {

constexpr int kCorner = 10;
constexpr int kEdge = 3;
constexpr WPARAM kMoveCommand = 0xF014;

}  // namespace

LRESULT FrameHitTest(const CRect& w, CPoint p, LRESULT defaultHit) {
    const bool left = p.x <= w.left + kCorner, right = p.x >= w.right - kCorner;
    const bool top = p.y <= w.top + kCorner, bottom = p.y >= w.bottom - kCorner;
    if (left && top)
        return HTTOPLEFT;
    if (right && top)
        return HTTOPRIGHT;
    if (left && bottom)
        return HTBOTTOMLEFT;
    if (right && bottom)
        return HTBOTTOMRIGHT;
    if (p.x <= w.left + kEdge)
        return HTLEFT;
    if (p.x >= w.right - kEdge)
        return HTRIGHT;
    if (p.y <= w.top + kEdge)
        return HTTOP;
    if (p.y >= w.bottom - kEdge)
        return HTBOTTOM;
    return defaultHit == HTCLIENT ? HTCAPTION : defaultHit;
}

WPARAM FrameSysCommand(UINT hit) {
    switch (hit) {
        case HTLEFT:
            return SC_SIZE + 1;
        case HTRIGHT:
            return SC_SIZE + 2;
        case HTTOP:
            return SC_SIZE + 3;
        case HTTOPLEFT:
            return SC_SIZE + 4;
        case HTTOPRIGHT:
            return SC_SIZE + 5;
        case HTBOTTOM:
            return SC_SIZE + 6;
        case HTBOTTOMLEFT:
            return SC_SIZE + 7;
        case HTBOTTOMRIGHT:
            return SC_SIZE + 8;
        case HTCAPTION:
            return kMoveCommand;
        default:
            return 0;
    }
}
