// The strip of transport buttons under the video: a child dialog of the main
// window. The transport buttons only post their private message to the
// application's main window (wParam the bar's control id, lParam 0), whose
// handlers decide by the play state; the volume end buttons and the audio
// channel button call the player library themselves.
//
// The main window loads the background and the transparent colour of the
// transport buttons, places the bar, and swaps the play button's image as the
// player reports its state. User-interface thread only.
#pragma once

#include <atomic>

#include "app/controls/skin/SkinButton.h"
#include "app/controls/skin/SlideVolumn.h"
#include "app/controls/tooltip/QoToolTip.h"
#include "app/res/ResourceIds.h"
#include "app/ui/playbar/PlayState.h"

// The audio track the next play command carries (0 or 1); the audio channel
// button flips it. Read by the player callbacks' thread.
extern std::atomic<int> g_nAudioChannel;

class CPlayBarDlg : public CDialog {
public:
    static constexpr int kTransportCount = 10;

    CPlayBarDlg() : CDialog(IDD_PLAY_BAR) {}

    // The play button shows the pause image (playing) or the play image.
    void SetPlayImage(bool pauseImage);
    void ApplyLanguageTexts();
    void OnAudioChannel();
    void SetVolumePos(int volume) { m_sliderVolume.SetPos(volume); }

    BOOL PreTranslateMessage(MSG* msg) override;

    // The copy of the main window's play state; chooses the play image on
    // every resize.
    std::atomic<int> m_nPlayState{PLAY_IDLE};
    CSkinBitmap m_bmpBack;  // stretched over the bar
    // In the order 10015, 10016, 10017, 10018, 10019, 10030, 10020, 10021,
    // 10022, 10023.
    CSkinButton m_btnTransport[kTransportCount];
    CSlideVolumn m_sliderVolume;
    CSkinButton m_btnVolumeMin;
    CSkinButton m_btnVolumeMax;
    CSkinButton m_btnAudioChannel;
    CQoToolTip m_toolTip;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPlay();
    void OnPause();
    void OnStop();
    void OnStepBackward();
    void OnStepForward();
    void OnFastForward();
    void OnFastBackward();
    void OnSplit();
    void OnSnapshot();
    void OnExport();
    void OnVolumeMin();
    void OnVolumeMax();

    DECLARE_MESSAGE_MAP()

private:
    CSkinButton& Button(int id);
    void PostToMain(UINT message) const;
    void AddTools();
    void LoadTransportBitmaps();
    void InitVolumeSlider();
    void PlaceButton(int id, int x, int y, int cx, int cy);
    void SetVolume(int volume);
};
