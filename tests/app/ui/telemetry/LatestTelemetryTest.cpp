#include "app/ui/telemetry/LatestTelemetry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>

#include "app/ui/telemetry/OnPlayerData.h"
#include "tests/app/ui/telemetry/GpsTextFixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

void Feed(unsigned time, const char* id, const GpsText* gps, const int* g, float voltage,
          float speed, int temperature, const AlarmFlags* alarms) {
    OnPlayerData(time, id, gps, g, voltage, speed, temperature, alarms, -1, nullptr, 0, 0, 0, 0, 0,
                 0);
}

class OnPlayerDataTest : public testing::Test {
protected:
    void SetUp() override { g_LatestTelemetry.Reset(); }
    void TearDown() override { g_LatestTelemetry.Reset(); }

    // A first GOP that gives every value.
    void FeedFull() { Feed(1000, "BUS-7", &gps_, gSensor_, 24.5f, 50.0f, 30, &alarms_); }

    GpsText gps_ = Gps("2459.9952N", "12130.1625E", "0012.30");
    int gSensor_[3] = {10, -20, 127};
    AlarmFlags alarms_ = {{1, 0, 0, 0, 0, 0, 0, 1}, {1, 0, 1, 1}};
};

TEST_F(OnPlayerDataTest, StartsWithNothingGiven) {
    const TelemetryRecord r = g_LatestTelemetry.Snapshot();
    EXPECT_EQ(r.time, 0u);
    EXPECT_EQ(r.vehicleId[0], '\0');
    EXPECT_EQ(r.gps.latitude[0], '\0');
    EXPECT_EQ(r.gSensor[0], 255);
    EXPECT_EQ(r.gSensor[2], 255);
    EXPECT_EQ(r.speed, -1.0f);
    EXPECT_EQ(r.temperature, 255);
    EXPECT_EQ(r.voltage, -1.0f);
}

TEST_F(OnPlayerDataTest, StoresEveryGivenValue) {
    FeedFull();
    const TelemetryRecord r = g_LatestTelemetry.Snapshot();
    EXPECT_EQ(r.time, 1000u);
    EXPECT_STREQ(r.vehicleId, "BUS-7");
    EXPECT_EQ(std::memcmp(&r.gps, &gps_, sizeof gps_), 0);
    EXPECT_EQ(r.gSensor[0], 10);
    EXPECT_EQ(r.gSensor[1], -20);
    EXPECT_EQ(r.gSensor[2], 127);
    EXPECT_EQ(r.voltage, 24.5f);
    EXPECT_EQ(r.speed, 50.0f);
    EXPECT_EQ(r.temperature, 30);
    EXPECT_EQ(std::memcmp(r.alarms, &alarms_, sizeof alarms_), 0);
}

// What a second GOP with one value missing or out of range leaves.
struct KeepCase {
    const char* name;
    float voltage;
    float speed;
    int temperature;
    float wantVoltage;
    float wantSpeed;
    int wantTemperature;
};

class OnPlayerDataKeeps : public OnPlayerDataTest, public testing::WithParamInterface<KeepCase> {};

