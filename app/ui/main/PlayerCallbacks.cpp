#include "app/ui/main/PlayerCallbacks.h"

#include "app/controls/PrivateMessage.h"
#include "app/shell/AppConfig.h"
#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/Snapshot.h"
#include "app/ui/main/WindowPresence.h"
#include "platform/base/Clock.h"
#include "platform/base/Event.h"

namespace {

void SendAfterSpacing(int command, intptr_t argument = 0) {
    Sleep(kCommandSpacingMs);
    Call_zPlayMSG(command, argument, 0, 0, nullptr);
}

void OnPlayEnd(CHalbrookDlg& window) {
    g_bAutoReplayPending = g_nAutoReplay != 0;
    window.OnPlayBarStop();
    window.SetStatusText(IDS_STATE_OPENED);
}

// The open that waited for this close cannot run: it is dropped, and the
// status line says why, so the next open starts afresh.
void OnCloseFailed(CHalbrookDlg& window) {
    window.DropPendingOpen();
    window.SetStatusText(L"close fail..");
}

void OnClosed(CHalbrookDlg& window) {
    g_nSplitGroup = 0;
    // A seek armed for this source is not sent to the next one.
    g_PendingSeek.Disarm();
    g_bReadErrorStop = false;
    // The chain ended: a stop sent again after the bound, lost or late,
    // leaves no flag to close the next recording with.
    g_bUserStop = false;
    window.SetPlayState(PLAY_IDLE);
    window.SetStatusText(IDS_STATE_READY);
    window.UpdateTitle(false);
    window.PostSourceChanged();
    window.RunPendingOpen();
}

// A play refused after an open or a pause leaves the state it found, and
// says so; a seek waiting for that play is not sent later.
void OnPlayFailed(CHalbrookDlg& window) {
    g_PendingSeek.Disarm();
    window.SetStatusText(IDS_PLAY_FAILED);
}

// The read thread reports a failing source at every new try: the first
// report stops playback, so that no frozen picture stays under "Playing",
// and the source stays open to be played again or closed.
void OnReadError(CHalbrookDlg& window) {
    const int state = window.GetPlayState();
    if (state == PLAY_IDLE || state == PLAY_OPENED || g_bReadErrorStop.exchange(true))
        return;
    window.SetStatusText(IDS_READ_ERROR);
    Call_zPlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr);
}

void OnSeekFailed(CHalbrookDlg& window) {
    g_PendingSeek.Disarm();
    window.SetStatusText(IDS_SEEK_FAILED);
}

void OnPlaying(CHalbrookDlg& window) {
    window.SetPlayImage(true);
    g_bSliderDragging = false;
    g_bUserStop = false;
    g_bReadErrorStop = false;
    g_nFastForwardLevel = 0;
    g_nFastBackwardLevel = 0;
    g_bFramesFlowing = true;
    SetEvent(g_hTelemetryEvent);
    window.SetPlaying(true);
    window.SetPlayState(PLAY_PLAYING);
    window.SetStatusText(IDS_STATE_PLAYING);
    SetEvent(g_hTelemetryEvent);
    if (g_PendingSeek.valid) {
        const uint64_t at = g_PendingSeek.position;
        Call_zPlayMSG(PLAY_CMD_SEEK, 0, unsigned(at), int(at >> 32), nullptr);
    }
}

void OnPaused(CHalbrookDlg& window) {
    window.SetPlayImage(false);
    g_bFramesFlowing = false;
    ResetEvent(g_hTelemetryEvent);
    window.SetPlayState(PLAY_PAUSED);
    window.SetStatusText(IDS_STATE_PAUSE);
}

void OnSteppedForward(CHalbrookDlg& window) {
    window.SetStatusText(IDS_STATE_STEP_F);
    SetEvent(g_hTelemetryEvent);
    g_nFastForwardLevel = 0;
}

void OnSteppedBackward(CHalbrookDlg& window) {
    window.SetStatusText(IDS_STATE_STEP_R);
    SetEvent(g_hTelemetryEvent);
}

void OnFast(CHalbrookDlg& window, const wchar_t* format, std::atomic<int>& level,
            std::atomic<int>& other) {
    other = 0;
    g_bFramesFlowing = true;
    ResetEvent(g_hTelemetryEvent);
    CString text;
    text.Format(format, 1 << level.load());
    window.SetStatusText(text);
    SetEvent(g_hTelemetryEvent);
    window.SetPlayState(PLAY_FAST);
    window.SetPlayImage(false);
}

void OnSeekDone() {
    if (g_PendingSeek.valid.exchange(false))
        g_bPositionJumped = true;
}

// A user's stop closes the source; only without one does auto replay play
// again, so that two follow-up commands never meet in the library's slot.
void FollowStop() {
    if (g_bUserStop.exchange(false)) {
        g_bAutoReplayPending = false;
        SendAfterSpacing(PLAY_CMD_CLOSE);
    } else if (g_bAutoReplayPending.exchange(false)) {
        SendAfterSpacing(PLAY_CMD_PLAY, 0);
    }
}

