// The raw copy: GOPs back to back on sector boundaries, an index entry every
// 120th GOP and an end mark, a pair the player's reader opens again.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/raw/RawCopyWriter.h"
#include "player/source/FileSource.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "tests/export/recording/RecordingGops.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/GopBuilder.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Gops = std::vector<Bytes>;

struct Index {
    InxHd header{};
    std::vector<InxUnit> entries;  // records 1 to the end of the file
};

Index ReadIndex(const std::string& path) {
    const Bytes bytes = ReadWholeFile(path);
    Index index;
    if (bytes.size() < 16)
        return index;
    index.header = {LoadU32(&bytes[0]), LoadU32(&bytes[4]), LoadU32(&bytes[8]),
                    LoadU32(&bytes[12])};
    for (size_t at = 16; at + 16 <= bytes.size(); at += 16)
        index.entries.push_back(
            {LoadU32(&bytes[at]), LoadU32(&bytes[at + 4]), LoadU64(&bytes[at + 8])});
    return index;
}

// A small GOP of `bytes` bytes whose first header carries `time`.
Bytes SmallGop(uint32_t time, size_t bytes = 1000) {
    recgen::GopBuilder builder({.version = 4, .channelCountCode = 2, .time = time});
    builder.AddFrame({.data = Bytes(bytes - 40, 0xAB)});
    return builder.Build();
}

class RawCopy : public ::testing::Test {
protected:
    std::string Dvr() const { return dir_.File("copy.dvr"); }
    std::string Inx() const { return dir_.File("copy.inx"); }

    TempDir dir_;
    CRawCopyWriter writer_;
};

TEST_F(RawCopy, ExtractedRangeReopensWithTheSameGops) {
    recgen::RecordingPlan plan;
    plan.fps = 5;
    plan.gopCount = 6;
    const RecordingFiles source = MakeRecording(plan, dir_.File("rec"));
    CFileSource reader;
    ASSERT_EQ(reader.Open(source.dvr.c_str(), source.inx.c_str()), 0);
    InxUnit from{}, to{};
    ASSERT_TRUE(reader.ReadTimeInxUnit(2, &from));
    ASSERT_TRUE(reader.ReadTimeInxUnit(5, &to));

    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    writer_.ResetGopCounter();
    Gops range;
    ASSERT_EQ(reader.ExtractRange(from.offset, to.offset,
                                  [&](int code, int, const void* data, int length) {
                                      if (code != 1)
                                          return;
                                      const auto* b = static_cast<const uint8_t*>(data);
                                      range.emplace_back(b, b + length);
                                      EXPECT_TRUE(writer_.WriteGop(data, length));
                                  }),
              0);
    EXPECT_TRUE(writer_.Close());
    ASSERT_EQ(range.size(), 3u);

    EXPECT_EQ(ReadAllGops({Dvr(), Inx()}), range);
    CFileSource copy;
    ASSERT_EQ(copy.Open(Dvr().c_str(), Inx().c_str()), 0);
    EXPECT_EQ(copy.TellTotalLen(), std::filesystem::file_size(Dvr()));
    EXPECT_EQ(copy.TellBegTime(), from.time);
    EXPECT_EQ(copy.TellEndTime(), plan.startTime + 3);  // the last GOP copied
    EXPECT_EQ(copy.TellScreenNum(), 4);
    EXPECT_EQ(copy.TellGopVersion(), 4);
}

TEST_F(RawCopy, IndexesEveryHundredAndTwentiethGop) {
    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    for (uint32_t i = 0; i < 250; ++i)
        ASSERT_TRUE(writer_.WriteGop(SmallGop(5000 + i).data(), 1000));
    ASSERT_TRUE(writer_.Close());

    const Index index = ReadIndex(Inx());
    EXPECT_EQ(index.header.magic, kInxMagic);
    EXPECT_EQ(index.header.first, 1u);
    EXPECT_EQ(index.header.last, 4u);
    EXPECT_EQ(index.header.wrapped, 0u);
    ASSERT_EQ(index.entries.size(), 4u);
    const uint32_t times[] = {5000, 5120, 5240, 5249};
    const uint64_t offsets[] = {0, 120 * 1024, 240 * 1024, 250 * 1024};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(index.entries[i].time, times[i]) << i;
        EXPECT_EQ(index.entries[i].event, 0u) << i;
        EXPECT_EQ(index.entries[i].offset, offsets[i]) << i;
    }
    // Each 1000-byte GOP takes its two sectors.
    EXPECT_EQ(std::filesystem::file_size(Dvr()), 250u * 1024);
    EXPECT_EQ(ReadAllGops({Dvr(), Inx()}).size(), 250u);
}

TEST_F(RawCopy, OneGop) {
    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    const Bytes gop = SmallGop(77, 1536);
    ASSERT_TRUE(writer_.WriteGop(gop.data(), int(gop.size())));
    ASSERT_TRUE(writer_.Close());
    const Index index = ReadIndex(Inx());
    EXPECT_EQ(index.header.last, 2u);
    ASSERT_EQ(index.entries.size(), 2u);
    EXPECT_EQ(index.entries[0].offset, 0u);
    EXPECT_EQ(index.entries[1].offset, 1536u);
    EXPECT_EQ(index.entries[1].time, 77u);
    EXPECT_EQ(ReadWholeFile(Dvr()), gop);
}

