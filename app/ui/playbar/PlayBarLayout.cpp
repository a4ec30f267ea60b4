// The play bar's layout: the buttons spread over the bar's width in equal
// steps, the volume controls after them.
#include "app/ui/playbar/PlayBarDlg.h"

namespace {

// The buttons' windows are larger than their images; each cuts its region
// from its bitmap.
constexpr int kButtonSide = 150;

}  // namespace

void CPlayBarDlg::PlaceButton(int id, int x, int y, int cx, int cy) {
    Button(id).MoveWindow(x, y, cx, cy);
}

void CPlayBarDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    if (Button(IDC_PLAYBAR_STOP).m_bitmap.GetSafeHandle() == nullptr)
        return;
    const int step = (cx - 210) / 9;
    PlaceButton(IDC_PLAYBAR_STOP, 0, 5, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_STEP_BACKWARD, step, 3, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_FAST_BACKWARD, 2 * step, 3, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_PLAY, 3 * step, 3, kButtonSide, kButtonSide);
    CSkinButton& pause = Button(IDC_PLAYBAR_PAUSE);
    pause.MoveWindow(3 * step, 3, 0, 0);
    pause.ShowWindow(SW_HIDE);
    const int state = m_nPlayState.load();
    SetPlayImage(state == PLAY_PLAYING || state == PLAY_FAST);
    PlaceButton(IDC_PLAYBAR_FAST_FORWARD, 4 * step, 3, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_STEP_FORWARD, 5 * step, 3, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_SNAPSHOT, 6 * step, 3, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_SPLIT, 7 * step, 3, kButtonSide, kButtonSide);
    PlaceButton(IDC_PLAYBAR_EXPORT, 8 * step, 3, kButtonSide, kButtonSide);
    const int x = 8 * step + step + 5;
    m_btnVolumeMin.MoveWindow(x, 20, 200, kButtonSide);
    InitVolumeSlider();
    m_sliderVolume.MoveWindow(x + 25, 32, 85, 15);
    m_btnVolumeMax.MoveWindow(x + 115, 20, 200, kButtonSide);
    m_btnAudioChannel.MoveWindow(x + 160, 13, 80, 200);
}

BOOL CPlayBarDlg::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    m_bmpBack.Draw(dc, &client);
    return TRUE;
}
