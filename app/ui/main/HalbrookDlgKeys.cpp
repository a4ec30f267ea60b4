// The main window's keyboard: transport, channels alone, the split, jumps
// and the audio track, by the play state.
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"

namespace {

// Virtual-key codes of the number pad.
constexpr UINT kNumpad1 = 0x61;
constexpr UINT kNumpad8 = 0x68;
constexpr UINT kNumpad9 = 0x69;
constexpr UINT kNumpadAdd = 0x6B;
constexpr UINT kNumpadSubtract = 0x6D;
constexpr UINT kNumpadDecimal = 0x6E;
constexpr intptr_t kJumpBack = 1;
constexpr intptr_t kJumpForward = 2;

bool Moving(int state) {
    return state == PLAY_PLAYING || state == PLAY_FAST;
}

// The channel 1..8 a key names, 0 for other keys.
int ChannelKey(UINT key) {
    if (key >= '1' && key <= '8')
        return int(key - '0');
    if (key >= kNumpad1 && key <= kNumpad8)
        return int(key - kNumpad1 + 1);
    return 0;
}

}  // namespace

BOOL CHalbrookDlg::PreTranslateMessage(MSG* msg) {
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(msg);
    if (m_sliderTip.GetSafeHwnd() != nullptr)
        m_sliderTip.RelayEvent(msg);
    if (msg->message == WM_KEYDOWN && HandleKey(UINT(msg->wParam)))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

void CHalbrookDlg::KeyForChannel(int channel) {
    if (!Moving(GetPlayState()))
        return;
    if (Call_zTellFullScreenIdx() == channel) {
        Call_zSetFullScreen(0);
        m_stVideo.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    } else {
        Call_zSetFullScreen(channel);
    }
}

// True when the key is swallowed.
bool CHalbrookDlg::HandleKey(UINT key) {
    const int state = GetPlayState();
    if (const int channel = ChannelKey(key)) {
        KeyForChannel(channel);
        return true;
    }
    switch (key) {
        case VK_RETURN:
        case VK_ESCAPE:
            return true;
        case VK_SPACE:
            if (state == PLAY_IDLE)
                return false;
            OnPlayBarPlay();
            return true;
        case VK_LEFT:
            if (Moving(state))
                OnPlayBarFastBackward();
            else if (state == PLAY_PAUSED)
                OnPlayBarStepBackward();
            return true;
        case VK_RIGHT:
            if (Moving(state))
                OnPlayBarFastForward();
            else if (state == PLAY_PAUSED)
                OnPlayBarStepForward();
            return true;
        case '9':
        case kNumpad9:
            OnPlayBarSplit();
            return true;
        case kNumpadAdd:
            if (state == PLAY_PLAYING)
                Call_zPlayMSG(PLAY_CMD_JUMP, kJumpForward, 0, 0, nullptr);
            return true;
        case kNumpadSubtract:
            if (state == PLAY_PLAYING)
                Call_zPlayMSG(PLAY_CMD_JUMP, kJumpBack, 0, 0, nullptr);
            return state != PLAY_IDLE && state != PLAY_OPENED;
        case kNumpadDecimal:
            m_playBar.OnAudioChannel();
            m_playBar.Invalidate();
            return true;
        default:
            return false;
    }
}
