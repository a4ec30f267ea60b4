#include <string>
#include <vector>

#include "tests/player/api/ApiFixture.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

class ExtractApiTest : public ApiFixture {
protected:
    void SetUp() override {
        ApiFixture::SetUp();
        plan_.channels = 4;
        plan_.gopCount = 4;
        plan_.vehicleId = "EXT-0007";
        const std::string base = dir_.File("ext");
        std::string error;
        ASSERT_TRUE(recgen::WriteRecording(plan_, base + ".dvr", base + ".inx", &error)) << error;
        ASSERT_TRUE(OpenPair(base));
    }
    // Data position of index entry `i`.
    uint64_t OffsetOfEntry(int i) {
        InxUnit unit{};
        EXPECT_TRUE(t_->zTellTimeInxUnit(i, &unit));
        return unit.offset;
    }
    int Start(int fromEntry, int toEntry) {
        const uint64_t from = OffsetOfEntry(fromEntry), to = OffsetOfEntry(toEntry);
        return t_->zStartExtract(uint32_t(from), int(from >> 32), uint32_t(to), int(to >> 32));
    }
    static std::vector<int> Codes(const std::vector<ExtractReport>& reports) {
        std::vector<int> codes;
        for (const ExtractReport& r : reports)
            codes.push_back(r.code);
        return codes;
    }
    recgen::RecordingPlan plan_;
};

TEST_F(ExtractApiTest, ARangeGivesItsParsedGopsThenItsIndexRecords) {
    ASSERT_EQ(Start(2, 4), 0);  // GOPs 1 and 2 (entries are counted from 1)
    const std::vector<ExtractReport> reports = WaitForExtraction();
    ASSERT_EQ(Codes(reports), (std::vector<int>{1, 1, 0, 0, 0, 0, 2}));
    for (int g = 0; g < 2; ++g) {
        const ExtractReport& gop = reports[size_t(g)];
        EXPECT_TRUE(gop.hasInfo);
        EXPECT_EQ(gop.time, plan_.startTime + 1 + uint32_t(g));
        EXPECT_EQ(gop.channels, 4);
        EXPECT_EQ(gop.width0, 352);
        EXPECT_EQ(gop.speedCount, recgen::FramesPerChannel(plan_));
        EXPECT_EQ(gop.carId, plan_.vehicleId);
        EXPECT_GT(gop.length, 0);
    }
    EXPECT_EQ(reports[1].percent, 100);
    EXPECT_EQ(reports[2].time, 3u);    // the header: entries 2 .. 4 renumbered 1 .. 3
    EXPECT_EQ(reports[3].offset, 0u);  // offsets relative to the range's start
    EXPECT_EQ(reports[3].time, plan_.startTime + 1);
    EXPECT_EQ(reports[4].percent, 50);
    EXPECT_EQ(reports[5].percent, 100);
    EXPECT_EQ(reports[6].percent, 0);
    EXPECT_FALSE(reports[6].hasInfo);
}

TEST_F(ExtractApiTest, AStopEndsTheExtractionWithStopped) {
    StopExtractionOnFirstGop();
    ASSERT_EQ(Start(1, 5), 0);
    const std::vector<int> codes = Codes(WaitForExtraction());
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), EXTRACT_GOP);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EXTRACT_GOP), 1);
    EXPECT_EQ(codes.back(), EXTRACT_STOPPED);
}

TEST_F(ExtractApiTest, ARangeNotOnTheIndexEndsWithReadFailed) {
    const uint64_t from = OffsetOfEntry(1) + 512;
    const uint64_t to = OffsetOfEntry(3);
    ASSERT_EQ(t_->zStartExtract(uint32_t(from), 0, uint32_t(to), 0), 0);
    EXPECT_EQ(Codes(WaitForExtraction()), std::vector<int>{EXTRACT_READ_FAILED});
}

}  // namespace
