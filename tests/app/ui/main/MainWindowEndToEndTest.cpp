// End to end: the main window on a real X server with the real player and
// export libraries opens the bundled sample, plays it in four panes and is
// driven through pause, step, snapshot, fast forward and a slider seek, with
// the screen checked pixel by pixel. Times are real: the player paces itself.
#include <gtest/gtest.h>

#include <cstdlib>

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "FileDialogAnswer.h"
#include "app/WindowScreenshot.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/MainWindowRegistration.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "platform/backend/DisplayChoice.h"
#include "platform/user/FileDialog.h"
#include "platform/user/MessageBox.h"
#include "platform/user/Screen.h"

namespace {

namespace fs = std::filesystem;

struct Rgb {
    int r, g, b;
};
// The sample's channels 1-4, as the recording generator paints them.
constexpr Rgb kChannelColours[] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}};
constexpr int kTolerance = 40;

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        display_ = ChooseDisplayBackend();
        static const bool registered = [] {
            RegisterMainWindow();
            return true;
        }();
        (void)registered;
        SetDefaultLanguageTexts();
        pictures_ = fs::path(DVR_BUILD_DIR) / "marlowin_e2e_pictures";
        fs::remove_all(pictures_);
        fs::create_directories(pictures_);
        std::wcsncpy(g_szJpegDir, pictures_.wstring().c_str(), kConfigPathSize - 1);
        std::wcsncpy(g_szLogDir, pictures_.wstring().c_str(), kConfigPathSize - 1);
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            std::lock_guard<std::mutex> hold(boxLock_);
            boxes_.push_back(request.text);
            return IDOK;
        });
    }
    ~EndToEnd() override {
        if (dlg.GetSafeHwnd() != nullptr) {
            dlg.SendMessage(WM_CLOSE);
            if (dlg.GetSafeHwnd() != nullptr)
                dlg.DestroyWindow();
        }
        AfxSetMainWnd(nullptr);
        SetMessageBoxHook(nullptr);
    }

    void Pump() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(dlg.GetSafeHwnd(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }
    // Runs the window until `done` holds, at most `ms` of real time.
    bool WaitFor(const std::function<bool()>& done, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            Pump();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        Pump();
        return done();
    }
    void Run(int ms) {
        WaitFor([] { return false; }, ms);
    }
    bool WaitForStatus(const wchar_t* status, int ms = 5000) {
        return WaitFor([&] { return dlg.m_stStatus.GetText() == status; }, ms);
    }
    bool BoxShown(const wchar_t* text) {
        std::lock_guard<std::mutex> hold(boxLock_);
        for (const std::wstring& box : boxes_) {
            if (box == text)
                return true;
        }
        return false;
    }

    // The screen's pixels of the video pane.
    std::vector<uint32_t> VideoPixels(CRect* video) {
        dlg.m_stVideo.GetWindowRect(video);
        std::vector<uint32_t> screen(size_t(video->right) * size_t(video->bottom));
        ComposeScreen(PixelBuffer{screen.data(), video->right, video->right, video->bottom},
                      RGB(0, 0, 0));
        std::vector<uint32_t> pane;
        for (int y = video->top; y < video->bottom; ++y)
            for (int x = video->left; x < video->right; ++x)
                pane.push_back(screen[size_t(y) * size_t(video->right) + size_t(x)]);
        return pane;
    }
    static bool Near(uint32_t pixel, Rgb c) {
        const int r = int((pixel >> 16) & 0xFF), g = int((pixel >> 8) & 0xFF),
                  b = int(pixel & 0xFF);
        return std::abs(r - c.r) < kTolerance && std::abs(g - c.g) < kTolerance &&
               std::abs(b - c.b) < kTolerance;
    }
    // Each quarter of the pane shows its channel's colour at its centre.
    bool FourChannelsShown() {
        CRect video;
        const std::vector<uint32_t> pane = VideoPixels(&video);
        const int w = video.Width(), h = video.Height();
        for (int i = 0; i < 4; ++i) {
            const int x = (i % 2) * w / 2 + w / 4, y = (i / 2) * h / 2 + h / 4;
            if (!Near(pane[size_t(y) * size_t(w) + size_t(x)], kChannelColours[i]))
                return false;
        }
        return true;
    }
    // The top strip of the first pane, where the generated picture moves.
    std::vector<uint32_t> MovingStrip() {
        CRect video;
        const std::vector<uint32_t> pane = VideoPixels(&video);
        const int w = video.Width(), h = video.Height();
        std::vector<uint32_t> strip;
        for (int y = 0; y < h / 8; ++y)
            for (int x = 0; x < w / 2; ++x)
                strip.push_back(pane[size_t(y) * size_t(w) + size_t(x)]);
        return strip;
    }
    // The same picture, give or take the small colour differences a repaint
    // of a held frame may bring (scaling of the same frame once more).
    static bool SamePicture(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            for (int shift : {0, 8, 16})
                if (std::abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF)) > 8)
                    return false;
        return true;
    }
    void Post(UINT message, WPARAM wParam = 0) { dlg.PostMessage(message, wParam, 0); }

    std::unique_ptr<DisplayBackend> display_;
    fs::path pictures_;
    CHalbrookDlg dlg;

