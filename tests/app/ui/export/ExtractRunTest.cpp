#include "app/ui/export/ExtractRun.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "shared/PlayerInterface.h"
#include "shared/TextConvert.h"
#include "tests/app/ui/export/ExportDialogFixture.h"
#include "tests/support/ClockTicker.h"

namespace {

constexpr uint32_t kTime = 1560163542;  // 2019-06-10 10:45:42
const unsigned char kGopBytes[64] = {};

// An export started from the dialog over ten entries, into a fresh folder.
class ExtractRun : public ExportDialogFixture {
protected:
    void SetUp() override {
        ExportDialogFixture::SetUp();
        fakes::MakeTimeIndex(1, 10, kTime, 30);
        gop = std::make_unique<GopInfo>();
        *gop = GopInfo{};
        gop->version = 4;
        gop->channels = 4;
        gop->channelCount = 4;
        gop->time = kTime;
        std::strncpy(gop->carId, "TRUCK 7", sizeof gop->carId);
        for (int k = 0; k < 4; ++k) {
            gop->width[k] = 704;
            gop->height[k] = 576;
            gop->fps[k] = 25;
        }
        gop->width[1] = 352;
        gop->height[1] = 288;
        gop->lastWidth = 352;
        gop->lastHeight = 288;
    }
    // START with the AVI boxes of channels 1 and 2 and the mosaic ticked.
    void StartAvi() {
        ASSERT_TRUE(dlg->PrepareForSource());
        ::SetWindowTextW(Item(IDC_EXPORT_DIR), Utf8ToWideString(Dir()).c_str());
        Click(IDC_EXPORT_AVI);
        Click(IDC_EXPORT_CHANNEL_FIRST);
        Click(IDC_EXPORT_CHANNEL_FIRST + 1);
        Click(IDC_EXPORT_MOSAIC);
        Click(IDC_EXPORT_START);
        ASSERT_TRUE(dlg->IsExporting());
        ASSERT_TRUE(TakeBoxes().empty());
    }
    void Gop(int percent) {
        OnExtractData(EXTRACT_GOP, percent, kGopBytes, int(sizeof kGopBytes), gop.get());
        Pump();
    }
    void End(int code) {
        OnExtractData(code, 0, nullptr, 0, nullptr);
        Pump();
    }
    std::string Dir() const { return logDir + "/out"; }

    std::unique_ptr<GopInfo> gop;
};

}  // namespace

TEST_F(ExtractRun, TheFirstGopNamesAndOpensTheOutputs) {
    const int savedSpeed = g_nSpeedUnit, savedTemperature = g_nTemperatureUnit;
    g_nSpeedUnit = 1;
    g_nTemperatureUnit = 1;
    StartAvi();
    Gop(10);
    ASSERT_EQ(fakes::exporter.pres.size(), 1u);
    const ExtractParams& p = fakes::exporter.pres[0];
    EXPECT_EQ(p.outWidth[1], 352);
    EXPECT_EQ(p.outHeight[0], 576);
    EXPECT_EQ(p.outFps[3], 25);
    EXPECT_EQ(p.refWidth, 352);
    EXPECT_EQ(p.refHeight, 288);
    EXPECT_EQ(p.speedUnit, 1);
    EXPECT_EQ(p.temperatureUnit, 1);
    EXPECT_EQ(std::string(p.aviPath[0]),
              Dir() + "/AVI_TRUCK 7_20190610_1045_42_ch1_704X576@25fps.avi");
    EXPECT_EQ(std::string(p.aviPath[1]),
              Dir() + "/AVI_TRUCK 7_20190610_1045_42_ch2_352X288@25fps.avi");
    EXPECT_EQ(std::string(p.mosaicPath), Dir() + "/AVI_TRUCK 7_20190610_1045_42_ch_all.avi");
    EXPECT_EQ(Progress(), 10);
    Gop(55);
    EXPECT_EQ(fakes::exporter.pres.size(), 1u) << "opened once";
    ASSERT_EQ(fakes::exporter.writes.size(), 2u);
    EXPECT_EQ(fakes::exporter.writes[1].code, EXTRACT_GOP);
    EXPECT_EQ(Progress(), 55);
    EXPECT_FALSE(Enabled(IDC_EXPORT_START));
    End(EXTRACT_FINISHED);
    EXPECT_EQ(fakes::exporter.fins, 1);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Extracting completed!"});
    EXPECT_TRUE(Enabled(IDC_EXPORT_START));
    EXPECT_FALSE(dlg->IsExporting());
    EXPECT_NE(LogText().find("extract data completed."), std::string::npos);
    g_nSpeedUnit = savedSpeed;
    g_nTemperatureUnit = savedTemperature;
}

