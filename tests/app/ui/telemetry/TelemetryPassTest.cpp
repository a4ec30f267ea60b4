#include "app/ui/telemetry/TelemetryPass.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell/LanguageTexts.h"
#include "app/ui/map/MapPointTexts.h"
#include "app/ui/telemetry/TelemetryFlags.h"
#include "platform/base/FakeClock.h"
#include "tests/app/ui/telemetry/GpsTextFixture.h"
#include "tests/app/ui/telemetry/RecordingView.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kTime = 1700000000;  // 2023-11-14 22:13:20 UTC
const std::wstring kTimeText = L"2023-11-14 22:13:20";

class TelemetryPassTest : public testing::Test {
protected:
    TelemetryPassTest() {
        setenv("TZ", "UTC0", 1);
        tzset();
        clock_->SetUnixTime(kTime);
        SetDefaultLanguageTexts();
        g_bPlaybackStopped = false;
        g_bFramesFlowing = false;
        g_bPositionJumped = false;
        for (CString* s : {&g_strMapCarId, &g_strMapTime, &g_strMapLatitude, &g_strMapLongitude,
                           &g_strMapAltitude})
            s->Empty();
        log_.SetLogDirectory(dir_.Path().c_str());
    }
    ~TelemetryPassTest() override { CloseHandle(event_); }

    // A GOP that gives every value.
    void FeedFull(float speed = 100.5f, int temperature = 30) {
        TelemetryInput in;
        in.time = kTime;
        in.vehicleId = "BUS-7";
        in.gps = &gps_;
        in.gSensor = gSensor_;
        in.voltage = 24.46f;
        in.speed = speed;
        in.temperature = temperature;
        in.alarms = &alarms_;
        latest_.Merge(in);
    }
    // Runs one pass and returns its calls only.
    std::vector<std::wstring> Pass(CTelemetryPass::Next want = CTelemetryPass::Next::Sleep) {
        view_.Forget();
        EXPECT_EQ(pass_.Run(), want);
        return view_.Calls();
    }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        for (const auto& entry : fs::directory_iterator(dir_.Path())) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string line;
            while (std::getline(in, line))
                lines.push_back(line);
        }
        return lines;
    }

    ScopedFakeClock clock_;
    TempDir dir_;
    CDailyLog log_;
    RecordingView view_;
    LatestTelemetry latest_;
    HANDLE event_ = CreateEvent(true, true);
    CTelemetryPass pass_{view_, latest_, log_, event_};
    GpsText gps_ = Gps("2459.9952N", "12130.1625E", "0012.30");
    int gSensor_[3] = {127, -127, 0};
    AlarmFlags alarms_ = {};
};

TEST_F(TelemetryPassTest, FullPassShowsEverythingInOrder) {
    FeedFull();
    const std::wstring gps =
        L"Longitude : 121.502708 , Latitude : 24.999920 , Altitude : 0012.30 meter";
    const std::vector<std::wstring> want = {
        L"ShowPanels",
        L"TimeText " + kTimeText,
        L"CarIdText BUS-7",
        L"MapTrack 2",
        L"GpsText " + gps,
        L"MapGps " + gps,
        L"G 2.000 -2.000 0.000",
        L"PanelSpeed 101",
        L"SpeedText 101",
        L"VoltageText 24.46",
        L"PanelTemperatureUnit \u2103",
        L"TemperatureText 30",
        L"Alarms 0000000000",
        L"RefreshLamps",
        L"AddChartSample",
    };
    EXPECT_EQ(Pass(), want);
    EXPECT_EQ(g_strMapCarId, L"BUS-7");
    EXPECT_EQ(g_strMapTime, L"1700000000");
    EXPECT_EQ(g_strMapLongitude, L"121.502708");
    EXPECT_EQ(g_strMapLatitude, L"24.999920");
    EXPECT_EQ(g_strMapAltitude, L"0012.30");
    const ChartSample s = view_.Samples().at(0);
    EXPECT_TRUE(s.timeValid && s.gValid && s.speedValid && s.temperatureValid);
    EXPECT_EQ(s.time.tm_year, 123);
    EXPECT_EQ(s.time.tm_hour, 22);
    EXPECT_FLOAT_EQ(s.gx, 2.0f);
    EXPECT_FLOAT_EQ(s.gy, -2.0f);
    EXPECT_EQ(s.speed, 101);
    EXPECT_EQ(s.temperature, 30.0f);
}

