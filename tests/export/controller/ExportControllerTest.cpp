#include "export/controller/ExportController.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/export/recording/RecordingGops.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/ExportFixture.h"
#include "tools/recgen/ChannelColour.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGops = 3;
constexpr int kFps = 25;

recgen::RecordingPlan FourChannels() {
    recgen::RecordingPlan plan;
    plan.channels = 4;
    plan.version = 4;
    plan.resolutionCodes = {6};  // 352 x 288
    plan.fps = kFps;
    plan.gopCount = kGops;
    return plan;
}

void ExpectColour(const AviPicture& p, int x, int y, int channel, const char* what) {
    const recgen::Yuv c = recgen::RgbToYuv(recgen::ChannelColour(channel));
    EXPECT_NEAR(p.Y(x, y), c.y, 10) << what << " channel " << channel + 1;
    EXPECT_NEAR(p.U(x, y), c.u, 10) << what << " channel " << channel + 1;
    EXPECT_NEAR(p.V(x, y), c.v, 10) << what << " channel " << channel + 1;
}

// Where each output of the export went; a failed one is marked.
std::vector<std::string> Paths(const std::vector<oskulo::ExportOutput>& outputs) {
    std::vector<std::string> paths;
    for (const oskulo::ExportOutput& o : outputs)
        paths.push_back(o.written ? o.path : "failed: " + o.path);
    return paths;
}

class ExportControllerTest : public ExportFixture {
protected:
    void SetUp() override {
        gops_ = Record(FourChannels());
        ASSERT_EQ(int(gops_.size()), kGops);
        params_ = ParamsFor(*gops_[0].info, 8000, 16);
    }

    void Export() {
        ASSERT_TRUE(controller_.ExtractPre(params_));
        for (ParsedGop& gop : gops_)
            EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()),
                                               gop.info.get()),
                      0);
        controller_.ExtractFin();
    }

    std::vector<ParsedGop> gops_;
    ExtractParams params_{};
    oskulo::CExportController controller_;
};

TEST_F(ExportControllerTest, ChannelFilesHoldEveryFrameWithItsAudio) {
    params_.aviOn[0] = params_.aviOn[2] = 1;
    Export();
    EXPECT_EQ(Paths(controller_.Outputs()), (std::vector<std::string>{AviName(1), AviName(3)}));
    EXPECT_FALSE(controller_.IsExtractOpened());
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_1.avi"));
    EXPECT_FALSE(fs::exists(AviName(2)));
    for (int channel : {1, 3}) {
        const AviContents avi = ReadAvi(AviName(channel));
        ASSERT_TRUE(avi.opened) << channel;
        EXPECT_EQ(avi.videoCodec, "mpeg4");
        EXPECT_EQ(avi.audioCodec, "wmav1");
        EXPECT_EQ(avi.width, 352);
        EXPECT_EQ(avi.height, 288);
        EXPECT_DOUBLE_EQ(avi.frameRate, kFps);
        ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
        EXPECT_NEAR(avi.videoSeconds, kGops, 1e-6);
        EXPECT_GE(avi.decodedAudioSamples, kGops * 8000);
        EXPECT_LT(avi.decodedAudioSamples, kGops * 8000 + 2048);
        for (int f : {0, 30, 74})
            ExpectColour(avi.pictures[std::size_t(f)], 176, 200, channel - 1, "frame");
    }
}

TEST_F(ExportControllerTest, TheMosaicShowsEachChannelInItsTile) {
    params_.mosaicOn = 1;
    Export();
    ASSERT_EQ(Paths(controller_.Outputs()), std::vector<std::string>{MosaicName()});
    const AviContents avi = ReadAvi(MosaicName());
    ASSERT_TRUE(avi.opened);
    EXPECT_EQ(avi.width, 1280);
    EXPECT_EQ(avi.height, 720);
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
    EXPECT_NEAR(avi.audioSeconds, avi.videoSeconds, 0.2);
    for (int f : {0, 40, 74}) {
        for (int k = 0; k < 4; ++k)
            ExpectColour(avi.pictures[std::size_t(f)], (k % 2) * 640 + 320, (k / 2) * 360 + 250, k,
                         "tile");
    }
}

