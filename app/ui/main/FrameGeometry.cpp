#include "app/ui/main/FrameGeometry.h"

#include "platform/user/Messages.h"

namespace {

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
