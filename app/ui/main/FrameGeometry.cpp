#include "app/ui/main/FrameGeometry.h"

#include "platform/user/Messages.h"

namespace {

constexpr int kCorner = 10;
constexpr int kEdge = 3;
constexpr WPARAM kMoveCommand = 0xF014;

struct Grid {
    int columns;
    int rows;
    int firstChannel;  // the channel of tile 1, less one
};

Grid GridFor(int screens, int divMode) {
    if (screens == 4)
        return {2, 2, 0};
    if (divMode >= 1 && divMode <= 4)
        return {2, 2, 4 * (divMode - 1)};
    if (screens == 12)
        return {4, 3, 0};
    if (screens == 16)
        return {4, 4, 0};
    return {3, 3, 0};
}

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

int VideoTileChannel(const CRect& video, CPoint p, int screens, int divMode) {
    const Grid grid = GridFor(screens, divMode);
    const int tileWidth = video.Width() / grid.columns;
    const int tileHeight = video.Height() / grid.rows;
    if (tileWidth <= 0 || tileHeight <= 0 || !video.PtInRect(p))
        return 0;
    const int column = (p.x - video.left) / tileWidth;
    const int row = (p.y - video.top) / tileHeight;
    if (column >= grid.columns || row >= grid.rows)
        return 0;
    const int channel = grid.firstChannel + row * grid.columns + column + 1;
    return channel > screens ? -1 : channel;
}

bool StrictlyInside(const RECT& area, CPoint p) {
    return p.x > area.left && p.x < area.right && p.y > area.top && p.y < area.bottom;
}
