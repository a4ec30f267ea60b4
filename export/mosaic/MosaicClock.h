// When the mosaic takes a channel's next frame: a channel of f frames per GOP
// is spread evenly over the mosaic's n frames, frame j taken at the first
// mosaic frame whose clock (+1000 per mosaic frame, from 0) reaches
// j x (n x 1000 / f); in between its tile holds its last picture. All f
// frames are taken, in order, and none twice.
#pragma once

namespace oskulo {

class CMosaicClock {
public:
    CMosaicClock() = default;
    CMosaicClock(int channelFrames, int mosaicFrames)
        : m_frames(channelFrames),
          m_tick(channelFrames > 0 ? mosaicFrames * 1000 / channelFrames : 0) {}

    // Whether the channel's next frame (NextFrame) belongs to this mosaic frame.
    bool TakesFrame() const {
        return m_frames > 0 && m_taken < m_frames && m_clock >= m_taken * m_tick;
    }
    int NextFrame() const { return m_taken; }
    // After each mosaic frame; `took` when the channel's frame was taken.
    void Advance(bool took) {
        if (took)
            ++m_taken;
        m_clock += 1000;
    }

private:
    int m_frames = 0;
    int m_tick = 0;
    int m_taken = 0;
    int m_clock = 0;
};

}  // namespace oskulo