TEST_F(ExportControllerTest, OverlayTextsAreBurntIntoChannelAndMosaicFiles) {
    params_.aviOn[1] = 1;
    params_.mosaicOn = 1;
    params_.osdDateTime = params_.osdVehicleId = 1;
    Export();
    const AviContents channel = ReadAvi(AviName(2));
    ASSERT_EQ(channel.pictures.size(), std::size_t(kGops * kFps));
    const AviPicture& p = channel.pictures[50];
    EXPECT_GT(p.CountBrighter(2, 2, 150, 15, 200), 30) << "date line";
    EXPECT_GT(p.CountBrighter(2, 274, 80, 288, 200), 20) << "vehicle id line";
    EXPECT_EQ(p.CountBrighter(2, 150, 150, 170, 200), 0) << "plain picture";
    const AviContents mosaic = ReadAvi(MosaicName());
    ASSERT_FALSE(mosaic.pictures.empty());
    const AviPicture& m = mosaic.pictures[10];
    EXPECT_GT(m.MeanY(2, 4, 300, 36), m.MeanY(2, 200, 300, 232) + 5);
    EXPECT_GT(m.CountBrighter(2, 680, 160, 716, 200), 40);
}

TEST_F(ExportControllerTest, TheGopBufferIsNeverWrittenTo) {
    params_.aviOn[0] = 1;
    params_.mosaicOn = 1;
    ASSERT_TRUE(controller_.ExtractPre(params_));
    const std::vector<uint8_t> before = gops_[0].bytes;
    EXPECT_EQ(controller_.ExtractWrite(1, gops_[0].bytes.data(), int(gops_[0].bytes.size()),
                                       gops_[0].info.get()),
              0);
    EXPECT_EQ(gops_[0].bytes, before);
    controller_.ExtractFin();
}

TEST_F(ExportControllerTest, AFrameThatFailsRepeatsTheChannelsLastGoodPicture) {
    params_.aviOn[0] = 1;
    params_.mosaicOn = 1;
    // Channel 1's frames 10 to 24 of the second GOP are destroyed.
    const GopInfo& info = *gops_[1].info;
    for (int i = 10; i < kFps; ++i)
        std::fill_n(gops_[1].bytes.begin() + info.frameOffset[0][i], info.frameLength[0][i],
                    uint8_t(0));
    Export();
    const AviContents avi = ReadAvi(AviName(1));
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
    for (int f : {kFps + 9, kFps + 10, kFps + 17, 2 * kFps - 1})
        ExpectColour(avi.pictures[std::size_t(f)], 176, 200, 0, "repeated frame");
    // Repeated exactly: the moving block stays where frame 9 left it.
    const AviPicture& a = avi.pictures[kFps + 9];
    const AviPicture& b = avi.pictures[2 * kFps - 1];
    EXPECT_NEAR(a.MeanY(0, 0, 352, 60), b.MeanY(0, 0, 352, 60), 2.0);
    const AviContents mosaic = ReadAvi(MosaicName());
    ASSERT_EQ(mosaic.pictures.size(), std::size_t(kGops * kFps));
    ExpectColour(mosaic.pictures[2 * kFps - 1], 320, 250, 0, "held tile");
}

TEST_F(ExportControllerTest, AChannelThatNeverDecodedIsBlackInTheMosaicUntilItDoes) {
    params_.mosaicOn = 1;
    const GopInfo& info = *gops_[0].info;
    for (int i = 0; i < kFps; ++i)
        std::fill_n(gops_[0].bytes.begin() + info.frameOffset[1][i], info.frameLength[1][i],
                    uint8_t(0));
    Export();
    const AviContents avi = ReadAvi(MosaicName());
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
    for (int f : {0, kFps - 1}) {
        EXPECT_LT(avi.pictures[std::size_t(f)].Y(960, 250), 24) << "frame " << f;
        EXPECT_NEAR(avi.pictures[std::size_t(f)].U(960, 250), 128, 6) << "frame " << f;
        ExpectColour(avi.pictures[std::size_t(f)], 320, 250, 0, "other tile");
    }
    ExpectColour(avi.pictures[kFps + 5], 960, 250, 1, "decoded at last");
}

TEST_F(ExportControllerTest, TheMosaicAudioKeepsPaceWhenChannelOneHasFewerFrames) {
    params_.mosaicOn = 1;
    params_.outFps[0] = 12;
    for (ParsedGop& gop : gops_)
        gop.info->fps[0] = 12;
    Export();
    const AviContents avi = ReadAvi(MosaicName());
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
    EXPECT_NEAR(avi.videoSeconds, kGops, 1e-6);
    EXPECT_GE(avi.decodedAudioSamples, kGops * 8000);
    EXPECT_LT(avi.decodedAudioSamples, kGops * 8000 + 2048);
    ExpectColour(avi.pictures[30], 320, 250, 0, "12-frame tile");
}

