// What a generated recording carries besides the pictures: header fields,
// audio, telemetry, filler, gaps and damage.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <set>

#include "format/TelemetryLayout.h"
#include "format/ulaw/UlawTable.h"
#include "shared/ByteOrder.h"
#include "tests/tools/recgen/RecordingReader.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

using namespace recgen;

class RecordingContent : public ::testing::Test {
protected:
    std::vector<WalkedGop> Write(const RecordingPlan& plan) {
        std::string error;
        EXPECT_TRUE(WriteRecording(plan, Dvr(), Inx(), &error)) << error;
        return WalkRecording(Dvr(), Inx());
    }
    std::string Dvr() const { return dir_.File("r.dvr"); }
    std::string Inx() const { return dir_.File("r.inx"); }

    TempDir dir_;
};

RecordingPlan Small(uint32_t version, AudioKind audio) {
    RecordingPlan s;
    s.version = version;
    s.audio = audio;
    s.channels = 1;
    s.fps = 5;
    s.gopCount = 3;
    return s;
}

TEST_F(RecordingContent, HeaderFieldsAndTimes) {
    RecordingPlan s = Small(4, AudioKind::kUlaw);
    s.channels = 12;
    s.startTime = 1234;
    const std::vector<WalkedGop> gops = Write(s);
    ASSERT_EQ(gops.size(), 3u);
    for (std::size_t g = 0; g < gops.size(); ++g) {
        EXPECT_EQ(gops[g].first.time, 1234 + g);
        EXPECT_EQ(gops[g].first.channelCountCode, 4u);
        EXPECT_EQ(gops[g].first.version, 4u);
        EXPECT_EQ(gops[g].frames.size(), 12u * 5);
    }
    const std::vector<IndexEntry> index = ReadIndex(Inx());
    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(index[3].time, 1237u);
}

TEST_F(RecordingContent, ShuffledFramesAndResolutionChanges) {
    RecordingPlan s = Small(4, AudioKind::kUlaw);
    s.channels = 4;
    s.gopCount = 6;
    s.resolutionCodes = {2, 6};
    s.resolutionChanges = {{.fromGop = 2, .channel = 3, .code = 4}};
    s.shuffledFrames = true;
    const std::vector<WalkedGop> gops = Write(s);
    ASSERT_EQ(gops.size(), 6u);
    std::set<uint32_t> lastChannels;
    for (std::size_t g = 0; g < gops.size(); ++g) {
        ASSERT_EQ(gops[g].frames.size(), 4u * 5);
        std::vector<uint32_t> next(4, 1);
        for (const WalkedFrame& f : gops[g].frames) {
            const uint32_t c = f.header.channel;
            ASSERT_LT(c, 4u);
            EXPECT_EQ(f.header.frameNumber, next[c]++) << "GOP " << g << " channel " << c;
            const uint32_t code = c == 0 ? 2 : (c == 3 && g >= 2 ? 4 : 6);
            EXPECT_EQ(f.header.resolutionCode, code) << "GOP " << g << " channel " << c;
            EXPECT_EQ(f.header.frameType == 1, next[c] == 2)
                << "each channel starts with a key frame";
        }
        lastChannels.insert(gops[g].frames.back().header.channel);
    }
    EXPECT_GT(lastChannels.size(), 1u) << "the last frame's channel varies";
}

