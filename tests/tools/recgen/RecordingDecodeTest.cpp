// Generates recordings, collects each channel's frames by walking the frame
// headers, decodes them with libavcodec and checks count, size and colour.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "format/CodeTables.h"
#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"
#include "tests/tools/recgen/H264TestDecoder.h"
#include "tests/tools/recgen/RecordingReader.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/AnnexB.h"
#include "tools/recgen/ChannelColour.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

using namespace recgen;

struct Case {
    const char* name;
    RecordingPlan plan;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

RecordingPlan Plan(uint32_t version, int channels, std::vector<uint32_t> codes, bool pal,
                   uint32_t fps, int gops, AudioKind audio) {
    RecordingPlan s;
    s.version = version;
    s.channels = channels;
    s.resolutionCodes = std::move(codes);
    s.pal = pal;
    s.fps = fps;
    s.gopCount = gops;
    s.audio = audio;
    return s;
}

std::vector<Case> Cases() {
    std::vector<Case> cases{
        {"v4_4ch_cif_ulaw", Plan(4, 4, {6}, true, 25, 2, AudioKind::kUlaw)},
        {"v3_8ch_mixed_ntsc_pcm", Plan(3, 8, {6, 5}, false, 10, 2, AudioKind::kPcm)},
        {"v0_1ch_pcm", Plan(0, 1, {6}, true, 16, 2, AudioKind::kPcm)},
        {"v1_4ch_skippable", Plan(1, 4, {6}, true, 16, 2, AudioKind::kNone)},
        {"v2_8ch", Plan(2, 8, {6}, false, 15, 1, AudioKind::kPcm)},
        {"v4_16ch", Plan(4, 16, {6}, false, 5, 1, AudioKind::kUlaw)},
        {"v4_1080p", Plan(4, 1, {1}, true, 10, 2, AudioKind::kUlaw)},
    };
    cases[3].plan.skippableChannels = {1, 3};
    cases[0].plan.audioTracks = 2;
    return cases;
}

class RecordingDecode : public ::testing::TestWithParam<Case> {};

void ExpectRecorderLayout(const WalkedFrame& f) {
    ASSERT_GE(f.data.size(), 5u);
    EXPECT_EQ(LoadU32(f.data.data()), 0x01000000u) << "4-byte start code first";
    std::vector<int> types;
    for (std::span<const uint8_t> nal : SplitNalUnits(f.data))
        types.push_back(NalType(nal));
    if (f.header.frameType == 1) {
        EXPECT_EQ(types, (std::vector<int>{7, 8, 5}));
    } else {
        EXPECT_EQ(types, (std::vector<int>{1}));
    }
}

TEST_P(RecordingDecode, EveryChannelDecodesToItsColour) {
    const RecordingPlan& plan = GetParam().plan;
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteRecording(plan, dir.File("r.dvr"), dir.File("r.inx"), &error)) << error;
    const std::vector<WalkedGop> gops = WalkRecording(dir.File("r.dvr"), dir.File("r.inx"));
    ASSERT_EQ(gops.size(), std::size_t(plan.gopCount));

    const int frames = FramesPerChannel(plan);
    std::map<int, std::vector<const WalkedFrame*>> byChannel;
    for (const WalkedGop& gop : gops) {
        ASSERT_EQ(gop.frames.size(), std::size_t(frames * plan.channels));
        for (const WalkedFrame& f : gop.frames)
            byChannel[int(f.header.channel)].push_back(&f);
    }
    ASSERT_EQ(byChannel.size(), std::size_t(plan.channels));
    for (auto& [channel, list] : byChannel) {
        SCOPED_TRACE(channel);
        const bool skippable = plan.skippableChannels.contains(channel);
        H264TestDecoder decoder;
        ASSERT_TRUE(decoder.ok());
        for (std::size_t i = 0; i < list.size(); ++i) {
            const WalkedFrame& f = *list[i];
            EXPECT_EQ(f.header.frameNumber, i % std::size_t(frames) + 1);
            EXPECT_EQ(f.header.noSkip, !skippable);
            EXPECT_EQ(f.header.frameType == 1, skippable || i % std::size_t(frames) == 0);
            ExpectRecorderLayout(f);
            ASSERT_TRUE(decoder.Decode(f.data));
        }
        decoder.Flush();
        ASSERT_EQ(decoder.pictures().size(), list.size());
        PictureSize size{};
        ASSERT_TRUE(PictureSizeOfCode(int(list[0]->header.resolutionCode), plan.pal, &size));
        const Yuv expected = RgbToYuv(ChannelColour(channel));
        for (const DecodedPicture& p : decoder.pictures()) {
            ASSERT_EQ(p.width, size.width);
            ASSERT_EQ(p.height, size.height);
            ASSERT_NEAR(p.centreY, expected.y, 4);
            ASSERT_NEAR(p.centreU, expected.u, 4);
            ASSERT_NEAR(p.centreV, expected.v, 4);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Generated, RecordingDecode, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.name);
                         });

// A display that drops 3 frames of 4 must still get whole pictures from a
// channel written without noSkip.
TEST(RecordingDecode, SkippableChannelDecodesFromEveryFourthFrame) {
    RecordingPlan plan = Plan(4, 4, {4}, true, 12, 2, AudioKind::kNone);
    plan.skippableChannels = {2};
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteRecording(plan, dir.File("r.dvr"), dir.File("r.inx"), &error)) << error;
    H264TestDecoder decoder;
    int fed = 0;
    for (const WalkedGop& gop : WalkRecording(dir.File("r.dvr"), dir.File("r.inx"))) {
        for (const WalkedFrame& f : gop.frames) {
            if (f.header.channel != 2 || (f.header.frameNumber - 1) % 4 != 3)
                continue;
            ASSERT_TRUE(decoder.Decode(f.data));
            ++fed;
        }
    }
    decoder.Flush();
    ASSERT_EQ(fed, 6);
    ASSERT_EQ(decoder.pictures().size(), 6u);
    const Yuv expected = RgbToYuv(ChannelColour(2));
    for (const DecodedPicture& p : decoder.pictures())
        EXPECT_NEAR(p.centreY, expected.y, 4);
}

// The moving block sits in the top strip and moves; the centre never changes.
TEST(RecordingDecode, BlockMovesAlongTheTop) {
    RecordingPlan plan = Plan(4, 1, {6}, true, 4, 1, AudioKind::kNone);
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteRecording(plan, dir.File("r.dvr"), dir.File("r.inx"), &error)) << error;
    H264TestDecoder decoder;
    for (const WalkedGop& gop : WalkRecording(dir.File("r.dvr"), dir.File("r.inx"))) {
        for (const WalkedFrame& f : gop.frames)
            ASSERT_TRUE(decoder.Decode(f.data));
    }
    decoder.Flush();
    ASSERT_EQ(decoder.pictures().size(), 4u);
    const uint8_t background = RgbToYuv(ChannelColour(0)).y;
    // 352 x 288: block 44 x 18 at rows 18-35, x = 8 k.
    for (int k = 0; k < 4; ++k) {
        const DecodedPicture& p = decoder.pictures()[std::size_t(k)];
        SCOPED_TRACE(k);
        const auto at = [&p](int x, int y) { return p.luma[std::size_t(y * p.width + x)]; };
        EXPECT_GT(std::abs(int(at(8 * k + 22, 27)) - background), 100);
        EXPECT_NEAR(at(8 * k + 60, 27), background, 6);
        EXPECT_NEAR(at(176, 144), background, 4);
    }
}

}  // namespace
