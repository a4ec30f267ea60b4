#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "AudioFixture.h"
#include "shared/ByteOrder.h"

namespace {

using namespace audio_test;

struct GainCase {
    int bits;
    float gain;
    std::vector<int> in;
    std::vector<int> out;
};

// Samples as the format lays them out: 16-bit little-endian signed, or 8-bit
// unsigned around 128.
std::vector<uint8_t> Bytes(int bits, const std::vector<int>& samples) {
    std::vector<uint8_t> bytes;
    for (int s : samples) {
        if (bits == 8) {
            bytes.push_back(uint8_t(s));
        } else {
            bytes.resize(bytes.size() + 2);
            StoreU16(&bytes[bytes.size() - 2], uint16_t(int16_t(s)));
        }
    }
    return bytes;
}

class Gain : public AudioFixture, public testing::WithParamInterface<GainCase> {};

TEST_P(Gain, MultipliesEverySampleAndHoldsItAtTheLimits) {
    const GainCase& c = GetParam();
    ASSERT_TRUE(audio_.SetFormat(8000, c.bits, 1));
    ASSERT_TRUE(audio_.SetGain(c.gain));
    std::vector<uint8_t> data = Bytes(c.bits, c.in);
    EXPECT_TRUE(audio_.ApplyGain(data.data(), int(data.size())));
    EXPECT_EQ(data, Bytes(c.bits, c.out));
}

INSTANTIATE_TEST_SUITE_P(Samples, Gain,
                         testing::Values(
                             // A loud sample must not wrap round to the other sign.
                             GainCase{16, 2.0f, {20000, -20000, 1000}, {32767, -32768, 2000}},
                             GainCase{16, 0.5f, {-3, 3, -32768}, {-1, 1, -16384}},
                             GainCase{16, 1.5f, {3, -3}, {4, -4}},
                             GainCase{16, 0.0f, {1234, -1}, {0, 0}},
                             GainCase{8, 2.0f, {200, 10, 128}, {255, 0, 128}},
                             GainCase{8, 0.5f, {129, 0}, {128, 64}}));

class GainRules : public AudioFixture {};

TEST_F(GainRules, RefusesNegativeAndNonFiniteGains) {
    ASSERT_TRUE(audio_.SetGain(0.25f));
    for (float bad :
         {-1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        EXPECT_FALSE(audio_.SetGain(bad));
        EXPECT_EQ(audio_.GetGain(), 0.25f);
    }
}

TEST_F(GainRules, ReachesEveryChannelAndNoByteBeyondTheLastWholeSample) {
    ASSERT_TRUE(audio_.SetFormat(8000, 16, 2));
    ASSERT_TRUE(audio_.SetGain(2.0f));
    std::vector<uint8_t> data = Bytes(16, {100, -100, 7});
    data.push_back(0x55);
    EXPECT_TRUE(audio_.ApplyGain(data.data(), int(data.size())));
    std::vector<uint8_t> expected = Bytes(16, {200, -200, 14});
    expected.push_back(0x55);
    EXPECT_EQ(data, expected);
}

TEST_F(GainRules, OtherSampleWidthsAreLeftAlone) {
    ASSERT_TRUE(audio_.SetFormat(8000, 24, 1));
    std::vector<uint8_t> data{1, 2, 3};
    EXPECT_FALSE(audio_.ApplyGain(data.data(), int(data.size())));
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(GainRules, AGopGetsTheGainOnlyWithTheVoiceFlag) {
    ASSERT_TRUE(audio_.SetFormat(8000, 16, 1));
    ASSERT_TRUE(audio_.SetGain(2.0f));
    ASSERT_TRUE(audio_.Open());
    const std::vector<uint8_t> pcm = Bytes(16, std::vector<int>(40, 300));
    ASSERT_TRUE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), true));
    ASSERT_TRUE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), false));
    PlayOut();
    std::vector<uint8_t> expected = Bytes(16, std::vector<int>(40, 600));
    expected.insert(expected.end(), pcm.begin(), pcm.end());
    EXPECT_EQ(TakeNullWavePcm(), expected);
}

}  // namespace
