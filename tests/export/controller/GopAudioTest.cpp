#include "export/controller/GopAudio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using oskulo::SplitAudio;

struct SplitCase {
    int bytes;
    int frames;
    std::vector<int> lengths;
};

class SplitAudioCases : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitAudioCases, SpreadsTheWholeAudioOverTheFrames) {
    const SplitCase& c = GetParam();
    const oskulo::FrameChunks chunks = SplitAudio(c.bytes, c.frames);
    int offset = 0;
    int total = 0;
    for (int l = 0; l < c.frames; ++l) {
        EXPECT_EQ(chunks.length[std::size_t(l)], c.lengths[std::size_t(l)]) << "frame " << l;
        if (chunks.length[std::size_t(l)] > 0) {
            EXPECT_EQ(chunks.offset[std::size_t(l)], offset) << "frame " << l;
        }
        offset += chunks.length[std::size_t(l)];
        total += chunks.length[std::size_t(l)];
    }
    EXPECT_EQ(total, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitAudioCases,
    testing::Values(SplitCase{1001, 2, {500, 501}}, SplitCase{1000, 3, {334, 334, 332}},
                    SplitCase{32000, 25, std::vector<int>(25, 1280)},
                    SplitCase{
                        8000, 12, {666, 666, 666, 666, 666, 666, 666, 666, 666, 666, 666, 674}},
                    SplitCase{6, 4, {2, 2, 2, 0}}, SplitCase{3, 4, {0, 0, 0, 3}}));

TEST(SplitAudio, NoAudioOrNoFramesGiveNoChunks) {
    for (const auto& chunks : {SplitAudio(0, 25), SplitAudio(640, 0), SplitAudio(640, 31)}) {
        for (int length : chunks.length)
            EXPECT_EQ(length, 0);
    }
}

class GopAudioToPcm : public testing::Test {
protected:
    GopAudioToPcm() : info_(std::make_unique<GopInfo>()), audio_(kAudioBufferSize) {
        std::memset(info_.get(), 0, sizeof(GopInfo));
        info_->audioData = audio_.data();
        info_->audioChannels = 1;
        info_->sampleBits = 16;
    }

    int Convert() { return oskulo::GopAudioToPcm(*info_, table_, pcm_.data()); }
    int16_t Sample(int i) const {
        return int16_t(pcm_[std::size_t(2 * i)] | (pcm_[std::size_t(2 * i + 1)] << 8));
    }

    std::unique_ptr<GopInfo> info_;
    std::vector<uint8_t> audio_;
    const CUlawTable table_;
    std::array<uint8_t, oskulo::kGopPcmBytes> pcm_{};
};

TEST_F(GopAudioToPcm, UlawBytesBecomeOneSampleEach) {
    info_->version = 4;
    info_->audioLength = 16000;
    std::fill_n(audio_.begin(), 16000, uint8_t(0x00));
    audio_[1] = 0xFF;
    EXPECT_EQ(Convert(), 32000);
    EXPECT_EQ(Sample(0), -8031);
    EXPECT_EQ(Sample(1), 0);
}

TEST_F(GopAudioToPcm, MonoPcmIsTakenWhole) {
    info_->version = 3;
    info_->audioLength = 16000;  // one second at 8000 Hz
    audio_[0] = 0x34;
    audio_[1] = 0x12;
    EXPECT_EQ(Convert(), 16000);
    EXPECT_EQ(Sample(0), 0x1234);
}

TEST_F(GopAudioToPcm, StereoPcmKeepsTheChannelTheParserKept) {
    info_->version = 3;
    info_->audioChannels = 2;
    info_->audioLength = 6400;
    EXPECT_EQ(Convert(), 3200);
}

TEST_F(GopAudioToPcm, EightBitPcmIsWidened) {
    info_->version = 2;
    info_->sampleBits = 8;
    info_->audioLength = 4;
    audio_[0] = 128;
    audio_[1] = 255;
    audio_[2] = 0;
    EXPECT_EQ(Convert(), 8);
    EXPECT_EQ(Sample(0), 0);
    EXPECT_EQ(Sample(1), 127 * 256);
    EXPECT_EQ(Sample(2), -128 * 256);
}

TEST_F(GopAudioToPcm, AudioBeyondTheBufferIsCut) {
    info_->version = 4;
    info_->audioLength = kAudioBufferSize;
    EXPECT_EQ(Convert(), oskulo::kGopPcmBytes);
    info_->audioData = nullptr;
    EXPECT_EQ(Convert(), 0);
}

}  // namespace
