// The audio of generated recordings, parsed as the playback thread parses it
// and handed to the device: what the device plays is the recording's PCM, or
// the expansion of its u-law bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "AudioFixture.h"
#include "format/gop/GopParser.h"
#include "format/ulaw/UlawTable.h"
#include "shared/ByteOrder.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"

namespace {

using namespace audio_test;

struct Parsed {
    std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();
    std::vector<uint8_t> audio = std::vector<uint8_t>(kAudioBufferSize);
};

std::unique_ptr<Parsed> Parse(const recgen::GopBuilder& builder) {
    auto parsed = std::make_unique<Parsed>();
    std::memset(parsed->info.get(), 0, sizeof(GopInfo));
    parsed->info->audioData = parsed->audio.data();
    CGopParser parser;
    const std::vector<uint8_t> gop = builder.Build();
    EXPECT_GE(parser.Parse(gop.data(), uint32_t(gop.size()), parsed->info.get(), true), 0);
    return parsed;
}

std::vector<uint8_t> LittleEndian(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes(samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i)
        StoreU16(&bytes[2 * i], uint16_t(samples[i]));
    return bytes;
}

class RecordingAudio : public AudioFixture {
protected:
    void OpenFor(const GopInfo& info) {
        ASSERT_TRUE(audio_.SetFormat(info.sampleRate, info.sampleBits, 1));
        ASSERT_TRUE(audio_.Open());
    }
};

TEST_F(RecordingAudio, PcmReachesTheDeviceAsRecorded) {
    recgen::GopBuilder builder({.version = 3});
    const auto sample = [](int, int i) { return int32_t(i * 37 - 9000); };
    builder.SetAudio(recgen::InterleavedPcm(1, 16, 800, sample));
    const auto parsed = Parse(builder);
    const GopInfo& info = *parsed->info;
    ASSERT_EQ(info.audioLength, 1600);
    OpenFor(info);

    ASSERT_TRUE(audio_.WriteGopAudio(info.audioData, info.audioLength, true));
    PlayOut();
    EXPECT_EQ(TakeNullWavePcm(), recgen::InterleavedPcm(1, 16, 800, sample));
}

TEST_F(RecordingAudio, UlawReachesTheDeviceExpanded) {
    // The table's edge bytes first, then a ramp over every other byte value.
    std::vector<uint8_t> ulaw{0x00, 0x80, 0xFF, 0x7F};
    for (int u = 0; ulaw.size() < 152; u = (u + 1) % 256)
        ulaw.push_back(uint8_t(u));
    recgen::UlawAudio block;
    block.tracks = {recgen::UlawTrack{{std::vector<uint8_t>(ulaw.begin(), ulaw.begin() + 76),
                                       std::vector<uint8_t>(ulaw.begin() + 76, ulaw.end())}}};
    recgen::GopBuilder builder({.version = 4});
    builder.SetAudio(recgen::EncodeUlawAudio(block));
    const auto parsed = Parse(builder);
    const GopInfo& info = *parsed->info;
    ASSERT_EQ(info.audioLength, 152);
    OpenFor(info);

    const CUlawTable table;
    std::vector<int16_t> pcm(CAudioOut::kBufferSize / 2);
    int samples = 0;
    table.ToPcm(pcm.data(), int(pcm.size()), &samples, info.audioData, info.audioLength);
    pcm.resize(size_t(samples));
    ASSERT_TRUE(audio_.SetGain(1.0f));
    const std::vector<uint8_t> bytes = LittleEndian(pcm);
    ASSERT_TRUE(audio_.WriteGopAudio(bytes.data(), int(bytes.size()), true));
    PlayOut();

    std::vector<int16_t> expected;
    for (uint8_t u : ulaw)
        expected.push_back(UlawDecode(u));
    const std::vector<uint8_t> played = TakeNullWavePcm();
    EXPECT_EQ(played, LittleEndian(expected));
    ASSERT_GE(played.size(), 8u);
    EXPECT_EQ(int16_t(LoadU16(&played[0])), -8031);
    EXPECT_EQ(int16_t(LoadU16(&played[2])), 8031);
    EXPECT_EQ(int16_t(LoadU16(&played[4])), 0);
    EXPECT_EQ(int16_t(LoadU16(&played[6])), 0);
}

}  // namespace
