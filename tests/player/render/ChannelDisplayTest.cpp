#include "player/render/ChannelDisplay.h"

#include <gtest/gtest.h>

#include "shared/PlayerInterface.h"
#include "tests/player/render/DisplayFixture.h"

namespace {

constexpr int kCif = 6;     // 352 x 288
constexpr int k720p = 2;    // 1280 x 720
constexpr int kV4Ms = 900;  // D of a version-4 GOP at speed 1
constexpr int kFastMs = 1000;

recgen::RecordingPlan Plan(int channels, int resolution, int fps, std::set<int> skippable = {}) {
    recgen::RecordingPlan plan;
    plan.channels = channels;
    plan.resolutionCodes = {uint32_t(resolution)};
    plan.fps = uint32_t(fps);
    plan.gopCount = 1;
    plan.audio = recgen::AudioKind::kNone;
    plan.skippableChannels = std::move(skippable);
    return plan;
}

std::vector<int> Every(int step, int count) {
    std::vector<int> v;
    for (int j = 0; j < count; j += step)
        v.push_back(j);
    return v;
}

std::vector<uint64_t> Times(uint64_t start, uint64_t step, size_t count) {
    std::vector<uint64_t> v;
    for (size_t k = 0; k < count; ++k)
        v.push_back(start + step * k);
    return v;
}

// Every pane of every division mode and every full-screen channel shows the
// right channel; channels not shown are not decoded.
class LayoutOnScreenTest : public DisplayFixture, public ::testing::WithParamInterface<int> {
protected:
    void ShowAndCheck(int mode, int fullScreen) {
        settings_.mode = mode;
        settings_.fullScreen = fullScreen;
        renderer_.Refresh();
        PumpMessages();
        counting_.Clear();
        ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
        const ChannelLayout layout = LayoutChannels(GetParam(), mode, fullScreen);
        for (int c = 0; c < GetParam(); ++c) {
            if (!layout.shown[c]) {
                EXPECT_EQ(counting_.Count(c), 0) << "channel " << c;
                continue;
            }
            EXPECT_EQ(counting_.Count(c), 1) << "channel " << c;
            EXPECT_TRUE(ShowsChannel(PaneCentre(layout.paneCount, layout.pane[c]), c))
                << "mode " << mode << " full screen " << fullScreen;
        }
    }
};

TEST_P(LayoutOnScreenTest, EveryModeAndFullScreenChannel) {
    const int channels = GetParam();
    Record(Plan(channels, kCif, 2));
    for (int mode = 1; mode <= 7; ++mode)
        ShowAndCheck(mode, 0);
    for (int f = 1; f <= channels; ++f)
        ShowAndCheck(1, f);
}

INSTANTIATE_TEST_SUITE_P(Channels, LayoutOnScreenTest, ::testing::Values(4, 8, 12, 16));

TEST_F(DisplayFixture, AnUnknownModeIsSetFromTheSourceChannelCount) {
    Record(Plan(16, kCif, 2));
    settings_.mode = -1;
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    EXPECT_EQ(settings_.mode, DIV_GRID_4X4);
    EXPECT_TRUE(ShowsChannel(PaneCentre(16, 15), 15));
}

TEST_F(DisplayFixture, LargePicturesInFourPanesDecodeEveryFourthFrameOnTime) {
    Record(Plan(4, k720p, 25, {0, 1, 2, 3}));
    ASSERT_EQ(ShowPaced(Request(0, STATUS_PLAYING, 1, -1, kV4Ms)), 0);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(counting_.Frames(c, *gops_[0]), Every(4, 25)) << "channel " << c;
        // After drawing frame j the thread sleeps until frame j + 1 is due:
        // frame 0 at once, frame 4 at D/25, frame 8 at 5 x D/25, ...
        EXPECT_EQ(counting_.Times(c),
                  (std::vector<uint64_t>{1000, 1036, 1180, 1324, 1468, 1612, 1756}))
            << "channel " << c;
        EXPECT_TRUE(ShowsChannel(PaneCentre(4, c), c));
    }
    EXPECT_EQ(clock_->NowMs(), 1000u + kV4Ms);
}

TEST_F(DisplayFixture, NoSkipChannelsDecodeEveryFrame) {
    Record(Plan(4, k720p, 25, {0, 1}));  // channels 2 and 3 carry noSkip
    ASSERT_EQ(ShowPaced(Request(0, STATUS_PLAYING, 1, -1, kV4Ms)), 0);
    EXPECT_EQ(counting_.Count(0), 7);
    EXPECT_EQ(counting_.Count(1), 7);
    EXPECT_EQ(counting_.Frames(2, *gops_[0]), Every(1, 25));
    EXPECT_EQ(counting_.Times(3), Times(1000, 36, 25));
}

