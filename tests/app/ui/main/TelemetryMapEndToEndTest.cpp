// End to end with the real player library and WebKit on an X server of its
// own: the bundled sample's telemetry reaches the main window's text lines,
// the telemetry panel and the local map page, and a click on the page's
// track seeks playback. Times are real: the player paces itself.
#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "FileDialogAnswer.h"
#include "app/WindowScreenshot.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/MainWindowRegistration.h"
#include "app/ui/map/MapPages.h"
#include "platform/backend/DisplayChoice.h"
#include "platform/user/MessageBox.h"
#include "platform/web/WebDocument.h"
#include "tests/app/ui/main/TestFolder.h"

namespace {

namespace fs = std::filesystem;

class TelemetryMapEndToEnd : public ::testing::Test {
protected:
    TelemetryMapEndToEnd() {
        display_ = ChooseDisplayBackend();
        RegisterMainWindow();
        SetDefaultLanguageTexts();
        // The map pages as the build installs them beside the program.
        std::wcsncpy(g_szProgramDir, fs::path(DVR_BUILD_DIR "/bin").wstring().c_str(),
                     kConfigPathSize - 1);
        // No map server is reachable here: the local page needs none.
        g_nMapType = kLocalMapType;
        SetMessageBoxHook([](const MessageBoxRequest&) { return IDOK; });
    }
    ~TelemetryMapEndToEnd() override {
        if (dlg.GetSafeHwnd() != nullptr)
            dlg.SendMessage(WM_CLOSE);
        if (dlg.GetSafeHwnd() != nullptr)
            dlg.DestroyWindow();
        AfxSetMainWnd(nullptr);
        SetMessageBoxHook(nullptr);
        g_nMapType = 0;
    }

    // Runs the window until `done` holds, at most `ms` of real time.
    bool WaitFor(const std::function<bool()>& done, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            MSG msg{};
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (!CWnd::WalkPreTranslateTree(dlg.GetSafeHwnd(), &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessage(&msg);
                }
            }
            if (done())
                return true;
            if (std::chrono::steady_clock::now() >= end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void Run(int ms) {
        WaitFor([] { return false; }, ms);
    }
    bool WaitForStatus(const wchar_t* status) {
        return WaitFor([&] { return dlg.m_stStatus.GetText() == status; }, 5000);
    }
    static std::wstring Line(const CSkinStatic& line) { return line.GetText().GetString(); }
    // Runs `script` in the map page; false when it failed or threw.
    bool RunInMapPage(const std::wstring& script) {
        const std::shared_ptr<WebDocument> page = dlg.m_mapPane.Browser().get_Document();
        return page != nullptr && page->InvokeScriptFunction(L"eval", {script});
    }

    std::unique_ptr<DisplayBackend> display_;
    TestFolder logs_;
    CHalbrookDlg dlg;
};

// The sample as the recording generator writes it: vehicle SAMPLE-01 from
// 2023-11-14 22:13:20 for a minute, at 30 to 70 km/h, 23.6 to 24.4 V and
// about 20 degrees, driving a loop near latitude 52.5.
TEST_F(TelemetryMapEndToEnd, TheSampleShowsItsTelemetryAndAClickOnTheMapTrackSeeks) {
    ASSERT_TRUE(dlg.Create(IDD_MAIN));
    AfxSetMainWnd(&dlg);
    dlg.MoveWindow(20, 20, 1100, 760);
    dlg.ShowWindow(SW_SHOW);
    ASSERT_TRUE(WaitFor([&] { return dlg.m_mapPane.Page().HasDocument(); }, 30000))
        << "the local map page never loaded";
    maintest::OpenThroughFileDialog(dlg, fs::path(DVR_SAMPLE).wstring());
    ASSERT_TRUE(WaitForStatus(L"Playing"));

    // The lines show the sample's telemetry (one pass may be applied in parts).
    const auto lines = [&] {
        return Line(dlg.m_stCarId) + L"|" + Line(dlg.m_stTime) + L"|" + Line(dlg.m_stSpeed) + L"|" +
               Line(dlg.m_stVoltage) + L"|" + Line(dlg.m_stTemperature) + L"|" + Line(dlg.m_stGps);
    };
    ASSERT_TRUE(WaitFor(
        [&] {
            return Line(dlg.m_stCarId) == L"SAMPLE-01" && !Line(dlg.m_stTime).empty() &&
                   !Line(dlg.m_stSpeed).empty() && !Line(dlg.m_stVoltage).empty() &&
                   !Line(dlg.m_stTemperature).empty() && Line(dlg.m_stGps).size() > 1;
        },
        5000))
        << testing::PrintToString(lines());
    EXPECT_EQ(Line(dlg.m_stTime).rfind(L"2023-11-14 22:13:", 0), 0u)
        << testing::PrintToString(lines());
    int speed = 0;
    EXPECT_EQ(std::swscanf(Line(dlg.m_stSpeed).c_str(), L"%d km/h", &speed), 1);
    EXPECT_GE(speed, 30);
    EXPECT_LE(speed, 70);
    float volts = 0;
    EXPECT_EQ(std::swscanf(Line(dlg.m_stVoltage).c_str(), L"%fV", &volts), 1);
    EXPECT_GE(volts, 23.5f);
    EXPECT_LE(volts, 24.5f);
    int celsius = 0;
    EXPECT_EQ(std::swscanf(Line(dlg.m_stTemperature).c_str(), L"%d", &celsius), 1);
    EXPECT_NEAR(celsius, 20, 5);
    EXPECT_NE(Line(dlg.m_stGps).find(L"Latitude : 52.5"), std::wstring::npos)
        << testing::PrintToString(lines());
    EXPECT_TRUE(dlg.m_logInfo.IsWindowVisible());

    // Some seconds of track on the page, then a click on its first point.
    Run(6000);
    EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_map.png"));
    const std::wstring before = Line(dlg.m_stTime);
    EXPECT_GE(before, L"2023-11-14 22:13:25");
    ASSERT_TRUE(RunInMapPage(
        L"var svg = document.getElementById('track');"
        L"var first = svg.querySelector('polyline').getAttribute('points').split(' ')[0]"
        L"    .split(',');"
        L"var box = svg.getBoundingClientRect();"
        L"svg.dispatchEvent(new MouseEvent('click', {bubbles: true,"
        L"    clientX: box.left + parseFloat(first[0]), clientY: box.top + "
        L"parseFloat(first[1])}));"))
        << "the page holds no track";
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::wstring now = Line(dlg.m_stTime);
            return !now.empty() && now < L"2023-11-14 22:13:24";
        },
        5000))
        << "still at " << testing::PrintToString(Line(dlg.m_stTime));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);

    dlg.SendMessage(WM_CLOSE);
}

}  // namespace