// The moving block's centre along the top edge of a 352-wide channel
// picture, as x from 0 to 1 of the picture's width.
double BlockCentre(const AviPicture& p, int x0, int width, int y0, int rows) {
    double sum = 0;
    int count = 0;
    for (int y = y0; y < y0 + rows; ++y) {
        for (int x = x0; x < x0 + width; ++x) {
            if (p.Y(x, y) > 180) {
                sum += x - x0;
                ++count;
            }
        }
    }
    return count == 0 ? -1 : sum / count / width;
}

// All channels at 25 frames a GOP into a mosaic of 12: each tile runs
// through the whole GOP, the last mosaic frame of the GOP showing frame 22.
TEST_F(ExportControllerTest, TheMosaicSpreadsAFasterChannelOverTheWholeGop) {
    params_.mosaicOn = 1;
    for (int k = 0; k < 4; ++k)
        params_.outFps[k] = 12;
    Export();
    const AviContents avi = ReadAvi(MosaicName());
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * 12));
    // Frame f's block starts at 8 f of 352 and is 44 wide; the tile is 640 x 360.
    const double expected = (8.0 * 22 + 22) / 352;
    EXPECT_NEAR(BlockCentre(avi.pictures[11], 0, 640, 26, 18), expected, 0.03);
}

TEST_F(ExportControllerTest, AChannelFileKeepsItsFrameRateWhenAGopHasFewerFrames) {
    params_.aviOn[0] = 1;
    // The second GOP brings only 12 of channel 1's frames.
    for (int i = 12; i < kFps; ++i)
        gops_[1].info->frameLength[0][i] = 0;
    Export();
    const AviContents avi = ReadAvi(AviName(1));
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * kFps));
    EXPECT_NEAR(avi.videoSeconds, kGops, 1e-6);
    EXPECT_GE(avi.decodedAudioSamples, kGops * 8000);
    EXPECT_LT(avi.decodedAudioSamples, kGops * 8000 + 2048);
    ExpectColour(avi.pictures[kFps + 20], 176, 200, 0, "held frame");
}

TEST_F(ExportControllerTest, AnExistingFinalNameIsKeptAndTheExportGetsTheNextFreeName) {
    params_.aviOn[0] = 1;
    std::ofstream(AviName(1)) << "keep me";
    Export();
    const std::string written = OutputDir() + "/ch1_2.avi";
    EXPECT_EQ(Paths(controller_.Outputs()), std::vector<std::string>{written});
    EXPECT_EQ(fs::file_size(AviName(1)), 7u);
    EXPECT_EQ(ReadAvi(written).pictures.size(), std::size_t(kGops * kFps));
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_1.avi"));
}

// Movies and raw copies take free names when they are created; every
// output is listed under the name it has, the existing files untouched.
TEST_F(ExportControllerTest, NoOutputReplacesAnExistingFile) {
    params_.aviOn[0] = 1;
    params_.movOn[1] = 1;
    params_.rawOn = 1;
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    for (const std::string& taken : {AviName(1), MovBase(2) + ".ssa", RawDvr()})
        WriteWholeFile(taken, old);
    Export();
    const std::string o = OutputDir();
    EXPECT_EQ(Paths(controller_.Outputs()),
              (std::vector<std::string>{o + "/ch1_2.avi", o + "/mov2_2.mov", o + "/mov2_2.ssa",
                                        o + "/copy_2.dvr", o + "/copy_2.inx"}));
    for (const std::string& taken : {AviName(1), MovBase(2) + ".ssa", RawDvr()})
        EXPECT_EQ(ReadWholeFile(taken), old) << taken;
    EXPECT_FALSE(fs::exists(MovBase(2) + ".mov"));
    EXPECT_FALSE(fs::exists(RawInx()));
    ExpectRawCopyOf(gops_, o + "/copy_2.dvr", o + "/copy_2.inx");
    EXPECT_EQ(ReadAvi(o + "/mov2_2.mov").pictures.size(), std::size_t(kGops * kFps));
}

TEST_F(ExportControllerTest, AMovieThatCannotBeCreatedIsListedAsFailed) {
    params_.movOn[0] = 1;
    std::snprintf(params_.movBase[0], kExtractPathSize, "%s/missing/mov1", OutputDir().c_str());
    Export();
    EXPECT_EQ(Paths(controller_.Outputs()),
              std::vector<std::string>{"failed: " + OutputDir() + "/missing/mov1.mov"});
}

