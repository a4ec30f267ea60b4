#include <algorithm>
#include <cstring>

#include "tests/player/source/PairFixture.h"

namespace {

struct Event {
    int code;
    int percent;
    std::vector<uint8_t> data;
};

class ExtractTest : public PairFixture {
protected:
    ExtractCallback Recorder() {
        return [this](int code, int percent, const void* data, int length) {
            const auto* bytes = static_cast<const uint8_t*>(data);
            events_.push_back({code, percent, std::vector<uint8_t>(bytes, bytes + length)});
            if (onEvent_)
                onEvent_(events_.back());
        };
    }
    int Extract(uint64_t from, uint64_t to) { return reader_.ExtractRange(from, to, Recorder()); }

    // Offset of index entry i (1 = GOP 0).
    uint64_t Entry(int i) {
        InxUnit unit{};
        EXPECT_TRUE(reader_.ReadTimeInxUnit(i, &unit));
        return unit.offset;
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const Event& e : events_)
            codes.push_back(e.code);
        return codes;
    }
    std::vector<int> GopNumbers() const {
        std::vector<int> numbers;
        for (const Event& e : events_)
            if (e.code == 1)
                numbers.push_back(GopNumberOf(e.data.data()));
        return numbers;
    }
    static InxUnit UnitOf(const Event& e) {
        InxUnit unit;
        std::memcpy(&unit, e.data.data(), sizeof unit);
        return unit;
    }

    std::vector<Event> events_;
    std::function<void(const Event&)> onEvent_;
};

TEST_F(ExtractTest, RangeSendsItsGopsThenItsIndexRenumbered) {
    WritePair(10);
    OpenPair();
    const uint64_t from = Entry(5), to = Entry(8);  // GOPs 4, 5, 6
    ASSERT_EQ(Extract(from, to), 0);
    ASSERT_EQ(Codes(), (std::vector<int>{1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(GopNumbers(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(events_[0].percent, 33);
    EXPECT_EQ(events_[1].percent, 66);
    EXPECT_EQ(events_[2].percent, 100);
    EXPECT_EQ(events_[0].data.size(), 2048u);

    ASSERT_EQ(events_[3].data.size(), sizeof(InxHd));
    InxHd header;
    std::memcpy(&header, events_[3].data.data(), sizeof header);
    EXPECT_EQ(events_[3].percent, 1);
    EXPECT_EQ(header.magic, kInxMagic);
    EXPECT_EQ(header.first, 1u);
    EXPECT_EQ(header.last, 4u);
    const int percents[] = {0, 33, 66, 100};
    for (int k = 0; k < 4; ++k) {
        const Event& e = events_[size_t(4 + k)];
        EXPECT_EQ(e.percent, percents[k]);
        EXPECT_EQ(UnitOf(e).offset, uint64_t(k) * 2048);  // relative to `from`
        EXPECT_EQ(UnitOf(e).time, kFirstTime + 4 + uint32_t(k));
    }
    EXPECT_TRUE(errors_.Take().empty());
}

TEST_F(ExtractTest, WholeRecordingUpToTheEndMark) {
    WritePair(3);
    OpenPair();
    ASSERT_EQ(Extract(0, reader_.TellTotalLen()), 0);
    EXPECT_EQ(GopNumbers(), (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(events_.size(), 3u + 1 + 4);
    InxHd header;
    std::memcpy(&header, events_[3].data.data(), sizeof header);
    EXPECT_EQ(header.last, 4u);
    EXPECT_EQ(UnitOf(events_.back()).offset, 3u * 2048);
}

TEST_F(ExtractTest, RangesThatAreNotExactIndexPositionsAreRefused) {
    WritePair(6);
    OpenPair();
    const uint64_t total = reader_.TellTotalLen();
    const std::pair<uint64_t, uint64_t> ranges[] = {
        {Entry(2), Entry(4) + 512},  // `to` is no entry
        {Entry(2) + 1, Entry(4)},    // `from` is no entry
        {Entry(4), Entry(2)},        // reversed
        {Entry(3), Entry(3)},        // empty
        {Entry(2), total + 512},     // past the data
        {total + 2048, total + 4096},
    };
    for (const auto& [from, to] : ranges) {
        EXPECT_EQ(Extract(from, to), -1) << from << ".." << to;
        EXPECT_TRUE(events_.empty()) << from << ".." << to;
    }
    EXPECT_EQ(reader_.ExtractRange(0, Entry(3), ExtractCallback{}), -1);
    ASSERT_EQ(reader_.Close(), 0);
    EXPECT_EQ(Extract(0, 2048), -1);
    EXPECT_TRUE(events_.empty());
}

TEST_F(ExtractTest, IndexWhoseFirstFollowsItsLastHasNoRange) {
    WritePair(4, {}, {.indexFirst = 5, .indexLast = 3});
    OpenPair();
    EXPECT_EQ(Extract(0, 2048), -1);
    EXPECT_TRUE(events_.empty());
}

TEST_F(ExtractTest, StopEndsTheGopsButStillSendsTheIndex) {
    WritePair(8);
    OpenPair();
    onEvent_ = [this](const Event& e) {
        if (e.code == 1)
            reader_.SetStopFlag(true);
    };
    ASSERT_EQ(Extract(Entry(2), Entry(7)), 0);
    EXPECT_EQ(GopNumbers(), (std::vector<int>{1}));
    EXPECT_EQ(Codes(), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(reader_.StopFlag());
}

// As on a disk or card: no GOP, then the index records of the range.
TEST_F(ExtractTest, StopRequestedBeforeTheStartIsKeptAndStillSendsTheIndex) {
    WritePair(4);
    OpenPair();
    reader_.SetStopFlag(true);
    EXPECT_EQ(Extract(Entry(1), Entry(3)), 0);
    EXPECT_TRUE(GopNumbers().empty());
    EXPECT_EQ(Codes(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_TRUE(reader_.StopFlag());
}

TEST_F(ExtractTest, GopLargerThanTheBufferIsReportedOnceAndPassed) {
    WritePairDamaging(8, 5, {.growTo = 13u << 20});
    OpenPair();
    // GOPs 4, 5 (too large), 6: the range did not arrive whole.
    ASSERT_EQ(Extract(Entry(5), Entry(8)), -1);
    EXPECT_EQ(Codes(), (std::vector<int>{1, -2, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(GopNumbers(), (std::vector<int>{4, 6}));
    EXPECT_EQ(events_[1].percent, 0);
    EXPECT_TRUE(events_[1].data.empty());
    EXPECT_EQ(events_[2].percent, 100);
}

// Every GOP but the damaged one is sent, then the index; the extraction
// fails, since the range did not arrive whole.
TEST_F(ExtractTest, GopLengthRunningPastTheFileEndCostsOnlyThatGop) {
    WritePairDamaging(30, 5, {.statedLength = 11u << 20});
    OpenPair();
    EXPECT_EQ(Extract(Entry(1), Entry(31)), -1);
    std::vector<int> expected;
    for (int i = 0; i < 30; ++i)
        if (i != 5)
            expected.push_back(i);
    EXPECT_EQ(GopNumbers(), expected);
    const std::vector<int> codes = Codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), -2), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0), 32);  // the header and 31 entries
}

TEST_F(ExtractTest, DataEndingInsideTheRangeFails) {
    WritePair(5, {}, {.cutBytes = 2 * 2048 + 1000});  // GOP 2 is cut, 3 and 4 are gone
    OpenPair();
    EXPECT_EQ(Extract(Entry(1), Entry(5)), -1);
    EXPECT_EQ(Codes(), (std::vector<int>{1, 1, -2}));
}

}  // namespace
