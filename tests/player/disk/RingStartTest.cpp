#include <gtest/gtest.h>

#include <map>

#include "player/disk/RingOpen.h"

namespace {

// A time index held in memory: entry number -> raw offset (time = number).
struct Index {
    std::map<uint32_t, uint64_t> offsets;
    TimeEntryReader Reader() const {
        return [this](uint32_t i, InxUnit* unit) {
            auto it = offsets.find(i);
            if (it == offsets.end())
                return false;
            *unit = {i, 0, it->second};
            return true;
        };
    }
};

// Entries first..newest along the ring with the given offsets.
Index Entries(uint32_t first, std::initializer_list<uint64_t> offsets) {
    Index index;
    uint32_t i = first;
    for (uint64_t offset : offsets) {
        index.offsets[i] = offset;
        i = i == 0xFFFFF ? 1 : i + 1;
    }
    return index;
}

TEST(RingStart, FirstEntryAtOrAboveTheRingsEndAfterOneBelowIt) {
    // Overwritten 100, 200; intact 700, 800, 900; newer lap 0, 300 (newest),
    // whose GOP ends the ring at 350.
    const Index index = Entries(10, {100, 200, 700, 800, 900, 0, 300});
    const auto start = FindRingStart(index.Reader(), 10, 16, 350);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->index, 12u);
    EXPECT_EQ(start->raw, 700u);
    EXPECT_EQ(start->time, 12u);
}

// The GOPs written after the newest entry (one entry a minute) reached 2500:
// the older lap's minute at 2000 is gone, the one at 3000 is the start.
TEST(RingStart, AMinuteOverwrittenAfterTheNewestEntryIsNotTheStart) {
    const Index index = Entries(10, {1000, 2000, 3000, 0, 500});
    const auto start = FindRingStart(index.Reader(), 10, 14, 2500);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->index, 12u);
    EXPECT_EQ(start->raw, 3000u);
}

TEST(RingStart, AnEntryAtTheRingsEndIsTheStartOneBelowItIsOverwritten) {
    const Index index = Entries(10, {200, 300, 400, 0, 100, 300});  // the newest ends at 400
    const auto start = FindRingStart(index.Reader(), 10, 15, 400);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->raw, 400u);
}

TEST(RingStart, WalkCrossesFromEntryOneToTheRingsEnd) {
    const Index index = Entries(0xFFFFE, {100, 700, 800, 0, 300});  // 0xFFFFE .. 3
    const auto start = FindRingStart(index.Reader(), 0xFFFFE, 3, 350);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->index, 0xFFFFFu);
}

TEST(RingStart, StopsAtTheStoredFirstAndPassesUnreadableEntries) {
    const Index intact = Entries(10, {700, 800, 0, 300});  // first already the start
    EXPECT_FALSE(FindRingStart(intact.Reader(), 10, 13, 350));
    Index gap = Entries(10, {100, 700, 800, 0, 300});
    gap.offsets.erase(11);  // the start's own entry cannot be read
    const auto start = FindRingStart(gap.Reader(), 10, 14, 350);
    EXPECT_FALSE(start);
    EXPECT_FALSE(FindRingStart(intact.Reader(), 0, 13, 350));
}

}  // namespace