void OnStopRefused(CHalbrookDlg& window) {
    if (g_bUserStop.exchange(false)) {
        SendAfterSpacing(PLAY_CMD_CLOSE);
        return;
    }
    window.SetStatusText(IDS_STATE_OPENED);
    window.ClearTelemetryLines();
}

void OnStopped(CHalbrookDlg& window) {
    // The playing flag first: a UI thread waiting for it goes on before this
    // thread touches a window.
    window.SetPlaying(false);
    window.SetPlayImage(false);
    g_bFramesFlowing = false;
    g_bPlaybackStopped = true;
    SetEvent(g_hTelemetryEvent);
    window.SetPlayState(PLAY_OPENED);
    window.SetStatusText(g_bReadErrorStop.exchange(false) ? IDS_READ_ERROR : IDS_STATE_OPENED);
    window.ClearTelemetryLines();
    FollowStop();
}

void PostSnapshotResult(CHalbrookDlg& window, bool saved) {
    EndSnapshotRequest();
    ::PostMessage(window.GetSafeHwnd(), UM_SNAPSHOT_RESULT, 0, saved ? 1 : 0);
}

void ReportSource(CHalbrookDlg& window, const LanguageText& failed, const LanguageText& opened,
                  const LanguageText* removedLog, const LanguageText& removed, int status) {
    if (status == SOURCE_OPEN_FAILED) {
        g_dailyLog.WriteLog(failed.Get());
        window.ShowBox(failed);
    } else if (status == SOURCE_OPENED) {
        window.SetStatusText(IDS_STATE_OPENED);
        window.PostSourceChanged();
        g_dailyLog.WriteLog(opened.Get());
    } else if (status == SOURCE_REMOVED) {
        window.OnMenuClose();
        if (removedLog != nullptr)
            g_dailyLog.WriteLog(removedLog->Get());
        window.ShowBox(removed);
    }
}

}  // namespace

void OnPlayerStatus(int code, int) {
    const WindowPresence::Visit visit(g_mainWindow);
    if (!visit)
        return;
    CHalbrookDlg& window = *visit.Window();
    switch (code) {
        case MSG_PLAY_END:
            return OnPlayEnd(window);
        case MSG_CLOSE_FAILED:
            return OnCloseFailed(window);
        case MSG_READ_ERROR:
            return OnReadError(window);
        case MSG_PLAY_FAILED:
            return OnPlayFailed(window);
        case MSG_CLOSE_DONE:
            return OnClosed(window);
        case MSG_PLAY_DONE:
            return OnPlaying(window);
        case MSG_PAUSE_DONE:
            return OnPaused(window);
        case MSG_STEP_FORWARD_DONE:
            return OnSteppedForward(window);
        case MSG_STEP_BACKWARD_DONE:
            return OnSteppedBackward(window);
        case MSG_FAST_FORWARD_DONE:
            return OnFast(window, L"FF X%d", g_nFastForwardLevel, g_nFastBackwardLevel);
        case MSG_FAST_BACKWARD_DONE:
            return OnFast(window, L"FB X%d", g_nFastBackwardLevel, g_nFastForwardLevel);
        case MSG_SEEK_DONE:
            return OnSeekDone();
        case MSG_SEEK_FAILED:
            return OnSeekFailed(window);
        case MSG_STOP_REFUSED:
            return OnStopRefused(window);
        case MSG_STOP_DONE:
            return OnStopped(window);
        case MSG_CAPTURE_FAILED:
            return PostSnapshotResult(window, false);
        case MSG_CAPTURE_DONE:
            return PostSnapshotResult(window, true);
        case MSG_CLOSE_REFUSED:
            return window.SetStatusText(IDS_STRING371);
        default:
            return;
    }
}

void OnSourceResult(int kind, const char*, int status) {
    const WindowPresence::Visit visit(g_mainWindow);
    if (!visit)
        return;
    CHalbrookDlg& window = *visit.Window();
    if (kind == OPENED_REBUILD) {
        ::PostMessage(window.GetSafeHwnd(), UM_REBUILD_PROGRESS, 0, status);
        return;
    }
    if (kind == OPENED_DISK)
        ReportSource(window, IDS_STRING231, IDS_STRING376, &IDS_STRING441, IDS_STRING232, status);
    else
        ReportSource(window, IDS_STRING233, IDS_STRING377, nullptr, IDS_STRING234, status);
}

void OnPlayerReserved(int, int, int, int) {}

void OnPlayerError(int code, DWORD, int value) {
    // Sectors a rebuild passed unreadable: the disk is failing, which the
    // daily log keeps whether or not the window is there.
    if (code == ERR_REBUILD_UNREADABLE_SECTORS) {
        CString line;
        line.Format(L"%s %d", IDS_STRING_REBUILD_UNREADABLE.GetString(), value);
        g_dailyLog.WriteLog(line);
        return;
    }
    const WindowPresence::Visit visit(g_mainWindow);
    if (!visit)
        return;
    if (code == ERR_INDEX_OPEN_FAILED)
        visit.Window()->ShowBox(IDS_STRING256);
    else if (code == ERR_INDEX_UNREADABLE)
        visit.Window()->ShowBox(IDS_STRING_INDEX_DAMAGE);
}
