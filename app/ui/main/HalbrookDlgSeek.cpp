// Seeking: the seek slider (held, moved, released) and a position sent by
// the find dialog. A seek while not playing first asks for play; the play
// result then sends the armed seek.
#include <cwchar>

#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/SliderSeek.h"

void CHalbrookDlg::SendSeek(unsigned long long position) {
    Call_zPlayMSG(PLAY_CMD_SEEK, 0, unsigned(position), int(position >> 32), nullptr);
}

LRESULT CHalbrookDlg::OnSliderBeginDrag(WPARAM wParam, LPARAM) {
    if (wParam == WPARAM(IDC_MAIN_SEEK))
        g_bSliderDragging = true;
    return 0;
}

LRESULT CHalbrookDlg::OnSliderMove(WPARAM wParam, LPARAM lParam) {
    if (wParam == WPARAM(IDC_MAIN_SEEK))
        m_nSliderPointer = int(lParam);
    return 0;
}

LRESULT CHalbrookDlg::OnSliderReleased(WPARAM wParam, LPARAM) {
    if (wParam != WPARAM(IDC_MAIN_SEEK))
        return 0;
    int max = 0, min = 0;
    m_sliderSeek.GetRange(&max, &min);
    uint64_t position = 0;
    const SliderSeek found =
        SliderSeekPosition(unsigned(m_sliderSeek.GetPos()), min, max, &position);
    if (found == SliderSeek::NoIndex)
        m_sliderSeek.SetPos(0);
    if (found != SliderSeek::Seek)
        return 0;
    g_bPositionJumped = true;
    if (GetPlayState() == PLAY_PLAYING) {
        SendSeek(position);
    } else {
        g_PendingSeek.Arm(position);
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(UM_PLAYBAR_PLAY, WPARAM(GetDlgCtrlID()), 0);
    }
    g_bSliderDragging = false;
    return 0;
}

LRESULT CHalbrookDlg::OnSeekToPosition(WPARAM wParam, LPARAM lParam) {
    const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
    if (text == nullptr)
        return 0;
    const long long position = std::wcstoll(text, nullptr, 10);
    if (position < 0 || position >= Call_zTellTotalLen())
        return 0;
    g_bPositionJumped = true;
    if (GetPlayState() == PLAY_PLAYING) {
        SendSeek(uint64_t(position));
    } else if (wParam == 0) {
        g_PendingSeek.Arm(uint64_t(position));
        Call_zPlayMSG(PLAY_CMD_PLAY, g_nAudioChannel.load(), 0, 0, nullptr);
    }
    g_bSliderDragging = false;
    return 0;
}