TEST_F(RecordingContent, UlawTracksHoldOneSecondOfTone) {
    RecordingPlan s = Small(4, AudioKind::kUlaw);
    s.audioTracks = 2;
    const std::vector<WalkedGop> gops = Write(s);
    ASSERT_EQ(gops.size(), 3u);
    const std::vector<uint8_t>& a = gops[1].audio;
    ASSERT_EQ(a.size(), 48u + 2 * 100 * 84);
    EXPECT_EQ(LoadU16(a.data() + ulaw_audio::kTrackCountAt), 2);
    EXPECT_EQ(LoadU32(a.data() + ulaw_audio::kChunkSizesAt), (4u << 16) | 80u);
    const uint32_t offset = LoadU32(a.data() + ulaw_audio::kTrackDataOffsetAt);
    const uint32_t length = LoadU32(a.data() + ulaw_audio::kTrackLengthsAt + 4);
    ASSERT_EQ(length, 8400u);
    // Sample 5 of the second chunk of track 1 in GOP 1: tone 1 at index 8000 + 85.
    EXPECT_EQ(a[offset + length + 84 + 4 + 5], UlawEncode(ToneSample(1, 8085, 8000)));
    EXPECT_EQ(a[offset + 4], UlawEncode(ToneSample(0, 8000, 8000)));
    EXPECT_NE(UlawEncode(ToneSample(0, 8085, 8000)), UlawEncode(ToneSample(1, 8085, 8000)));
}

TEST_F(RecordingContent, PcmInterleavesATonePerChannel) {
    RecordingPlan s = Small(3, AudioKind::kPcm);
    s.audioChannelsCode = 2;  // stereo
    const std::vector<WalkedGop> gops = Write(s);
    ASSERT_EQ(gops.size(), 3u);
    const WalkedGop& g = gops[2];
    EXPECT_EQ(g.first.audioChannelsCode, 2u);
    EXPECT_EQ(g.first.sampleRateCode, 1u);
    ASSERT_EQ(g.audio.size(), 8000u * 2 * 2);
    EXPECT_EQ(int16_t(LoadU16(g.audio.data() + 4 * 10)), ToneSample(0, 16010, 8000));
    EXPECT_EQ(int16_t(LoadU16(g.audio.data() + 4 * 10 + 2)), ToneSample(1, 16010, 8000));
}

TEST_F(RecordingContent, TelemetryByVersion) {
    for (uint32_t version : {0u, 1u, 4u}) {
        SCOPED_TRACE(version);
        RecordingPlan s = Small(version, version == 4 ? AudioKind::kUlaw : AudioKind::kNone);
        s.vehicleId = "CAR-7";
        s.damage.invalidLogGops = {1};
        const std::vector<WalkedGop> gops = Write(s);
        ASSERT_EQ(gops.size(), 3u);
        if (version == 0) {
            EXPECT_TRUE(gops[0].telemetry.empty());
            continue;
        }
        const std::vector<uint8_t>& t = gops[0].telemetry;
        ASSERT_GE(t.size(), 8u);
        EXPECT_EQ(LoadU32(t.data()), telemetry::kLogTag | 0x9F);
        EXPECT_EQ(LoadU16(t.data() + 5), FramesPerChannel(s));
        EXPECT_EQ(std::memcmp(t.data() + 7, "CAR-7", 5), 0);
        EXPECT_NE(LoadU32(gops[1].telemetry.data()) & telemetry::kLogTagMask, telemetry::kLogTag);
        EXPECT_EQ(LoadU32(gops[2].telemetry.data()) & telemetry::kLogTagMask, telemetry::kLogTag);
    }
}

TEST_F(RecordingContent, NoTelemetryAndNoAudio) {
    RecordingPlan s = Small(4, AudioKind::kNone);
    s.telemetry = false;
    const std::vector<WalkedGop> gops = Write(s);
    ASSERT_EQ(gops.size(), 3u);
    EXPECT_EQ(gops[0].first.audioLength, 0u);
    EXPECT_EQ(gops[0].first.logLength, 0u);
}

