// One channel's share of one GOP: filled by CChannelDisplay::ShowGop on the
// playback thread, then read and cleared by that channel's display thread
// while ShowGop waits for it. Never touched by two threads at once.
#pragma once

#include <cstdint>

#include "shared/GopRecords.h"

struct DisplayContext {
    int frameLength[kMaxFramesPerChannel];
    const uint8_t* frameData[kMaxFramesPerChannel];  // into the GOP's queue slot
    // Speed 1: due time of each frame from the GOP's start; other speeds: the
    // delay after each frame's start. 0: no pause.
    int frameTime[kMaxFramesPerChannel];
    int channel;     // 0-based
    int paneCount;   // the layout drawn into
    int pane;        // the channel's pane in it
    int displayMs;   // D, the GOP's display time after the audio catch-up
    int frameCount;  // frames of this channel in the GOP; -1 after a failed decode
    int version;     // the GOP's version
    int width;       // of the last decoded picture
    int height;
    int size;
    int speed;
    int state;      // the playback thread's snapshot of the player state
    int stepIndex;  // -1 when not stepping
    bool forward;
    bool noSkip;  // version 4: the channel's frames must all be decoded
};
