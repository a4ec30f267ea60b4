// The transport handlers: the play bar's messages, also reached by keys and
// menus. Each reads the play state and sends the matching command; the state
// changes only when the library confirms.
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/Snapshot.h"

namespace {

void Send(int command, intptr_t argument = 0) {
    Call_zPlayMSG(command, argument, 0, 0, nullptr);
}

// 1, 2, ..., 7, then 1 again.
int NextFastLevel(std::atomic<int>& level) {
    int next = level.load() == 7 ? 0 : level.load();
    next = next % 8 + 1;
    level = next;
    return next;
}

// The division mode showing every channel, and the number of groups the
// split command cycles through.
int AllChannelsMode(int screens) {
    return screens == 12 ? DIV_GRID_4X3 : screens == 16 ? DIV_GRID_4X4 : DIV_GRID_3X3;
}
int SplitGroups(int screens) {
    return screens == 12 ? 4 : screens == 16 ? 5 : 3;
}

}  // namespace

LRESULT CHalbrookDlg::OnPlayBarPlay(WPARAM, LPARAM) {
    const int state = GetPlayState();
    if (state == PLAY_PLAYING)
        Send(PLAY_CMD_PAUSE);
    else if (state != PLAY_IDLE)
        Send(PLAY_CMD_PLAY, g_nAudioChannel.load());
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarStop(WPARAM, LPARAM) {
    if (Call_zTellOpenedType() != OPENED_NETWORK)
        Send(PLAY_CMD_STOP, 0);
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarStepForward(WPARAM, LPARAM) {
    Send(PLAY_CMD_STEP_FORWARD);
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarStepBackward(WPARAM, LPARAM) {
    Send(PLAY_CMD_STEP_BACKWARD);
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarFastForward(WPARAM, LPARAM) {
    const int state = GetPlayState();
    if (state == PLAY_PLAYING || state == PLAY_FAST)
        Send(PLAY_CMD_FAST_FORWARD, NextFastLevel(g_nFastForwardLevel));
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarFastBackward(WPARAM, LPARAM) {
    const int state = GetPlayState();
    if (state == PLAY_PLAYING || state == PLAY_FAST)
        Send(PLAY_CMD_FAST_BACKWARD, NextFastLevel(g_nFastBackwardLevel));
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarSnapshot(WPARAM, LPARAM) {
    if (GetPlayState() != PLAY_IDLE)
        CaptureSnapshot(m_stVideo);
    return 0;
}

LRESULT CHalbrookDlg::OnPlayBarSplit(WPARAM, LPARAM) {
    const bool alone = Call_zTellFullScreenIdx() != 0;
    if (alone)
        g_nSplitGroup = 2;
    const int screens = Call_zTellScreenNum();
    const int group = (g_nSplitGroup.load() + 1) % SplitGroups(screens);
    g_nSplitGroup = group;
    Call_zSetDivStatus(group == 0 ? AllChannelsMode(screens) : group);
    if (alone)
        Call_zSetFullScreen(0);
    m_stVideo.Invalidate();
    return 0;
}

LRESULT CHalbrookDlg::OnVolumeChanged(WPARAM wParam, LPARAM lParam) {
    if (wParam != WPARAM(IDC_PLAYBAR_VOLUME))
        return 0;
    int volume = int(lParam);
    Call_zSetVoiceVolume(volume);
    Call_zTellVoiceVolume(&volume);
    m_nVolume = volume;
    m_playBar.SetVolumePos(volume);
    return 0;
}

LRESULT CHalbrookDlg::OnSnapshotResult(WPARAM, LPARAM lParam) {
    if (lParam != 1) {
        ShowBox(IDS_STRING262);
        return 0;
    }
    // Where the picture went, after the text that announces it.
    ShowBox(IDS_STRING263 + L" " + g_strSnapshotPath);
    return 0;
}
