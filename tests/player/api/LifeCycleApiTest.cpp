// The life cycle through the exports, as a host that starts and releases the
// player many times while it plays: zInit, open, play, then zRelease at a
// moment drawn at random (at once, while playing, right after a stop sent
// without waiting for its result, after stop and close). Every cycle ends
// with no thread of the library left. The seed is printed; DVR_LIFE_CYCLE_SEED
// sets it to repeat a run.
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "tests/player/ProcessThreads.h"
#include "tests/player/api/ApiFixture.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

using LifeCycleApiTest = ApiFixture;

constexpr int kCycles = 16;
constexpr int kLongestPlayMs = 1500;

enum class Moment { kAtOnce, kWhilePlaying, kRightAfterStop, kAfterStopAndClose, kCount };

const char* NameOf(Moment moment) {
    switch (moment) {
        case Moment::kAtOnce:
            return "at once";
        case Moment::kWhilePlaying:
            return "while playing";
        case Moment::kRightAfterStop:
            return "right after a stop";
        default:
            return "after stop and close";
    }
}

uint32_t Seed() {
    const char* given = std::getenv("DVR_LIFE_CYCLE_SEED");
    return given != nullptr ? uint32_t(std::strtoul(given, nullptr, 10)) : std::random_device{}();
}

TEST_F(LifeCycleApiTest, ReleaseAtAnyMomentLeavesNoThreadOfTheLibrary) {
    recgen::RecordingPlan plan;
    plan.gopCount = 6;
    const std::string base = dir_.File("cycle");
    std::string error;
    ASSERT_TRUE(recgen::WriteRecording(plan, base + ".dvr", base + ".inx", &error)) << error;
    ASSERT_TRUE(t_->zRelease());
    const int threads = ThreadCountBaseline();

    const uint32_t seed = Seed();
    std::cout << "life cycle seed " << seed << std::endl;
    RecordProperty("seed", std::to_string(seed));
    std::mt19937 random(seed);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        const auto moment = Moment(random() % uint32_t(Moment::kCount));
        const int playMs = int(random() % (kLongestPlayMs + 1));
        SCOPED_TRACE("seed " + std::to_string(seed) + " cycle " + std::to_string(cycle) + ": " +
                     NameOf(moment) + " after " + std::to_string(playMs) + " ms");
        ForgetMessages();
        ASSERT_TRUE(Init());
        // A release leaves the source open: the host closes it.
        if (t_->zTellOpenedType() != OPENED_NONE) {
            ASSERT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
        }
        ASSERT_TRUE(OpenPair(base));
        t_->zPlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
        if (moment != Moment::kAtOnce) {
            ASSERT_EQ(NextResult(), MSG_PLAY_DONE);
            std::this_thread::sleep_for(std::chrono::milliseconds(playMs));
        }
        if (moment == Moment::kRightAfterStop)
            t_->zPlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr);
        if (moment == Moment::kAfterStopAndClose) {
            ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
            ASSERT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
        }
        EXPECT_TRUE(t_->zRelease());
        ASSERT_LE(WaitForThreadCount(threads), threads);
    }
    ASSERT_TRUE(Init());
}

}  // namespace