TEST_P(OnPlayerDataKeeps, PreviousValueWhenNotGiven) {
    const KeepCase& c = GetParam();
    FeedFull();
    Feed(1001, nullptr, nullptr, nullptr, c.voltage, c.speed, c.temperature, nullptr);
    const TelemetryRecord r = g_LatestTelemetry.Snapshot();
    EXPECT_EQ(r.time, 1001u);
    EXPECT_EQ(r.voltage, c.wantVoltage);
    EXPECT_EQ(r.speed, c.wantSpeed);
    EXPECT_EQ(r.temperature, c.wantTemperature);
    // Null pointers keep the id, position, G values and alarms.
    EXPECT_STREQ(r.vehicleId, "BUS-7");
    EXPECT_EQ(std::memcmp(&r.gps, &gps_, sizeof gps_), 0);
    EXPECT_EQ(r.gSensor[1], -20);
    EXPECT_EQ(std::memcmp(r.alarms, &alarms_, sizeof alarms_), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OnPlayerDataKeeps,
    testing::Values(KeepCase{"AllGiven", 12.0f, 80.0f, -5, 12.0f, 80.0f, -5},
                    KeepCase{"Absent", -1.0f, -1.0f, 255, 24.5f, 50.0f, 30},
                    KeepCase{"NegativeSpeed", 0.0f, -0.5f, 128, 0.0f, 50.0f, 128},
                    KeepCase{"NaN", kNaN, kNaN, -127, 24.5f, 50.0f, -127},
                    KeepCase{"Infinity", kInf, kInf, 30, 24.5f, 50.0f, 30},
                    KeepCase{"ZeroSpeed", 24.5f, 0.0f, 30, 24.5f, 0.0f, 30},
                    KeepCase{"TemperatureTooHigh", 24.5f, 50.0f, 129, 24.5f, 50.0f, 30},
                    KeepCase{"TemperatureTooLow", 24.5f, 50.0f, -128, 24.5f, 50.0f, 30}),
    [](const testing::TestParamInfo<KeepCase>& p) { return std::string(p.param.name); });

TEST_F(OnPlayerDataTest, TimeIsStoredEvenWhenZero) {
    FeedFull();
    Feed(0, nullptr, nullptr, nullptr, -1.0f, -1.0f, 255, nullptr);
    EXPECT_EQ(g_LatestTelemetry.Time(), 0u);
}

TEST_F(OnPlayerDataTest, VehicleIdTakesSixteenBytesAndStopsAtItsEnd) {
    Feed(1, "0123456789ABCDEFGHIJ", nullptr, nullptr, -1, -1, 255, nullptr);
    EXPECT_STREQ(g_LatestTelemetry.Snapshot().vehicleId, "0123456789ABCDEF");
    // A shorter id replaces the whole field: nothing of the longer one stays.
    Feed(2, "XY", nullptr, nullptr, -1, -1, 255, nullptr);
    const TelemetryRecord r = g_LatestTelemetry.Snapshot();
    EXPECT_STREQ(r.vehicleId, "XY");
    for (int i = 2; i <= kVehicleIdBytes; ++i)
        EXPECT_EQ(r.vehicleId[i], '\0') << i;
}

// Nothing known: speed and voltage below 0, so no later test takes them as given.
TEST_F(OnPlayerDataTest, ResetLeavesTheClearedRecord) {
    FeedFull();
    g_LatestTelemetry.Reset();
    const TelemetryRecord r = g_LatestTelemetry.Snapshot();
    EXPECT_EQ(r.time, 0u);
    EXPECT_EQ(r.vehicleId[0], '\0');
    EXPECT_EQ(r.gps.longitude[0], '\0');
    EXPECT_EQ(r.gSensor[0], 255);
    EXPECT_FALSE(IsGivenMeasure(r.speed));
    EXPECT_FALSE(IsGivenMeasure(r.voltage));
    EXPECT_FALSE(IsGivenTemperature(r.temperature));
    for (uint8_t b : r.alarms)
        EXPECT_EQ(b, 0);
}

// Two GOPs whose every value tells which one it came from: a snapshot taken
// while they are merged must never mix them.
TEST_F(OnPlayerDataTest, SnapshotNeverMixesTwoGops) {
    const GpsText gpsA = Gps("2459.9952N", "12130.1625E", "0000001");
    const GpsText gpsB = Gps("0530.0000S", "00130.0000W", "0000002");
    const int gA[3] = {1, 1, 1};
    const int gB[3] = {2, 2, 2};
    const AlarmFlags alarmA = {{1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1}};
    const AlarmFlags alarmB = {};
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            const bool a = i % 2 == 0;
            Feed(a ? 1 : 2, a ? "AAAAAAAAAAAAAAAA" : "BBBBBBBBBBBBBBBB", a ? &gpsA : &gpsB,
                 a ? gA : gB, a ? 1.0f : 2.0f, a ? 1.0f : 2.0f, a ? 1 : 2, a ? &alarmA : &alarmB);
        }
        done = true;
    });
    int mixed = 0;
    while (!done) {
        const TelemetryRecord r = g_LatestTelemetry.Snapshot();
        if (r.time == 0)
            continue;
        const bool a = r.time == 1;
        const bool same = r.vehicleId[0] == (a ? 'A' : 'B') && r.vehicleId[15] == (a ? 'A' : 'B') &&
                          r.gps.altitude[6] == (a ? '1' : '2') && r.gSensor[2] == (a ? 1 : 2) &&
                          r.speed == (a ? 1.0f : 2.0f) && r.voltage == (a ? 1.0f : 2.0f) &&
                          r.temperature == (a ? 1 : 2) && r.alarms[11] == (a ? 1 : 0);
        mixed += same ? 0 : 1;
    }
    writer.join();
    EXPECT_EQ(mixed, 0);
}

}  // namespace
