// Exports whose outputs meet an awkward case: a damaged frame of a channel
// that is not exported, names at the record's length limit, a raw copy whose
// two names are one file, a camera without pictures in the first GOP, a
// channel above the frame limit. Each output is written or reported as it
// really is.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "export/controller/ExportController.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/ExportFixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGops = 3;
constexpr int kFps = 25;

class OutputCasesTest : public ExportFixture {
protected:
    void SetUp() override {
        recgen::RecordingPlan plan;
        plan.channels = 4;
        plan.fps = kFps;
        plan.gopCount = kGops;
        gops_ = Record(plan);
        ASSERT_EQ(int(gops_.size()), kGops);
        params_ = ParamsFor(*gops_[0].info, 8000, 16);
    }

    void Export(const ExtractParams& params) {
        ASSERT_TRUE(controller_.ExtractPre(params));
        for (ParsedGop& gop : gops_)
            EXPECT_EQ(controller_.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()),
                                               gop.info.get()),
                      0);
        controller_.ExtractFin();
    }

    // Zeroes channel k's frame `frame` of GOP `g`: no start code is left.
    void DestroyFrame(int g, int k, int frame) {
        const GopInfo& info = *gops_[std::size_t(g)].info;
        std::fill_n(gops_[std::size_t(g)].bytes.begin() + info.frameOffset[k][frame],
                    info.frameLength[k][frame], uint8_t(0));
    }

    // Each output as "<path>", or "failed <errno>: <path>".
    std::vector<std::string> Listed() const {
        std::vector<std::string> listed;
        for (const oskulo::ExportOutput& o : controller_.Outputs())
            listed.push_back(o.written ? o.path
                                       : "failed " + std::to_string(o.error) + ": " + o.path);
        return listed;
    }

    static int CountOf(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }

    std::vector<ParsedGop> gops_;
    ExtractParams params_{};
    oskulo::CExportController controller_;
};

// Channel 3's frame 5 of the second GOP has lost its start code; only
// channel 1 goes to a movie: it keeps every frame and every Time event, as
// the AVI file of the same range does.
TEST_F(OutputCasesTest, ADamagedFrameOfAnotherChannelLeavesTheMovieWhole) {
    DestroyFrame(1, 2, 5);
    params_.movOn[0] = 1;
    Export(params_);
    EXPECT_EQ(Listed(), (std::vector<std::string>{MovBase(1) + ".mov", MovBase(1) + ".ssa"}));
    EXPECT_EQ(ReadAvi(MovBase(1) + ".mov").pictures.size(), std::size_t(kGops * kFps));
    const std::vector<uint8_t> ssa = ReadWholeFile(MovBase(1) + ".ssa");
    EXPECT_EQ(CountOf(std::string(ssa.begin(), ssa.end()), "*Time,"), kGops);
}

// The damaged channel's own movie loses that GOP only; the others' stay whole.
TEST_F(OutputCasesTest, ADamagedFrameCostsOnlyItsOwnChannelsGop) {
    DestroyFrame(1, 2, 0);  // the key frame
    params_.movOn[0] = params_.movOn[2] = 1;
    Export(params_);
    EXPECT_EQ(ReadAvi(MovBase(1) + ".mov").pictures.size(), std::size_t(kGops * kFps));
    EXPECT_EQ(ReadAvi(MovBase(3) + ".mov").pictures.size(), std::size_t((kGops - 1) * kFps));
}

// A base of 259 bytes, the most the record holds: the second export's files
// are numbered within that length, and both exports' files stay.
TEST_F(OutputCasesTest, TwoExportsAtTheNameLimitLeaveBothFiles) {
    const std::string dir = OutputDir() + "/";
    const std::string base = dir + std::string(kExtractPathSize - 1 - dir.size(), 'm');
    const std::string copy = dir + std::string(kExtractPathSize - 1 - dir.size() - 4, 'c');
    params_.movOn[1] = 1;
    params_.rawOn = 1;
    std::snprintf(params_.movBase[1], kExtractPathSize, "%s", base.c_str());
    std::snprintf(params_.dvrPath, kExtractPathSize, "%s.dvr", copy.c_str());
    std::snprintf(params_.inxPath, kExtractPathSize, "%s.inx", copy.c_str());
    ASSERT_EQ(FieldText(params_.movBase[1]), base);
    ASSERT_EQ(FieldText(params_.dvrPath), copy + ".dvr");
    Export(params_);
    const std::vector<std::string> first = Listed();
    ASSERT_EQ(first, (std::vector<std::string>{base + ".mov", base + ".ssa", copy + ".dvr",
                                               copy + ".inx"}));
    const uintmax_t firstMovie = fs::file_size(base + ".mov");
    Export(params_);
    const std::string second = base.substr(0, base.size() - 2) + "_2";
    const std::string secondCopy = copy.substr(0, copy.size() - 2) + "_2";
    EXPECT_EQ(Listed(), (std::vector<std::string>{second + ".mov", second + ".ssa",
                                                  secondCopy + ".dvr", secondCopy + ".inx"}));
    EXPECT_EQ(fs::file_size(base + ".mov"), firstMovie) << "the first movie is untouched";
    for (const std::string& movie : {base, second})
        EXPECT_EQ(ReadAvi(movie + ".mov").pictures.size(), std::size_t(kGops * kFps)) << movie;
    ExpectRawCopyOf(gops_, copy + ".dvr", copy + ".inx");
    ExpectRawCopyOf(gops_, secondCopy + ".dvr", secondCopy + ".inx");
}

