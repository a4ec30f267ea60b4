// Which channels a GOP shows, in which pane of which layout, and where each
// pane lies in the host window's client area.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "shared/GopRecords.h"

struct ChannelLayout {
    int paneCount = 0;              // 1, 4, 9, 12 or 16; or the channel count
    bool shown[kMaxChannels] = {};  // by channel, 0-based
    int pane[kMaxChannels] = {};    // the shown channel's pane index
};

// The division mode a recording of `channels` channels starts in (zDivStatus).
int DivisionModeForChannels(int channels);

// fullScreen: the channel shown alone, 1-based, or 0 for all; mode: the
// division mode. A full-screen channel beyond the channel count shows nothing.
ChannelLayout LayoutChannels(int channels, int mode, int fullScreen);

// The rectangle of pane `pane` of a `paneCount` layout over `client`
// (screen coordinates): 1 the whole area; 4 a 2 x 2 grid, 9 3 x 3, 12 four
// columns by three rows, 16 4 x 4, cells of whole pixels from the top-left
// corner. False for other pane counts and panes outside the layout.
bool PaneRect(const RECT& client, int paneCount, int pane, RECT* rect);
