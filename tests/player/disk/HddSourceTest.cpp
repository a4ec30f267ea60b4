#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "player/disk/HddSource.h"
#include "player/source/IndexCodec.h"
#include "shared/ByteOrder.h"
#include "tests/player/disk/DiskFixture.h"
#include "tests/player/disk/NoWriteOverride.h"
#include "tools/diskimage/RingRecorder.h"

namespace {

using diskimage::kMiB;

// 200 GOPs from raw 1 MiB on: the ring has not wrapped.
diskimage::HddImageOptions FlatDisk() {
    diskimage::HddImageOptions options;
    options.startRaw = kMiB;
    options.plan.count = 200;
    return options;
}

// About one and a half laps of a 24 MiB ring (14 MiB usable before the reserve).
diskimage::HddImageOptions WrappedDisk() {
    diskimage::HddImageOptions options;
    options.plan.count = 5000;
    return options;
}

// The ring start: the oldest GOP no later one overwrote.
size_t ExpectedStart(const diskimage::Recording& r) {
    for (size_t j = 0; j < r.written.size(); ++j)
        if (r.written[j].raw == r.live.front().raw && r.written[j].time == r.live.front().time)
            return j;
    return 0;
}

InxHd StoredHeader(const std::string& timeindex) {
    std::ifstream in(timeindex, std::ios::binary);
    uint8_t record[16] = {};
    in.read(reinterpret_cast<char*>(record), sizeof record);
    return DecodeInxHd(record);
}

class HddSourceTest : public DiskFixture {
protected:
    void OpenDisk() {
        ASSERT_TRUE(reader_.Detect(&paths_));
        ASSERT_EQ(reader_.Open(paths_), 0);
    }
    std::vector<uint32_t> ReversedLive(const diskimage::Recording& r) {
        std::vector<uint32_t> times = LiveTimes(r);
        std::reverse(times.begin(), times.end());
        return times;
    }

    CHddSource reader_;
    CDataSource paths_;
};

TEST_F(HddSourceTest, DetectFindsTheDriveHoldingTimeindexWhateverComesBefore) {
    AddDisk(FlatDisk());
    ASSERT_TRUE(reader_.Detect(&paths_));
    EXPECT_STREQ(paths_.DataFile, "\\\\.\\PHYSICALDRIVE3");
    EXPECT_EQ(std::string(paths_.TimeIndexFile), dir_.File("f") + "/timeindex");
    EXPECT_EQ(std::string(paths_.EventIndexFile), dir_.File("f") + "/eventindex");
    EXPECT_EQ(std::string(paths_.QuickIndexFile), dir_.File("f") + "/quickindex");
    EXPECT_EQ(reader_.PartitionStart(), 2 * kMiB);
    EXPECT_EQ(reader_.PartitionLength(), 24 * kMiB);
}

TEST_F(HddSourceTest, NoDiskAnAbsentDiskOrOnePartitionIsNotDetected) {
    EXPECT_FALSE(reader_.Detect(&paths_));
    diskimage::HddImageOptions single = FlatDisk();
    single.secondPartition = false;
    AddDisk(single);
    EXPECT_FALSE(reader_.Detect(&paths_));
    AddDisk(FlatDisk());
    SetPresent(kRecorderDisk, false);
    EXPECT_FALSE(reader_.Detect(&paths_));
    SetPresent(kRecorderDisk, true);
    EXPECT_TRUE(reader_.Detect(&paths_));
}

TEST_F(HddSourceTest, OpenRefusesUntilDetected) {
    AddDisk(FlatDisk());
    CDataSource paths;
    ASSERT_TRUE(CHddSource().Detect(&paths));
    EXPECT_EQ(reader_.Open(paths), -1);
    EXPECT_EQ(reader_.ReadGop(buffer_.get(), nullptr), GopReadResult::NotOpen);
}

TEST_F(HddSourceTest, UnwrappedRingRunsFromTheOldestEntryToTheNewestGop) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    ASSERT_FALSE(r.wrapped);
    OpenDisk();
    const diskimage::PlacedGop& newest = r.written.back();
    EXPECT_EQ(reader_.TellTotalLen(), newest.raw + newest.size - kMiB);
    EXPECT_EQ(reader_.LogicalToRaw(0), kMiB);
    EXPECT_EQ(reader_.Tellp(), 0u);
    EXPECT_EQ(reader_.TellBegTime(), r.written.front().time);
    EXPECT_EQ(reader_.TellEndTime(), newest.time);
    EXPECT_EQ(reader_.TellScreenNum(), 4);
    EXPECT_EQ(reader_.TellGopVersion(), 4);
    char carId[16] = {'x'};
    EXPECT_EQ(reader_.TellCarId(carId), 0);
    EXPECT_STREQ(carId, "");

