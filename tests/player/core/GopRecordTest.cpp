#include "player/core/GopRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// What the data callback was given; one call at a time in these tests.
struct DataCall {
    unsigned time;
    std::string vehicleId;
    bool hasGps, hasGSensor, hasAlarms, hasTyres;
    float voltage, speed;
    int temperature, tyreCount, tractor, axle3, gx;
};
DataCall g_call;

void OnData(unsigned time, const char* vehicleId, const GpsText* gps, const int* gSensor,
            float voltage, float speed, int temperature, const AlarmFlags* alarms, int tyreCount,
            const TpmsTyre* tyres, int tractor, int, int, int, int, int axle3) {
    g_call = {time,
              vehicleId != nullptr ? vehicleId : "(null)",
              gps != nullptr,
              gSensor != nullptr,
              alarms != nullptr,
              tyres != nullptr,
              voltage,
              speed,
              temperature,
              tyreCount,
              tractor,
              axle3,
              gSensor != nullptr ? gSensor[0] : 0};
}

TEST(GopRecord, TelemetryOfTheRecordIndexIsReported) {
    auto info = std::make_unique<GopInfo>();
    info->time = 1234;
    std::strcpy(info->carId, "BUS-7");
    info->recordIndex = 1;
    info->gpsCount = info->gsensorCount = info->voltageCount = info->speedCount = 2;
    info->temperatureCount = info->alarmCount = info->tpmsCount = 2;
    info->gsensor[1][0] = -3;
    info->voltage[1] = 24.5f;
    info->speed[1] = 61.2f;
    info->temperature[1] = -4;
    info->tyreCount = 6;
    info->tractor = 1;
    info->axleKind[2] = 2;
    ReportGopTelemetry(*info, &OnData);
    EXPECT_EQ(g_call.time, 1234u);
    EXPECT_EQ(g_call.vehicleId, "BUS-7");
    EXPECT_TRUE(g_call.hasGps && g_call.hasGSensor && g_call.hasAlarms && g_call.hasTyres);
    EXPECT_EQ(g_call.gx, -3);
    EXPECT_FLOAT_EQ(g_call.voltage, 24.5f);
    EXPECT_FLOAT_EQ(g_call.speed, 61.2f);
    EXPECT_EQ(g_call.temperature, -4);
    EXPECT_EQ(g_call.tyreCount, 6);
    EXPECT_EQ(g_call.tractor, 1);
    EXPECT_EQ(g_call.axle3, 2);
}

TEST(GopRecord, ValuesTheRecordLacksGetTheirDefaults) {
    auto info = std::make_unique<GopInfo>();
    info->tyreCount = 6;  // kept from an earlier GOP, but no tyre record here
    ReportGopTelemetry(*info, &OnData);
    EXPECT_EQ(g_call.vehicleId, "(null)");
    EXPECT_FALSE(g_call.hasGps || g_call.hasGSensor || g_call.hasAlarms || g_call.hasTyres);
    EXPECT_FLOAT_EQ(g_call.voltage, -1.0f);
    EXPECT_FLOAT_EQ(g_call.speed, -1.0f);
    EXPECT_EQ(g_call.temperature, 255);
    EXPECT_EQ(g_call.tyreCount, -1);
}

TEST(GopRecord, ResetClearsTheFrameTablesAndSetsTheAudioBuffer) {
    auto info = std::make_unique<GopInfo>();
    info->frameOffset[3][7] = 99;
    info->frameLength[15][29] = 5;
    info->chunkOffset[29] = 8;
    info->chunkOffset[30] = 8;  // beyond the cleared entries
    info->sampleBits = 16;
    info->width[2] = 352;  // sizes are kept: a GOP may not repeat them
    uint8_t audio[4];
    ResetGopRecord(info.get(), audio);
    EXPECT_EQ(info->frameOffset[3][7], 0u);
    EXPECT_EQ(info->frameLength[15][29], 0u);
    EXPECT_EQ(info->chunkOffset[29], 0u);
    EXPECT_EQ(info->chunkOffset[30], 8u);
    EXPECT_EQ(info->sampleBits, 0);
    EXPECT_EQ(info->width[2], 352);
    EXPECT_EQ(info->audioData, audio);
}

}  // namespace
