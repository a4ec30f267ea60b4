// How many frames of a GOP the player goes through. The frame header's 5-bit
// rate field can say 31, one more than the 30 frame slots of a GopInfo, so
// every count is held to the slots: no index built on it reads past them.
#pragma once

#include <algorithm>

#include "shared/GopRecords.h"

// Frames of channel c (version 4: its fps, 0 counting as 1; older versions:
// the GOP's fps), 1 to 30.
inline int ChannelFrameCount(const GopInfo& info, int channel) {
    const int n = info.version == 4 ? info.fps[channel] : info.gopFps;
    return std::clamp(n, 1, kMaxFramesPerChannel);
}

// Frames a step goes through in the GOP: version 4, the most of its
// channels; older versions, the GOP's fps. 1 to 30.
inline int StepFrameCount(const GopInfo& info) {
    if (info.version != 4)
        return ChannelFrameCount(info, 0);
    int frames = 1;
    for (int c = 0; c < std::min(int(info.channelCount), kMaxChannels); ++c)
        frames = std::max(frames, ChannelFrameCount(info, c));
    return frames;
}