TEST_F(ExportControllerTest, AMissingRootFolderIsMadeForTheTemporaryFiles) {
    params_.aviOn[0] = 1;
    fs::remove_all(RootDir());
    Export();
    EXPECT_EQ(Paths(controller_.Outputs()), std::vector<std::string>{AviName(1)});
    EXPECT_TRUE(fs::is_directory(RootDir()));
}

TEST_F(ExportControllerTest, AMovSetRestartsUnderANewNameWhenItsPictureSizeChanges) {
    params_.movOn[1] = 1;
    // From the second GOP on, channel 2 reports another size; the vehicle id
    // of that GOP would lead out of the folder.
    for (std::size_t g = 1; g < gops_.size(); ++g) {
        gops_[g].info->width[1] = 704;
        gops_[g].info->height[1] = 576;
    }
    std::snprintf(gops_[1].info->carId, sizeof gops_[1].info->carId, "../up");
    Export();
    const AviContents first = ReadAvi(MovBase(2) + ".mov");
    EXPECT_EQ(first.pictures.size(), std::size_t(kFps));
    const std::string restarted = OutputDir() + "/MOV____up_20231114_2213_21_ch2_704X576@25fps";
    const AviContents second = ReadAvi(restarted + ".mov");
    EXPECT_EQ(second.pictures.size(), std::size_t((kGops - 1) * kFps));
    EXPECT_EQ(Paths(controller_.Outputs()),
              (std::vector<std::string>{MovBase(2) + ".mov", MovBase(2) + ".ssa",
                                        restarted + ".mov", restarted + ".ssa"}));
}

TEST_F(ExportControllerTest, AGopWithoutAChannelsSizeGoesOnInTheSameMovie) {
    params_.movOn[1] = 1;
    gops_[1].info->width[1] = gops_[1].info->height[1] = 0;
    Export();
    EXPECT_EQ(Paths(controller_.Outputs()),
              (std::vector<std::string>{MovBase(2) + ".mov", MovBase(2) + ".ssa"}));
    EXPECT_EQ(ReadAvi(MovBase(2) + ".mov").pictures.size(), std::size_t(kGops * kFps));
}

TEST_F(ExportControllerTest, AFileThatCannotTakeItsFinalNameIsKeptBelowTheRoot) {
    params_.aviOn[0] = params_.aviOn[1] = 1;
    params_.aviPath[1][0] = '\0';
    ASSERT_TRUE(controller_.ExtractPre(params_));
    for (ParsedGop& gop : gops_)
        controller_.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()), gop.info.get());
    fs::remove_all(OutputDir());  // the output folder disappears before the end
    controller_.ExtractFin();
    EXPECT_EQ(Paths(controller_.Outputs()),
              (std::vector<std::string>{RootDir() + "/ch1.avi", RootDir() + "/export_ch2.avi"}));
    EXPECT_EQ(ReadAvi(RootDir() + "/ch1.avi").pictures.size(), std::size_t(kGops * kFps));
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_1.avi"));
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_2.avi"));
}

TEST_F(ExportControllerTest, AFailedOpenClosesAndRemovesWhatItHadOpened) {
    params_.aviOn[0] = params_.aviOn[1] = 1;
    params_.mosaicOn = 1;
    fs::create_directory(RootDir() + "/temp_all.avi");  // the mosaic cannot be created
    EXPECT_FALSE(controller_.ExtractPre(params_));
    EXPECT_FALSE(controller_.IsExtractOpened());
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_1.avi"));
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_2.avi"));
    EXPECT_EQ(controller_.ExtractWrite(1, gops_[0].bytes.data(), int(gops_[0].bytes.size()),
                                       gops_[0].info.get()),
              1);
    fs::remove(RootDir() + "/temp_all.avi");
    Export();  // nothing of the failed attempt stands in the way
    EXPECT_EQ(Paths(controller_.Outputs()).size(), 3u);
}

