#include "tools/dvrgen/DvrgenArguments.h"

#include <gtest/gtest.h>

namespace {

bool Parse(std::vector<std::string> args, DvrgenArguments* out, std::string* error) {
    return ParseDvrgenArguments(args, out, error);
}

TEST(DvrgenArguments, EveryFlagReachesThePlan) {
    DvrgenArguments a;
    std::string error;
    ASSERT_TRUE(Parse({"--out",
                       "/tmp/x",
                       "--channels",
                       "8",
                       "--version",
                       "3",
                       "--resolution",
                       "6,5,1",
                       "--resolution-change",
                       "2:1:4",
                       "--resolution-change",
                       "4:0:2",
                       "--shuffle-frames",
                       "--ntsc",
                       "--fps",
                       "12",
                       "--gops",
                       "7",
                       "--start-time",
                       "99",
                       "--skippable",
                       "1,3",
                       "--audio",
                       "pcm",
                       "--audio-tracks",
                       "2",
                       "--sample-rate-code",
                       "5",
                       "--sample-bits-code",
                       "1",
                       "--audio-channels-code",
                       "2",
                       "--no-telemetry",
                       "--vehicle-id",
                       "BUS 7",
                       "--route",
                       "-33.5,151.25;-33.6,151.3",
                       "--leading-filler",
                       "1024",
                       "--gap",
                       "3:5368709120",
                       "--bad-magic",
                       "1",
                       "--oversized",
                       "2,4",
                       "--invalid-log",
                       "0",
                       "--omit-entries",
                       "5,6",
                       "--cut",
                       "100"},
                      &a, &error))
        << error;
    const recgen::RecordingPlan& s = a.plan;
    EXPECT_EQ(a.dvrPath, "/tmp/x.dvr");
    EXPECT_EQ(a.inxPath, "/tmp/x.inx");
    EXPECT_EQ(s.channels, 8);
    EXPECT_EQ(s.version, 3u);
    EXPECT_EQ(s.resolutionCodes, (std::vector<uint32_t>{6, 5, 1}));
    ASSERT_EQ(s.resolutionChanges.size(), 2u);
    EXPECT_EQ(s.resolutionChanges[0].fromGop, 2);
    EXPECT_EQ(s.resolutionChanges[0].channel, 1);
    EXPECT_EQ(s.resolutionChanges[0].code, 4u);
    EXPECT_EQ(s.resolutionChanges[1].channel, 0);
    EXPECT_TRUE(s.shuffledFrames);
    EXPECT_FALSE(s.pal);
    EXPECT_EQ(s.fps, 12u);
    EXPECT_EQ(s.gopCount, 7);
    EXPECT_EQ(s.startTime, 99u);
    EXPECT_EQ(s.skippableChannels, (std::set<int>{1, 3}));
    EXPECT_EQ(s.audio, recgen::AudioKind::kPcm);
    EXPECT_EQ(s.audioTracks, 2);
    EXPECT_EQ(s.sampleRateCode, 5u);
    EXPECT_EQ(s.sampleBitsCode, 1u);
    EXPECT_EQ(s.audioChannelsCode, 2u);
    EXPECT_FALSE(s.telemetry);
    EXPECT_EQ(s.vehicleId, "BUS 7");
    ASSERT_EQ(s.route.size(), 2u);
    EXPECT_DOUBLE_EQ(s.route[0].latitude, -33.5);
    EXPECT_DOUBLE_EQ(s.route[1].longitude, 151.3);
    EXPECT_EQ(s.leadingFillerBytes, 1024u);
    EXPECT_EQ(s.gapsBefore.at(3), 5368709120u);
    EXPECT_EQ(s.damage.badMagicGops, (std::set<int>{1}));
    EXPECT_EQ(s.damage.oversizedGops, (std::set<int>{2, 4}));
    EXPECT_EQ(s.damage.invalidLogGops, (std::set<int>{0}));
    EXPECT_EQ(s.damage.omittedIndexEntries, (std::set<std::size_t>{5, 6}));
    EXPECT_EQ(s.damage.cutBytes, 100u);
}

TEST(DvrgenArguments, Refusals) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"--channels", "4"},
        {"--out", "x", "--frobnicate"},
        {"--out", "x", "--channels"},
        {"--out", "x", "--channels", "four"},
        {"--out", "x", "--fps", "12x"},
        {"--out", "x", "--audio", "mp3"},
        {"--out", "x", "--route", "52.5"},
        {"--out", "x", "--route", "52.5,x"},
        {"--out", "x", "--gap", "3"},
        {"--out", "x", "--resolution", "6,,5"},
        {"--out", "x", "--resolution-change", "2:1"},
        {"--out", "x", "--resolution-change", "2:1:x"},
        {"--out", ""},
    };
    for (const auto& args : bad) {
        DvrgenArguments a;
        std::string error;
        EXPECT_FALSE(Parse(args, &a, &error)) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(error.empty());
    }
}

TEST(DvrgenArguments, HelpNeedsNoOutput) {
    DvrgenArguments a;
    std::string error;
    ASSERT_TRUE(Parse({"--help"}, &a, &error));
    EXPECT_TRUE(a.help);
    EXPECT_NE(std::string(DvrgenUsage()).find("--oversized"), std::string::npos);
}

}  // namespace