TEST_F(DisplayFixture, FullScreenShowsEveryFrameOfALargePicture) {
    Record(Plan(4, k720p, 25, {0, 1, 2, 3}));
    settings_.fullScreen = 2;
    ASSERT_EQ(ShowPaced(Request(0, STATUS_PLAYING, 1, -1, kV4Ms)), 0);
    EXPECT_EQ(counting_.Count(1), 25);
    EXPECT_EQ(counting_.Count(0), 0);
    EXPECT_TRUE(ShowsChannel(PaneCentre(1, 0), 1));
}

TEST_F(DisplayFixture, FastForwardShowsEverySecondFrameEachAfterItsInterval) {
    Record(Plan(4, kCif, 25));
    ASSERT_EQ(ShowPaced(Request(0, STATUS_FAST_FORWARD, 2, -1, kFastMs)), 0);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(counting_.Frames(c, *gops_[0]), Every(2, 25));
        EXPECT_EQ(counting_.Times(c), Times(1000, 40, 13));
    }
    EXPECT_EQ(clock_->NowMs(), 1000u + 13 * 40);
}

TEST_F(DisplayFixture, FastBackwardShowsTheFirstFrameForDOverSpeed) {
    Record(Plan(4, kCif, 25));
    ASSERT_EQ(ShowPaced(Request(0, STATUS_FAST_BACKWARD, 2, -1, kFastMs, false)), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(counting_.Frames(c, *gops_[0]), std::vector<int>{0});
    EXPECT_EQ(clock_->NowMs(), 1500u);
}

TEST_F(DisplayFixture, OlderVersionsAtSpeedFourShowOneFrameForAQuarter) {
    recgen::RecordingPlan plan = Plan(4, kCif, 12);
    plan.version = 3;
    Record(plan);
    ASSERT_EQ(ShowPaced(Request(0, STATUS_FAST_FORWARD, 4, -1, 500)), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(counting_.Frames(c, *gops_[0]), std::vector<int>{0});
    EXPECT_EQ(clock_->NowMs(), 1125u);
}

TEST_F(DisplayFixture, AStepDecodesUpToItsFrameAndDrawsOnlyIt) {
    Record(Plan(4, kCif, 25));
    const int before = host_.Display().Presentations();
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 3, kV4Ms)), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(counting_.Frames(c, *gops_[0]), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(host_.Display().Presentations() - before, 4);  // one draw per pane
    EXPECT_EQ(clock_->NowMs(), 1000u);
}

// Pictures of 1280 x 720 in four panes: playing decodes every 4th frame,
// but each step shows its own frame in every pane.
TEST_F(DisplayFixture, StepsInFourPanesOfLargePicturesShowEveryFrame) {
    Record(Plan(4, k720p, 25, {0, 1, 2, 3}));
    for (int step : {4, 5, 6, 7}) {
        counting_.Clear();
        const int before = host_.Display().Presentations();
        ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, step, kV4Ms)), 0);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(counting_.Frames(c, *gops_[0]), Every(1, step + 1))
                << "step " << step << " channel " << c;
        EXPECT_EQ(host_.Display().Presentations() - before, 4) << "step " << step;
    }
}

// A change of division mode while paused: the window is repainted around the
// panes the step draws, so the step's pictures stay however late the
// window's thread paints (here: after the frames), and what the new layout
// leaves uncovered (the ninth cell of 3 x 3) is painted over.
TEST_F(DisplayFixture, ANewDivisionModeRepaintsAroundThePanesItDraws) {
    Record(Plan(8, kCif, 2));
    settings_.mode = DIV_GROUP_1;
    display_.SetShownDivisionMode(DIV_GROUP_1);
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    PumpMessages();
    ASSERT_TRUE(ShowsChannel(PaneCentre(9, 8), 3));  // the ninth cell lies in channel 4's pane

    settings_.mode = DIV_GRID_3X3;
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 1, kV4Ms)), 0);
    PumpMessages();
    for (int c = 0; c < 8; ++c)
        EXPECT_TRUE(ShowsChannel(PaneCentre(9, c), c));
    EXPECT_EQ(PaneCentre(9, 8), RGB(0, 0, 0));  // the host window's own paint
}

// The window is laid out in the mode the source opened with: a GOP in that
// mode has nothing repainted; one in another mode has.
TEST_F(DisplayFixture, OnlyAModeOtherThanTheShownOneRepaints) {
    Record(Plan(8, kCif, 2));
    settings_.mode = DIV_GRID_3X3;
    RECT update{};
    for (const int shown : {int(DIV_GRID_3X3), -1}) {
        display_.SetShownDivisionMode(shown);
        ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
        EXPECT_EQ(GetUpdateRect(host_.Handle(), &update, FALSE) != FALSE, shown != DIV_GRID_3X3)
            << "shown mode " << shown;
        PumpMessages();
    }
}

