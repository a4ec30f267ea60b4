// How a channel's frames of one GOP fill an output's frames, the same for
// the channel AVI files and the mosaic: output frame i shows frame
// i x frames / outFrames, so a channel slower than its output has its frames
// held and a faster one has frames left out, evenly over the GOP. Each frame
// is still handed out once and in order, up to the one an output frame
// shows, for the decoders, whose frames refer to the ones before.
#pragma once

#include "shared/GopRecords.h"

namespace oskulo {

// The frames of channel k the GOP holds: its frame table up to the last
// entry the parser filled. Not its `fps`: the program halves that for
// recordings before version 4 (their output rate), whose GOPs still hold
// every frame, all of which are spread over the output's frames.
inline int ChannelFrames(const GopInfo& info, int k) {
    int frames = kMaxFramesPerChannel;
    while (frames > 0 && info.frameLength[k][frames - 1] == 0)
        --frames;
    return frames;
}

class CFrameResampler {
public:
    CFrameResampler() = default;
    CFrameResampler(int frames, int outFrames) : m_frames(frames), m_outFrames(outFrames) {}

    // The next frame to decode before output frame `out` is shown (outputs
    // asked in increasing order), or -1 once the frame it shows is handed out.
    int Next(int out) {
        const bool due =
            m_outFrames > 0 && m_next < m_frames && m_next <= out * m_frames / m_outFrames;
        return due ? m_next++ : -1;
    }
    // After the last output frame: the frames not handed out yet, then -1.
    int Rest() { return m_next < m_frames ? m_next++ : -1; }

private:
    int m_frames = 0;
    int m_outFrames = 0;
    int m_next = 0;
};

}  // namespace oskulo
