// Test fixture of the player core: a CPlayer over a display that records
// every GOP it is asked to show and, outside pauses, holds each until the
// test hands it a credit or the GOP is interrupted, so a test decides how
// far playback gets. The message and error callbacks are collected.
// Recordings are small GOPs of 4
// channels with 25 numbered frames each; GOP i has time kFirstTime + i.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/FakeClock.h"
#include "player/core/Player.h"
#include "tests/support/ClockTicker.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

inline constexpr uint32_t kFirstTime = 1000;
inline constexpr int kFrames = 25;
// The longest a test waits for the player, in real time: a bound that stops
// a hang, never a measure of speed. Under a sanitizer on a loaded machine a
// play of a few GOPs takes seconds.
inline constexpr int kWaitBoundMs = 60000;

struct Shown {
    int gop;  // number of the GOP, from its time
    int stepIndex;
    int displayMs;
    int speed;
    bool forward;
    int state;
    uint32_t channel1Frames;  // frame length of channel 2's first frame
    bool interrupted;         // the show ended by its interruption, not by a credit
};

class RecordingDisplay final : public CGopDisplay {
public:
    bool Init(HWND) override;
    void Free() override {}
    void Refresh() override {}
    void SetOsd(bool on) override { osd = on; }
    void SetShownDivisionMode(int mode) override { shownMode = mode; }
    int ShowGop(const GopShowRequest& request) override;
    void Interrupt() override;

    void Give(int credits);
    // The next Init waits until the player next interrupts the GOP shown, as
    // Release does (bounded); the test
    // learns that it waits from WaitForHeldInit (bounded, false on time-out).
    void HoldNextInit();
    bool WaitForHeldInit();
    // Waits (real time, bounded) until `count` GOPs were shown in all.
    std::vector<Shown> WaitForShown(size_t count);
    std::vector<Shown> ShownSoFar();
    int MostAtOnce() {
        std::lock_guard lock(mutex_);
        return mostAtOnce_;
    }
    int Showing() {
        std::lock_guard lock(mutex_);
        return showing_;
    }

    bool initSucceeds = true;
    // Off: a held GOP waits for its credit even once interrupted.
    std::atomic<bool> honoursInterruption{true};
    std::atomic<bool> osd{false};
    std::atomic<int> shownMode{-2};  // -2: never set

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Shown> shown_;  // all guarded by mutex_
    int credits_ = 0;
    int showing_ = 0;
    int mostAtOnce_ = 0;
    int interrupts_ = 0;  // calls of Interrupt
    bool holdNextInit_ = false;
    bool initHeld_ = false;
};

// How CoreFixture::WritePair writes its GOPs.
struct PairOptions {
    int version = 4;
    std::vector<int> oneChannelGops = {};  // these hold channel 1 only, the others all 4
    // Frame headers say `fps` frames per second; each channel has that many
    // frames, at most the 30 a GOP holds.
    int fps = kFrames;
    std::vector<uint8_t> audio = {};  // every GOP's audio block; none when empty
    uint64_t indexedPastEnd = 0;      // the index's data length is this much past the data
    uint32_t resolutionCode = 6;      // of every frame: the picture size
};

class CoreFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Init with the fixture's message and error callbacks and these.
    bool InitPlayer(zDataCallback data = nullptr, zExtractCallback extract = nullptr);
    // Every thread the player started has ended (bounded wait).
    void ExpectNoThreadLeft();
    // Waits (real time, bounded) until `done()`; false on time-out.
    static bool WaitFor(const std::function<bool()>& done);
    bool WaitForState(int state) {
        return WaitFor([&] { return player_.TellStatusType() == state; });
    }

    // Writes `count` GOPs.
    void WritePair(int count, const PairOptions& options = {});
    void Open() { ASSERT_TRUE(player_.Open(OPENED_FILE_PAIR, Dvr().c_str(), Inx().c_str())); }
    // Sends the command and waits for its result (real time, bounded; -1
    // on time-out).
    int Command(int cmd, intptr_t a = 0, int64_t position = 0);
    // Waits for the next command result not taken yet.
    int NextResult();
    // Waits until message `code` came `count` times (real time, bounded);
    // false on time-out.
    bool WaitForMessage(int code, int timeoutMs = kWaitBoundMs, int count = 1);
    // Hands the display one credit at a time until message `code` came
    // `count` times; false when it has not come within the bound (real time).
    bool GiveUntilMessage(int code, int count = 1);
    // `hook` runs inside the message callback, on the player's thread that
    // reports, after the message is recorded; null for none.
    void OnEachMessage(std::function<void(int)> hook);
    // `hook` runs inside the error callback, on the thread that met the
    // error, after the error is recorded; null for none.
    void OnEachError(std::function<void(int)> hook);
    // Clears both hooks and waits (bounded) until no call of them runs, so
    // none runs after the test: TearDown does it.
    void EndHooks();
    std::vector<int> Messages();
    std::vector<int> Errors();
    uint64_t OffsetOfGop(int gop) const { return placements_[size_t(gop)].offset; }

    std::string Dvr() const { return dir_.File("r.dvr"); }
    std::string Inx() const { return dir_.File("r.inx"); }

    TempDir dir_;
    int threadsBefore_ = 0;  // of the process, before the player was initialised
    std::vector<recgen::GopPlacement> placements_;
    uint64_t dataLength_ = 0;
    RecordingDisplay display_;
    CPlayer player_{display_};
};

// The player on a fake clock. At the end a ticker moves the clock on while
// the player is released, so that its bounded waits can end.
class FakeClockPlayerTest : public CoreFixture {
protected:
    void TearDown() override;
    int CountOf(int code);
    // Sends the command and waits for its result (bounded, -1 on time-out)
    // while a ticker moves the clock on, for handlers that wait on it.
    int CommandOnMovingClock(int cmd);

    ScopedFakeClock clock_;
};
