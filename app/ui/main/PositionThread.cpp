#include "app/ui/main/PositionThread.h"

#include <atomic>
#include <memory>

#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/WindowPresence.h"
#include "platform/base/Event.h"
#include "platform/base/Thread.h"

int PositionPercent(long long position, long long total) {
    if (position < 0 || total <= 0)
        return 0;
    return int(double(position) * 100.0 / double(total));
}

namespace {

// One run of the thread: a flag and a wake event of its own, so that a
// thread a bounded stop left behind (inside a player call that blocks) never
// takes a later run's for its own. Whichever of the thread and its stopper
// lets go last closes the event.
struct PositionRun {
    std::atomic<bool> run{true};
    HANDLE wake = CreateEvent(true, false);
    ~PositionRun() { CloseHandle(wake); }
};

std::shared_ptr<PositionRun> g_positionRun;  // UI thread

void PositionLoop(const PositionRun& run) {
    while (run.run) {
        // The player is asked outside any visit: a call that blocks never
        // holds the window's close. A window gone (or not yet there) asks
        // nothing.
        if (!g_bSliderDragging && WindowPresence::Visit(g_mainWindow)) {
            const int percent = PositionPercent(Call_zTellp(), Call_zTellTotalLen());
            const WindowPresence::Visit window(g_mainWindow);
            if (window && run.run)
                window->ShowSeekPosition(percent);
        }
        WaitForSingleObject(run.wake, kPositionPeriodMs);
    }
}

}  // namespace

void StartPositionThread() {
    auto run = std::make_shared<PositionRun>();
    g_positionRun = run;
    g_bPositionThreadRun = true;
    g_hPositionThread = CreateThread([run] { PositionLoop(*run); });
}

void StopPositionThread(DWORD boundMs) {
    g_bPositionThreadRun = false;
    if (g_positionRun != nullptr) {
        g_positionRun->run = false;
        SetEvent(g_positionRun->wake);
    }
    if (g_hPositionThread != nullptr) {
        WaitForSingleObject(g_hPositionThread, boundMs);
        CloseHandle(g_hPositionThread);
        g_hPositionThread = nullptr;
    }
    g_positionRun.reset();
}