TEST_F(ExportControllerTest, RecordValuesBeyondTheirLimitsStayInBounds) {
    params_.aviOn[0] = 1;
    params_.mosaicOn = 1;
    params_.osdTemperature = params_.osdSpeed = params_.osdGps = params_.osdVehicleId = 1;
    ASSERT_TRUE(controller_.ExtractPre(params_));
    ParsedGop& gop = gops_[0];
    GopInfo& info = *gop.info;
    info.fps[0] = 99;
    info.fps[1] = -3;
    info.frameOffset[0][3] = 0xFFFFFFF0u;
    info.frameLength[0][4] = 0xFFFFFFF0u;
    info.audioLength = 1 << 30;
    info.audioChannels = 0;
    info.recordIndex = 1000;
    info.temperatureCount = info.speedCount = info.gpsCount = 1000;
    std::memset(info.carId, 'X', sizeof info.carId);
    EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()), &info), 0);
    controller_.ExtractFin();
    const AviContents avi = ReadAvi(AviName(1));
    EXPECT_EQ(avi.pictures.size(), std::size_t(kFps)) << "the file keeps its own frame rate";
    EXPECT_EQ(ReadAvi(MosaicName()).pictures.size(), std::size_t(kFps));
}

TEST_F(ExportControllerTest, RefusesWhatDoesNotBelongToTheExport) {
    ExtractParams six = params_;
    six.numChannels = 6;
    EXPECT_FALSE(controller_.ExtractPre(six));
    six.numChannels = 0;
    EXPECT_FALSE(controller_.ExtractPre(six));
    ParsedGop& gop = gops_[0];
    const int length = int(gop.bytes.size());
    EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), length, gop.info.get()), 1);
    params_.aviOn[0] = 1;
    ASSERT_TRUE(controller_.ExtractPre(params_));
    EXPECT_FALSE(controller_.ExtractPre(params_)) << "already open";
    EXPECT_TRUE(controller_.IsExtractOpened());
    EXPECT_EQ(controller_.ExtractWrite(0, gop.bytes.data(), length, gop.info.get()), 1);
    EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), length, nullptr), 1);
    GopInfo& info = *gop.info;
    info.channels = 8;
    EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), length, &info), 1);
    info.channels = 4;
    info.lastWidth = 704;  // the size of whichever channel's frame came last: not compared
    EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), length, &info), 0);
    controller_.ExtractFin();
    EXPECT_FALSE(controller_.IsExtractOpened());
    controller_.ExtractFin();  // nothing while closed
    EXPECT_EQ(ReadAvi(AviName(1)).pictures.size(), std::size_t(kFps));
}

TEST_F(ExportControllerTest, TheRawCopyHoldsEveryGopAsItCame) {
    params_.rawOn = 1;
    Export();
    ExpectRawCopyOf(gops_, RawDvr(), RawInx());
}

