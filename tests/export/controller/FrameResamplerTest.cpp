#include "export/controller/FrameResampler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Steps {
    std::vector<int> shown;    // the frame each output frame shows
    std::vector<int> decoded;  // every frame handed out, in order, the rest included
};

Steps Resample(int frames, int outFrames) {
    oskulo::CFrameResampler resampler(frames, outFrames);
    Steps steps;
    int last = -1;
    for (int i = 0; i < outFrames; ++i) {
        for (int f = resampler.Next(i); f >= 0; f = resampler.Next(i)) {
            steps.decoded.push_back(f);
            last = f;
        }
        steps.shown.push_back(last);
    }
    for (int f = resampler.Rest(); f >= 0; f = resampler.Rest())
        steps.decoded.push_back(f);
    return steps;
}

std::vector<int> Upto(int n) {
    std::vector<int> all;
    for (int i = 0; i < n; ++i)
        all.push_back(i);
    return all;
}

// The first output frame that shows each frame.
std::vector<int> FirstShownAt(const Steps& steps) {
    std::vector<int> at;
    for (int i = 0; i < int(steps.shown.size()); ++i) {
        if (at.size() == std::size_t(steps.shown[std::size_t(i)]))
            at.push_back(i);
    }
    return at;
}

TEST(FrameResampler, TwelveFramesAreSpreadOverTwentyFive) {
    const Steps steps = Resample(12, 25);
    EXPECT_EQ(FirstShownAt(steps), (std::vector<int>{0, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23}));
    EXPECT_EQ(steps.decoded, Upto(12));
}

// A channel faster than its output is spread over the whole GOP, its last
// output frame showing one of its last frames; every frame is decoded.
TEST(FrameResampler, AFasterChannelIsSpreadOverTheWholeGop) {
    const Steps steps = Resample(25, 12);
    EXPECT_EQ(steps.shown, (std::vector<int>{0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}));
    EXPECT_EQ(steps.decoded, Upto(25));
    EXPECT_EQ(Resample(30, 25).shown.back(), 28);
}

TEST(FrameResampler, EveryFrameIsDecodedOnceInOrderAtAnyRate) {
    for (int out = 1; out <= 30; ++out) {
        for (int frames = 0; frames <= 30; ++frames) {
            const Steps steps = Resample(frames, out);
            EXPECT_EQ(steps.decoded, Upto(frames)) << frames << " over " << out;
            EXPECT_EQ(steps.shown.front(), frames > 0 ? 0 : -1) << frames << " over " << out;
        }
    }
    EXPECT_EQ(Resample(25, 25).shown, Upto(25));
    EXPECT_EQ(Resample(0, 25).shown, std::vector<int>(25, -1)) << "no frame, nothing shown";
}

}  // namespace