TEST_F(RecordingContent, FillerGapsAndDamage) {
    RecordingPlan s = Small(4, AudioKind::kUlaw);
    s.gopCount = 5;
    s.leadingFillerBytes = 1024;
    s.gapsBefore = {{3, 5ull << 30}};
    s.damage.badMagicGops = {1};
    s.damage.oversizedGops = {2};
    s.damage.omittedIndexEntries = {4};
    s.damage.cutBytes = 100;
    std::string error;
    ASSERT_TRUE(WriteRecording(s, Dvr(), Inx(), &error)) << error;
    const std::vector<IndexEntry> index = ReadIndex(Inx());
    ASSERT_EQ(index.size(), 5u);  // four GOPs and the end mark
    EXPECT_EQ(index[0].offset, 1024u);
    EXPECT_GT(index[3].offset, 5ull << 30);
    struct stat st {};
    ASSERT_EQ(stat(Dvr().c_str(), &st), 0);
    EXPECT_EQ(uint64_t(st.st_size), index[4].offset - 100);

    const std::vector<WalkedGop> gops = WalkRecording(Dvr(), Inx());
    ASSERT_GE(gops.size(), 3u);
    EXPECT_EQ(gops[1].first.magic, kFrameMagic + 1);
    EXPECT_EQ(gops[2].first.gopLength, 12582912u + 512);
    EXPECT_EQ(index[3].offset - index[2].offset, (12582912u + 512) + (5ull << 30));
}

TEST_F(RecordingContent, RefusesInconsistentPlans) {
    struct Case {
        const char* why;
        RecordingPlan plan;
    };
    std::vector<Case> cases;
    auto add = [&cases](const char* why, auto change) {
        RecordingPlan s = Small(4, AudioKind::kUlaw);
        change(s);
        cases.push_back({why, s});
    };
    add("version 5", [](RecordingPlan& s) { s.version = 5; });
    add("3 channels", [](RecordingPlan& s) { s.channels = 3; });
    add("v0 with 8 channels", [](RecordingPlan& s) {
        s.version = 0;
        s.channels = 8;
        s.audio = AudioKind::kNone;
    });
    add("v2 with 12 channels", [](RecordingPlan& s) {
        s.version = 2;
        s.channels = 12;
        s.audio = AudioKind::kNone;
    });
    add("resolution without size", [](RecordingPlan& s) { s.resolutionCodes = {6, 0}; });
    add("no resolution", [](RecordingPlan& s) { s.resolutionCodes.clear(); });
    add("changed to a resolution without size",
        [](RecordingPlan& s) { s.resolutionChanges = {{.fromGop = 1, .channel = 0, .code = 0}}; });
    add("change of a missing channel",
        [](RecordingPlan& s) { s.resolutionChanges = {{.fromGop = 1, .channel = 1, .code = 4}}; });
    add("fps 31", [](RecordingPlan& s) { s.fps = 31; });
    add("PCM in version 4", [](RecordingPlan& s) { s.audio = AudioKind::kPcm; });
    add("u-law before version 4", [](RecordingPlan& s) { s.version = 3; });
    add("three u-law tracks", [](RecordingPlan& s) { s.audioTracks = 3; });
    add("sample width code 4", [](RecordingPlan& s) { s.sampleBitsCode = 4; });
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(WriteRecording(c.plan, Dvr(), Inx(), &error)) << c.why;
        EXPECT_FALSE(error.empty()) << c.why;
    }
    std::string error;
    EXPECT_FALSE(WriteRecording(Small(4, AudioKind::kUlaw), dir_.File("no/r.dvr"), Inx(), &error));
}

#ifdef DVR_SAMPLE_BASE
// The bundled sample: one minute of four channels with telemetry and audio.
TEST(SampleRecording, OneMinuteOfFourChannels) {
    const std::string base = DVR_SAMPLE_BASE;
    const std::vector<WalkedGop> gops = WalkRecording(base + ".dvr", base + ".inx");
    ASSERT_EQ(gops.size(), 60u);
    for (const WalkedGop& g : gops) {
        EXPECT_EQ(g.first.version, 4u);
        EXPECT_EQ(g.frames.size(), 4u * 25);
        EXPECT_GT(g.first.audioLength, 0u);
        EXPECT_GT(g.first.logLength, 0u);
    }
    EXPECT_EQ(gops[59].first.time - gops[0].first.time, 59u);
    // The GPS text moves between the first and last GOP.
    EXPECT_NE(std::memcmp(gops[0].telemetry.data() + 4 + 3 + 25 * 18 + 3 + 50 + 3 + 1,
                          gops[59].telemetry.data() + 4 + 3 + 25 * 18 + 3 + 50 + 3 + 1, 21),
              0);
}
#endif

}  // namespace