TEST_F(ExtractRun, OldVersionsCountHalfTheFramesEveryGop) {
    gop->version = 3;
    StartAvi();
    Gop(1);
    Gop(2);
    ASSERT_EQ(fakes::exporter.pres.size(), 1u);
    EXPECT_EQ(fakes::exporter.pres[0].outFps[0], 12);
    EXPECT_NE(std::string(fakes::exporter.pres[0].aviPath[0]).find("_ch1_704X576@12fps.avi"),
              std::string::npos);
    ASSERT_EQ(fakes::exporter.writes.size(), 2u);
    EXPECT_EQ(fakes::exporter.writes[0].fps0, 12);
    EXPECT_EQ(fakes::exporter.writes[1].fps0, 12) << "not halved twice";
    EXPECT_EQ(gop->fps[0], 25) << "the player's record is left as it was";
}

TEST_F(ExtractRun, AnUnsafeVehicleIdStaysInsideTheFolder) {
    std::strncpy(gop->carId, "../../x", sizeof gop->carId);
    StartAvi();
    Gop(1);
    ASSERT_EQ(fakes::exporter.pres.size(), 1u);
    EXPECT_EQ(std::string(fakes::exporter.pres[0].mosaicPath),
              Dir() + "/AVI_______x_20190610_1045_42_ch_all.avi");
}

TEST_F(ExtractRun, TheEndCodeDecidesTheResult) {
    struct Case {
        int code;
        bool opened;  // a GOP reached the export first
        std::vector<std::wstring> boxes;
        int fins;
        const char* log;
    } cases[] = {
        {EXTRACT_FINISHED, true, {L"Extracting completed!"}, 1, "extract data completed."},
        {EXTRACT_STOPPED, true, {}, 1, "Stop extracting by user!"},
        {EXTRACT_READ_FAILED, true, {L"Extracting error!"}, 1, "extract data fail."},
        {EXTRACT_OPEN_FAILED, false, {L"Extracting error!"}, 0, "extract data fail."},
        {EXTRACT_READ_FAILED, false, {L"Extracting error!"}, 0, "extract data fail."},
        // Nothing reached the export: not a success.
        {EXTRACT_FINISHED, false, {L"Extracting error!"}, 0, "extract data fail."},
        {EXTRACT_STOPPED, false, {}, 0, "Stop extracting by user!"},
    };
    for (const Case& c : cases) {
        fakes::Install();
        fakes::MakeTimeIndex(1, 10, kTime, 30);
        StartAvi();
        if (c.opened)
            Gop(40);
        End(EXTRACT_GOP_UNREADABLE);
        EXPECT_TRUE(dlg->IsExporting()) << "an unreadable GOP changes nothing";
        End(c.code);
        EXPECT_EQ(TakeBoxes(), c.boxes) << c.code << " " << c.opened;
        EXPECT_EQ(fakes::exporter.fins, c.fins) << c.code << " " << c.opened;
        EXPECT_TRUE(Enabled(IDC_EXPORT_START)) << c.code;
        EXPECT_FALSE(g_extractRun.IsActive()) << c.code;
        if (c.boxes == std::vector<std::wstring>{L"Extracting error!"}) {
            EXPECT_EQ(Progress(), 0) << c.code;
        }
        EXPECT_NE(LogText().find(c.log), std::string::npos) << c.code;
    }
}

// The result names every file under the name the export library finally
// gave it (a moved AVI file's next free name), and gives for each one that
// failed the system's reason; the heading says the export was not whole.
TEST_F(ExtractRun, TheResultShowsWhereEachFileWent) {
    const std::string moved = Dir() + "/AVI_TRUCK 7_20190610_1045_42_ch1_704X576@25fps_2.avi";
    const std::string subtitles = Dir() + "/MOV_TRUCK 7_20190610_1045_42_ch2_352X288@25fps.ssa";
    const std::wstring movedText = Utf8ToWideString(moved);
    const std::wstring subtitlesText = Utf8ToWideString(subtitles);
    struct Case {
        int code;
        int subtitlesResult;
        std::wstring box;
        const char* log;
    } cases[] = {
        {EXTRACT_FINISHED, 0, L"Extracting completed!\n" + movedText + L"\n" + subtitlesText,
         "extract data completed."},
        {EXTRACT_FINISHED, ENOSPC,
         L"Extracting error!\n" + movedText + L"\n" + subtitlesText + L"  No space left on device",
         "extract data fail."},
        {EXTRACT_READ_FAILED, EROFS,
         L"Extracting error!\n" + movedText + L"\n" + subtitlesText + L"  Read-only file system",
         "extract data fail."},
    };
    for (const Case& c : cases) {
        fakes::Install();
        fakes::MakeTimeIndex(1, 10, kTime, 30);
        fakes::exporter.outputs = {{moved, 0}, {subtitles, c.subtitlesResult}};
        StartAvi();
        Gop(40);
        End(c.code);
        EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{c.box}) << c.code;
        const std::string log = LogText();
        const std::size_t lastLine = log.find_last_of('\n', log.size() - 2);
        EXPECT_NE(log.find(c.log, lastLine == std::string::npos ? 0 : lastLine), std::string::npos)
            << c.code << ": " << log;
    }
}