    EXPECT_EQ(reader_.Seek(reader_.TellTotalLen() + 1), -1);
    EXPECT_EQ(errors_.TakeCodes(), std::vector<int>{40053});
    ASSERT_EQ(reader_.Seek(reader_.TellTotalLen()), 0);
    int length = kGopBufferSize;
    EXPECT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::End);
}

TEST_F(HddSourceTest, UnwrappedRingReadsForwardToTheEndAndBackToTheStart) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    OpenDisk();
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_), &last), LiveTimes(r)));
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_TRUE(SameTimes(TimesOf(Backward(reader_), &last), ReversedLive(r)));
    EXPECT_EQ(last, GopReadResult::Start);
    EXPECT_EQ(reader_.Tellp(), 0u);
}

TEST_F(HddSourceTest, SeekRoundsUpAndSkipsCountGops) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    OpenDisk();
    ASSERT_EQ(reader_.Seek(1), 0);
    EXPECT_EQ(reader_.Tellp(), 512u);
    ASSERT_EQ(reader_.Seek(0), 0);
    int length = kGopBufferSize;
    ASSERT_EQ(reader_.SkipGop(2, buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[2].time);
    ASSERT_EQ(reader_.ReadGopBack(buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[2].time);
    ASSERT_EQ(reader_.SkipGopBack(1, buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[0].time);
    EXPECT_EQ(reader_.SkipGop(0, buffer_.get(), &length), GopReadResult::NotOpen);
    EXPECT_EQ(reader_.SkipGopBack(0, buffer_.get(), &length), GopReadResult::NotOpen);
}

// Writes bytes into a file at an offset, leaving the rest as it is.
void Patch(const std::string& path, uint64_t offset, const std::vector<uint8_t>& bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(std::streamoff(offset));
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST_F(HddSourceTest, GopsAfterTheNewestEntryBelongToTheDataUpToAGap) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    // The index lags ten GOPs behind the ring, and a stray GOP lies 2 MiB past its end.
    InxHd header = StoredHeader(dir_.File("f/timeindex"));
    header.last -= 10;
    std::vector<uint8_t> record(16);
    EncodeInxHd(header, record.data());
    Patch(dir_.File("f/timeindex"), 0, record);
    const diskimage::PlacedGop& newest = r.written.back();
    Patch(dir_.File("hdd.img"), 2 * kMiB + newest.raw + newest.size + 2 * kMiB,
          diskimage::MakeTestGop(newest.time + 5, 1000, 0));
    OpenDisk();
    EXPECT_EQ(reader_.TellEndTime(), newest.time);
    EXPECT_EQ(reader_.TellTotalLen(), newest.raw + newest.size - kMiB);
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_)), LiveTimes(r)));
}

