// Release while the player is busy: every thread the player started ends
// within its bound, nothing a live thread uses is freed, and a later Init
// starts one command thread with fresh events. Where a moment matters, a
// gate inside a thread holds it there: the test display (its GOP, its Init)
// or a callback of the host.
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/base/Event.h"
#include "player/audio/AudioOut.h"
#include "tests/player/ProcessThreads.h"
#include "tests/player/core/CoreFixture.h"

namespace {

constexpr auto kGateBound = std::chrono::seconds(10);

// Holds the host's callbacks in the library's threads until the test opens
// it (bounded); the test learns when one waits. Records extraction codes.
class CallbackGate {
public:
    void Pass() {
        std::unique_lock lock(mutex_);
        ++waiting_;
        cv_.notify_all();
        cv_.wait_for(lock, kGateBound, [&] { return open_; });
        --waiting_;
    }
    bool WaitForWaiter() {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, kGateBound, [&] { return waiting_ > 0; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        cv_.notify_all();
    }
    void Reset() {
        std::lock_guard lock(mutex_);
        open_ = false;
        codes_.clear();
    }
    void AddCode(int code) {
        std::lock_guard lock(mutex_);
        codes_.push_back(code);
    }
    std::vector<int> Codes() {
        std::lock_guard lock(mutex_);
        return codes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool open_ = false;  // all guarded by mutex_
    int waiting_ = 0;
    std::vector<int> codes_;
};

CallbackGate g_gate;

void GatedData(unsigned, const char*, const GpsText*, const int*, float, float, int,
               const AlarmFlags*, int, const TpmsTyre*, int, int, int, int, int, int) {
    g_gate.Pass();
}

void GatedExtract(int code, int, const void*, int, const GopInfo*) {
    g_gate.AddCode(code);
    if (code == EXTRACT_GOP)
        g_gate.Pass();
}

class ReleaseTest : public CoreFixture {
protected:
    void SetUp() override {
        g_gate.Reset();
        CoreFixture::SetUp();
    }
    void TearDown() override {
        g_gate.Open();
        CoreFixture::TearDown();
    }

    int CountOf(int code) {
        const std::vector<int> messages = Messages();
        return int(std::count(messages.begin(), messages.end(), code));
    }
};

TEST_F(ReleaseTest, ReleaseWhileAStopWaitsForThePlaybackThreadEndsEveryThread) {
    WritePair(6);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // the playback thread is held in the display
    player_.PlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr);
    // Stopped: the stop handler now waits for the held playback thread.
    ASSERT_TRUE(WaitForState(STATUS_STOPPED));
    EXPECT_TRUE(player_.Release());
    ExpectNoThreadLeft();
    EXPECT_EQ(Messages().back(), MSG_STOP_DONE);  // the stop ran to its end first
}

TEST_F(ReleaseTest, ReleaseWhileASeekWaitsForThePausedPlaybackThreadEndsEveryThread) {
    WritePair(6);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    // The first GOP may still see the idle state; the second is played.
    display_.WaitForShown(1);
    display_.Give(1);
    display_.WaitForShown(2);
    CAudioOut* audio = g_pAudioOut.load();
    ASSERT_NE(audio, nullptr);
    ASSERT_TRUE(audio->IsOpen());  // opened for the GOP held in the display
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    display_.HoldNextInit();
    display_.Give(1);
    // Paused, the playback thread closes the device and then waits for a step.
    ASSERT_TRUE(WaitFor([&] { return !audio->IsOpen(); }));
    player_.PlayMSG(PLAY_CMD_SEEK, 0, uint32_t(OffsetOfGop(3)), 0, nullptr);
    // The seek woke the paused thread, which is held preparing the display,
    // and waits for it to end.
    ASSERT_TRUE(display_.WaitForHeldInit());
    EXPECT_TRUE(player_.Release());
    ExpectNoThreadLeft();
    // Released meanwhile, the seek starts no playback thread.
    EXPECT_EQ(Messages().back(), MSG_SEEK_FAILED);
}

// A playback thread held in the host's data callback outlives Release's
// bound, and so does the stop handler waiting for it: Release says so and
// frees nothing they use, and Init starts no second command thread beside
// the one still running. Once they end, Release and Init work again.
TEST_F(ReleaseTest, ThreadsThatOutliveReleaseKeepWhatTheyUseAndInitWaitsForThem) {
    player_.Release();
    ASSERT_TRUE(InitPlayer(GatedData));
    WritePair(6);
    Open();
    display_.Give(1000);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(g_gate.WaitForWaiter());
    player_.PlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr);
    ASSERT_TRUE(WaitForState(STATUS_STOPPED));

    EXPECT_FALSE(player_.Release());
    const int threads = ProcessThreadCount();
    EXPECT_FALSE(InitPlayer(GatedData));
    EXPECT_LE(ProcessThreadCount(), threads);

    g_gate.Open();
    ASSERT_EQ(NextResult(), MSG_STOP_DONE);  // the stop ends once the playback thread does
    EXPECT_TRUE(player_.Release());
    ExpectNoThreadLeft();

    ASSERT_TRUE(InitPlayer(GatedData));
    // One command thread and one end-of-playback thread.
    EXPECT_EQ(WaitForThreadCount(threadsBefore_ + 2), threadsBefore_ + 2);
    Open();  // the release closed the source
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_REFUSED);
    EXPECT_EQ(CountOf(MSG_CLOSE_DONE), 1);
}

TEST_F(ReleaseTest, EveryInitStartsOneCommandThreadWithFreshEvents) {
    for (int cycle = 1; cycle <= 3; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        ASSERT_TRUE(player_.Release());
        ExpectNoThreadLeft();
        ASSERT_TRUE(InitPlayer());
        EXPECT_EQ(WaitForThreadCount(threadsBefore_ + 2), threadsBefore_ + 2);
        EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_REFUSED);
        EXPECT_EQ(CountOf(MSG_STOP_REFUSED), cycle);  // answered once
    }
}

// An extraction is asked to stop and waited for. One held in the host's
// callback outlives Release's bound; once it ends, Release completes, and
// no extraction starts after it.
TEST_F(ReleaseTest, ReleaseStopsARunningExtractionAndWaitsForIt) {
    player_.Release();
    ASSERT_TRUE(InitPlayer(nullptr, GatedExtract));
    WritePair(4);
    Open();
    ASSERT_EQ(player_.StartExtract(0, dataLength_), 0);
    ASSERT_TRUE(g_gate.WaitForWaiter());  // on the first GOP
    EXPECT_FALSE(player_.Release());
    g_gate.Open();
    EXPECT_TRUE(player_.Release());
    ExpectNoThreadLeft();
    const std::vector<int> codes = g_gate.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), EXTRACT_STOPPED);
    EXPECT_EQ(player_.StartExtract(0, dataLength_), -1);
}

// Each event Init creates in turn fails to be made: Init fails, leaves no
// thread, and a later Init works.
TEST_F(ReleaseTest, InitNoticesAnEventThatCannotBeCreated) {
    int failures = 0;
    for (int before = 0; before < 32; ++before) {
        SCOPED_TRACE("events made before the failing one: " + std::to_string(before));
        ASSERT_TRUE(player_.Release());
        FailNextEventCreations(1, before);
        const bool initialised = InitPlayer();
        FailNextEventCreations(0);
        if (initialised)
            break;  // Init made fewer events than that
        ++failures;
        ExpectNoThreadLeft();
        ASSERT_TRUE(InitPlayer());
        EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_REFUSED);
    }
    EXPECT_GE(failures, 5);  // the five events of the playback at least
}

}  // namespace
