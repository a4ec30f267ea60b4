#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "player/disk/SdSource.h"
#include "shared/ByteOrder.h"
#include "tests/player/disk/DiskFixture.h"

namespace {

using diskimage::kMiB;

constexpr uint64_t kIndexOffset = kMiB;      // T
constexpr uint64_t kDataStart = 168820736;   // T + 160 MiB
constexpr uint64_t kCardEnd = 180 * kMiB;    // E
constexpr uint32_t kGopPayload = 4096 - 40;  // GOPs of exactly 8 sectors
constexpr int kGopsPerLap = int((kCardEnd - kDataStart) / 4096);

diskimage::SdImageOptions Card(int gops) {
    diskimage::SdImageOptions options;
    options.cardSize = kCardEnd;
    options.indexOffset = kIndexOffset;
    options.plan.count = gops;
    options.plan.payload = [](int) { return kGopPayload; };
    return options;
}

std::vector<uint8_t> FileBytes(const std::string& path, uint64_t offset, size_t size) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(std::streamoff(offset));
    std::vector<uint8_t> bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    return bytes;
}

class SdSourceTest : public DiskFixture {
protected:
    void OpenCard() {
        ASSERT_TRUE(reader_.Detect(&paths_));
        ASSERT_EQ(reader_.Open(paths_), 0);
    }
    CSdSource reader_;
    CDataSource paths_;
};

TEST_F(SdSourceTest, CardAboveEveryLetteredDiskIsFoundWithItsAreas) {
    AddCard(Card(100), 7);
    ASSERT_TRUE(reader_.Detect(&paths_));
    EXPECT_STREQ(paths_.DataFile, "\\\\.\\PHYSICALDRIVE7");
    EXPECT_STREQ(paths_.TimeIndexFile, "");
    EXPECT_EQ(reader_.TimeAreaStart(), 1048576u);
    EXPECT_EQ(reader_.EventAreaStart(), 17825792u);
    EXPECT_EQ(reader_.QuickAreaStart(), 34603008u);
    EXPECT_EQ(reader_.DataStart(), kDataStart);
    EXPECT_EQ(reader_.DataLength(), kCardEnd - kDataStart);
}

TEST_F(SdSourceTest, CardsWithoutAValidHeaderAreNotFound) {
    struct Case {
        const char* name;
        std::string text;
        uint64_t storedOffset;
    };
    for (const Case& c :
         {Case{"other text", "SD RAW FORMAX", 0}, Case{"text not terminated", "SD RAW FORMAT!", 0},
          Case{"offset off a sector", "SD RAW FORMAT", kIndexOffset + 16},
          Case{"offset past the card", "SD RAW FORMAT", kCardEnd + kMiB},
          Case{"no room for data", "SD RAW FORMAT", kCardEnd - 160 * kMiB},
          Case{"offset on the header", "SD RAW FORMAT", 512}}) {
        SCOPED_TRACE(c.name);
        diskimage::SdImageOptions options = Card(10);
        options.headerText = c.text;
        options.storedIndexOffset = c.storedOffset;
        AddCard(options);
        EXPECT_FALSE(reader_.Detect(&paths_));
    }
    AddCard(Card(10));
    SetPresent(5, false);
    EXPECT_FALSE(reader_.Detect(&paths_));
}

TEST_F(SdSourceTest, IndexRecordsAreReadFromTheirSectors) {
    const diskimage::Recording r = AddCard(Card(400));
    OpenCard();
    InxUnit unit{};
    // Entry 33 is the second record of the time area's second sector.
    ASSERT_TRUE(reader_.ReadTimeInxRaw(33, &unit));
    EXPECT_EQ(unit.time, r.written[32].time);
    EXPECT_EQ(unit.offset, r.written[32].raw);
    ASSERT_TRUE(reader_.ReadTimeInxUnit(33, &unit));
    EXPECT_EQ(unit.offset, r.written[32].raw - kDataStart);
    EXPECT_FALSE(reader_.ReadTimeInxUnit(0, &unit));
    EXPECT_FALSE(reader_.ReadTimeInxUnit(0x100000, &unit));  // past the 16 MiB area
    // Quick record 5 lies 128 bytes into the quick area's second sector.
    QuickInxUnit quick{};
    ASSERT_TRUE(reader_.ReadQuickInxUnit(5, &quick));
    EXPECT_EQ(LoadU32(quick.bytes), r.live[40].entry);
    InxHd header{};
    ASSERT_TRUE(reader_.ReadTimeInxHd(&header));
    EXPECT_EQ(header.first, 1u);
    EXPECT_EQ(header.last, 400u);  // the newest entry itself
    ASSERT_TRUE(reader_.ReadEvtInxHd(&header));
    EXPECT_EQ(header.last, 40u);
    ASSERT_TRUE(reader_.ReadEvtInxUnit(40, &unit));
    EXPECT_EQ(unit.offset, r.live[390].raw - kDataStart);
}