// Backward reads follow the rule of every reader: from filler, the GOP that
// ends there; else the back link of the GOP header found. GOP 5 is cut two
// sectors short, so that filler follows it.
TEST_F(HddSourceTest, BackwardFromFillerReturnsTheGopThatEndsThereAsTheFilePairDoes) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    const diskimage::PlacedGop& cut = r.live[5];
    ASSERT_GE(cut.size, 3 * 512u);
    std::vector<uint8_t> header(40);
    {
        std::ifstream in(dir_.File("hdd.img"), std::ios::binary);
        in.seekg(std::streamoff(2 * kMiB + cut.raw));
        in.read(reinterpret_cast<char*>(header.data()), 40);
    }
    // GOP 5 shortened by two sectors, its frame with it, so that it holds
    // together and is followed by filler.
    FrameHeader fields = ReadFrameHeader(header.data());
    fields.gopLength = cut.size - 1024;
    fields.frameLength = fields.gopLength - kFrameHeaderSize;
    WriteFrameHeader(fields, header.data());
    Patch(dir_.File("hdd.img"), 2 * kMiB + cut.raw, header);
    OpenDisk();
    ASSERT_EQ(reader_.Seek(reader_.RawToLogical(cut.raw)), 0);
    int length = kGopBufferSize;
    ASSERT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Read);
    ASSERT_EQ(reader_.Tellp(), reader_.RawToLogical(cut.raw + cut.size - 1024));  // in filler
    for (size_t expected : {5, 4, 3}) {
        length = kGopBufferSize;
        ASSERT_EQ(reader_.ReadGopBack(buffer_.get(), &length), GopReadResult::Read);
        EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[expected].time);
    }
    // From the filler forward again: the GOP after it.
    ASSERT_EQ(reader_.Seek(reader_.RawToLogical(cut.raw + cut.size - 1024)), 0);
    length = kGopBufferSize;
    ASSERT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[6].time);
}

TEST_F(HddSourceTest, GopLargerThanTheBufferIsPassedOnce) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    OpenDisk();
    int length = 1024;  // smaller than the first GOP
    ASSERT_GT(r.live[0].size, 1024u);
    EXPECT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Failed);
    length = kGopBufferSize;
    ASSERT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[1].time);
}

// One GOP's length field says 11 MiB on a disk that has not wrapped and whose
// partition is mostly empty: it is passed by its first sector and every other
// GOP plays; reading ends at the data's end without scanning the partition.
TEST_F(HddSourceTest, DamagedGopLengthOnAnUnwrappedDiskCostsOnlyThatGop) {
    diskimage::HddImageOptions options;
    options.partition2Length = 1024 * kMiB;
    options.plan.count = 12;
    options.plan.statedLength = [](int i) { return i == 6 ? 11u << 20 : 0u; };
    const diskimage::Recording r = AddDisk(options);
    OpenDisk();
    const uint64_t before = BytesReadByProcess();
    int failures = 0;
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(PlayedTimes(Forward(reader_), &failures, &last),
                          TimesWithout(LiveTimes(r), r.written[6].time)));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_LT(BytesReadByProcess() - before, 4 * kMiB);
    EXPECT_EQ(reader_.Tellp(), reader_.TellTotalLen());  // still a data position
    int length = kGopBufferSize;
    EXPECT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::End);
    // A skip over it passes it the same way.
    ASSERT_EQ(reader_.Seek(reader_.RawToLogical(r.written[5].raw)), 0);
    length = kGopBufferSize;
    ASSERT_EQ(reader_.SkipGop(2, buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.written[7].time);
}