// The output that could not be opened is named with the reason.
TEST_F(ExtractRun, AFailedOpenSaysWhichOutputAndWhy) {
    fakes::exporter.preResult = false;
    const std::string copy = Dir() + "/TRUCK 7_20190610_1045_42.dvr";
    fakes::exporter.outputs = {{copy, EACCES}};
    StartAvi();
    Gop(10);
    EXPECT_EQ(TakeBoxes(),
              std::vector<std::wstring>{L"Extracting open fail!\n" + Utf8ToWideString(copy) +
                                        L"  Permission denied"});
    End(EXTRACT_STOPPED);
}

TEST_F(ExtractRun, AFailedOpenIsReportedOnceAndStopsTheExtraction) {
    fakes::exporter.preResult = false;
    StartAvi();
    Gop(10);
    Gop(20);
    Gop(30);
    EXPECT_EQ(fakes::exporter.pres.size(), 1u) << "no second attempt";
    EXPECT_TRUE(fakes::exporter.writes.empty());
    EXPECT_EQ(fakes::Player().Count("zStopExtract"), 1);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Extracting open fail!"});
    EXPECT_EQ(Progress(), 0);
    EXPECT_FALSE(Enabled(IDC_EXPORT_START)) << "until the extraction has ended";
    End(EXTRACT_STOPPED);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(Enabled(IDC_EXPORT_START));
    EXPECT_EQ(fakes::exporter.fins, 0);
    EXPECT_NE(LogText().find("extract data fail."), std::string::npos);
}

TEST_F(ExtractRun, ANameTooLongForTheRecordFailsTheOpen) {
    std::memcpy(gop->carId, "0123456789ABCDEF", sizeof gop->carId);
    ASSERT_TRUE(dlg->PrepareForSource());
    const std::string dir = logDir + "/" + std::string(220 - logDir.size(), 'd');
    ::SetWindowTextW(Item(IDC_EXPORT_DIR), Utf8ToWideString(dir).c_str());
    Click(IDC_EXPORT_AVI);
    Click(IDC_EXPORT_MOSAIC);
    Click(IDC_EXPORT_START);
    ASSERT_TRUE(dlg->IsExporting());
    Gop(1);
    EXPECT_TRUE(fakes::exporter.pres.empty());
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Extracting open fail!"});
}

TEST_F(ExtractRun, IndexRecordsGoOnlyToAnOpenExport) {
    StartAvi();
    const InxHd header{kInxMagic, 1, 3, 0};
    OnExtractData(EXTRACT_INDEX_RECORD, 0, &header, 16, nullptr);
    EXPECT_TRUE(fakes::exporter.writes.empty());
    Gop(50);
    OnExtractData(EXTRACT_INDEX_RECORD, 0, &header, 16, nullptr);
    ASSERT_EQ(fakes::exporter.writes.size(), 2u);
    EXPECT_EQ(fakes::exporter.writes[1].code, EXTRACT_INDEX_RECORD);
    EXPECT_FALSE(fakes::exporter.writes[1].withInfo);
}

TEST_F(ExtractRun, ClosingWhileExportingStopsAndTheEndReachesNoWindow) {
    StartAvi();
    Gop(30);
    Click(IDC_EXPORT_CLOSE);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Stop extracting by user!"});
    EXPECT_EQ(fakes::Player().Count("zStopExtract"), 1);
    EXPECT_FALSE(::IsWindow(dlg->m_hWnd));
    Gop(60);
    End(EXTRACT_STOPPED);
    EXPECT_EQ(fakes::exporter.fins, 1) << "the outputs are finished";
    EXPECT_TRUE(TakeBoxes().empty());
    CreateDialog();
    ASSERT_TRUE(dlg->PrepareForSource());
    EXPECT_TRUE(Enabled(IDC_EXPORT_START));
}

TEST_F(ExtractRun, ADialogOpenedAgainBeforeTheEndWaitsForIt) {
    StartAvi();
    Gop(30);
    Click(IDC_EXPORT_CLOSE);
    TakeBoxes();
    CreateDialog();
    ASSERT_TRUE(dlg->PrepareForSource());
    EXPECT_FALSE(Enabled(IDC_EXPORT_START));
    Gop(80);
    EXPECT_EQ(Progress(), 80) << "the run reports to the new window";
    End(EXTRACT_STOPPED);
    EXPECT_TRUE(Enabled(IDC_EXPORT_START));
}