TEST_F(ExportControllerTest, MovSetsHoldTheChannelsFramesAndSubtitles) {
    params_.movOn[1] = 1;
    params_.osdDateTime = 1;
    Export();
    const AviContents movie = ReadAvi(MovBase(2) + ".mov");
    ASSERT_TRUE(movie.opened);
    EXPECT_EQ(movie.videoCodec, "h264");
    EXPECT_EQ(movie.audioCodec, "pcm_mulaw");
    ASSERT_EQ(movie.pictures.size(), std::size_t(kGops * kFps));
    ExpectColour(movie.pictures[30], 176, 200, 1, "movie frame");
    const std::vector<uint8_t> ssa = ReadWholeFile(MovBase(2) + ".ssa");
    const std::string text(ssa.begin(), ssa.end());
    EXPECT_NE(text.find("[Events]"), std::string::npos);
    EXPECT_NE(text.find("Nov 14 22:13:22 2023"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(MovBase(1) + ".mov"));
}

TEST_F(ExportControllerTest, AFailedRawCopyRollsBackTheOtherOutputs) {
    params_.aviOn[0] = 1;
    params_.movOn[1] = 1;
    params_.rawOn = 1;
    std::snprintf(params_.dvrPath, kExtractPathSize, "%s/missing/copy.dvr", OutputDir().c_str());
    EXPECT_FALSE(controller_.ExtractPre(params_));
    EXPECT_FALSE(controller_.IsExtractOpened());
    EXPECT_FALSE(fs::exists(RootDir() + "/temp_1.avi"));
    EXPECT_TRUE(fs::is_empty(OutputDir()));
}

struct MosaicGrid {
    int channels, columns, rows, tileWidth, tileHeight;
};

class LargeMosaicTest : public ExportFixture, public testing::WithParamInterface<MosaicGrid> {};

TEST_P(LargeMosaicTest, TilesEveryChannelRowByRow) {
    const MosaicGrid grid = GetParam();
    recgen::RecordingPlan plan = FourChannels();
    plan.channels = grid.channels;
    plan.gopCount = 1;
    std::vector<ParsedGop> gops = Record(plan);
    ASSERT_EQ(gops.size(), 1u);
    ExtractParams params = ParamsFor(*gops[0].info, 8000, 16);
    params.mosaicOn = 1;
    oskulo::CExportController controller;
    ASSERT_TRUE(controller.ExtractPre(params));
    EXPECT_EQ(controller.ExtractWrite(1, gops[0].bytes.data(), int(gops[0].bytes.size()),
                                      gops[0].info.get()),
              0);
    controller.ExtractFin();
    const AviContents avi = ReadAvi(MosaicName());
    EXPECT_EQ(avi.width, 1920);
    EXPECT_EQ(avi.height, 1080);
    ASSERT_EQ(avi.pictures.size(), std::size_t(kFps));
    const AviPicture& p = avi.pictures[kFps - 1];
    for (int tile = 0; tile < grid.columns * grid.rows; ++tile) {
        const int x = (tile % grid.columns) * grid.tileWidth + grid.tileWidth / 2;
        const int y = (tile / grid.columns) * grid.tileHeight + grid.tileHeight * 3 / 4;
        if (tile < grid.channels) {
            ExpectColour(p, x, y, tile, "tile");
        } else {
            EXPECT_LT(p.Y(x, y), 24) << "unused tile " << tile;
            EXPECT_NEAR(p.U(x, y), 128, 6) << "unused tile " << tile;
            EXPECT_NEAR(p.V(x, y), 128, 6) << "unused tile " << tile;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, LargeMosaicTest,
                         testing::Values(MosaicGrid{8, 3, 3, 640, 360},
                                         MosaicGrid{12, 4, 3, 480, 360},
                                         MosaicGrid{16, 4, 4, 480, 270}));

class PcmExportTest : public ExportFixture {};

// The x of the moving block's centre in a channel picture of 352 x 288:
// the pixels of its rows that stand out from the background below it.
double BlockCentreX(const AviPicture& p) {
    const int background = p.Y(176, 200);
    double sum = 0;
    int count = 0;
    for (int y = 22; y < 32; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (std::abs(int(p.Y(x, y)) - background) > 60) {
                sum += x;
                ++count;
            }
        }
    }
    return count == 0 ? -1 : sum / count;
}

// Version 3 GOPs hold 25 frames of each channel; the file gets the halved
// rate, 12 frames a GOP, and output frame i of a GOP shows frame i x 25 / 12,
// so the block moves on evenly over the whole GOP, GOP after GOP.
TEST_F(PcmExportTest, VersionThreeExportsHalfTheFramesSpreadOverTheGopAndAllOfItsMonoAudio) {
    recgen::RecordingPlan plan = FourChannels();
    plan.version = 3;
    plan.audio = recgen::AudioKind::kPcm;  // 8000 Hz, 16 bits, mono
    std::vector<ParsedGop> gops = Record(plan);
    ASSERT_EQ(int(gops.size()), kGops);
    ExtractParams params = ParamsFor(*gops[0].info, 8000, 16);
    ASSERT_EQ(params.outFps[0], 12);
    params.aviOn[3] = 1;
    oskulo::CExportController controller;
    ASSERT_TRUE(controller.ExtractPre(params));
    for (ParsedGop& gop : gops)
        EXPECT_EQ(
            controller.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()), gop.info.get()), 0);
    controller.ExtractFin();
    const AviContents avi = ReadAvi(AviName(4));
    EXPECT_DOUBLE_EQ(avi.frameRate, 12);
    ASSERT_EQ(avi.pictures.size(), std::size_t(kGops * 12));
    EXPECT_GE(avi.decodedAudioSamples, kGops * 8000);
    EXPECT_LT(avi.decodedAudioSamples, kGops * 8000 + 2048);
    ExpectColour(avi.pictures[20], 176, 200, 3, "frame");
    // The generator moves the 44-pixel block 8 pixels a frame over 308.
    for (int i = 0; i < kGops * 12; ++i) {
        const int frame = (i / 12) * kFps + (i % 12) * kFps / 12;
        const double expected = (frame * 8 % 308) / 2 * 2 + 22;
        EXPECT_NEAR(BlockCentreX(avi.pictures[std::size_t(i)]), expected, 6)
            << "output frame " << i << " shows frame " << frame;
    }
}

}  // namespace
