#include "player/render/PaneLayout.h"

#include "shared/PlayerInterface.h"

namespace {

void ShowRange(ChannelLayout* layout, int first, int last, int paneCount) {
    layout->paneCount = paneCount;
    for (int c = first; c <= last && c < kMaxChannels; ++c) {
        layout->shown[c] = true;
        layout->pane[c] = c - first;
    }
}

struct Grid {
    int columns;
    int rows;
};

bool GridOf(int paneCount, Grid* grid) {
    switch (paneCount) {
        case 1:
            *grid = {1, 1};
            return true;
        case 4:
            *grid = {2, 2};
            return true;
        case 9:
            *grid = {3, 3};
            return true;
        case 12:
            *grid = {4, 3};
            return true;
        case 16:
            *grid = {4, 4};
            return true;
        default:
            return false;
    }
}

}  // namespace

int DivisionModeForChannels(int channels) {
    switch (channels) {
        case 4:
            return DIV_GROUP_1;
        case 12:
            return DIV_GRID_4X3;
        case 16:
            return DIV_GRID_4X4;
        default:
            return DIV_GRID_3X3;
    }
}

ChannelLayout LayoutChannels(int channels, int mode, int fullScreen) {
    ChannelLayout layout;
    if (fullScreen > 0) {
        if (fullScreen <= channels && fullScreen <= kMaxChannels)
            ShowRange(&layout, fullScreen - 1, fullScreen - 1, 1);
        layout.paneCount = 1;
        return layout;
    }
    const bool group = mode >= DIV_GROUP_1 && mode <= DIV_GROUP_4;
    if (channels == 8 && (mode == DIV_GROUP_1 || mode == DIV_GROUP_2))
        ShowRange(&layout, 4 * (mode - 1), 4 * mode - 1, 4);
    else if (channels == 8)
        ShowRange(&layout, 0, 7, 9);
    else if (channels == 12 && group && mode <= DIV_GROUP_3)
        ShowRange(&layout, 4 * (mode - 1), 4 * mode - 1, 4);
    else if (channels == 12)
        ShowRange(&layout, 0, 11, 12);
    else if (channels == 16 && group)
        ShowRange(&layout, 4 * (mode - 1), 4 * mode - 1, 4);
    else if (channels == 16)
        ShowRange(&layout, 0, 15, 16);
    else
        ShowRange(&layout, 0, channels - 1, channels);
    return layout;
}

bool PaneRect(const RECT& client, int paneCount, int pane, RECT* rect) {
    Grid grid{};
    if (!GridOf(paneCount, &grid) || pane < 0 || pane >= paneCount)
        return false;
    const int cellWidth = int(client.right - client.left) / grid.columns;
    const int cellHeight = int(client.bottom - client.top) / grid.rows;
    const int column = pane % grid.columns, row = pane / grid.columns;
    rect->left = client.left + column * cellWidth;
    rect->top = client.top + row * cellHeight;
    rect->right = rect->left + cellWidth;
    rect->bottom = rect->top + cellHeight;
    return true;
}
