// The main window's own frame: sizing and moving through hit-testing, the
// system commands, the double click (maximise, or a channel alone) and the
// on-screen text while the cursor is over the playing video.
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/FrameGeometry.h"
#include "app/ui/main/HalbrookDlg.h"

namespace {

constexpr UINT kOsdHideDelayMs = 10000;

}  // namespace

LRESULT CHalbrookDlg::OnNcHitTest(CPoint point) {
    CRect window;
    GetWindowRect(&window);
    return FrameHitTest(window, point, CDialog::OnNcHitTest(point));
}

void CHalbrookDlg::OnNcLButtonDown(UINT hit, CPoint point) {
    const WPARAM command = FrameSysCommand(hit);
    if (command == 0) {
        CDialog::OnNcLButtonDown(hit, point);
        return;
    }
    SendMessage(WM_SYSCOMMAND, command, MAKELPARAM(point.x, point.y));
}

void CHalbrookDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == 0x0010)
        return;
    Default();
    if ((id & 0xFFF0) == SC_MINIMIZE)
        ShowWindow(SW_SHOW);
}

void CHalbrookDlg::RedrawNow() {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CHalbrookDlg::OnNcLButtonDblClk(UINT, CPoint point) {
    CRect video;
    m_stVideo.GetWindowRect(&video);
    if (!video.PtInRect(point)) {
        const WPARAM command = IsZoomed() ? SC_RESTORE : SC_MAXIMIZE;
        SendMessage(WM_SYSCOMMAND, command, MAKELPARAM(point.x, point.y));
        if (command == SC_MAXIMIZE)
            Invalidate();
        return;
    }
    DoubleClickVideo(point);
}

void CHalbrookDlg::DoubleClickVideo(CPoint screen) {
    const int screens = Call_zTellScreenNum();
    if (screens == -1)
        return;
    if (Call_zTellFullScreenIdx() != 0) {
        Call_zSetFullScreen(0);
        RedrawNow();
        return;
    }
    CRect video;
    m_stVideo.GetWindowRect(&video);
    const int channel = VideoTileChannel(video, screen, screens, Call_zTellDivStatus());
    if (channel < 0)
        return;
    if (channel > 0)
        Call_zSetFullScreen(channel);
    RedrawNow();
}

void CHalbrookDlg::OnNcMouseMove(UINT, CPoint point) {
    FollowPointer(point);
}

void CHalbrookDlg::FollowRestingPointer() {
    POINT cursor{};
    if (!::GetCursorPos(&cursor))
        return;
    // Only where this window is the one the pointer rests on: a dialog or
    // another window over the video hides it from the pointer.
    const HWND under = ::WindowFromPoint(cursor);
    if (under != nullptr && ::GetAncestor(under, GA_ROOT) == m_hWnd)
        FollowPointer(CPoint(cursor));
}

void CHalbrookDlg::FollowPointer(CPoint point) {
    const int state = GetPlayState();
    if (state != PLAY_PLAYING && state != PLAY_FAST)
        return;
    ScreenToClient(&point);
    const bool over = StrictlyInside(m_rcVideo, point);
    if (over && !m_bOsdOn) {
        m_bOsdOn = 1;
        Call_zDisplayOsd(true);
        KillTimer(kOsdTimer);
    } else if (!over && m_bOsdOn) {
        m_bOsdOn = 0;
        SetTimer(kOsdTimer, kOsdHideDelayMs);
        Call_zDisplayOsd(false);
    }
}

void CHalbrookDlg::OnTimer(UINT_PTR id) {
    if (id != kOsdTimer) {
        CDialog::OnTimer(id);
        return;
    }
    Call_zDisplayOsd(m_bOsdOn != 0);
    KillTimer(kOsdTimer);
}