private:
    std::mutex boxLock_;
    std::vector<std::wstring> boxes_;
};

TEST_F(EndToEnd, TheSamplePlaysInFourPanesAndFollowsTheTransport) {
    ASSERT_TRUE(dlg.Create(IDD_MAIN));
    AfxSetMainWnd(&dlg);
    dlg.MoveWindow(20, 20, 1100, 760);
    dlg.ShowWindow(SW_SHOW);
    Pump();
    maintest::OpenThroughFileDialog(dlg, fs::path(DVR_SAMPLE).wstring());

    // Playing: the four channels in their panes, the slider moving.
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    EXPECT_TRUE(WaitFor([&] { return FourChannelsShown(); }, 5000));
    const int startPos = dlg.m_sliderSeek.GetPos();
    EXPECT_TRUE(WaitFor([&] { return dlg.m_sliderSeek.GetPos() >= startPos + 2; }, 5000));
    EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e.png"));

    // Paused, the panes hold still; a step moves them on.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Pause"));
    // The player finishes the GOP it is showing (up to a second) before it
    // holds; from then on the picture stays.
    std::vector<uint32_t> paused = MovingStrip();
    EXPECT_TRUE(WaitFor(
        [&] {
            Run(300);
            const std::vector<uint32_t> now = MovingStrip();
            const bool still = SamePicture(now, paused);
            paused = now;
            return still;
        },
        3000));
    Run(800);
    EXPECT_TRUE(SamePicture(MovingStrip(), paused));
    Post(UM_PLAYBAR_STEP_FORWARD);
    ASSERT_TRUE(WaitForStatus(L"Step Forward"));
    EXPECT_TRUE(WaitFor([&] { return !SamePicture(MovingStrip(), paused); }, 3000));

    // A snapshot while paused writes its picture.
    Post(UM_PLAYBAR_SNAPSHOT);
    EXPECT_TRUE(WaitFor([&] { return BoxShown(L"Picture saved to"); }, 5000));
    bool jpeg = false;
    for (const auto& entry : fs::directory_iterator(pictures_))
        jpeg = jpeg || (entry.path().extension() == ".jpg" && fs::file_size(entry.path()) > 0);
    EXPECT_TRUE(jpeg);

    // Fast forward runs the picture and the slider on.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    Post(UM_PLAYBAR_FAST_FORWARD);
    ASSERT_TRUE(WaitForStatus(L"FF X2"));
    const std::vector<uint32_t> fast = MovingStrip();
    EXPECT_TRUE(WaitFor([&] { return !SamePicture(MovingStrip(), fast); }, 3000));
    EXPECT_TRUE(FourChannelsShown());

    // A seek by the slider moves playback to the slider's place.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    const int before = dlg.m_sliderSeek.GetPos();
    g_bSliderDragging = true;
    dlg.m_sliderSeek.SetPos(80);
    dlg.SendMessage(UM_SLIDER_RELEASED, IDC_MAIN_SEEK, 80);
    EXPECT_LT(before, 70);
    EXPECT_TRUE(WaitFor([&] { return dlg.m_sliderSeek.GetPos() >= 78; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return FourChannelsShown(); }, 3000));

    dlg.SendMessage(WM_CLOSE);
}

}  // namespace
