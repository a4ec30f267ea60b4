// Exports onto a disk that fills up part-way: every output whose writes fail
// is reported failed with the system's reason and leaves no file behind;
// the outputs that fit are written whole beside them.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "export/controller/ExportController.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/ExportFixture.h"
#include "tests/export/support/FileSizeLimit.h"

namespace {

namespace fs = std::filesystem;

// Far below what three GOPs of any output take, far above a file's header.
constexpr uint64_t kRoom = 12 * 1024;

class FullDiskTest;

struct FullDiskCase {
    const char* name;
    std::function<void(ExtractParams&)> select;
    // The outputs' final names, in the order they are listed.
    std::function<std::vector<std::string>(const FullDiskTest&)> outputs;
};

void PrintTo(const FullDiskCase& c, std::ostream* os) {
    *os << c.name;
}

class FullDiskTest : public ExportFixture, public testing::WithParamInterface<FullDiskCase> {
public:
    // The fixture's names, for the cases' lists.
    using ExportFixture::AviName;
    using ExportFixture::MosaicName;
    using ExportFixture::MovBase;
    using ExportFixture::RawDvr;
    using ExportFixture::RawInx;
    using ExportFixture::RootDir;
};

TEST_P(FullDiskTest, AnOutputThatRunsOutOfSpaceIsReportedFailedAndLeavesNoFile) {
    recgen::RecordingPlan plan;
    plan.channels = 4;
    plan.gopCount = 3;
    std::vector<ParsedGop> gops = Record(plan);
    ASSERT_EQ(gops.size(), 3u);
    ExtractParams params = ParamsFor(*gops[0].info, 8000, 16);
    GetParam().select(params);
    oskulo::CExportController controller;
    {
        FileSizeLimit full(kRoom);
        ASSERT_TRUE(full.Active());
        ASSERT_TRUE(controller.ExtractPre(params));
        for (ParsedGop& gop : gops)
            EXPECT_EQ(
                controller.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()), gop.info.get()),
                0);
        controller.ExtractFin();
    }
    const std::vector<std::string> expected = GetParam().outputs(*this);
    std::vector<std::string> listed;
    for (const oskulo::ExportOutput& output : controller.Outputs())
        listed.push_back(output.path);
    ASSERT_EQ(listed, expected);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const oskulo::ExportOutput& output = controller.Outputs()[i];
        EXPECT_EQ(output.path, expected[i]);
        EXPECT_FALSE(output.written) << output.path;
        EXPECT_EQ(output.error, EFBIG) << output.path;
        EXPECT_FALSE(fs::exists(output.path)) << output.path;
    }
    EXPECT_TRUE(fs::is_empty(OutputDir()));
    EXPECT_TRUE(fs::is_empty(RootDir())) << "no temporary file stays";
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, FullDiskTest,
    testing::Values(
        FullDiskCase{"ChannelAvi", [](ExtractParams& p) { p.aviOn[0] = p.aviOn[2] = 1; },
                     [](const FullDiskTest& names) {
                         return std::vector<std::string>{names.AviName(1), names.AviName(3)};
                     }},
        FullDiskCase{
            "Mosaic", [](ExtractParams& p) { p.mosaicOn = 1; },
            [](const FullDiskTest& names) { return std::vector<std::string>{names.MosaicName()}; }},
        FullDiskCase{"RawCopy", [](ExtractParams& p) { p.rawOn = 1; },
                     [](const FullDiskTest& names) {
                         return std::vector<std::string>{names.RawDvr(), names.RawInx()};
                     }},
        FullDiskCase{"Movie", [](ExtractParams& p) { p.movOn[1] = 1; },
                     [](const FullDiskTest& names) {
                         return std::vector<std::string>{names.MovBase(2) + ".mov"};
                     }}),
    [](const testing::TestParamInfo<FullDiskCase>& c) { return std::string(c.param.name); });

}  // namespace
