// The seeks a page's "app:" requests make: targets found in the time and
// quick indexes (also rings that have wrapped), and how they reach the
// player while playing and while not.
#include <gtest/gtest.h>

#include "MapPlayer.h"
#include "app/ui/map/MapNavigation.h"
#include "shared/PlayerInterface.h"

namespace {

constexpr uint32_t kRingEnd = 0xFFFFF;

// Entries first..last of the time index along the ring, with times 1000,
// 1010, ... and offsets 0, 1000000, ...
void MakeTimeIndex(FakeTrevane& player, uint32_t first, uint32_t last) {
    std::vector<InxUnit> units;
    for (uint32_t k = 0; k < EntrySpan(first, last); ++k)
        units.push_back(InxUnit{1000 + 10 * k, 0, uint64_t(k) * 1000000});
    player.timeIndex.Place(first, units);
}

bool Navigate(FakeHost& host, const std::wstring& url) {
    return HandleMapPageNavigation(url.c_str(), host, nullptr);
}

// The position of the one seek sent; nullopt when nothing was sent.
std::optional<uint64_t> SeekSent(const FakeTrevane& player) {
    const std::vector<FakePlayCommand> calls = player.Commands();
    if (calls.empty())
        return std::nullopt;
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].cmd, PLAY_CMD_SEEK);
    return calls[0].Position();
}

TEST(MapSeek, ByTimeFindsTheFirstEntryNotBeforeItAndInterpolates) {
    struct Case {
        uint32_t first, last;
        uint32_t time;
        std::optional<uint64_t> target;
    };
    const Case cases[] = {
        {1, 5, 900, 0},                    // before the first entry: the first entry exactly
        {1, 5, 1000, 0},                   // at the first entry
        {1, 5, 1013, 1300000},             // 3 of 10 time units after entry 2
        {1, 5, 1040, 4000000},             // at the last entry
        {1, 5, 1041, std::nullopt},        // after the last entry
        {kRingEnd - 2, 2, 1013, 1300000},  // wrapped: 0xFFFFD .. 0xFFFFF, 1, 2
        {kRingEnd - 2, 2, 1025, 2500000},  // between 0xFFFFF and 1, across the ring's end
        {kRingEnd - 2, 2, 1040, 4000000},  // the wrapped ring's last entry
        {kRingEnd - 2, 2, 1041, std::nullopt},
    };
    for (const Case& c : cases) {
        FakeTrevane& player = BindMapPlayer();
        FakeHost host;
        host.playing = true;
        MakeTimeIndex(player, c.first, c.last);
        EXPECT_TRUE(Navigate(host, L"app:nomal&" + std::to_wstring(c.time)));
        EXPECT_EQ(SeekSent(player), c.target) << c.first << ".." << c.last << " t " << c.time;
    }
}

TEST(MapSeek, ByTimeSkipsUnreadableEntriesAndNeedsTheOneBefore) {
    FakeTrevane& player = BindMapPlayer();
    FakeHost host;
    host.playing = true;
    MakeTimeIndex(player, 1, 5);
    player.timeIndex.units.erase(3);  // 1020: skipped, so 1015 lands on entry 4
    EXPECT_TRUE(Navigate(host, L"app:nomal&1015"));
    EXPECT_EQ(SeekSent(player), std::nullopt) << "the entry before entry 4 cannot be read";

    player.timeIndex.header.reset();
    EXPECT_TRUE(Navigate(host, L"app:nomal&1000"));
    EXPECT_EQ(SeekSent(player), std::nullopt);
}

