#include "tools/recgen/PairWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "format/FrameHeader.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/GopBuilder.h"

namespace {

using namespace recgen;

std::vector<uint8_t> Gop(uint32_t version, uint32_t time, std::size_t frameBytes) {
    GopBuilder b({.version = version, .time = time});
    GopFrame f;
    f.data.assign(frameBytes, 0xEE);
    b.AddFrame(std::move(f));
    return b.Build();
}

struct Pair {
    std::vector<uint8_t> dvr;
    std::vector<uint8_t> inx;

    uint32_t IndexWord(std::size_t record, std::size_t at) const {
        return LoadU32(inx.data() + 16 * record + at);
    }
    uint64_t EntryOffset(std::size_t record) const { return LoadU64(inx.data() + 16 * record + 8); }
};

class PairWriterTest : public ::testing::Test {
protected:
    std::unique_ptr<PairWriter> Writer() {
        return PairWriter::Create(dir_.File("r.dvr"), dir_.File("r.inx"));
    }
    Pair Read() const {
        return {ReadWholeFile(dir_.File("r.dvr")), ReadWholeFile(dir_.File("r.inx"))};
    }

    TempDir dir_;
};

TEST_F(PairWriterTest, GopsOnSectorBoundariesWithIndex) {
    auto w = Writer();
    ASSERT_TRUE(w);
    const std::size_t sizes[] = {960, 1000 - 40, 30, 2000};
    for (uint32_t i = 0; i < 4; ++i)
        ASSERT_TRUE(w->AddGop(Gop(4, 100 + i, sizes[i])));
    ASSERT_TRUE(w->Finish());
    const Pair p = Read();

    const uint64_t offsets[] = {0, 1024, 2048, 2560};
    ASSERT_EQ(p.dvr.size(), 2560u + 2048);
    EXPECT_EQ(p.IndexWord(0, 0), kInxMagic);
    EXPECT_EQ(p.IndexWord(0, 4), 1u);
    EXPECT_EQ(p.IndexWord(0, 8), 5u);
    EXPECT_EQ(p.IndexWord(0, 12), 0u);
    ASSERT_EQ(p.inx.size(), 16u * 6);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.IndexWord(i + 1, 0), 100 + i);
        EXPECT_EQ(p.IndexWord(i + 1, 4), 0u);
        EXPECT_EQ(p.EntryOffset(i + 1), offsets[i]);
        EXPECT_EQ(w->Placements()[i].offset, offsets[i]);
        const FrameHeader h = ReadFrameHeader(p.dvr.data() + offsets[i]);
        EXPECT_EQ(h.gopLength, 40 + sizes[i]);
        EXPECT_EQ(h.time, 100 + i);
    }
    EXPECT_EQ(p.IndexWord(5, 0), 104u);
    EXPECT_EQ(p.EntryOffset(5), p.dvr.size());
    // Filler between GOPs is zero.
    EXPECT_EQ(p.dvr[1000], 0);
    EXPECT_EQ(p.dvr[1023], 0);
}

// The distance back to the previous GOP, in the unit of the GOP's version.
uint64_t BackDistance(const uint8_t* gop) {
    const FrameHeader h = ReadFrameHeader(gop);
    return h.version >= 4 ? uint64_t(h.prevGopLength) * 512
                          : (uint64_t(h.prevGopLength) + 511) / 512 * 512;
}

TEST_F(PairWriterTest, BackLinksInBytesOrSectorsByVersion) {
    struct Case {
        uint32_t version;
        uint32_t expectedLink;  // of the second GOP, after a first GOP of 20000 bytes
    };
    for (const Case& c : {Case{0, 20000}, Case{3, 20000}, Case{4, 40}}) {
        SCOPED_TRACE(c.version);
        auto w = Writer();
        ASSERT_TRUE(w);
        ASSERT_TRUE(w->AddGop(Gop(c.version, 1, 20000 - 40)));
        ASSERT_TRUE(w->AddGop(Gop(c.version, 2, 5000)));
        ASSERT_TRUE(w->AddGop(Gop(c.version, 3, 10)));
        ASSERT_TRUE(w->Finish());
        const Pair p = Read();
        EXPECT_EQ(ReadFrameHeader(p.dvr.data()).prevGopLength, 0u);
        EXPECT_EQ(ReadFrameHeader(p.dvr.data() + 20480).prevGopLength, c.expectedLink);
        for (std::size_t i = 1; i < 3; ++i) {
            const uint64_t here = p.EntryOffset(i + 1);
            EXPECT_EQ(here - BackDistance(p.dvr.data() + here), p.EntryOffset(i));
        }
    }
}

TEST_F(PairWriterTest, LeadingFillerAndGapsBreakNoLayout) {
    auto w = Writer();
    ASSERT_TRUE(w);
    w->AddGap(1024);
    ASSERT_TRUE(w->AddGop(Gop(4, 1, 100)));
    w->AddGap(1);  // one more sector
    ASSERT_TRUE(w->AddGop(Gop(4, 2, 100)));
    ASSERT_TRUE(w->AddGop(Gop(4, 3, 100)));
    ASSERT_TRUE(w->Finish({.endTime = 99}));
    const Pair p = Read();
    EXPECT_EQ(p.EntryOffset(1), 1024u);
    EXPECT_EQ(p.EntryOffset(2), 2048u);
    EXPECT_EQ(p.EntryOffset(3), 2560u);
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(p.dvr[std::size_t(i)], 0) << i;
    // A GOP after a gap has no GOP right before it and so no back link.
    EXPECT_EQ(ReadFrameHeader(p.dvr.data() + 2048).prevGopLength, 0u);
    EXPECT_EQ(ReadFrameHeader(p.dvr.data() + 2560).prevGopLength, 1u);
    EXPECT_EQ(p.IndexWord(4, 0), 99u);
}

