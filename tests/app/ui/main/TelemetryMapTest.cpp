// The telemetry pipeline and the map pane in the main window, against the
// scripted player library and the fake browser engine: the text lines, lamps
// and chart of a GOP's telemetry in each unit, the track the map page gets,
// and the seeks its "app:" navigations make.
#include <chrono>
#include <cstring>
#include <thread>

#include "MainWindowFixture.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/MapPointTexts.h"
#include "app/ui/telemetry/LatestTelemetry.h"
#include "platform/user/Screen.h"
#include "platform/web/FakeBrowserEngine.h"
#include "platform/web/WebText.h"
#include "shared/TextConvert.h"

namespace maintest {
namespace {

constexpr unsigned kTime = 1700000000;  // 2023-11-14 22:13:20

FakeTelemetry Telemetry(unsigned time, float speedKmh, int celsius) {
    FakeTelemetry t;
    t.time = time;
    t.vehicleId = "BUS-7";
    std::memcpy(t.gps.latitude, "5545.0000N", sizeof t.gps.latitude);
    std::memcpy(t.gps.longitude, "03737.0000E", sizeof t.gps.longitude);
    std::memcpy(t.gps.altitude, "0000150", sizeof t.gps.altitude);
    t.gSensor[0] = 127;  // 2 g
    t.gSensor[1] = -64;
    t.gSensor[2] = 0;
    t.voltage = 12.3f;
    t.speed = speedKmh;
    t.temperature = celsius;
    t.alarms.inputs[1] = 1;   // lamp 2
    t.alarms.outputs[0] = 1;  // relay 1, lamp 9
    return t;
}

class TelemetryMap : public MainWindowFixture {
protected:
    void SetUp() override {
        g_nAutoReplay = 0;
        g_nMapOff = 0;
        g_nMapType = kLocalMapType;
        g_nSpeedUnit = 0;
        g_nTemperatureUnit = 0;
        // What an earlier window left for a telemetry thread that has ended.
        g_bPlaybackStopped = false;
        g_bPositionJumped = false;
        g_LatestTelemetry.Reset();
        dlg.m_mapPane.SetConnectionCheck([] { return true; });
        Open();
        ASSERT_TRUE(Until([&] { return dlg.m_mapPane.m_nMapState == 1; }));
        Engine().SetPageFunctions({"ClearAll_N", "AddGLatLng_N"});
        Engine().CompleteDocument(web::NavigationUri(LocalMapPage().Std()));
        Pump();
        g_strMapLastCarId.Empty();
    }
    void TearDown() override { g_nMapType = 0; }

