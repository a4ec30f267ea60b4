#include "app/ui/playbar/PlayBarDlg.h"

#include "app/controls/PrivateMessage.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/playbar/PlayBarButtons.h"

std::atomic<int> g_nAudioChannel{0};

namespace {

constexpr COLORREF kButtonKey = RGB(10, 10, 10);

UINT AudioChannelBitmap() {
    return g_nAudioChannel.load() == 1 ? IDB_AUDIO_CHANNEL_1 : IDB_AUDIO_CHANNEL_0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPlayBarDlg, CDialog)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_BN_CLICKED(IDC_PLAYBAR_PLAY, &CPlayBarDlg::OnPlay)
ON_BN_CLICKED(IDC_PLAYBAR_PAUSE, &CPlayBarDlg::OnPause)
ON_BN_CLICKED(IDC_PLAYBAR_STOP, &CPlayBarDlg::OnStop)
ON_BN_CLICKED(IDC_PLAYBAR_STEP_BACKWARD, &CPlayBarDlg::OnStepBackward)
ON_BN_CLICKED(IDC_PLAYBAR_STEP_FORWARD, &CPlayBarDlg::OnStepForward)
ON_BN_CLICKED(IDC_PLAYBAR_FAST_FORWARD, &CPlayBarDlg::OnFastForward)
ON_BN_CLICKED(IDC_PLAYBAR_FAST_BACKWARD, &CPlayBarDlg::OnFastBackward)
ON_BN_CLICKED(IDC_PLAYBAR_SPLIT, &CPlayBarDlg::OnSplit)
ON_BN_CLICKED(IDC_PLAYBAR_SNAPSHOT, &CPlayBarDlg::OnSnapshot)
ON_BN_CLICKED(IDC_PLAYBAR_EXPORT, &CPlayBarDlg::OnExport)
ON_BN_CLICKED(IDC_PLAYBAR_VOLUME_MIN, &CPlayBarDlg::OnVolumeMin)
ON_BN_CLICKED(IDC_PLAYBAR_VOLUME_MAX, &CPlayBarDlg::OnVolumeMax)
ON_BN_CLICKED(IDC_PLAYBAR_AUDIO_CHANNEL, &CPlayBarDlg::OnAudioChannel)
END_MESSAGE_MAP()

void CPlayBarDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int i = 0; i < kTransportCount; ++i)
        DDX_Control(dx, kTransportButtons[i].id, m_btnTransport[i]);
    DDX_Control(dx, IDC_PLAYBAR_VOLUME, m_sliderVolume);
    DDX_Control(dx, IDC_PLAYBAR_VOLUME_MIN, m_btnVolumeMin);
    DDX_Control(dx, IDC_PLAYBAR_VOLUME_MAX, m_btnVolumeMax);
    DDX_Control(dx, IDC_PLAYBAR_AUDIO_CHANNEL, m_btnAudioChannel);
}

BOOL CPlayBarDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nPlayState = PLAY_IDLE;
    AddTools();
    m_btnAudioChannel.SetTransparentColor(kButtonKey);
    LoadTransportBitmaps();
    InitVolumeSlider();
    m_sliderVolume.MoveWindow(510, 32, 85, 15);
    m_btnVolumeMin.m_bitmap.LoadOnce(IDB_VOLUME_MIN);
    m_btnVolumeMax.m_bitmap.LoadOnce(IDB_VOLUME_MAX);
    m_btnAudioChannel.m_bitmap.LoadOnce(AudioChannelBitmap());
    return TRUE;
}

CSkinButton& CPlayBarDlg::Button(int id) {
    for (int i = 0; i < kTransportCount; ++i) {
        if (kTransportButtons[i].id == id)
            return m_btnTransport[i];
    }
    if (id == IDC_PLAYBAR_VOLUME_MIN)
        return m_btnVolumeMin;
    if (id == IDC_PLAYBAR_VOLUME_MAX)
        return m_btnVolumeMax;
    return m_btnAudioChannel;
}

void CPlayBarDlg::AddTools() {
    m_toolTip.Create(this);
    m_toolTip.EnableNotify(TRUE);
    m_toolTip.SetDefaultBehaviour(TOOLTIP_BEHAVIOUR_RESHOW);
    for (const int id : kPlayBarToolOrder) {
        CWnd* tool = id == IDC_PLAYBAR_VOLUME ? static_cast<CWnd*>(&m_sliderVolume) : &Button(id);
        m_toolTip.AddTool(tool, FindPlayBarButton(id)->tip->GetString());
    }
}

void CPlayBarDlg::LoadTransportBitmaps() {
    for (int i = 0; i < kTransportCount; ++i)
        m_btnTransport[i].m_bitmap.LoadOnce(kTransportButtons[i].bitmap);
}

void CPlayBarDlg::InitVolumeSlider() {
    m_sliderVolume.Init(IDB_VOLUME_FILLED, IDB_VOLUME_EMPTY, IDB_VOLUME_THUMB, L"progress..");
    m_sliderVolume.SetRange(0, 100);
}

void CPlayBarDlg::SetPlayImage(bool pauseImage) {
    Button(IDC_PLAYBAR_PLAY).ReplaceBitmap(pauseImage ? IDB_PAUSE : IDB_PLAY);
}

void CPlayBarDlg::ApplyLanguageTexts() {
    for (const int id : kRelabelledTools)
        m_toolTip.UpdateTipText(FindPlayBarButton(id)->tip->GetString(), &Button(id));
}

// Key presses are the main window's (Space, the arrows, the channel keys),
// wherever the focus is in the bar: they go on up to it.
BOOL CPlayBarDlg::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    if (msg->message == WM_KEYDOWN)
        return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

void CPlayBarDlg::PostToMain(UINT message) const {
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr)
        main->PostMessage(message, WPARAM(GetDlgCtrlID()), 0);
}

void CPlayBarDlg::OnPlay() {
    PostToMain(UM_PLAYBAR_PLAY);
}
void CPlayBarDlg::OnPause() {
    PostToMain(UM_PLAYBAR_PAUSE);
}
void CPlayBarDlg::OnStop() {
    PostToMain(UM_PLAYBAR_STOP);
}
void CPlayBarDlg::OnStepBackward() {
    PostToMain(UM_PLAYBAR_STEP_BACKWARD);
}
void CPlayBarDlg::OnStepForward() {
    PostToMain(UM_PLAYBAR_STEP_FORWARD);
}
void CPlayBarDlg::OnFastForward() {
    PostToMain(UM_PLAYBAR_FAST_FORWARD);
}
void CPlayBarDlg::OnFastBackward() {
    PostToMain(UM_PLAYBAR_FAST_BACKWARD);
}
void CPlayBarDlg::OnSplit() {
    PostToMain(UM_PLAYBAR_SPLIT);
}
void CPlayBarDlg::OnSnapshot() {
    PostToMain(UM_PLAYBAR_SNAPSHOT);
}
void CPlayBarDlg::OnExport() {
    PostToMain(UM_PLAYBAR_EXPORT);
}

void CPlayBarDlg::SetVolume(int volume) {
    Call_zSetVoiceVolume(volume);
    m_sliderVolume.SetPos(volume);
}

void CPlayBarDlg::OnVolumeMin() {
    SetVolume(0);
}

void CPlayBarDlg::OnVolumeMax() {
    SetVolume(100);
}

void CPlayBarDlg::OnAudioChannel() {
    g_nAudioChannel = g_nAudioChannel.load() == 1 ? 0 : 1;
    m_btnAudioChannel.ReplaceBitmap(AudioChannelBitmap());
    Call_zSetAudioType(g_nAudioChannel.load());
}