TEST_F(TelemetryPassTest, GpsLineUsesTheLanguageTexts) {
    ApplyLanguageLine(L"IDC_STATIC_LO=Lng");
    ApplyLanguageLine(L"IDC_STATIC_LA=Lat");
    ApplyLanguageLine(L"IDC_STATIC_AL=Alt");
    ApplyLanguageLine(L"IDC_STATIC_MT=m");
    FeedFull();
    Pass();
    EXPECT_TRUE(view_.Has(L"GpsText Lng : 121.502708 , Lat : 24.999920 , Alt : 0012.30 m"));
    SetDefaultLanguageTexts();
}

// What the second pass shows once the pass has met the units in the first.
struct UnitCase {
    const char* name;
    int speedUnit;
    int temperatureUnit;
    std::wstring speed;
    std::wstring temperature;
    std::wstring temperatureUnitText;
    std::wstring altitude;  // the GPS line's end
};

class TelemetryPassUnits : public TelemetryPassTest,
                           public testing::WithParamInterface<UnitCase> {};

TEST_P(TelemetryPassUnits, TextsFollowTheUnits) {
    const UnitCase& c = GetParam();
    view_.speedUnit = c.speedUnit;
    view_.temperatureUnit = c.temperatureUnit;
    FeedFull(100.5f, -5);
    Pass();
    const std::vector<std::wstring> calls = Pass();
    auto has = [&](const std::wstring& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    };
    EXPECT_TRUE(has(L"PanelSpeed " + c.speed));
    EXPECT_TRUE(has(L"SpeedText " + c.speed));
    EXPECT_TRUE(has(L"TemperatureText " + c.temperature));
    EXPECT_TRUE(has(L"PanelTemperatureUnit " + c.temperatureUnitText));
    EXPECT_TRUE(
        has(L"GpsText Longitude : 121.502708 , Latitude : 24.999920 , Altitude : " + c.altitude));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TelemetryPassUnits,
    testing::Values(UnitCase{"Metric", 0, 0, L"101", L"-5", L"\u2103", L"0012.30 meter"},
                    // 100.5 km/h = 62.51 mile/h; 12.3 m = 40.35 ft; -5 C = 23 F.
                    UnitCase{"Imperial", 1, 1, L"63", L"23", L"\u2109", L"   40 feet"},
                    UnitCase{"MileAndCelsius", 1, 0, L"63", L"-5", L"\u2103", L"   40 feet"},
                    UnitCase{"KmAndFahrenheit", 0, 1, L"101", L"23", L"\u2109", L"0012.30 meter"}),
    [](const testing::TestParamInfo<UnitCase>& p) { return std::string(p.param.name); });

TEST_F(TelemetryPassTest, AltitudeInFeetStaysWithinItsField) {
    view_.speedUnit = 1;
    gps_ = Gps("2459.9952N", "12130.1625E", "1e37   ");
    FeedFull();
    Pass();
    EXPECT_EQ(g_strMapAltitude.GetLength(), 9);
    gps_ = Gps("2459.9952N", "12130.1625E", "-0100.0");
    FeedFull();
    Pass();
    EXPECT_EQ(g_strMapAltitude, L" -328");
}

