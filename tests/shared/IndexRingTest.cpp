#include <gtest/gtest.h>

#include <vector>

#include "shared/IndexRing.h"

namespace {

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
        {10, 20, 10, true},    {10, 20, 20, true},   {10, 20, 9, false},
        {10, 20, 21, false},   {900, 20, 900, true}, {900, 20, kIndexRingSize, true},
        {900, 20, 1, true},    {900, 20, 20, true},  {900, 20, 21, false},
        {900, 20, 899, false}, {900, 20, 0, false},  {900, 20, kIndexRingSize + 1, false},
    };
    for (const UsedPartCase& c : cases)
        EXPECT_EQ(IsInUsedPart(c.first, c.last, c.entry), c.inside)
            << c.first << ".." << c.last << " " << c.entry;
}

}  // namespace
