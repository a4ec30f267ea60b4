// The play bar inside a stand-in main window: its layout, the messages its
// buttons post, the volume and audio channel buttons, and its tooltips in
// two languages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controls/PrivateMessage.h"
#include "app/res/MarlowinResources.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/playbar/PlayBarDlg.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"
#include "platform/base/Module.h"
#include "shared/TextConvert.h"

namespace {

std::vector<std::string> g_calls;

bool RecordAudioType(int track) {
    g_calls.push_back("zSetAudioType " + std::to_string(track));
    return true;
}
bool RecordVolume(int volume) {
    g_calls.push_back("zSetVoiceVolume " + std::to_string(volume));
    return true;
}

constexpr UINT kHostTemplate = 5201;

void AddHostTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 600;
    t.cy = 200;
    AddDialogResource(kHostTemplate, t);
}

// The main window's stand-in: the bar's parent, recording what is posted to it.
class CHostDlg : public CDialog {
public:
    CHostDlg() : CDialog(kHostTemplate) {}
    struct Posted {
        UINT message;
        WPARAM wParam;
        bool operator==(const Posted&) const = default;
    };
    std::vector<Posted> posted;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_USER + 100 && message <= WM_USER + 131) {
            posted.push_back({message, wParam});
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

struct Box {
    int x, y, w, h;
    bool operator==(const Box&) const = default;
};

Box Placed(const CWnd& wnd) {
    CRect r;
    wnd.GetWindowRect(&r);
    POINT corner{r.left, r.top};
    ::ScreenToClient(::GetParent(wnd.GetSafeHwnd()), &corner);
    return {corner.x, corner.y, r.Width(), r.Height()};
}

class PlayBar : public ::testing::Test {
protected:
    PlayBar() {
        static const bool registered = [] {
            RegisterMarlowinResources();
            AddHostTemplate();
            return true;
        }();
        (void)registered;
        SetDefaultLanguageTexts();
        g_calls.clear();
        pfn_zSetAudioType = RecordAudioType;
        pfn_zSetVoiceVolume = RecordVolume;
        g_nAudioChannel = 0;
        EXPECT_TRUE(host.Create(kHostTemplate));
        AfxSetMainWnd(&host);
        EXPECT_TRUE(bar.Create(IDD_PLAY_BAR, &host));
        bar.MoveWindow(0, 0, 800, 60);
        Pump();
    }
    ~PlayBar() override {
        AfxSetMainWnd(nullptr);
        host.DestroyWindow();
        SetDefaultLanguageTexts();
    }
    void Pump() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    void Click(int id) {
        bar.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        Pump();
    }
    std::wstring TipOf(CWnd& tool) {
        ToolTipInfo info;
        bar.m_toolTip.GetTool(&info, &tool);
        return info.text.GetString();
    }
    CSkinButton& Transport(int id) {
        for (int i = 0; i < CPlayBarDlg::kTransportCount; ++i) {
            if (bar.m_btnTransport[i].GetDlgCtrlID() == id)
                return bar.m_btnTransport[i];
        }
        return bar.m_btnTransport[0];
    }

    ScopedFakeClock clock;
    HeadlessDisplay display{1200, 800, RGB(1, 1, 1)};
    CHostDlg host;
    CPlayBarDlg bar;
};

TEST_F(PlayBar, ButtonsSpreadInEqualStepsAndThePauseButtonStaysHidden) {
    const int step = (800 - 210) / 9;
    const struct {
        int id;
        Box box;
    } cases[] = {
        {IDC_PLAYBAR_STOP, {0, 5, 150, 150}},
        {IDC_PLAYBAR_STEP_BACKWARD, {step, 3, 150, 150}},
        {IDC_PLAYBAR_FAST_BACKWARD, {2 * step, 3, 150, 150}},
        {IDC_PLAYBAR_PLAY, {3 * step, 3, 150, 150}},
        {IDC_PLAYBAR_PAUSE, {3 * step, 3, 0, 0}},
        {IDC_PLAYBAR_FAST_FORWARD, {4 * step, 3, 150, 150}},
        {IDC_PLAYBAR_STEP_FORWARD, {5 * step, 3, 150, 150}},
        {IDC_PLAYBAR_SNAPSHOT, {6 * step, 3, 150, 150}},
        {IDC_PLAYBAR_SPLIT, {7 * step, 3, 150, 150}},
        {IDC_PLAYBAR_EXPORT, {8 * step, 3, 150, 150}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Placed(Transport(c.id)), c.box) << c.id;
    const int x = 9 * step + 5;
    EXPECT_EQ(Placed(bar.m_btnVolumeMin), (Box{x, 20, 200, 150}));
    EXPECT_EQ(Placed(bar.m_sliderVolume), (Box{x + 25, 32, 85, 15}));
    EXPECT_EQ(Placed(bar.m_btnVolumeMax), (Box{x + 115, 20, 200, 150}));
    EXPECT_EQ(Placed(bar.m_btnAudioChannel), (Box{x + 160, 13, 80, 200}));
    for (int width : {300, 1400}) {
        bar.MoveWindow(0, 0, width, 60);
        EXPECT_FALSE(Transport(IDC_PLAYBAR_PAUSE).IsWindowVisible());
    }
}

TEST_F(PlayBar, TransportButtonsPostTheirMessageToTheMainWindow) {
    const struct {
        int id;
        UINT message;
    } cases[] = {{IDC_PLAYBAR_FAST_BACKWARD, UM_PLAYBAR_FAST_BACKWARD},
                 {IDC_PLAYBAR_SNAPSHOT, UM_PLAYBAR_SNAPSHOT},
                 {IDC_PLAYBAR_EXPORT, UM_PLAYBAR_EXPORT},
                 {IDC_PLAYBAR_FAST_FORWARD, UM_PLAYBAR_FAST_FORWARD},
                 {IDC_PLAYBAR_PLAY, UM_PLAYBAR_PLAY},
                 {IDC_PLAYBAR_PAUSE, UM_PLAYBAR_PAUSE},
                 {IDC_PLAYBAR_SPLIT, UM_PLAYBAR_SPLIT},
                 {IDC_PLAYBAR_STEP_FORWARD, UM_PLAYBAR_STEP_FORWARD},
                 {IDC_PLAYBAR_STEP_BACKWARD, UM_PLAYBAR_STEP_BACKWARD},
                 {IDC_PLAYBAR_STOP, UM_PLAYBAR_STOP}};
    for (const auto& c : cases) {
        host.posted.clear();
        Click(c.id);
        ASSERT_EQ(host.posted.size(), 1u) << c.id;
        EXPECT_EQ(host.posted[0], (CHostDlg::Posted{c.message, WPARAM(bar.GetDlgCtrlID())}));
    }
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(PlayBar, VolumeEndsAndTheAudioChannelCallThePlayer) {
    Click(IDC_PLAYBAR_VOLUME_MAX);
    EXPECT_EQ(bar.m_sliderVolume.GetPos(), 100);
    Click(IDC_PLAYBAR_VOLUME_MIN);
    EXPECT_EQ(bar.m_sliderVolume.GetPos(), 0);
    Click(IDC_PLAYBAR_AUDIO_CHANNEL);
    EXPECT_EQ(g_nAudioChannel.load(), 1);
    Click(IDC_PLAYBAR_AUDIO_CHANNEL);
    EXPECT_EQ(g_nAudioChannel.load(), 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"zSetVoiceVolume 100", "zSetVoiceVolume 0",
                                                 "zSetAudioType 1", "zSetAudioType 0"}));
    EXPECT_TRUE(host.posted.empty());
}

TEST_F(PlayBar, ALanguageChangeRelabelsTheTransportTipsButNotTheVolumeTips) {
    EXPECT_EQ(TipOf(Transport(IDC_PLAYBAR_PLAY)), L"play");
    EXPECT_EQ(TipOf(bar.m_btnVolumeMax), L"maxmum volume");
    std::wcsncpy(g_szProgramDir, Utf8ToWideString(ProgramDirectory()).c_str(), kConfigPathSize - 1);
    ASSERT_TRUE(LoadLanguageFile(L"Chinese.lang"));
    bar.ApplyLanguageTexts();
    EXPECT_EQ(TipOf(Transport(IDC_PLAYBAR_PLAY)), std::wstring(IDS_STRING219.GetString()));
    EXPECT_NE(TipOf(Transport(IDC_PLAYBAR_PLAY)), L"play");
    EXPECT_EQ(TipOf(bar.m_btnAudioChannel), std::wstring(IDS_AUDIO_SEL.GetString()));
    EXPECT_EQ(TipOf(bar.m_btnVolumeMax), L"maxmum volume");
}

}  // namespace