// A recorder that copies the GOP-wide fields into every frame header: a
// seek into a GOP rounds up onto its later header, which the search passes,
// so the read returns the next GOP whole and the one after follows.
TEST_F(HddSourceTest, ACopiedLaterHeaderOnASectorIsPassedAfterASeek) {
    diskimage::HddImageOptions options = FlatDisk();
    options.plan.count = 20;
    options.plan.copiedHeaderAt = 512;
    const diskimage::Recording r = AddDisk(options);
    OpenDisk();
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_)), LiveTimes(r)));
    for (size_t k = 0; k + 2 < r.live.size(); ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(reader_.Seek(reader_.RawToLogical(r.live[k].raw) + 1), 0);
        int length = kGopBufferSize;
        ASSERT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Read);
        EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[k + 1].time);
        EXPECT_EQ(uint32_t(length), r.live[k + 1].size);
        length = kGopBufferSize;
        ASSERT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Read);
        EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[k + 2].time);
        // Backward from past the later header: the GOP before, whole.
        ASSERT_EQ(reader_.Seek(reader_.RawToLogical(r.live[k + 1].raw) + 1024), 0);
        length = kGopBufferSize;
        ASSERT_EQ(reader_.ReadGopBack(buffer_.get(), &length), GopReadResult::Read);
        EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[k].time);
        EXPECT_EQ(uint32_t(length), r.live[k].size);
        EXPECT_EQ(reader_.Tellp(), reader_.RawToLogical(r.live[k].raw));
    }
    ASSERT_EQ(reader_.Seek(reader_.TellTotalLen()), 0);
    EXPECT_TRUE(SameTimes(TimesOf(Backward(reader_)), ReversedLive(r)));
}

// The same in part 2 of a wrapped ring: the newest GOPs play, the older lap
// is not played again, and an extraction of the whole range sends every GOP
// but the damaged one and fails.
TEST_F(HddSourceTest, DamagedGopLengthInTheNewerLapCostsOnlyThatGop) {
    diskimage::HddImageOptions options = WrappedDisk();
    const int damaged = options.plan.count - 5;
    options.plan.statedLength = [damaged](int i) { return i == damaged ? 11u << 20 : 0u; };
    const diskimage::Recording r = AddDisk(options);
    ASSERT_TRUE(r.wrapped);
    const auto wrap = std::adjacent_find(
        r.written.begin(), r.written.end(),
        [](const diskimage::PlacedGop& a, const diskimage::PlacedGop& b) { return b.raw < a.raw; });
    ASSERT_LT(wrap - r.written.begin(), damaged);  // in the newer lap
    OpenDisk();
    const std::vector<uint32_t> expected =
        TimesWithout(LiveTimes(r), r.written[size_t(damaged)].time);
    int failures = 0;
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(PlayedTimes(Forward(reader_), &failures, &last), expected));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_EQ(reader_.Tellp(), reader_.TellTotalLen());
    // From the oldest entry to the newest, which is the newest GOP's.
    std::vector<uint32_t> sent;
    int unreadable = 0;
    const uint64_t to = reader_.RawToLogical(r.live.back().raw);
    const int result = reader_.ExtractRange(0, to, [&](int code, int, const void* data, int) {
        if (code == 1)
            sent.push_back(ReadFrameHeader(static_cast<const uint8_t*>(data)).time);
        unreadable += code == -2;
    });
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(SameTimes(sent, std::vector<uint32_t>(expected.begin(), expected.end() - 1)));
    EXPECT_EQ(unreadable, 1);
}

TEST_F(HddSourceTest, WrappedRingReadsAcrossTheWrapBothWays) {
    const diskimage::Recording r = AddDisk(WrappedDisk());
    ASSERT_TRUE(r.wrapped);
    OpenDisk();
    EXPECT_EQ(reader_.TellTotalLen(), (14 * kMiB - reader_.LogicalToRaw(0)) +
                                          (r.written.back().raw + r.written.back().size));
    EXPECT_TRUE(reader_.IsInWrapPart(14 * kMiB));
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_), &last), LiveTimes(r)));
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_TRUE(SameTimes(TimesOf(Backward(reader_), &last), ReversedLive(r)));
    EXPECT_EQ(last, GopReadResult::Start);
}