TEST_F(PairWriterTest, DamageOptions) {
    auto w = Writer();
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->AddGop(Gop(4, 1, 100)));
    ASSERT_TRUE(w->AddGop(Gop(4, 2, 100), {.badMagic = true}));
    ASSERT_TRUE(w->AddGop(Gop(4, 3, 100), {.growTo = 3u << 20}));
    ASSERT_TRUE(w->AddGop(Gop(4, 4, 3000)));
    ASSERT_TRUE(w->Finish({.omittedEntries = {0, 2}, .cutBytes = 1000}));
    const Pair p = Read();

    EXPECT_EQ(LoadU32(p.dvr.data() + 512), kFrameMagic + 1);
    const FrameHeader grown = ReadFrameHeader(p.dvr.data() + 1024);
    EXPECT_EQ(grown.gopLength, 3u << 20);
    const uint64_t last = 1024 + (3u << 20);
    EXPECT_EQ(ReadFrameHeader(p.dvr.data() + last).prevGopLength, (3u << 20) / 512);
    // The index keeps its full data length; the file lost the end of its last GOP.
    ASSERT_EQ(p.IndexWord(0, 8), 3u);
    EXPECT_EQ(p.EntryOffset(1), 512u);
    EXPECT_EQ(p.EntryOffset(2), last);
    EXPECT_EQ(p.EntryOffset(3), last + 3072);
    EXPECT_EQ(p.dvr.size(), last + 3072 - 1000);
}

TEST_F(PairWriterTest, ByteBackLinkThatDoesNotFitIsLeftOut) {
    auto w = Writer();
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->AddGop(Gop(3, 1, 100), {.growTo = 2u << 20}));
    ASSERT_TRUE(w->AddGop(Gop(3, 2, 100)));
    ASSERT_TRUE(w->Finish());
    const Pair p = Read();
    EXPECT_EQ(ReadFrameHeader(p.dvr.data() + (2u << 20)).prevGopLength, 0u);
}

TEST_F(PairWriterTest, HugeFileIsSparseWithSixtyFourBitOffsets) {
    constexpr uint64_t kGap = (5ull << 30) + 100;
    auto w = Writer();
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->AddGop(Gop(4, 1, 100)));
    w->AddGap(kGap);
    ASSERT_TRUE(w->AddGop(Gop(4, 2, 100)));
    ASSERT_TRUE(w->Finish());

    const uint64_t second = 512 + (kGap + 511) / 512 * 512;
    struct stat st {};
    ASSERT_EQ(stat(dir_.File("r.dvr").c_str(), &st), 0);
    EXPECT_EQ(uint64_t(st.st_size), second + 512);
    EXPECT_LT(uint64_t(st.st_blocks) * 512, 1u << 20);
    const std::vector<uint8_t> inx = ReadWholeFile(dir_.File("r.inx"));
    EXPECT_EQ(LoadU64(inx.data() + 32 + 8), second);
    EXPECT_EQ(LoadU64(inx.data() + 48 + 8), second + 512);

    std::ifstream dvr(dir_.File("r.dvr"), std::ios::binary);
    dvr.seekg(std::streamoff(second));
    uint8_t header[kFrameHeaderSize];
    ASSERT_TRUE(dvr.read(reinterpret_cast<char*>(header), kFrameHeaderSize));
    EXPECT_TRUE(StartsGop(header));
    EXPECT_EQ(ReadFrameHeader(header).time, 2u);
}

TEST_F(PairWriterTest, EmptyRecordingAndMisuse) {
    auto w = Writer();
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->AddGop({1, 2, 3}));
    ASSERT_TRUE(w->Finish());
    EXPECT_FALSE(w->Finish());
    EXPECT_FALSE(w->AddGop(Gop(4, 1, 10)));
    const Pair p = Read();
    EXPECT_TRUE(p.dvr.empty());
    ASSERT_EQ(p.inx.size(), 32u);
    EXPECT_EQ(p.IndexWord(0, 8), 1u);
    EXPECT_EQ(p.EntryOffset(1), 0u);
    EXPECT_FALSE(PairWriter::Create(dir_.File("missing/r.dvr"), dir_.File("r.inx")));
}

TEST_F(PairWriterTest, IndexHeaderOverridesAndShortIndex) {
    auto w = Writer();
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->AddGop(Gop(4, 1, 100)));
    ASSERT_TRUE(w->AddGop(Gop(4, 2, 100)));
    ASSERT_TRUE(w->Finish({.indexFirst = 3, .indexLast = 1, .inxCutBytes = 20}));
    const Pair p = Read();
    EXPECT_EQ(p.IndexWord(0, 4), 3u);
    EXPECT_EQ(p.IndexWord(0, 8), 1u);
    EXPECT_EQ(p.inx.size(), 4u * 16 - 20);  // header, two entries, end mark, less 20 bytes
}

TEST_F(PairWriterTest, BackLinkOverride) {
    auto w = Writer();
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->AddGop(Gop(4, 1, 100)));
    ASSERT_TRUE(w->AddGop(Gop(4, 2, 100), {.backLink = 77}));
    ASSERT_TRUE(w->Finish());
    EXPECT_EQ(ReadFrameHeader(Read().dvr.data() + 512).prevGopLength, 77u);
}

}  // namespace