TEST_F(RawCopy, CloseWithoutGopsKeepsThePreviousExportsTime) {
    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    ASSERT_TRUE(writer_.Close());
    Index index = ReadIndex(Inx());
    EXPECT_EQ(index.header.last, 1u);
    ASSERT_EQ(index.entries.size(), 1u);
    EXPECT_EQ(index.entries[0].time, 0u);
    EXPECT_EQ(index.entries[0].offset, 0u);

    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    ASSERT_TRUE(writer_.WriteGop(SmallGop(1234).data(), 1000));
    ASSERT_TRUE(writer_.Close());
    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    ASSERT_TRUE(writer_.Close());
    index = ReadIndex(Inx());
    ASSERT_EQ(index.entries.size(), 1u);
    EXPECT_EQ(index.entries[0].time, 1234u);
    EXPECT_EQ(std::filesystem::file_size(Dvr()), 0u);
}

TEST_F(RawCopy, OpenRefusals) {
    EXPECT_FALSE(writer_.Open(dir_.File("missing/a.dvr").c_str(), Inx().c_str()));
    EXPECT_FALSE(writer_.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(Inx()));
    EXPECT_FALSE(writer_.Open(Dvr().c_str(), dir_.File("missing/a.inx").c_str()));
    EXPECT_FALSE(writer_.IsOpen());
    EXPECT_FALSE(writer_.WriteGop(SmallGop(1).data(), 1000));

    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    EXPECT_FALSE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    EXPECT_TRUE(writer_.IsOpen());
    EXPECT_FALSE(writer_.WriteGop(SmallGop(1).data(), 15));
    EXPECT_TRUE(writer_.Close());
    EXPECT_TRUE(writer_.Close());
}

// Neither file is created nor emptied unless both can be opened: an existing
// file of either name keeps its bytes, a new one is removed again.
TEST_F(RawCopy, AFailedOpenLeavesNoNewFileAndDamagesNoExistingOne) {
    struct Case {
        const char* what;
        bool dvrExists, inxExists;
        bool dvrWritable;  // otherwise the .inx path is the one that cannot be created
    };
    const Case cases[] = {
        {"index cannot be created beside an existing data file", true, false, true},
        {"index cannot be created beside a new data file", false, false, true},
        {"data file cannot be created beside an existing index", false, true, false},
    };
    const Bytes old = {'o', 'l', 'd'};
    for (const Case& c : cases) {
        std::filesystem::remove(Dvr());
        std::filesystem::remove(Inx());
        if (c.dvrExists)
            WriteWholeFile(Dvr(), old);
        if (c.inxExists)
            WriteWholeFile(Inx(), old);
        const std::string dvr = c.dvrWritable ? Dvr() : dir_.File("missing/copy.dvr");
        const std::string inx = c.dvrWritable ? dir_.File("missing/copy.inx") : Inx();
        EXPECT_FALSE(writer_.Open(dvr.c_str(), inx.c_str())) << c.what;
        EXPECT_FALSE(writer_.IsOpen()) << c.what;
        EXPECT_EQ(std::filesystem::exists(Dvr()), c.dvrExists) << c.what;
        EXPECT_EQ(std::filesystem::exists(Inx()), c.inxExists) << c.what;
        EXPECT_EQ(ReadWholeFile(Dvr()), c.dvrExists ? old : Bytes()) << c.what;
        EXPECT_EQ(ReadWholeFile(Inx()), c.inxExists ? old : Bytes()) << c.what;
    }
    // Once both open, existing files are emptied and written afresh.
    WriteWholeFile(Dvr(), Bytes(5000, 1));
    ASSERT_TRUE(writer_.Open(Dvr().c_str(), Inx().c_str()));
    const Bytes gop = SmallGop(7);
    ASSERT_TRUE(writer_.WriteGop(gop.data(), int(gop.size())));
    ASSERT_TRUE(writer_.Close());
    EXPECT_EQ(std::filesystem::file_size(Dvr()), 1024u);
}

// A full disk: the GOP that does not fit fails at once, one held in the
// stream's buffer fails when the copy is closed.
TEST_F(RawCopy, WriteFailuresAreReported) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ASSERT_TRUE(writer_.Open("/dev/full", Inx().c_str()));
    const Bytes large = SmallGop(1, 256 * 1024);
    EXPECT_FALSE(writer_.WriteGop(large.data(), int(large.size())));
    EXPECT_FALSE(writer_.WriteGop(SmallGop(2).data(), 1000));
    EXPECT_FALSE(writer_.Close());

    ASSERT_TRUE(writer_.Open("/dev/full", Inx().c_str()));
    EXPECT_TRUE(writer_.WriteGop(SmallGop(3).data(), 1000));
    EXPECT_FALSE(writer_.Close());
}

}  // namespace