    FakeBrowserEngine& Engine() {
        return *FakeBrowserEngine::Of(dlg.m_mapPane.Browser().GetSafeHwnd());
    }
    // Pumps and moves the clock, so that the telemetry thread runs its
    // passes, until `done` holds; at most 2000 rounds.
    bool Until(const std::function<bool()>& done) {
        for (int round = 0; round < 2000; ++round) {
            Pump();
            if (done())
                return true;
            clock->Advance(50);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    // Plays, hands the telemetry to the data callback and waits until the
    // time line shows it.
    void PlayWith(const FakeTelemetry& t) {
        StartPlaying();
        fake->FireData(t);
        ASSERT_TRUE(Until([&] { return Line(dlg.m_stTime) == L"2023-11-14 22:13:20"; }))
            << testing::PrintToString(Line(dlg.m_stTime)) << " "
            << testing::PrintToString(Line(dlg.m_stSpeed));
        ASSERT_TRUE(Until([&] { return !Line(dlg.m_stSpeed).empty(); }));
    }
    static std::wstring Line(const CSkinStatic& line) { return line.GetText().GetString(); }
    std::vector<FakeBrowserEngine::Call> AddedPoints() {
        std::vector<FakeBrowserEngine::Call> added;
        for (const auto& call : Engine().Calls()) {
            if (call.name == "AddGLatLng_N")
                added.push_back(call);
        }
        return added;
    }
    uint64_t LastSeek() {
        const auto commands = fake->Commands();
        if (commands.empty() || commands.back().cmd != PLAY_CMD_SEEK)
            return 0;
        return (uint64_t(uint32_t(commands.back().hi)) << 32) | commands.back().lo;
    }
    // A time index of entries 1..3 at 1000-byte steps, one second apart.
    void GiveTimeIndex() {
        fake->timeIndex.header = InxHd{0x1738BABE, 1, 3, 0};
        for (uint32_t i = 1; i <= 3; ++i)
            fake->timeIndex.units[i] = InxUnit{kTime + i - 1, 0, 1000ull * (i - 1)};
        fake->totalLength = 10000;
    }
};

TEST_F(TelemetryMap, ThePanelShowsEachGopsTelemetryInTheChosenUnits) {
    const struct {
        UINT speedCommand;
        UINT temperatureCommand;
        const wchar_t* speed;
        const wchar_t* temperature;
    } cases[] = {
        {IDM_SPEED_KM, IDM_TEMPERATURE_C, L"100 km/h", L"20 \u2103"},
        {IDM_SPEED_MILE, IDM_TEMPERATURE_F, L"62 mile/h", L"68 \u2109"},
    };
    StartPlaying();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.speed);
        Command(c.speedCommand);
        Command(c.temperatureCommand);
        fake->FireData(Telemetry(kTime, 100.0f, 20));
        EXPECT_TRUE(Until([&] {
            return Line(dlg.m_stSpeed) == c.speed && Line(dlg.m_stTemperature) == c.temperature;
        })) << "speed '"
            << testing::PrintToString(Line(dlg.m_stSpeed)) << "'";
        EXPECT_EQ(Line(dlg.m_stVoltage), L"12.3V");
        EXPECT_EQ(Line(dlg.m_stCarId), L"BUS-7");
        EXPECT_EQ(Line(dlg.m_stTime), L"2023-11-14 22:13:20");
        EXPECT_NE(Line(dlg.m_stGps).find(L"Latitude : 55.750000"), std::wstring::npos)
            << Line(dlg.m_stGps);
        EXPECT_EQ(dlg.m_logInfo.GetTemperatureUnitText(), CString(c.temperature).Right(1));
    }
    for (int lamp = 0; lamp < kAlarmLamps; ++lamp) {
        SCOPED_TRACE(lamp);
        const bool on = lamp == 1 || lamp == 8;
        EXPECT_EQ(dlg.m_logInfo.AlarmState(lamp), on ? 1 : 0);
        EXPECT_EQ(dlg.m_logInfo.Lamp(lamp).m_bOn != 0, on);
    }
}

TEST_F(TelemetryMap, ThePanelArtShowsThroughTheLampsCutOutCorners) {
    PlayWith(Telemetry(kTime, 100.0f, 20));
    CRect lamp;
    dlg.m_logInfo.Lamp(0).GetWindowRect(&lamp);
    ASSERT_FALSE(lamp.IsRectEmpty());
    std::vector<uint32_t> screen(size_t(lamp.right + 1) * size_t(lamp.bottom + 1));
    ComposeScreen(PixelBuffer{screen.data(), lamp.right + 1, lamp.right + 1, lamp.bottom + 1},
                  RGB(1, 1, 1));
    const auto at = [&](int x, int y) { return screen[size_t(y) * size_t(lamp.right + 1) + x]; };
    // The panel's art is stretched down the panel: each row has one colour.
    for (int y = lamp.top; y < lamp.top + 3; ++y)
        EXPECT_EQ(at(lamp.left, y), at(lamp.left - 2, y)) << "row " << y - lamp.top;
}

TEST_F(TelemetryMap, AStopClearsTheLinesAndHidesThem) {
    PlayWith(Telemetry(kTime, 100.0f, 20));
    dlg.PostMessage(UM_PLAYBAR_STOP);
    ASSERT_TRUE(Until([&] { return !dlg.m_stVoltage.IsWindowVisible(); }));
    EXPECT_EQ(Line(dlg.m_stCarId), L"");
    EXPECT_EQ(Line(dlg.m_stTime), L"");
}

TEST_F(TelemetryMap, TheChartKeepsOneSamplePerSecondInTimeOrder) {
    PlayWith(Telemetry(kTime, 100.0f, 20));
    FakeTelemetry later = Telemetry(kTime + 1, 50.0f, 20);
    later.gSensor[0] = -127;
    fake->FireData(later);
    ASSERT_TRUE(Until([&] { return Line(dlg.m_stSpeed) == L"50 km/h"; }));
    // The chart history belongs to the telemetry thread until it has ended.
    Settle();
    Close();
    const int last = dlg.m_chart.LastIndex();
    ASSERT_GE(last, 1);
    const ChartSample& newest = dlg.m_chart.Sample(last);
    const ChartSample& before = dlg.m_chart.Sample(last - 1);
    EXPECT_FLOAT_EQ(newest.gx, -2.0f);
    EXPECT_EQ(newest.speed, 50);
    EXPECT_FLOAT_EQ(before.gx, 2.0f);
    EXPECT_FLOAT_EQ(before.gy, float(-64 * 2 / 127.0));
    EXPECT_EQ(before.speed, 100);
    EXPECT_EQ(ChartSampleTime(newest) - ChartSampleTime(before), 1);
}

TEST_F(TelemetryMap, TheMapPageGetsTheTrackOfThePlayingVehicle) {
    PlayWith(Telemetry(kTime, 100.0f, 20));
    ASSERT_TRUE(Until([&] { return !AddedPoints().empty(); }));
    const auto calls = Engine().Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().name, "ClearAll_N") << "a new vehicle clears the track first";
    EXPECT_EQ(AddedPoints().front().args,
              (std::vector<std::string>{"BUS-7", "1700000000", "55.750000", " 37.616665"}));
}

TEST_F(TelemetryMap, AClickOnTheMapSeeksWhilePlaying) {
    GiveTimeIndex();
    StartPlaying();
    Engine().StartNavigation("app:nomal&" + std::to_string(kTime + 1));
    Settle();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"zPlayMSG 7 0"}));
    EXPECT_EQ(LastSeek(), 1000u);
    EXPECT_TRUE(Engine().Decisions().back().cancelled);
}

