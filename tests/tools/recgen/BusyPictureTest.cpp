// The busy picture benchmarks decode: about the bit rate asked for, detail
// everywhere, every frame new, in the channel's colour.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tests/tools/recgen/H264TestDecoder.h"
#include "tools/recgen/ChannelColour.h"
#include "tools/recgen/H264ChannelEncoder.h"

namespace {

double Spread(const std::vector<uint8_t>& luma) {
    double sum = 0, squares = 0;
    for (uint8_t v : luma) {
        sum += v;
        squares += double(v) * v;
    }
    const double mean = sum / double(luma.size());
    return std::sqrt(squares / double(luma.size()) - mean * mean);
}

TEST(BusyPicture, HasDetailAndNewNoiseInEveryFrameAtAboutItsBitRate) {
    constexpr int kBitRate = 1'000'000, kFrames = 50, kFps = 25;
    std::string error;
    auto encoder = recgen::H264ChannelEncoder::Create(
        {.channel = 3, .framesPerGop = kFps, .busyBitRate = kBitRate}, &error);
    ASSERT_NE(encoder, nullptr) << error;
    H264TestDecoder decoder;
    ASSERT_TRUE(decoder.ok());
    std::size_t bytes = 0;
    for (int i = 0; i < kFrames; ++i) {
        recgen::EncodedFrame frame;
        ASSERT_TRUE(encoder->EncodeNext(&frame, &error)) << error;
        EXPECT_EQ(frame.keyFrame, i % kFps == 0) << "frame " << i;
        bytes += frame.data.size();
        ASSERT_TRUE(decoder.Decode(frame.data)) << "frame " << i;
    }
    decoder.Flush();
    const double seconds = double(kFrames) / kFps;
    EXPECT_NEAR(double(bytes) * 8 / seconds, kBitRate, kBitRate * 0.5);

    const std::vector<DecodedPicture>& pictures = decoder.pictures();
    ASSERT_EQ(pictures.size(), std::size_t(kFrames));
    const recgen::Yuv colour = recgen::RgbToYuv(recgen::ChannelColour(3));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_GT(Spread(pictures[i].luma), 15) << "frame " << i;
        EXPECT_NEAR(pictures[i].centreU, colour.u, 6) << "frame " << i;
        EXPECT_NEAR(pictures[i].centreV, colour.v, 6) << "frame " << i;
        if (i > 0) {
            EXPECT_NE(pictures[i].luma, pictures[i - 1].luma) << "frame " << i;
        }
    }
}

}  // namespace
