#include <gtest/gtest.h>

#include "player/disk/RingLayout.h"
#include "shared/IndexRing.h"

namespace {

constexpr uint64_t kMiB = 1048576, kGiB = 1024 * kMiB;

// Not wrapped: oldest at raw 1 MiB, the newest GOP ending at raw 5 MiB.
constexpr RingLayout kFlat{0, 100 * kGiB, kMiB, 5 * kMiB, 0, 0, false};
// Wrapped: a 100 GiB partition, oldest at 60 GiB, the newest GOP ending at 20 GiB.
constexpr RingLayout kWrapped{0, 100 * kGiB, 60 * kGiB, 100 * kGiB - 10 * kMiB, 0, 20 * kGiB, true};

TEST(RingLayout, LengthsOfBothParts) {
    EXPECT_EQ(kFlat.TotalLen(), 4 * kMiB);
    EXPECT_EQ(kWrapped.TotalLen(), 60 * kGiB - 10 * kMiB);
    EXPECT_TRUE(kFlat.Valid());
    EXPECT_TRUE(kWrapped.Valid());
    RingLayout crossed = kFlat;
    crossed.oldestRaw = 6 * kMiB;
    EXPECT_FALSE(crossed.Valid());
}

struct MappingCase {
    const char* name;
    const RingLayout* layout;
    uint64_t position;
    uint64_t raw;
};

class Mapping : public testing::TestWithParam<MappingCase> {};

TEST_P(Mapping, PositionAndRawOffsetCorrespond) {
    const MappingCase& c = GetParam();
    EXPECT_EQ(c.layout->LogicalToRaw(c.position), c.raw);
    if (c.raw != kNoPosition) {
        EXPECT_EQ(c.layout->RawToLogical(c.raw), c.position);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rings, Mapping,
    testing::Values(MappingCase{"flat_start", &kFlat, 0, kMiB},
                    MappingCase{"flat_end", &kFlat, 4 * kMiB, 5 * kMiB},
                    MappingCase{"flat_past_end", &kFlat, 4 * kMiB + 1, kNoPosition},
                    MappingCase{"wrapped_start", &kWrapped, 0, 60 * kGiB},
                    MappingCase{"wrapped_end_of_part1", &kWrapped, 40 * kGiB - 10 * kMiB,
                                100 * kGiB - 10 * kMiB},
                    MappingCase{"wrapped_in_part2", &kWrapped, 40 * kGiB - 10 * kMiB + 512, 512},
                    MappingCase{"wrapped_end", &kWrapped, 60 * kGiB - 10 * kMiB, 20 * kGiB},
                    MappingCase{"wrapped_past_end", &kWrapped, 60 * kGiB, kNoPosition}),
    [](const testing::TestParamInfo<MappingCase>& param) { return std::string(param.param.name); });

TEST(RingLayout, RawOffsetsOutsideTheDataHaveNoPosition) {
    EXPECT_EQ(kFlat.RawToLogical(kMiB - 512), kNoPosition);
    EXPECT_EQ(kFlat.RawToLogical(6 * kMiB), kNoPosition);
    EXPECT_EQ(kWrapped.RawToLogical(30 * kGiB), kNoPosition);  // overwritten, between the parts
    EXPECT_EQ(kWrapped.RawToLogical(101 * kGiB), kNoPosition);
}

TEST(RingLayout, WrapPartIsTheReserveOfAWrappedRingOnly) {
    EXPECT_TRUE(kWrapped.IsInWrapPart(100 * kGiB - 10 * kMiB));
    EXPECT_TRUE(kWrapped.IsInWrapPart(100 * kGiB));
    EXPECT_FALSE(kWrapped.IsInWrapPart(100 * kGiB - 10 * kMiB - 512));
    EXPECT_FALSE(kFlat.IsInWrapPart(99 * kGiB));
}

TEST(IndexRing, EntryNumbersGoRoundAfter0xFFFFF) {
    EXPECT_EQ(NextEntry(0xFFFFF), 1u);
    EXPECT_EQ(PreviousEntry(1), 0xFFFFFu);
    EXPECT_EQ(EntrySpan(5, 8), 4u);
    EXPECT_EQ(EntrySpan(0xFFFFE, 2), 4u);
    EXPECT_EQ(EntrySpan(0, 8), 0u);
    EXPECT_EQ(NewestOfStoredLast(9), 8u);
    EXPECT_EQ(NewestOfStoredLast(1), 0xFFFFFu);
    EXPECT_EQ(NewestOfStoredLast(0), 0u);
}

}  // namespace