TEST_F(SdSourceTest, WrappedCardOpensTwiceAlikeAndStaysUnchanged) {
    const diskimage::Recording r = AddCard(Card(kGopsPerLap + 300));
    ASSERT_TRUE(r.wrapped);
    const std::vector<uint8_t> before = FileBytes(dir_.File("card.img"), kIndexOffset, 512);
    // Laps line up: the start is the entry after the one the newest GOP overwrote.
    const diskimage::PlacedGop& start = r.written[300];
    ASSERT_EQ(start.raw, r.written.back().raw + 4096);
    for (int open = 0; open < 2; ++open) {
        OpenCard();
        InxHd header{};
        ASSERT_TRUE(reader_.ReadTimeInxHd(&header));
        EXPECT_EQ(header.first, start.entry);
        EXPECT_EQ(reader_.TellBegTime(), start.time);
        EXPECT_EQ(reader_.TellTotalLen(), kCardEnd - kDataStart);
        reader_.Close();
    }
    EXPECT_EQ(FileBytes(dir_.File("card.img"), kIndexOffset, 512), before);
}

// One entry a minute: the 33 GOPs written after the newest entry overwrote
// the older lap's minute at slot 300; the start is the one at slot 360.
TEST_F(SdSourceTest, WrappedStartPassesAMinuteTheNewestGopsOverwrote) {
    diskimage::SdImageOptions options = Card(kGopsPerLap + 330);
    options.plan.minuteIndex = true;
    const diskimage::Recording r = AddCard(options);
    ASSERT_TRUE(r.wrapped);
    ASSERT_TRUE(NewestGopsOverwroteAMinute(r));
    OpenCard();
    InxHd header{};
    ASSERT_TRUE(reader_.ReadTimeInxHd(&header));
    EXPECT_EQ(header.first, r.written[360].entry);
    EXPECT_EQ(reader_.TellBegTime(), r.written[360].time);
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_), &last), IndexedLiveTimes(r)));
    EXPECT_EQ(IndexedLiveTimes(r).front(), r.written[360].time);
    EXPECT_EQ(last, GopReadResult::End);
}

// A damaged length field in the newer lap costs that GOP only: the GOPs
// after it play and the older lap is not played again.
TEST_F(SdSourceTest, DamagedGopLengthInTheNewerLapCostsOnlyThatGop) {
    diskimage::SdImageOptions options = Card(kGopsPerLap + 300);
    const int damaged = kGopsPerLap + 290;
    options.plan.statedLength = [damaged](int i) { return i == damaged ? 11u << 20 : 0u; };
    const diskimage::Recording r = AddCard(options);
    OpenCard();
    int failures = 0;
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(PlayedTimes(Forward(reader_), &failures, &last),
                          TimesWithout(LiveTimes(r), r.written[size_t(damaged)].time)));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_EQ(reader_.Tellp(), reader_.TellTotalLen());
}

TEST_F(SdSourceTest, ReadingReachesTheCardsEndAndGoesOnAtTheDataStart) {
    const diskimage::Recording r = AddCard(Card(kGopsPerLap + 300));
    OpenCard();
    EXPECT_TRUE(reader_.IsInWrapPart(kCardEnd));
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_), &last), LiveTimes(r)));
    EXPECT_EQ(last, GopReadResult::End);
    std::vector<uint32_t> reversed = LiveTimes(r);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_TRUE(SameTimes(TimesOf(Backward(reader_), &last), reversed));
    EXPECT_EQ(last, GopReadResult::Start);
}

TEST_F(SdSourceTest, SeekOutsideTheDataReportsTheCardsError) {
    AddCard(Card(kGopsPerLap + 300));
    OpenCard();
    EXPECT_EQ(reader_.Seek(reader_.TellTotalLen() + 512), -1);
    EXPECT_EQ(errors_.TakeCodes(), std::vector<int>{40054});
    EXPECT_EQ(reader_.SeekRaw(kDataStart - 512), -1);
    EXPECT_EQ(reader_.SeekRaw(kCardEnd + 512), -1);
    EXPECT_EQ(reader_.Seek(4096), 0);
    EXPECT_EQ(reader_.Tellp(), 4096u);
}

TEST_F(SdSourceTest, RemovedCardIsNoLongerPresentAndCloseForgetsTheAreas) {
    AddCard(Card(100));
    OpenCard();
    CSdSource second(reader_);
    ASSERT_EQ(second.Reopen(), 0);
    EXPECT_EQ(second.TellTotalLen(), reader_.TellTotalLen());
    EXPECT_TRUE(reader_.IsPresent());
    SetPresent(5, false);
    EXPECT_FALSE(reader_.IsPresent());
    EXPECT_FALSE(second.IsPresent());
    reader_.Close();
    EXPECT_EQ(reader_.DataStart(), kNoPosition);
    EXPECT_EQ(reader_.TimeAreaStart(), kNoPosition);
    EXPECT_EQ(reader_.Reopen(), -1);
}

}  // namespace
