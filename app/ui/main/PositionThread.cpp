#include "app/ui/main/PositionThread.h"

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

void PositionThread() {
    while (g_bPositionThreadRun) {
        if (!g_bSliderDragging) {
            const WindowPresence::Visit window(g_mainWindow);
            if (window)
                window->ShowSeekPosition(PositionPercent(Call_zTellp(), Call_zTellTotalLen()));
        }
        WaitForSingleObject(g_hPositionThreadWake, kPositionPeriodMs);
    }
}

void StartPositionThread() {
    g_bPositionThreadRun = true;
    g_hPositionThreadWake = CreateEvent(true, false);
    g_hPositionThread = CreateThread(PositionThread);
}

void StopPositionThread(DWORD boundMs) {
    g_bPositionThreadRun = false;
    SetEvent(g_hPositionThreadWake);
    if (g_hPositionThread != nullptr) {
        WaitForSingleObject(g_hPositionThread, boundMs);
        CloseHandle(g_hPositionThread);
        g_hPositionThread = nullptr;
    }
    CloseHandle(g_hPositionThreadWake);
    g_hPositionThreadWake = nullptr;
}
