// The playback flags the main window, the player callbacks and the workers
// share. Each is one atomic value; nothing relies on an order between them
// beyond the statement order of their writers.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "app/ui/telemetry/TelemetryFlags.h"
#include "platform/afx/String.h"
#include "platform/base/Waitable.h"
#include "platform/user/UserTypes.h"

// The stop now running was asked for by the user; its result closes the source.
extern std::atomic<bool> g_bUserStop;
// Playback ended with auto replay on; the stop result plays again.
extern std::atomic<bool> g_bAutoReplayPending;
// A read error stopped playback; the stop's result keeps saying so.
extern std::atomic<bool> g_bReadErrorStop;
// The seek slider is held; the position thread leaves it alone.
extern std::atomic<bool> g_bSliderDragging;
// A seek sent once the play result arrives; valid until the seek result.
struct PendingSeek {
    std::atomic<uint64_t> position{0};
    std::atomic<bool> valid{false};
    void Arm(uint64_t at) {
        position = at;
        valid = true;
    }
    void Disarm() { valid = false; }
};
extern PendingSeek g_PendingSeek;
// Last fast levels, 0..7 (speed 1 << level).
extern std::atomic<int> g_nFastForwardLevel;
extern std::atomic<int> g_nFastBackwardLevel;
// Division group of the split command: 0 all, 1..4 pages of four.
extern std::atomic<int> g_nSplitGroup;

// The position thread: its handle, and whether it was started and not yet
// told to stop (PositionThread.h keeps the run's own flag and wake event).
extern HANDLE g_hPositionThread;
extern std::atomic<bool> g_bPositionThreadRun;

// The last capture request. The library reads the rectangle when the command
// runs, so it is made once and stays allocated.
extern std::unique_ptr<RECT> g_pSnapshotRect;
extern CString g_strSnapshotPath;
extern std::unique_ptr<char[]> g_pSnapshotPathUtf8;
