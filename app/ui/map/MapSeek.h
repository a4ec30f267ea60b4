// Seeking playback to a position a map page asked for, as the find dialog's
// seeks do: while playing the seek goes to the player at once; otherwise the
// position waits as the pending seek and play is asked for, so that the
// player's "playing" result sends it. UI thread.
#pragma once

#include <cstdint>

#include "app/ui/map/MapPaneHost.h"

// `a` is the seek command's integer argument. Positions outside the
// recording's data (zTellTotalLen) are not sent.
void SeekPlaybackTo(IMapPaneHost& host, uint64_t position, intptr_t a);
