// Helpers of the decoder tests: a parsed generated GOP, its frames, and the
// centre sample of each plane of a YV12 picture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "player/decode/DecoderManager.h"
#include "tools/recgen/ChannelColour.h"

namespace decode_test {

// A picture buffer for the largest picture the decoders give.
inline std::vector<uint8_t> PictureBuffer() {
    return std::vector<uint8_t>(CH264Dec::kPictureBufferSize, 0xEE);
}

struct Centre {
    int y, v, u;
};

// YV12, pitch = width: Y, then V, then U.
inline Centre CentreOf(const std::vector<uint8_t>& picture, int width, int height) {
    const int cw = (width + 1) / 2;
    const int ch = (height + 1) / 2;
    const size_t v = size_t(width) * height;
    const size_t u = v + size_t(cw) * ch;
    const size_t chroma = size_t(height / 4) * cw + width / 4;
    return {picture[size_t(height / 2) * width + width / 2], picture[v + chroma],
            picture[u + chroma]};
}

// The channel's colour within what the codec's rounding allows.
inline ::testing::AssertionResult ShowsChannelColour(const Centre& got, int channel) {
    const recgen::Yuv want = recgen::RgbToYuv(recgen::ChannelColour(channel));
    const int tolerance = 6;
    if (std::abs(got.y - want.y) <= tolerance && std::abs(got.u - want.u) <= tolerance &&
        std::abs(got.v - want.v) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "centre YUV " << got.y << "," << got.u << "," << got.v << " but channel " << channel
           << " is " << int(want.y) << "," << int(want.u) << "," << int(want.v);
}

// A GopInfo parsed without audio.
struct ParsedGop {
    std::vector<uint8_t> bytes;
    std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();

    std::span<const uint8_t> Frame(int channel, int index) const {
        return {bytes.data() + info->frameOffset[channel][index],
                info->frameLength[channel][index]};
    }
};

}  // namespace decode_test
