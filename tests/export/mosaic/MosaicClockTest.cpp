#include "export/mosaic/MosaicClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The mosaic frames at which a channel of `channelFrames` takes a frame.
std::vector<int> TakenAt(int channelFrames, int mosaicFrames) {
    oskulo::CMosaicClock clock(channelFrames, mosaicFrames);
    std::vector<int> taken;
    for (int n = 0; n < mosaicFrames; ++n) {
        const bool takes = clock.TakesFrame();
        if (takes) {
            EXPECT_EQ(clock.NextFrame(), int(taken.size()));
            taken.push_back(n);
        }
        clock.Advance(takes);
    }
    return taken;
}

TEST(MosaicClock, TwelveFramesAreSpreadOverTwentyFive) {
    EXPECT_EQ(TakenAt(12, 25), (std::vector<int>{0, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23}));
}

TEST(MosaicClock, EveryFrameOfAnyRateIsTakenOnce) {
    for (int mosaic = 1; mosaic <= 30; ++mosaic) {
        for (int frames = 1; frames <= mosaic; ++frames)
            EXPECT_EQ(int(TakenAt(frames, mosaic).size()), frames) << frames << " of " << mosaic;
    }
    std::vector<int> all(25);
    for (int n = 0; n < 25; ++n)
        all[std::size_t(n)] = n;
    EXPECT_EQ(TakenAt(25, 25), all);
}

TEST(MosaicClock, AChannelWithoutFramesTakesNone) {
    EXPECT_TRUE(TakenAt(0, 25).empty());
}

}  // namespace