// The copy's data and index would overwrite each other in one file, however
// the two names spell it: refused before anything is written.
TEST_F(OutputCasesTest, ARawCopyWhoseTwoNamesAreOneFileIsRefused) {
    const std::string copy = OutputDir() + "/copy.dvr";
    for (const std::string& index : {copy, OutputDir() + "/./copy.dvr"}) {
        params_.rawOn = 1;
        std::snprintf(params_.dvrPath, kExtractPathSize, "%s", copy.c_str());
        std::snprintf(params_.inxPath, kExtractPathSize, "%s", index.c_str());
        EXPECT_FALSE(controller_.ExtractPre(params_)) << index;
        EXPECT_FALSE(controller_.IsExtractOpened());
        EXPECT_EQ(Listed(),
                  std::vector<std::string>{"failed " + std::to_string(EINVAL) + ": " + copy})
            << index;
        EXPECT_TRUE(fs::is_empty(OutputDir())) << index;
    }
}

// Channel 2 has no pictures in the first GOP (its size and rate are 0 in the
// record): its AVI file is left out and listed as failed, the others are written.
TEST_F(OutputCasesTest, AnAviExportWithOneEmptyCameraExportsTheOthers) {
    params_.aviOn[0] = params_.aviOn[1] = params_.aviOn[2] = 1;
    params_.outWidth[1] = params_.outHeight[1] = params_.outFps[1] = 0;
    Export(params_);
    EXPECT_EQ(Listed(), (std::vector<std::string>{
                            AviName(1), "failed " + std::to_string(ENODATA) + ": " + AviName(2),
                            AviName(3)}));
    EXPECT_FALSE(fs::exists(AviName(2)));
    for (int channel : {1, 3})
        EXPECT_EQ(ReadAvi(AviName(channel)).pictures.size(), std::size_t(kGops * kFps));
}

// Channel 2's first GOP gives no picture (no size in the record, frames that
// cannot be stored): its movie starts with the second GOP, under the size it
// then shows, and the empty set it was opened with is not listed.
TEST_F(OutputCasesTest, AMovieRestartedBeforeItsFirstGopIsListedOnce) {
    for (int frame = 0; frame < kFps; ++frame)
        DestroyFrame(0, 1, frame);
    gops_[0].info->width[1] = gops_[0].info->height[1] = 0;
    params_.outWidth[1] = params_.outHeight[1] = 0;
    std::snprintf(params_.movBase[1], kExtractPathSize, "%s/first", OutputDir().c_str());
    params_.movOn[1] = 1;
    Export(params_);
    const std::string restarted = OutputDir() + "/MOV_GEN-0001_20231114_2213_21_ch2_352X288@25fps";
    EXPECT_EQ(Listed(), (std::vector<std::string>{restarted + ".mov", restarted + ".ssa"}));
    EXPECT_EQ(ReadAvi(restarted + ".mov").pictures.size(), std::size_t((kGops - 1) * kFps));
    EXPECT_FALSE(fs::exists(OutputDir() + "/first.mov"));
}

// A record that says 31 frames a GOP (the 5-bit field allows it): a GOP
// gives the file at most 30, and the file is opened at the rate it gets, so
// it lasts as long as the export.
TEST_F(OutputCasesTest, AChannelAboveThirtyFramesIsOpenedAtTheRateItIsWritten) {
    params_.aviOn[0] = 1;
    params_.outFps[0] = 31;
    Export(params_);
    const AviContents avi = ReadAvi(AviName(1));
    EXPECT_DOUBLE_EQ(avi.frameRate, 30);
    EXPECT_EQ(avi.pictures.size(), std::size_t(kGops * 30));
    EXPECT_NEAR(avi.videoSeconds, kGops, 1e-6);
}

}  // namespace