TEST_F(HddSourceTest, WrappedOpenRepairsTheStoredStartOnce) {
    const diskimage::Recording r = AddDisk(WrappedDisk());
    const std::string timeindex = dir_.File("f/timeindex");
    const InxHd before = StoredHeader(timeindex);
    const size_t start = ExpectedStart(r);
    ASSERT_GT(start, 0u);
    for (int open = 0; open < 2; ++open) {
        OpenDisk();
        const InxHd stored = StoredHeader(timeindex);
        EXPECT_EQ(stored.first, r.written[start].entry);
        EXPECT_EQ(stored.last, before.last);
        EXPECT_EQ(stored.wrapped, 1u);
        EXPECT_EQ(reader_.TellBegTime(), r.written[start].time);
        EXPECT_EQ(reader_.LogicalToRaw(0), r.written[start].raw);
        reader_.Close();
    }
}

// One entry a minute: the GOPs written after the newest entry overwrote the
// next minute of the older lap. The start is the first minute they left,
// kept in the disk's index, and playback runs from it in time order.
TEST_F(HddSourceTest, WrappedStartPassesAMinuteTheNewestGopsOverwrote) {
    diskimage::HddImageOptions options = WrappedDisk();
    options.plan.count = 5040;  // 59 GOPs after the newest minute
    options.plan.minuteIndex = true;
    const diskimage::Recording r = AddDisk(options);
    ASSERT_TRUE(r.wrapped);
    ASSERT_TRUE(NewestGopsOverwroteAMinute(r));
    const std::vector<uint32_t> expected = IndexedLiveTimes(r);
    OpenDisk();
    EXPECT_EQ(reader_.TellBegTime(), expected.front());
    const auto start = std::find_if(r.live.begin(), r.live.end(),
                                    [](const diskimage::PlacedGop& g) { return g.entry != 0; });
    EXPECT_EQ(StoredHeader(dir_.File("f/timeindex")).first, start->entry);
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_), &last), expected));
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end()));
}

TEST_F(HddSourceTest, ReadOnlyIndexStillOpensAfterAWrap) {
    const diskimage::Recording r = AddDisk(WrappedDisk());
    const std::string timeindex = dir_.File("f/timeindex");
    const InxHd before = StoredHeader(timeindex);
    ASSERT_EQ(chmod(timeindex.c_str(), 0444), 0);
    NoWriteOverride readOnly;
    OpenDisk();
    EXPECT_EQ(StoredHeader(timeindex).first, before.first);
    InxHd header{};
    ASSERT_TRUE(reader_.ReadTimeInxHd(&header));
    EXPECT_EQ(header.first, r.written[ExpectedStart(r)].entry);
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_)), LiveTimes(r)));
}

TEST_F(HddSourceTest, IndexReadsMapTimeAndEventOffsetsAndLeaveQuickRecords) {
    const diskimage::Recording r = AddDisk(WrappedDisk());
    OpenDisk();
    InxHd header{};
    ASSERT_TRUE(reader_.ReadTimeInxHd(&header));
    EXPECT_EQ(header.last, StoredHeader(dir_.File("f/timeindex")).last - 1);
    EXPECT_EQ(header.last, r.written.back().entry);
    InxUnit unit{};
    EXPECT_FALSE(reader_.ReadTimeInxUnit(0, &unit));
    const diskimage::PlacedGop& live = r.live[10];
    ASSERT_TRUE(reader_.ReadTimeInxUnit(int(live.entry), &unit));
    EXPECT_EQ(unit.time, live.time);
    EXPECT_EQ(unit.offset, reader_.RawToLogical(live.raw));
    ASSERT_TRUE(reader_.ReadTimeInxRaw(int(live.entry), &unit));
    EXPECT_EQ(unit.offset, live.raw);
    // An overwritten GOP's entry maps its raw offset like any other.
    ASSERT_TRUE(reader_.ReadTimeInxUnit(int(r.written[1].entry), &unit));
    EXPECT_EQ(unit.offset, reader_.RawToLogical(r.written[1].raw));

    ASSERT_TRUE(reader_.ReadEvtInxHd(&header));
    EXPECT_EQ(header.first, 1u);
    EXPECT_EQ(header.last, uint32_t((r.live.size() + 9) / 10));
    ASSERT_TRUE(reader_.ReadEvtInxUnit(2, &unit));
    EXPECT_EQ(unit.event & 0xFFFFF, r.live[10].entry);
    EXPECT_EQ(unit.offset, reader_.RawToLogical(r.live[10].raw));

    QuickInxHd quickHeader{};
    QuickInxUnit quick{};
    ASSERT_TRUE(reader_.ReadQuickInxHd(&quickHeader));
    EXPECT_EQ(LoadU32(quickHeader.bytes + 8), header.last);
    ASSERT_TRUE(reader_.ReadQuickInxUnit(3, &quick));
    EXPECT_EQ(LoadU32(quick.bytes), r.live[20].entry);
    EXPECT_FALSE(reader_.ReadQuickInxUnit(0, &quick));
}