TEST_F(TelemetryPassTest, SpeedUnitChangeRestartsTheChartWithoutThatPassSpeed) {
    FeedFull();
    Pass();
    view_.speedUnit = 1;
    const std::vector<std::wstring> calls = Pass();
    EXPECT_EQ(view_.Count(L"ClearChart"), 1);
    EXPECT_TRUE(view_.Has(L"SpeedText 63"));
    // The cleared sample carries neither time, G nor speed; the temperature
    // comes after the clear and is recorded.
    ChartSample s = view_.Samples().at(0);
    EXPECT_FALSE(s.timeValid);
    EXPECT_FALSE(s.gValid);
    EXPECT_FALSE(s.speedValid);
    EXPECT_TRUE(s.temperatureValid);
    Pass();
    EXPECT_EQ(view_.Count(L"ClearChart"), 0);
    s = view_.Samples().at(0);
    EXPECT_TRUE(s.timeValid && s.speedValid);
    EXPECT_EQ(s.speed, 63);
}

TEST_F(TelemetryPassTest, TemperatureUnitChangeWaitsForTheNextPass) {
    FeedFull();
    Pass();
    view_.temperatureUnit = 1;
    Pass();
    EXPECT_EQ(view_.Count(L"ClearChart"), 1);
    EXPECT_EQ(view_.CountPrefix(L"TemperatureText"), 0);
    EXPECT_TRUE(view_.Has(L"PanelTemperatureUnit \u2109"));
    EXPECT_FALSE(view_.Samples().at(0).temperatureValid);
    Pass();
    EXPECT_TRUE(view_.Has(L"TemperatureText 86"));
    EXPECT_TRUE(view_.Samples().at(0).temperatureValid);
}

