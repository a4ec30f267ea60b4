// Generated GOPs of real H.264: one encoder per channel runs across the GOPs,
// so a P-frame chain refers back to frames of earlier GOPs' decoders too.
// Frames are laid out frame by frame, channel by channel.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/recgen/H264ChannelEncoder.h"

namespace decode_test {

class GopStream {
public:
    // resolutionCode 1 is 1920 x 1080, 6 is 352 x 288 (PAL).
    GopStream(int channels, uint32_t resolutionCode, int framesPerGop);

    // Empty, with error() set, when an encoder fails.
    std::vector<uint8_t> NextGop();
    const std::string& error() const { return error_; }

private:
    std::vector<std::unique_ptr<recgen::H264ChannelEncoder>> encoders_;
    uint32_t resolutionCode_;
    int framesPerGop_;
    std::string error_;
};

// The code of the 4:2:0 frame header for a channel count (1, 4, 8, 12, 16).
uint32_t ChannelCountCodeOf(int channels);

}  // namespace decode_test