TEST(MapSeek, ByQuickRecordGoesToTheTimeEntryItNames) {
    struct Case {
        uint32_t timeFirst, timeLast, quickFirst, quickLast;
        uint32_t record;
        std::optional<uint64_t> target;
    };
    const Case cases[] = {
        {1, 5, 1, 5, 2, 3000000},       // record 2 names entry 4
        {1, 3, 1, 5, 4, std::nullopt},  // inside the quick range, outside the time range
        {1, 5, 3, 5, 2, std::nullopt},  // outside the quick range
        {kRingEnd - 2, 2, kRingEnd - 1, 2, 1, 2000000},  // both wrapped: record 1 names 0xFFFFF
        {kRingEnd - 2, 2, kRingEnd - 1, 2, 3, std::nullopt},
    };
    for (const Case& c : cases) {
        FakeTrevane& player = BindMapPlayer();
        FakeHost host;
        host.playing = true;
        MakeTimeIndex(player, c.timeFirst, c.timeLast);
        SetQuickEntries(player, c.quickFirst, c.quickLast, {{2, 4}, {4, 2}, {1, kRingEnd}, {3, 1}});
        EXPECT_TRUE(Navigate(host, L"app:search&" + std::to_wstring(c.record)));
        EXPECT_EQ(SeekSent(player), c.target) << "record " << c.record;
    }
}

TEST(MapSeek, ByQuickRecordNeedsEveryRead) {
    FakeTrevane& player = BindMapPlayer();
    FakeHost host;
    host.playing = true;
    MakeTimeIndex(player, 1, 5);
    SetQuickEntries(player, 1, 5, {{2, 9}});  // names an entry the time index lacks
    EXPECT_TRUE(Navigate(host, L"app:search&2"));
    EXPECT_TRUE(Navigate(host, L"app:search&3"));  // record 3 cannot be read
    SetQuickEntries(player, 1, 5, {{2, 4}});
    player.quickIndex.header.reset();
    EXPECT_TRUE(Navigate(host, L"app:search&2"));
    EXPECT_EQ(SeekSent(player), std::nullopt);
}

TEST(MapSeek, WhilePlayingTheSeekGoesOutAtOnceAndIsArmed) {
    FakeTrevane& player = BindMapPlayer();
    FakeHost host;
    host.playing = true;
    player.timeIndex.Place(1, {InxUnit{1000, 0, 0x123456789ULL}});
    EXPECT_TRUE(Navigate(host, L"app:nomal&1000"));
    const std::vector<FakePlayCommand> calls = player.Commands();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].cmd, PLAY_CMD_SEEK);
    EXPECT_EQ(calls[0].a, 0);
    EXPECT_EQ(calls[0].Position(), 0x123456789ULL) << "both halves of the position";
    EXPECT_EQ(host.pendingSeek, 0x123456789ULL) << "its target, for the seek-done result";
}

TEST(MapSeek, WhileNotPlayingThePositionWaitsAndPlayIsAskedFor) {
    FakeTrevane& player = BindMapPlayer();
    FakeHost host;
    host.playing = false;
    host.audioChannel = 1;
    MakeTimeIndex(player, 1, 5);
    SetQuickEntries(player, 1, 5, {{2, 4}});
    EXPECT_TRUE(Navigate(host, L"app:search&2"));
    const std::vector<FakePlayCommand> calls = player.Commands();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].cmd, PLAY_CMD_PLAY);
    EXPECT_EQ(calls[0].a, 1) << "with the current audio track";
    EXPECT_EQ(host.pendingSeek, 3000000u) << "the playing result sends this target";
}

TEST(MapSeek, APositionBeyondTheDataIsNotSent) {
    FakeTrevane& player = BindMapPlayer();
    FakeHost host;
    MakeTimeIndex(player, 1, 5);
    player.totalLength = 4000000;  // entry 5 lies at the end of the data
    for (const bool playing : {true, false}) {
        host.playing = playing;
        EXPECT_TRUE(Navigate(host, L"app:nomal&1040"));
    }
    EXPECT_TRUE(player.Commands().empty());
    EXPECT_EQ(host.pendingSeek, std::nullopt);
}

TEST(MapSeek, OtherRequestsSendNothing) {
    FakeTrevane& player = BindMapPlayer();
    FakeHost host;
    MakeTimeIndex(player, 1, 5);
    EXPECT_FALSE(Navigate(host, L"app:GCMresponse&200"));
    EXPECT_TRUE(Navigate(host, L"app:MapReady&"));
    EXPECT_FALSE(Navigate(host, L"APP:nomal&1000"));
    EXPECT_FALSE(Navigate(host, L"http://map.server/next.html"));
    EXPECT_TRUE(player.Commands().empty());
}

}  // namespace
