#include "shared/IndexRing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> Walk(IndexSpan span) {
    std::vector<uint32_t> entries;
    for (int64_t p = span.FirstPosition(); p <= span.LastPosition(); ++p)
        entries.push_back(span.EntryAt(p));
    return entries;
}

}  // namespace

TEST(IndexSpan, AnUnwrappedRangeIsItsEntryNumbers) {
    const IndexSpan span{3, 6};
    EXPECT_FALSE(span.Wrapped());
    EXPECT_EQ(Walk(span), (std::vector<uint32_t>{3, 4, 5, 6}));
    EXPECT_EQ(span.PositionOf(5), 5);
    // A `.inx` file may hold more entries than a recorder's ring.
    const IndexSpan large{1, kIndexRingSize + 10};
    EXPECT_EQ(large.EntryAt(kIndexRingSize + 5), kIndexRingSize + 5);
    EXPECT_EQ(large.LastPosition(), int64_t(kIndexRingSize) + 10);
}

TEST(IndexSpan, AWrappedRangeRunsToTheRingsEndAndOnFromOne) {
    const IndexSpan span{kIndexRingSize - 1, 2};
    EXPECT_TRUE(span.Wrapped());
    EXPECT_EQ(Walk(span), (std::vector<uint32_t>{kIndexRingSize - 1, kIndexRingSize, 1, 2}));
    EXPECT_EQ(span.LastPosition() - span.FirstPosition() + 1,
              int64_t(EntrySpan(span.first, span.last)));
    for (uint32_t entry : Walk(span))
        EXPECT_EQ(span.EntryAt(span.PositionOf(entry)), entry) << entry;
    EXPECT_LT(span.PositionOf(kIndexRingSize), span.PositionOf(1));
}
