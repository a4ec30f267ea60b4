#include "player/render/PaneLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct LayoutCase {
    int channels;
    int mode;
    int fullScreen;
    int paneCount;
    std::vector<int> shown;  // channels (0-based), in pane order
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, ShowsTheChannelsOfTheModeInTheirPanes) {
    const LayoutCase& c = GetParam();
    const ChannelLayout layout = LayoutChannels(c.channels, c.mode, c.fullScreen);
    EXPECT_EQ(layout.paneCount, c.paneCount);
    std::vector<int> shown;
    for (int ch = 0; ch < kMaxChannels; ++ch) {
        if (layout.shown[ch]) {
            shown.push_back(ch);
            EXPECT_EQ(layout.pane[ch], int(shown.size()) - 1) << "channel " << ch;
        }
    }
    EXPECT_EQ(shown, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutTest,
    ::testing::Values(
        LayoutCase{4, 1, 0, 4, {0, 1, 2, 3}}, LayoutCase{4, -1, 0, 4, {0, 1, 2, 3}},
        LayoutCase{1, 5, 0, 1, {0}}, LayoutCase{8, 1, 0, 4, {0, 1, 2, 3}},
        LayoutCase{8, 2, 0, 4, {4, 5, 6, 7}}, LayoutCase{8, 3, 0, 9, {0, 1, 2, 3, 4, 5, 6, 7}},
        LayoutCase{8, 5, 0, 9, {0, 1, 2, 3, 4, 5, 6, 7}}, LayoutCase{12, 3, 0, 4, {8, 9, 10, 11}},
        LayoutCase{12, 4, 0, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        LayoutCase{16, 3, 0, 4, {8, 9, 10, 11}}, LayoutCase{16, 4, 0, 4, {12, 13, 14, 15}},
        LayoutCase{16, 7, 0, 16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        LayoutCase{16, 3, 5, 1, {4}}, LayoutCase{4, 1, 4, 1, {3}}, LayoutCase{4, 1, 5, 1, {}}));

TEST(DivisionMode, FollowsTheChannelCount) {
    EXPECT_EQ(DivisionModeForChannels(4), 1);
    EXPECT_EQ(DivisionModeForChannels(8), 5);
    EXPECT_EQ(DivisionModeForChannels(12), 6);
    EXPECT_EQ(DivisionModeForChannels(16), 7);
    EXPECT_EQ(DivisionModeForChannels(1), 5);
}

struct RectCase {
    int paneCount;
    int pane;
    RECT want;
};

class PaneRectTest : public ::testing::TestWithParam<RectCase> {};

// A client area of 401 x 302 at (10, 20): cells are whole pixels from its corner.
TEST_P(PaneRectTest, CutsTheClientAreaIntoCells) {
    const RectCase& c = GetParam();
    RECT r{};
    ASSERT_TRUE(PaneRect(RECT{10, 20, 411, 322}, c.paneCount, c.pane, &r));
    EXPECT_EQ(r.left, c.want.left);
    EXPECT_EQ(r.top, c.want.top);
    EXPECT_EQ(r.right, c.want.right);
    EXPECT_EQ(r.bottom, c.want.bottom);
}

INSTANTIATE_TEST_SUITE_P(Cases, PaneRectTest,
                         ::testing::Values(RectCase{1, 0, {10, 20, 411, 322}},
                                           RectCase{4, 3, {210, 171, 410, 322}},
                                           RectCase{9, 5, {276, 120, 409, 220}},
                                           RectCase{12, 7, {310, 120, 410, 220}},
                                           RectCase{16, 13, {110, 245, 210, 320}}));

TEST(PaneRect, RefusesOtherLayoutsAndPanesOutsideThem) {
    RECT r{};
    EXPECT_FALSE(PaneRect(RECT{0, 0, 100, 100}, 2, 0, &r));
    EXPECT_FALSE(PaneRect(RECT{0, 0, 100, 100}, 4, 4, &r));
    EXPECT_FALSE(PaneRect(RECT{0, 0, 100, 100}, 4, -1, &r));
}

}  // namespace