TEST_F(DisplayFixture, ResumingAfterAStepPacesFromTheFramesShown) {
    Record(Plan(4, kCif, 25));
    ASSERT_EQ(ShowPaced(Request(0, STATUS_PLAYING, 1, 3, kV4Ms)), 0);
    const std::vector<uint64_t> times = counting_.Times(0);
    ASSERT_GE(times.size(), 7u);
    EXPECT_EQ(std::vector<uint64_t>(times.begin(), times.begin() + 5),
              std::vector<uint64_t>(5, 1000));  // frames 0 to 4 at once
    EXPECT_EQ(times[5], 1072u);                 // 5 x 36 less the 3 intervals shown
    EXPECT_EQ(times[6], 1108u);
}

TEST_F(DisplayFixture, AFrameThatDoesNotDecodeFailsTheFullScreenGop) {
    Record(Plan(4, kCif, 2));
    RecordedGop& gop = *gops_[0];
    uint8_t* frame = gop.slot.data + gop.info->frameOffset[2][0];
    std::fill_n(frame, gop.info->frameLength[2][0], uint8_t(0));
    settings_.fullScreen = 3;
    EXPECT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), -1);
    EXPECT_EQ(settings_.failures, 1);
    settings_.fullScreen = 0;
    EXPECT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    EXPECT_EQ(settings_.failures, 2);
    EXPECT_TRUE(ShowsChannel(PaneCentre(4, 1), 1));
}

TEST_F(DisplayFixture, APictureSizeChangeIsShownAndRemembered) {
    Record(Plan(4, kCif, 2));
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    EXPECT_EQ(display_.DecodedWidth(0), 352);
    EXPECT_EQ(display_.DecodedHeight(0), 288);
    Record(Plan(4, k720p, 2));
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    EXPECT_EQ(display_.DecodedWidth(0), 1280);
    EXPECT_EQ(display_.DecodedHeight(3), 720);
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(ShowsChannel(PaneCentre(4, c), c));
    display_.ClearDecodedSizes();
    EXPECT_EQ(display_.DecodedWidth(0), 0);
}

TEST_F(DisplayFixture, TheTextStripShowsWhenOn) {
    Record(Plan(4, kCif, 2));
    display_.SetOsd(true);
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    RECT pane{};
    ASSERT_TRUE(PaneRect(kClient, 4, 0, &pane));
    const RECT strip{pane.left, pane.bottom - 20, pane.right, pane.bottom};
    EXPECT_GT(host_.CountPixels(strip, RGB(255, 255, 255)), 30);
    EXPECT_TRUE(ShowsChannel(PaneCentre(4, 0), 0));
}

}  // namespace

namespace {

TEST_F(DisplayFixture, LaggingAudioLengthensTheGop) {
    Record(Plan(4, kCif, 25));
    settings_.queuedAudio = 30;  // 10 beyond the allowance: 500 ms more
    settings_.fullScreen = 1;
    ASSERT_EQ(ShowPaced(Request(0, STATUS_PLAYING, 1, -1, kV4Ms)), 0);
    EXPECT_EQ(counting_.Times(0), Times(1000, (kV4Ms + 500) / 25, 25));
}

TEST_F(DisplayFixture, WithoutAWindowFramesAreDecodedButNotDrawn) {
    Record(Plan(4, kCif, 2));
    ASSERT_TRUE(display_.Init(nullptr));
    const int before = host_.Display().Presentations();
    ASSERT_EQ(display_.ShowGop(Request(0, STATUS_PAUSED, 1, 0, kV4Ms)), 0);
    EXPECT_EQ(counting_.Count(0), 1);
    EXPECT_EQ(settings_.failures, 0);
    EXPECT_EQ(host_.Display().Presentations(), before);
}

// Interrupted while its threads wait after frame 0, the GOP ends at once on
// the clock; a later GOP whose interruption is already true draws nothing,
// and one nobody interrupts is shown whole again: nothing of the
// interruption stays with the display.
TEST_F(DisplayFixture, AnInterruptionEndsTheGopAtItsNextFrameAndLeavesLaterGopsWhole) {
    Record(Plan(4, kCif, 25));
    ASSERT_EQ(ShowInterrupted(Request(0, STATUS_PLAYING, 1, -1, kV4Ms), 1001), 0);
    EXPECT_EQ(clock_->NowMs(), 1001u);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(counting_.Count(c), 1) << "channel " << c;

    counting_.Clear();
    GopShowRequest interrupted = Request(0, STATUS_PLAYING, 1, -1, kV4Ms);
    interrupted.interruption = &interruption_;
    EXPECT_EQ(display_.ShowGop(interrupted), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(counting_.Count(c), 0) << "channel " << c;

    interruption_.on = false;
    ASSERT_EQ(ShowPaced(Request(0, STATUS_PLAYING, 1, -1, kV4Ms)), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(counting_.Count(c), 25) << "channel " << c;
}

}  // namespace
