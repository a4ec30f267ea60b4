#include "shared/IndexRing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> WalkSpan(IndexSpan span) {
    std::vector<uint32_t> entries;
    for (int64_t p = span.FirstPosition(); p <= span.LastPosition(); ++p)
        entries.push_back(span.EntryAt(p));
    return entries;
}

TEST(IndexSpan, AnUnwrappedRangeIsItsEntryNumbers) {
    const IndexSpan span{3, 6};
    EXPECT_FALSE(span.Wrapped());
    EXPECT_EQ(WalkSpan(span), (std::vector<uint32_t>{3, 4, 5, 6}));
    EXPECT_EQ(span.PositionOf(5), 5);
    // A `.inx` file may hold more entries than a recorder's ring.
    const IndexSpan large{1, kIndexRingSize + 10};
    EXPECT_EQ(large.EntryAt(kIndexRingSize + 5), kIndexRingSize + 5);
    EXPECT_EQ(large.LastPosition(), int64_t(kIndexRingSize) + 10);
}

TEST(IndexSpan, AWrappedRangeRunsToTheRingsEndAndOnFromOne) {
    const IndexSpan span{kIndexRingSize - 1, 2};
    EXPECT_TRUE(span.Wrapped());
    EXPECT_EQ(WalkSpan(span), (std::vector<uint32_t>{kIndexRingSize - 1, kIndexRingSize, 1, 2}));
    EXPECT_EQ(span.LastPosition() - span.FirstPosition() + 1,
              int64_t(EntrySpan(span.first, span.last)));
    for (uint32_t entry : WalkSpan(span))
        EXPECT_EQ(span.EntryAt(span.PositionOf(entry)), entry) << entry;
    EXPECT_LT(span.PositionOf(kIndexRingSize), span.PositionOf(1));
}

std::vector<uint32_t> Walk(uint32_t first, uint32_t last) {
    std::vector<uint32_t> seen;
    WalkUsedPart(first, last, [&](uint32_t i) {
        seen.push_back(i);
        return true;
    });
    return seen;
}

TEST(IndexRing, PlainRunFromFirstToLast) {
    EXPECT_EQ(Walk(3, 6), (std::vector<uint32_t>{3, 4, 5, 6}));
    EXPECT_EQ(Walk(5, 5), (std::vector<uint32_t>{5}));
}

TEST(IndexRing, WrappedRingRunsToItsEndAndOnFromOne) {
    EXPECT_EQ(Walk(kIndexRingSize - 1, 2),
              (std::vector<uint32_t>{kIndexRingSize - 1, kIndexRingSize, 1, 2}));
}

TEST(IndexRing, WalkStopsWhenVisitSaysSo) {
    std::vector<uint32_t> seen;
    EXPECT_FALSE(WalkUsedPart(kIndexRingSize, 3, [&](uint32_t i) {
        seen.push_back(i);
        return i != 1;
    }));
    EXPECT_EQ(seen, (std::vector<uint32_t>{kIndexRingSize, 1}));
}

TEST(IndexRing, LastAtTheTopOfTheNumbersEnds) {
    std::vector<uint32_t> seen;
    EXPECT_TRUE(WalkUsedPart(0xFFFFFFFEu, 0xFFFFFFFFu, [&](uint32_t i) {
        seen.push_back(i);
        return true;
    }));
    EXPECT_EQ(seen, (std::vector<uint32_t>{0xFFFFFFFEu, 0xFFFFFFFFu}));
}

struct UsedPartCase {
    uint32_t first, last, entry;
    bool inside;
};

TEST(IndexRing, UsedPartFollowsTheRing) {
    const UsedPartCase cases[] = {
        {10, 20, 10, true},
        {10, 20, 20, true},
        {10, 20, 9, false},
        {10, 20, 21, false},
        {900, 20, 900, true},
        {900, 20, kIndexRingSize, true},
        {900, 20, 1, true},
        {900, 20, 20, true},
        {900, 20, 21, false},
        {900, 20, 899, false},
        {900, 20, 0, false},
        {900, 20, kIndexRingSize + 1, false},
        // Entries are numbered from 1: 0 is none, whatever the range says.
        {0, 20, 0, false},
        {0, 20, 5, false},
        {10, kIndexRingSize + 5, 11, false},
    };
    for (const UsedPartCase& c : cases)
        EXPECT_EQ(IsInUsedPart(c.first, c.last, c.entry), c.inside)
            << c.first << ".." << c.last << " " << c.entry;
}

}  // namespace