TEST_F(HddSourceTest, IndexNumbersGoingRoundTheirRingStillOpen) {
    struct Case {
        const char* name;
        diskimage::HddImageOptions options;
    };
    diskimage::HddImageOptions endsAtRingEnd = FlatDisk();  // the stored `last` is 1 again
    endsAtRingEnd.firstEntry = 0xFFFFF - uint32_t(endsAtRingEnd.plan.count) + 1;
    diskimage::HddImageOptions wrappedAcross = WrappedDisk();  // the start walk crosses 1
    wrappedAcross.firstEntry = 0xFFFFF - 3000;
    for (const Case& c :
         {Case{"ends at ring end", endsAtRingEnd}, Case{"wrapped across", wrappedAcross}}) {
        SCOPED_TRACE(c.name);
        const diskimage::Recording r = AddDisk(c.options);
        OpenDisk();
        EXPECT_EQ(reader_.TellEndTime(), r.written.back().time);
        EXPECT_TRUE(SameTimes(TimesOf(Forward(reader_)), LiveTimes(r)));
        reader_.Close();
    }
}

struct Extracted {
    std::vector<uint32_t> gopTimes;
    std::vector<int> gopPercents;
    std::vector<InxUnit> entries;
    InxHd header{};
    int unreadable = 0;
};

ExtractCallback Collect(Extracted* out) {
    return [out](int code, int percent, const void* data, int length) {
        if (code == int(EXTRACT_GOP)) {
            out->gopTimes.push_back(ReadFrameHeader(static_cast<const uint8_t*>(data)).time);
            out->gopPercents.push_back(percent);
        } else if (code == int(EXTRACT_GOP_UNREADABLE)) {
            ++out->unreadable;
        } else if (code == int(EXTRACT_INDEX_RECORD) && length == 16) {
            if (out->entries.empty() && out->header.magic == 0)
                std::memcpy(&out->header, data, 16);
            else
                out->entries.push_back(*static_cast<const InxUnit*>(data));
        }
    };
}

TEST_F(HddSourceTest, ExtractionAcrossTheWrapSendsGopsThenRenumberedEntries) {
    diskimage::HddImageOptions options = WrappedDisk();
    options.firstEntry = 0xFFFFF - 3000;  // the range's entries cross the index ring's end too
    const diskimage::Recording r = AddDisk(options);
    OpenDisk();
    size_t k = 0;
    while (k + 1 < r.live.size() && r.live[k + 1].raw > r.live[k].raw)
        ++k;  // r.live[k] is the last GOP of part 1
    const size_t a = k - 5, b = k + 7;
    const uint64_t from = reader_.RawToLogical(r.live[a].raw);
    const uint64_t to = reader_.RawToLogical(r.live[b].raw);
    Extracted got;
    ASSERT_EQ(reader_.ExtractRange(from, to, Collect(&got)), 0);
    std::vector<uint32_t> expected;
    for (size_t j = a; j < b; ++j)
        expected.push_back(r.live[j].time);
    EXPECT_EQ(got.gopTimes, expected);
    EXPECT_EQ(got.gopPercents.back(), 100);
    EXPECT_EQ(got.header.first, 1u);
    EXPECT_EQ(got.header.last, uint32_t(b - a + 1));
    ASSERT_EQ(got.entries.size(), b - a + 1);
    for (size_t j = a; j <= b; ++j) {
        EXPECT_EQ(got.entries[j - a].time, r.live[j].time);
        EXPECT_EQ(got.entries[j - a].offset, reader_.RawToLogical(r.live[j].raw) - from);
    }
    Extracted refused;
    EXPECT_EQ(reader_.ExtractRange(from, to + 512, Collect(&refused)), -1);
    EXPECT_TRUE(refused.gopTimes.empty() && refused.entries.empty());
}

