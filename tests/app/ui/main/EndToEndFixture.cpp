#include "EndToEndFixture.h"

#include <chrono>
#include <cstdlib>
#include <cwchar>
#include <thread>

#include "FileDialogAnswer.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/main/MainWindowRegistration.h"
#include "platform/base/Module.h"
#include "platform/user/MessageBox.h"
#include "platform/user/Screen.h"
#include "shared/TextConvert.h"

namespace maine2e {

namespace {

// The sample's channels 1-4, as the recording generator paints them.
constexpr Rgb kChannelColours[] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}};
constexpr int kTolerance = 40;

// A label: white text in the bottom 20 rows of its pane, from the left.
constexpr int kLabelStrip = 20;
constexpr int kLabelWidth = 120;
constexpr int kWhiteLevel = 220;
constexpr int kLeastLabelPixels = 40;

bool White(uint32_t pixel) {
    return int((pixel >> 16) & 0xFF) > kWhiteLevel && int((pixel >> 8) & 0xFF) > kWhiteLevel &&
           int(pixel & 0xFF) > kWhiteLevel;
}

}  // namespace

EndToEnd::EndToEnd() {
    display_ = ChooseDisplayBackend();
    static const bool registered = [] {
        RegisterMainWindow();
        return true;
    }();
    (void)registered;
    SetDefaultLanguageTexts();
    // As start-up sets it: the map pages and language files are found below it.
    std::wcsncpy(g_szProgramDir, Utf8ToWideString(ProgramDirectory()).c_str(), kConfigPathSize - 1);
    SetMessageBoxHook([this](const MessageBoxRequest& request) {
        std::lock_guard<std::mutex> hold(boxLock_);
        boxes_.push_back(request.text);
        return IDOK;
    });
}

EndToEnd::~EndToEnd() {
    if (dlg.GetSafeHwnd() != nullptr) {
        dlg.SendMessage(WM_CLOSE);
        if (dlg.GetSafeHwnd() != nullptr)
            dlg.DestroyWindow();
    }
    AfxSetMainWnd(nullptr);
    SetMessageBoxHook(nullptr);
}

void EndToEnd::OpenSample() {
    ShowMainWindow();
    if (!HasFatalFailure())
        PlaySample();
}

void EndToEnd::ShowMainWindow() {
    ASSERT_TRUE(dlg.Create(IDD_MAIN));
    AfxSetMainWnd(&dlg);
    dlg.MoveWindow(20, 20, 1100, 760);
    dlg.ShowWindow(SW_SHOW);
    Pump();
}

void EndToEnd::PlaySample() {
    maintest::OpenThroughFileDialog(dlg, fs::path(DVR_SAMPLE).wstring());
    ASSERT_TRUE(WaitForStatus(L"Playing"));
}

void EndToEnd::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(dlg.GetSafeHwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

bool EndToEnd::WaitFor(const std::function<bool()>& done, int ms) {
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

void EndToEnd::Run(int ms) {
    WaitFor([] { return false; }, ms);
}

bool EndToEnd::WaitForStatus(const wchar_t* status, int ms) {
    return WaitFor([&] { return dlg.m_stStatus.GetText() == status; }, ms);
}

bool EndToEnd::BoxShown(const wchar_t* text) {
    std::lock_guard<std::mutex> hold(boxLock_);
    for (const std::wstring& box : boxes_) {
        if (box == text)
            return true;
    }
    return false;
}

std::vector<std::wstring> EndToEnd::Boxes() {
    std::lock_guard<std::mutex> hold(boxLock_);
    return boxes_;
}

std::vector<uint32_t> EndToEnd::VideoPixels(CRect* video) {
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

bool EndToEnd::Near(uint32_t pixel, Rgb c) {
    const int r = int((pixel >> 16) & 0xFF), g = int((pixel >> 8) & 0xFF), b = int(pixel & 0xFF);
    return std::abs(r - c.r) < kTolerance && std::abs(g - c.g) < kTolerance &&
           std::abs(b - c.b) < kTolerance;
}

bool EndToEnd::FourChannelsShown() {
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

bool EndToEnd::ChannelLabelsShown() {
    CRect video;
    const std::vector<uint32_t> pane = VideoPixels(&video);
    const int w = video.Width(), h = video.Height();
    for (int i = 0; i < 4; ++i) {
        const int left = (i % 2) * (w / 2), bottom = (i / 2 + 1) * (h / 2);
        int white = 0;
        for (int y = bottom - kLabelStrip; y < bottom; ++y) {
            for (int x = left; x < left + kLabelWidth; ++x)
                white += White(pane[size_t(y) * size_t(w) + size_t(x)]) ? 1 : 0;
        }
        if (white < kLeastLabelPixels)
            return false;
    }
    return true;
}

std::vector<uint32_t> EndToEnd::MovingStrip() {
    CRect video;
    const std::vector<uint32_t> pane = VideoPixels(&video);
    const int w = video.Width(), h = video.Height();
    std::vector<uint32_t> strip;
    for (int y = 0; y < h / 8; ++y)
        for (int x = 0; x < w / 2; ++x)
            strip.push_back(pane[size_t(y) * size_t(w) + size_t(x)]);
    return strip;
}

}  // namespace maine2e