TEST_F(TelemetryPassTest, StopClearsEveryDisplayAndTheEvent) {
    FeedFull();
    Pass();
    g_bPlaybackStopped = true;
    const std::vector<std::wstring> want = {
        L"MapTrack 1",
        L"TimeText ",
        L"CarIdText ",
        L"GpsText ",
        L"MeasuresCleared",
        L"ClearChart",
        L"HidePanels",
        // The rest of the pass shows the cleared record: no value is known.
        L"Alarms 0000000000",
        L"RefreshLamps",
        L"AddChartSample",
    };
    EXPECT_EQ(Pass(), want);
    EXPECT_FALSE(g_bPlaybackStopped);
    EXPECT_EQ(WaitForSingleObject(event_, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_FALSE(view_.Samples().at(0).timeValid);
    EXPECT_EQ(latest_.Snapshot().time, 0u);
}

// A replay or reopen: the play result came after the stop's, before this
// pass handled the stop. The pass must not leave the event reset, or the
// panels would freeze while the recording plays.
TEST_F(TelemetryPassTest, AStopHandledAfterThePlayResultKeepsTheEventSet) {
    FeedFull();
    Pass();
    g_bPlaybackStopped = true;
    g_bFramesFlowing = true;
    SetEvent(event_);
    Pass();
    EXPECT_FALSE(g_bPlaybackStopped);
    EXPECT_EQ(WaitForSingleObject(event_, 0), DWORD(WAIT_OBJECT_0));
    g_bFramesFlowing = false;
}

TEST_F(TelemetryPassTest, SeekClearsChartAndGpsLineAndEndsThePass) {
    FeedFull();
    Pass();
    g_bPositionJumped = true;
    const std::vector<std::wstring> want = {L"ShowPanels", L"GpsText ", L"ClearChart"};
    EXPECT_EQ(Pass(CTelemetryPass::Next::Again), want);
    EXPECT_FALSE(g_bPositionJumped);
    EXPECT_EQ(latest_.Snapshot().gSensor[0], 255);
    // The working sample was cleared: a GOP with only a time gives a sample
    // without the G values of before the seek.
    TelemetryInput in;
    in.time = kTime + 60;
    latest_.Merge(in);
    Pass();
    const ChartSample s = view_.Samples().at(0);
    EXPECT_TRUE(s.timeValid);
    EXPECT_FALSE(s.gValid);
    EXPECT_EQ(s.time.tm_min, 14);
}

TEST_F(TelemetryPassTest, GpsWithoutTimeOrValidTextSendsNoPoint) {
    TelemetryInput in;
    in.gps = &gps_;
    latest_.Merge(in);
    Pass();
    EXPECT_EQ(view_.CountPrefix(L"MapTrack"), 0);
    EXPECT_EQ(view_.CountPrefix(L"GpsText"), 0);
    EXPECT_EQ(g_strMapLongitude, L"121.502708");  // the point is kept for later
    EXPECT_TRUE(g_strMapTime.IsEmpty());

    g_strMapLongitude.Empty();
    const GpsText bad = Gps("2459,9952N", "12130.1625E", "0012.30");
    in.time = kTime;
    in.gps = &bad;
    latest_.Merge(in);
    Pass();
    EXPECT_EQ(view_.CountPrefix(L"MapTrack"), 0);
    EXPECT_TRUE(g_strMapLongitude.IsEmpty());
}

TEST_F(TelemetryPassTest, AbsentValuesShowNothing) {
    const std::vector<std::wstring> want = {L"ShowPanels", L"Alarms 0000000000", L"RefreshLamps",
                                            L"AddChartSample"};
    EXPECT_EQ(Pass(), want);
    EXPECT_FALSE(view_.Samples().at(0).timeValid);
}

// After a stop, a recording without telemetry shows no speed, voltage,
// temperature or G values: neither the stop's pass nor the cleared record
// puts a number where the recording gave none.
TEST_F(TelemetryPassTest, AfterAStopARecordingWithoutTelemetryShowsNoValues) {
    FeedFull();
    Pass();
    view_.Forget();
    g_bPlaybackStopped = true;
    Pass();
    EXPECT_EQ(view_.Count(L"MeasuresCleared"), 1);
    TelemetryInput in;
    in.time = kTime + 5;
    latest_.Merge(in);
    Pass();
    EXPECT_EQ(view_.CountPrefix(L"SpeedText"), 0);
    EXPECT_EQ(view_.CountPrefix(L"VoltageText"), 0);
    EXPECT_EQ(view_.CountPrefix(L"TemperatureText"), 0);
    EXPECT_EQ(view_.CountPrefix(L"PanelSpeed"), 0);
    EXPECT_EQ(view_.CountPrefix(L"G "), 0);
    EXPECT_EQ(view_.Count(L"ShowPanels"), 1);
}

TEST_F(TelemetryPassTest, AlarmInputsLogEveryPassWhileOn) {
    alarms_ = {{1, 0, 0, 0, 0, 0, 0, 2}, {1, 0, 1, 1}};
    FeedFull();
    Pass();
    EXPECT_TRUE(view_.Has(L"Alarms 1000000110"));
    Pass();
    const std::string time = "2023-11-14 22:13:20";
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 4; i += 2) {
        EXPECT_EQ(lines[size_t(i)], "22:13:20 [Marlowin]: You had Alarm1 Info :" + time + "\r");
        EXPECT_EQ(lines[size_t(i + 1)], "22:13:20 [Marlowin]: You had Relay1 Info :" + time + "\r");
    }
}

TEST_F(TelemetryPassTest, EveryLampHasItsLogText) {
    const char* names[] = {"Alarm1", "Alarm2", "Alarm3", "Alarm4", "Alarm5",
                           "Alarm6", "Alarm7", "Alarm8", "Relay1", "Relay2"};
    alarms_ = {{1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 0, 0}};
    FeedFull();
    Pass();
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(lines[size_t(i)], std::string("22:13:20 [Marlowin]: You had ") + names[i] +
                                        " Info :2023-11-14 22:13:20\r");
}

TEST_F(TelemetryPassTest, AlarmWithoutTimeEndsWithAnEmptyTime) {
    alarms_ = {{0, 0, 1, 0, 0, 0, 0, 0}, {0, 0, 0, 0}};
    TelemetryInput in;
    in.alarms = &alarms_;
    latest_.Merge(in);
    Pass();
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "22:13:20 [Marlowin]: You had Alarm3 Info :\r");
}

}  // namespace