TEST_F(HddSourceTest, StoppedExtractionStillSendsTheRangesEntries) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    OpenDisk();
    reader_.SetStopFlag(true);
    Extracted got;
    const uint64_t to = reader_.RawToLogical(r.live[20].raw);
    ASSERT_EQ(reader_.ExtractRange(0, to, Collect(&got)), 0);
    EXPECT_TRUE(got.gopTimes.empty());
    EXPECT_EQ(got.header.last, 21u);
    EXPECT_EQ(got.entries.size(), 21u);
}

TEST_F(HddSourceTest, SecondReaderOnTheSameDiskReadsWithItsOwnPosition) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    OpenDisk();
    int length = kGopBufferSize;
    ASSERT_EQ(reader_.SkipGop(5, buffer_.get(), &length), GopReadResult::Read);
    CHddSource second(reader_);
    EXPECT_FALSE(second.IsOpen());
    ASSERT_EQ(second.Reopen(), 0);
    EXPECT_TRUE(SameTimes(TimesOf(Forward(second)), LiveTimes(r)));
    ASSERT_EQ(reader_.ReadGop(buffer_.get(), &length), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, r.live[6].time);
}

TEST_F(HddSourceTest, RemovedDiskIsNoLongerPresent) {
    AddDisk(FlatDisk());
    OpenDisk();
    EXPECT_TRUE(reader_.IsPresent());
    SetPresent(kRecorderDisk, false);
    EXPECT_FALSE(reader_.IsPresent());
    SetPresent(kRecorderDisk, true);
    EXPECT_TRUE(reader_.IsPresent());
    reader_.Close();
    EXPECT_FALSE(reader_.IsPresent());
    EXPECT_EQ(reader_.TellTotalLen(), kNoPosition);
    EXPECT_EQ(reader_.PartitionStart(), kNoPosition);
    EXPECT_STREQ(reader_.DataFile, "");
}

TEST_F(HddSourceTest, UnreadableSectorsArePassedInsteadOfStallingPlayback) {
    const diskimage::Recording r = AddDisk(FlatDisk());
    const diskimage::PlacedGop& cut = r.written[150];
    // The image ends inside GOP 150: everything after it fails to read.
    ASSERT_EQ(truncate(dir_.File("hdd.img").c_str(), off_t(2 * kMiB + cut.raw + 1024)), 0);
    OpenDisk();
    std::vector<uint32_t> times;
    GopReadResult result{};
    for (int calls = 0; calls < 100000; ++calls) {
        const uint64_t before = reader_.Tellp();
        int length = kGopBufferSize;
        result = reader_.ReadGop(buffer_.get(), &length);
        if (result == GopReadResult::Read)
            times.push_back(ReadFrameHeader(buffer_.get()).time);
        else if (result == GopReadResult::Failed)
            ASSERT_GT(reader_.Tellp(), before);
        else
            break;
    }
    EXPECT_EQ(result, GopReadResult::End);
    const std::vector<uint32_t> live = LiveTimes(r);
    EXPECT_EQ(times, std::vector<uint32_t>(live.begin(), live.begin() + 150));
}

}  // namespace
