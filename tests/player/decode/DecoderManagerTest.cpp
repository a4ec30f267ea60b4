#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "DecodeFixture.h"
#include "GopStream.h"
#include "format/gop/GopParser.h"

namespace {

using namespace decode_test;

constexpr int kFrames = 5;

class DecoderManager : public testing::Test {
protected:
    ParsedGop Parse(GopStream& stream) {
        ParsedGop gop;
        gop.bytes = stream.NextGop();
        EXPECT_FALSE(gop.bytes.empty()) << stream.error();
        std::memset(gop.info.get(), 0, sizeof(GopInfo));
        EXPECT_EQ(
            CGopParser().Parse(gop.bytes.data(), uint32_t(gop.bytes.size()), gop.info.get(), false),
            4);
        return gop;
    }

    bool Decode(int group, int channel, std::span<const uint8_t> frame) {
        return manager_.DecodeFrame(group, channel, frame.data(), int(frame.size()),
                                    picture_.data(), &size_, &width_, &height_);
    }

    CDecoderManager manager_;
    std::vector<uint8_t> picture_ = PictureBuffer();
    int size_ = 0, width_ = 0, height_ = 0;
};

TEST_F(DecoderManager, DecodesEveryFrameOfEveryChannelInItsColour) {
    ASSERT_TRUE(manager_.Create());
    GopStream stream(4, 6, kFrames);
    for (int g = 0; g < 2; ++g) {
        const ParsedGop gop = Parse(stream);
        ASSERT_EQ(gop.info->channelCount, 4);
        int decoded = 0;
        for (int k = 0; k < kFrames; ++k) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_TRUE(Decode(0, c + 1, gop.Frame(c, k))) << "GOP " << g << " channel " << c;
                ++decoded;
                EXPECT_EQ(width_, 352);
                EXPECT_EQ(height_, 288);
                EXPECT_EQ(size_, 352 * 288 * 3 / 2);
                EXPECT_TRUE(ShowsChannelColour(CentreOf(picture_, width_, height_), c));
            }
        }
        EXPECT_EQ(decoded, 4 * kFrames);
    }
}

TEST_F(DecoderManager, SixteenChannelsDecodeAtOnceEachOnItsOwnThread) {
    ASSERT_TRUE(manager_.Create());
    GopStream stream(16, 6, 3);
    const ParsedGop gop = Parse(stream);
    std::vector<std::vector<uint8_t>> pictures(16, PictureBuffer());
    std::vector<int> good(16, 0);
    std::vector<std::thread> threads;
    for (int c = 0; c < 16; ++c) {
        threads.emplace_back([&, c] {
            for (int k = 0; k < 3; ++k) {
                const std::span<const uint8_t> frame = gop.Frame(c, k);
                int size = 0, width = 0, height = 0;
                if (manager_.DecodeFrame(0, c + 1, frame.data(), int(frame.size()),
                                         pictures[c].data(), &size, &width, &height) &&
                    ShowsChannelColour(CentreOf(pictures[c], width, height), c))
                    ++good[c];
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(good, std::vector<int>(16, 3));
}

TEST_F(DecoderManager, LaysAFullHdPictureOutAsYv12) {
    ASSERT_TRUE(manager_.Create());
    GopStream stream(4, 1, 1);
    const ParsedGop gop = Parse(stream);
    ASSERT_TRUE(Decode(0, 1, gop.Frame(0, 0)));
    ASSERT_EQ(size_, 3110400);
    ASSERT_EQ(width_, 1920);
    ASSERT_EQ(height_, 1080);
    // Channel 0 is red: V well above 128 and U below, so swapped planes show.
    const recgen::Yuv red = recgen::RgbToYuv(recgen::ChannelColour(0));
    const size_t centre = 270 * 960 + 480;
    EXPECT_NEAR(picture_[2073600 + centre], red.v, 6);
    EXPECT_NEAR(picture_[2592000 + centre], red.u, 6);
    EXPECT_NEAR(picture_[540 * 1920 + 960], red.y, 6);
    EXPECT_EQ(picture_[3110400], 0xEE);  // nothing written past the picture
}

TEST_F(DecoderManager, RefusesOtherGroupsAndChannelsOutsideOneToSixteen) {
    ASSERT_TRUE(manager_.Create());
    GopStream stream(4, 6, 1);
    const ParsedGop gop = Parse(stream);
    for (const auto& [group, channel] : {std::pair{0, 0}, {0, 17}, {1, 1}, {-1, 1}}) {
        EXPECT_FALSE(Decode(group, channel, gop.Frame(0, 0))) << group << "/" << channel;
        EXPECT_EQ(picture_[0], 0xEE);
    }
    EXPECT_TRUE(Decode(0, 16, gop.Frame(0, 0)));
}

// GOPs parse without any decoder; frames decode only while the decoders are
// open, and again once a rebuild has opened them anew.
TEST_F(DecoderManager, DecodesOnlyWhileCreatedAndAgainAfterARebuild) {
    GopStream stream(4, 6, 2);
    const ParsedGop gop = Parse(stream);
    EXPECT_FALSE(Decode(0, 1, gop.Frame(0, 0)));
    ASSERT_TRUE(manager_.Create());
    EXPECT_TRUE(Decode(0, 1, gop.Frame(0, 0)));
    manager_.Destroy();
    EXPECT_FALSE(Decode(0, 1, gop.Frame(0, 0)));
    ASSERT_TRUE(manager_.Create());
    EXPECT_TRUE(Decode(0, 1, gop.Frame(0, 0)));
}

}  // namespace
