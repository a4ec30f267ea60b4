// Exports of recordings whose channels differ in picture size: every GOP
// reaches every output whatever channel's frame the recorder wrote last, and
// a channel whose size really changes is scaled in its AVI file and starts a
// new movie.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "export/controller/ExportController.h"
#include "tests/export/recording/RecordingGops.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/ExportFixture.h"
#include "tools/recgen/ChannelColour.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGops = 4;
constexpr int kFps = 10;
constexpr int kChannels = 4;

struct ChannelSize {
    int width, height;
};
// Channel 1 is 1280 x 720, the others 352 x 288.
constexpr ChannelSize kSizes[kChannels] = {{1280, 720}, {352, 288}, {352, 288}, {352, 288}};

recgen::RecordingPlan Plan() {
    recgen::RecordingPlan plan;
    plan.channels = kChannels;
    plan.fps = kFps;
    plan.gopCount = kGops;
    return plan;
}

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

void ExpectColour(const AviPicture& p, int x, int y, int channel, const std::string& what) {
    const recgen::Yuv c = recgen::RgbToYuv(recgen::ChannelColour(channel));
    EXPECT_NEAR(p.Y(x, y), c.y, 12) << what;
    EXPECT_NEAR(p.U(x, y), c.u, 12) << what;
    EXPECT_NEAR(p.V(x, y), c.v, 12) << what;
}

class ChannelSizesTest : public ExportFixture {
protected:
    void Export(const ExtractParams& params) {
        oskulo::CExportController controller;
        ASSERT_TRUE(controller.ExtractPre(params));
        for (std::size_t g = 0; g < gops_.size(); ++g)
            EXPECT_EQ(controller.ExtractWrite(1, gops_[g].bytes.data(), int(gops_[g].bytes.size()),
                                              gops_[g].info.get()),
                      0)
                << "GOP " << g << " refused";
        controller.ExtractFin();
    }

    std::vector<ParsedGop> gops_;
};

TEST_F(ChannelSizesTest, EveryGopReachesEveryOutputWhateverFrameCameLast) {
    recgen::RecordingPlan plan = Plan();
    plan.resolutionCodes = {2, 6};
    plan.shuffledFrames = true;
    gops_ = Record(plan);
    ASSERT_EQ(int(gops_.size()), kGops);
    int otherLast = 0;
    for (const ParsedGop& gop : gops_)
        otherLast += gop.info->lastWidth != gops_[0].info->lastWidth;
    ASSERT_GT(otherLast, 0) << "the fixture must end some GOPs on a channel of another size";

    ExtractParams params = ParamsFor(*gops_[0].info, 8000, 16);
    params.rawOn = 1;
    params.mosaicOn = 1;
    for (int k = 0; k < kChannels; ++k)
        params.aviOn[k] = 1;
    Export(params);

    ExpectRawCopyOf(gops_, RawDvr(), RawInx());
    for (int k = 0; k < kChannels; ++k) {
        const AviContents avi = ReadAvi(AviName(k + 1));
        ASSERT_TRUE(avi.opened) << "channel " << k + 1;
        EXPECT_EQ(avi.width, kSizes[k].width);
        EXPECT_EQ(avi.height, kSizes[k].height);
        EXPECT_EQ(avi.pictures.size(), std::size_t(kGops * kFps)) << "channel " << k + 1;
        EXPECT_NEAR(avi.videoSeconds, kGops, 1e-6) << "channel " << k + 1;
        EXPECT_GE(avi.decodedAudioSamples, kGops * 8000) << "channel " << k + 1;
    }
    const AviContents mosaic = ReadAvi(MosaicName());
    EXPECT_EQ(mosaic.pictures.size(), std::size_t(kGops * kFps));
    EXPECT_NEAR(mosaic.videoSeconds, kGops, 1e-6);

    params = ParamsFor(*gops_[0].info, 8000, 16);
    params.osdDateTime = 1;
    for (int k = 0; k < kChannels; ++k)
        params.movOn[k] = 1;
    Export(params);
    for (int k = 0; k < kChannels; ++k) {
        const AviContents movie = ReadAvi(MovBase(k + 1) + ".mov");
        ASSERT_TRUE(movie.opened) << "channel " << k + 1;
        EXPECT_EQ(movie.width, kSizes[k].width);
        EXPECT_EQ(movie.pictures.size(), std::size_t(kGops * kFps)) << "channel " << k + 1;
        EXPECT_NEAR(movie.videoSeconds, kGops, 0.01) << "channel " << k + 1;
        EXPECT_NEAR(movie.audioSeconds, kGops, 0.01) << "channel " << k + 1;
        const std::vector<uint8_t> ssa = ReadWholeFile(MovBase(k + 1) + ".ssa");
        const std::string text(ssa.begin(), ssa.end());
        EXPECT_EQ(CountOf(text, ",*Time,"), kGops) << "channel " << k + 1;
        EXPECT_EQ(CountOf(text, ",*Log,"), kGops) << "channel " << k + 1;
    }
}

// Channel 4, whose frame ends every GOP, grows to 704 x 576 from the second
// GOP on; it goes to an AVI file and a movie in the same export, so that one
// record holds both its AVI size and its movie's.
TEST_F(ChannelSizesTest, AChannelWhoseSizeChangesIsScaledInItsAviAndStartsANewMovie) {
    recgen::RecordingPlan plan = Plan();
    plan.resolutionChanges = {{.fromGop = 1, .channel = 3, .code = 4}};
    gops_ = Record(plan);
    ASSERT_EQ(int(gops_.size()), kGops);
    ASSERT_EQ(gops_[1].info->width[3], 704);
    ASSERT_EQ(gops_[1].info->lastWidth, 704);
    ExtractParams params = ParamsFor(*gops_[0].info, 8000, 16);
    params.aviOn[3] = 1;
    params.movOn[3] = 1;
    Export(params);

    const AviContents avi = ReadAvi(AviName(4));
    ASSERT_TRUE(avi.opened);
    EXPECT_EQ(avi.width, 352);
    EXPECT_EQ(avi.height, 288);
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
    for (int f : {0, kFps + 2, kGops * kFps - 1})
        ExpectColour(avi.pictures[std::size_t(f)], 176, 200, 3, "frame " + std::to_string(f));

    const AviContents first = ReadAvi(MovBase(4) + ".mov");
    EXPECT_EQ(first.width, 352);
    EXPECT_EQ(first.pictures.size(), std::size_t(kFps));
    const std::string restarted =
        OutputDir() + "/MOV_GEN-0001_20231114_2213_21_ch4_704X576@" + std::to_string(kFps) + "fps";
    const AviContents second = ReadAvi(restarted + ".mov");
    ASSERT_TRUE(second.opened);
    EXPECT_EQ(second.width, 704);
    EXPECT_EQ(second.height, 576);
    EXPECT_EQ(second.pictures.size(), std::size_t((kGops - 1) * kFps));
    ExpectColour(second.pictures[2], 352, 400, 3, "restarted movie");
    EXPECT_TRUE(fs::exists(restarted + ".ssa"));
}

}  // namespace
