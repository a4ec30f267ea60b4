// Closing the main window: a running export is stopped, playback is stopped
// and awaited, the workers are stopped and joined, and the player released.
// Every wait is bounded, so a result lost in the library cannot keep the
// window open.
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PositionThread.h"
#include "platform/base/Waitable.h"

namespace {

constexpr UINT_PTR kOtherTimer = 1;
constexpr DWORD kStopWaitMs = 3000;
constexpr DWORD kWorkerJoinMs = 1000;
constexpr intptr_t kStopWithoutRefresh = 1;

}  // namespace

void CHalbrookDlg::StopWorkers() {
    StopPositionThread(kWorkerJoinMs);
    StopTelemetry();
    m_mapPane.Stop();
}

void CHalbrookDlg::OnClose() {
    KillTimer(kOsdTimer);
    KillTimer(kOtherTimer);
    if (m_stopExport)
        m_stopExport();
    DestroyToolDialogs();
    if (GetPlayState() != PLAY_IDLE) {
        Call_zPlayMSG(PLAY_CMD_STOP, kStopWithoutRefresh, 0, 0, nullptr);
        WaitForSingleObject(m_hNotPlaying, kStopWaitMs);
    }
    StopWorkers();
    Call_zRelease();
    CDialog::OnClose();
}