TEST_F(TelemetryMap, AClickOnTheMapWhilePausedPlaysWithTheAudioChannelThenSeeks) {
    GiveTimeIndex();
    StartPlaying();
    dlg.PostMessage(UM_PLAYBAR_PLAY);  // pause
    Settle();
    ASSERT_EQ(dlg.GetPlayState(), PLAY_PAUSED);
    g_nAudioChannel = 1;
    fake->ClearLog();
    Engine().StartNavigation("app:nomal&" + std::to_string(kTime + 2));
    Settle();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"zPlayMSG 1 1", "zPlayMSG 7 0"}));
    EXPECT_EQ(LastSeek(), 2000u);
    EXPECT_FALSE(g_PendingSeek.valid);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    g_nAudioChannel = 0;
}

TEST_F(TelemetryMap, TheFloatingMapGetsTheTrackOnceItsPageHasLoaded) {
    Command(IDM_DOUBLE_SCREEN);
    ASSERT_TRUE(dlg.m_mapPane.FloatingMap().Exists());
    FakeBrowserEngine& floating =
        *FakeBrowserEngine::Of(dlg.m_mapPane.FloatingMap().MapPage().Browser().GetSafeHwnd());
    floating.SetPageFunctions({"ClearAll_N", "AddGLatLng_N"});
    floating.CompleteDocument(web::NavigationUri(LocalMapPage().Std()));
    Pump();
    PlayWith(Telemetry(kTime, 100.0f, 20));
    ASSERT_TRUE(Until([&] {
        for (const auto& call : floating.Calls()) {
            if (call.name == "AddGLatLng_N")
                return call.args.at(1) == "1700000000";
        }
        return false;
    }));
}

TEST_F(TelemetryMap, ASnapshotIsStampedWithTheLatestFramesTime) {
    PlayWith(Telemetry(kTime, 100.0f, 20));
    dlg.PostMessage(UM_PLAYBAR_PLAY);  // pictures are taken while paused
    Settle();
    fake->ClearLog();
    dlg.PostMessage(UM_PLAYBAR_SNAPSHOT);
    Settle();
    const auto commands = fake->Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back().cmd, PLAY_CMD_CAPTURE);
    EXPECT_EQ(commands.back().lo, kTime);
}

TEST_F(TelemetryMap, DoubleScreenOpensTheFloatingMapAndSingleScreenClosesIt) {
    Command(IDM_DOUBLE_SCREEN);
    EXPECT_TRUE(dlg.m_mapPane.FloatingMap().Exists());
    EXPECT_FALSE(dlg.m_logInfo.IsWindowVisible()) << "no map pane: no panel beside it";
    Command(IDM_SINGLE_SCREEN);
    EXPECT_FALSE(dlg.m_mapPane.FloatingMap().Exists());
    EXPECT_TRUE(dlg.m_logInfo.IsWindowVisible());
}

}  // namespace
}  // namespace maintest
