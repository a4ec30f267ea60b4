#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DecodeFixture.h"
#include "StillEncoder.h"
#include "tools/recgen/H264ChannelEncoder.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

namespace {

using namespace decode_test;

// Frames of channel 2 (blue), CIF: a key frame, then P-frames.
std::vector<std::vector<uint8_t>> ChannelFrames(int count) {
    std::string error;
    auto encoder = recgen::H264ChannelEncoder::Create({.channel = 2, .framesPerGop = 25}, &error);
    EXPECT_NE(encoder, nullptr) << error;
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; encoder && i < count; ++i) {
        recgen::EncodedFrame frame;
        EXPECT_TRUE(encoder->EncodeNext(&frame, &error)) << error;
        frames.push_back(frame.data);
    }
    return frames;
}

class H264Dec : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(decoder_.Open()); }

    bool Decode(const std::vector<uint8_t>& frame) {
        return decoder_.Decode(frame.data(), int(frame.size()), picture_.data(), &size_, &width_,
                               &height_);
    }

    CH264Dec decoder_;
    std::vector<uint8_t> picture_ = PictureBuffer();
    int size_ = 0, width_ = 0, height_ = 0;
};

TEST_F(H264Dec, DecodesAKeyFrameAndTheFramesThatReferToIt) {
    for (const std::vector<uint8_t>& frame : ChannelFrames(3)) {
        ASSERT_TRUE(Decode(frame));
        EXPECT_EQ(size_, 352 * 288 * 3 / 2);
        EXPECT_TRUE(ShowsChannelColour(CentreOf(picture_, width_, height_), 2));
    }
}

TEST_F(H264Dec, ExtraBytesAfterACompletePictureStillGiveThePicture) {
    const std::vector<uint8_t> key = ChannelFrames(1).at(0);
    const std::vector<std::vector<uint8_t>> tails{
        std::vector<uint8_t>(64, 0),           // zero padding
        {0, 0, 0, 1, 0x0C, 0xFF, 0xFF, 0x80},  // a filler unit
        {0, 0, 0, 1, 0x0B},                    // end of stream
    };
    for (const std::vector<uint8_t>& tail : tails) {
        std::vector<uint8_t> packet = key;
        packet.insert(packet.end(), tail.begin(), tail.end());
        ASSERT_TRUE(Decode(packet)) << tail.size();
        EXPECT_EQ(width_, 352);
        EXPECT_TRUE(ShowsChannelColour(CentreOf(picture_, width_, height_), 2));
    }
}

TEST_F(H264Dec, TwoFramesInOnePacketGiveAPictureAndDecodingGoesOn) {
    const auto frames = ChannelFrames(3);
    std::vector<uint8_t> both = frames[0];
    both.insert(both.end(), frames[1].begin(), frames[1].end());
    ASSERT_TRUE(Decode(both));
    EXPECT_TRUE(ShowsChannelColour(CentreOf(picture_, width_, height_), 2));
    ASSERT_TRUE(Decode(frames[2]));
    EXPECT_TRUE(ShowsChannelColour(CentreOf(picture_, width_, height_), 2));
}

TEST_F(H264Dec, InputWithoutAPictureFails) {
    const std::vector<uint8_t> garbage(500, 0x5A);
    EXPECT_FALSE(Decode(garbage));
    EXPECT_FALSE(Decode({}));
    EXPECT_FALSE(decoder_.Decode(nullptr, 100, picture_.data(), &size_, &width_, &height_));
    // A P-frame before any key frame has nothing to refer to.
    const auto frames = ChannelFrames(2);
    CH264Dec fresh;
    ASSERT_TRUE(fresh.Open());
    EXPECT_FALSE(fresh.Decode(frames[1].data(), int(frames[1].size()), picture_.data(), &size_,
                              &width_, &height_));
    // The decoder goes on with the next key frame.
    EXPECT_TRUE(Decode(frames[0]));
}

TEST_F(H264Dec, AClosedDecoderDecodesNothing) {
    const std::vector<uint8_t> key = ChannelFrames(1).at(0);
    EXPECT_TRUE(decoder_.Open());  // already open
    decoder_.Close();
    decoder_.Close();
    EXPECT_FALSE(decoder_.IsOpen());
    EXPECT_FALSE(Decode(key));
    ASSERT_TRUE(decoder_.Open());
    EXPECT_TRUE(Decode(key));
}

struct RefusedPicture {
    const char* name;
    int width;
    int height;
    int format;
};

class H264DecRefuses : public H264Dec, public testing::WithParamInterface<RefusedPicture> {};

TEST_P(H264DecRefuses, PicturesTheDisplayCannotTake) {
    std::string error;
    const RefusedPicture& p = GetParam();
    const std::vector<uint8_t> still = EncodeStill(p.width, p.height, p.format, &error);
    ASSERT_FALSE(still.empty()) << error;
    EXPECT_FALSE(Decode(still));
    EXPECT_EQ(picture_[0], 0xEE);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, H264DecRefuses,
    testing::Values(RefusedPicture{"FourFourFour", 352, 288, AV_PIX_FMT_YUV444P},
                    RefusedPicture{"FourTwoTwo", 352, 288, AV_PIX_FMT_YUV422P},
                    // 3145728 pixels: more than the 2764800 the buffer holds.
                    RefusedPicture{"LargerThanTheBuffer", 2048, 1536, AV_PIX_FMT_YUV420P}),
    [](const testing::TestParamInfo<RefusedPicture>& param) {
        return std::string(param.param.name);
    });

TEST(H264DecStill, AFullRangePictureIsTaken) {
    std::string error;
    const std::vector<uint8_t> still = EncodeStill(64, 48, AV_PIX_FMT_YUVJ420P, &error);
    ASSERT_FALSE(still.empty()) << error;
    CH264Dec decoder;
    ASSERT_TRUE(decoder.Open());
    std::vector<uint8_t> picture = PictureBuffer();
    int size = 0, width = 0, height = 0;
    ASSERT_TRUE(
        decoder.Decode(still.data(), int(still.size()), picture.data(), &size, &width, &height));
    EXPECT_EQ(size, 64 * 48 * 3 / 2);
    EXPECT_NEAR(picture[24 * 64 + 32], 128, 2);
}

TEST(PictureHelpers, FillPictureWritesYThenVThenU) {
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = 4;
    frame->height = 2;
    ASSERT_GE(av_frame_get_buffer(frame, 32), 0);
    for (int row = 0; row < 2; ++row)
        std::memset(frame->data[0] + row * frame->linesize[0], 'Y', 4);
    std::memset(frame->data[1], 'U', 2);
    std::memset(frame->data[2], 'V', 2);

    std::vector<unsigned char> buffer(16, '.');
    int capacity = 11;
    EXPECT_FALSE(CDataDec::FillPicture(frame, 4, 2, buffer.data(), &capacity));
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(16, '.'));
    capacity = 16;
    ASSERT_TRUE(CDataDec::FillPicture(frame, 4, 2, buffer.data(), &capacity));
    EXPECT_EQ(capacity, 12);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), "YYYYYYYYVVUU....");
    av_frame_free(&frame);
}

TEST(PictureHelpers, PictureSizes) {
    EXPECT_EQ(CDataDec::PictureSize(1920, 1080), 3110400);
    EXPECT_EQ(CDataDec::PictureSize(352, 288), 152064);
    EXPECT_EQ(CDataDec::PictureSize(3, 3), 9 + 2 * 4);
    EXPECT_EQ(CDataDec::PictureSize(0, 288), 0);
    EXPECT_EQ(CDataDec::PictureSize(-2, 2), 0);
}

}  // namespace