TEST_F(ExtractRun, TheFrameIsHeldWhileExporting) {
    ASSERT_TRUE(dlg->PrepareForSource());
    dlg->ShowWindow(SW_SHOW);
    Pump();
    CRect window;
    dlg->GetWindowRect(&window);
    const LPARAM closeBox = MAKELPARAM(window.right - 16, window.top + 14);
    ::SetWindowTextW(Item(IDC_EXPORT_DIR), Utf8ToWideString(Dir()).c_str());
    Click(IDC_EXPORT_START);
    ASSERT_TRUE(dlg->IsExporting());
    ::SendMessage(dlg->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, closeBox);
    Pump();
    EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
    End(EXTRACT_STOPPED);
    ::SendMessage(dlg->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, closeBox);
    Pump();
    EXPECT_FALSE(::IsWindow(dlg->m_hWnd)) << "the close box works again";
}

TEST_F(ExtractRun, StopAndWaitServesTheExtractionThreadUntilItsEnd) {
    StartAvi();
    Gop(10);
    std::thread extraction;
    const HWND window = dlg->m_hWnd;
    fakes::Player().onStopExtract = [&] {
        extraction = std::thread([window] {
            // A report already on its way when the stop came.
            ::SendMessage(window, UM_EXPORT_PROGRESS, 70, 0);
            OnExtractData(EXTRACT_GOP_UNREADABLE, 0, nullptr, 0, nullptr);
            OnExtractData(EXTRACT_STOPPED, 0, nullptr, 0, nullptr);
        });
    };
    {
        ClockTicker ticker(*clock);
        EXPECT_TRUE(dlg->StopAndWait(60000));
    }
    extraction.join();
    EXPECT_EQ(Progress(), 70);
    EXPECT_EQ(fakes::exporter.fins, 1);
    EXPECT_TRUE(TakeBoxes().empty()) << "no box while the program closes";
    EXPECT_FALSE(dlg->IsExporting());
    EXPECT_TRUE(dlg->StopAndWait(0)) << "nothing runs";
    EXPECT_EQ(fakes::Player().Count("zStopExtract"), 1);
}

TEST_F(ExtractRun, StopAndWaitGivesUpAtItsBound) {
    StartAvi();
    const uint64_t before = clock->NowMs();
    uint64_t waited = 0;
    {
        // The clock stops where the wait gave up.
        ClockTicker ticker(*clock, ClockTicker::Pace::WhileAThreadWaits);
        EXPECT_FALSE(dlg->StopAndWait(500));
        waited = clock->NowMs() - before;
    }
    EXPECT_GE(waited, 500u);
    EXPECT_LT(waited, 600u);
    EXPECT_TRUE(g_extractRun.IsActive());
    EXPECT_TRUE(dlg->IsExporting());
}

// The result's box used to be shown while the extraction thread still waited
// in its send, so the thread stayed held for as long as the box was open. Now
// the thread goes on: a progress report it sends next is served while the box
// is still open. A watchdog closes the box after 5 s should the thread stay
// held, so that a regression fails instead of hanging.
TEST_F(ExtractRun, TheResultBoxDoesNotHoldTheExtractionThread) {
    StartAvi();
    Gop(40);
    std::atomic<HWND> box{nullptr};
    SetMessageBoxHook([&box](const MessageBoxRequest& r) {
        box = r.box;
        return 0;  // left open
    });
    const auto waitFor = [](const std::function<bool()>& ready, int seconds = 5) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!ready() && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return ready();
    };
    std::atomic<bool> released{false};
    std::atomic<bool> servedWhileBoxOpen{false};
    std::atomic<bool> finished{false};
    const HWND window = dlg->m_hWnd;
    std::thread extraction([&] {
        OnExtractData(EXTRACT_FINISHED, 0, nullptr, 0, nullptr);
        released = true;
        if (waitFor([&] { return box.load() != nullptr; })) {
            ::SendMessage(window, UM_EXPORT_PROGRESS, 55, 0);
            servedWhileBoxOpen = ::IsWindow(box.load()) != FALSE;
            ::PostMessage(box.load(), WM_COMMAND, IDOK, 0);
        }
        finished = true;
    });
    std::thread watchdog([&] {
        if (!waitFor([&] { return released.load(); }) &&
            waitFor([&] { return box.load() != nullptr; }))
            ::PostMessage(box.load(), WM_COMMAND, IDOK, 0);
    });
    // Longer than the watchdog's bound, so that this thread serves the
    // extraction thread's last send in every case.
    waitFor(
        [&] {
            Pump();
            return finished.load();
        },
        30);
    extraction.join();
    watchdog.join();
    EXPECT_TRUE(released);
    EXPECT_TRUE(servedWhileBoxOpen) << "the report waited for the box to close";
    EXPECT_EQ(Progress(), 55);
    EXPECT_FALSE(dlg->IsExporting());
}
