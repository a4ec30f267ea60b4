// The telemetry block: log_hd, every sub-block, the tyres and the truck
// layout, on well-formed GOPs from recgen::GopBuilder.
#include <gtest/gtest.h>

#include <string>

#include "GopFixture.h"
#include "tools/recgen/GopBuilder.h"

namespace gop_test {
namespace {

using recgen::GopBuilder;
using recgen::GopFields;
using recgen::GopFrame;
using recgen::TelemetryBlock;
using recgen::TyreBlock;
using recgen::TyreEntry;
using telemetry::TenthsWord;

GopFields Fields(uint32_t version, uint32_t countCode = 2) {
    GopFields f;
    f.version = version;
    f.channelCountCode = countCode;
    return f;
}

std::vector<uint8_t> TelemetryGop(const GopFields& fields, const TelemetryBlock& t,
                                  uint32_t fps = 25) {
    GopBuilder b(fields);
    GopFrame f;
    f.fps = fps;
    f.data.assign(20, 0x33);
    b.AddFrame(f);
    b.SetTelemetry(t);
    return b.Build();
}

int Parse(const std::vector<uint8_t>& gop, Record& r) {
    return MakeParser().Parse(gop.data(), uint32_t(gop.size()), r.get(), true);
}

recgen::VehicleRecord Vehicle(int8_t temperature, uint8_t inputs = 0, uint8_t status = 0) {
    recgen::VehicleRecord v;
    v.id = "TRUCK-0123456789";  // cut to 14 bytes
    v.temperature = temperature;
    v.alarmInputs = inputs;
    v.statusBits = status;
    return v;
}

std::vector<uint16_t> Words(int n, float first) {
    std::vector<uint16_t> w;
    for (int i = 0; i < n; ++i)
        w.push_back(TenthsWord(first + float(i)));
    return w;
}

TEST(Telemetry, VehicleDataGivesIdTemperatureAndAlarms) {
    TelemetryBlock t;
    t.vehicle = {Vehicle(-40, 0x0F, 0x05), Vehicle(25, 0x02, 0xFA)};
    Record r;
    r->carId[14] = 'x';
    r->carId[15] = 'y';
    ASSERT_EQ(Parse(TelemetryGop(Fields(1), t), r), 1);
    EXPECT_EQ(std::string(r->carId, 14), "TRUCK-01234567");
    EXPECT_EQ(r->carId[14], 'x');
    EXPECT_EQ(r->carId[15], 'y');
    EXPECT_EQ(r->temperatureCount, 2);
    EXPECT_EQ(r->alarmCount, 2);
    EXPECT_EQ(r->temperature[0], -40);
    EXPECT_EQ(r->temperature[1], 25);
    const uint8_t in0[8] = {1, 1, 1, 1, 0, 0, 0, 0}, out0[4] = {1, 0, 1, 0};
    const uint8_t in1[8] = {0, 1, 0, 0, 0, 0, 0, 0}, out1[4] = {0, 1, 0, 1};
    EXPECT_EQ(std::memcmp(r->alarm[0].inputs, in0, 8), 0);
    EXPECT_EQ(std::memcmp(r->alarm[0].outputs, out0, 4), 0);
    EXPECT_EQ(std::memcmp(r->alarm[1].inputs, in1, 8), 0);
    EXPECT_EQ(std::memcmp(r->alarm[1].outputs, out1, 4), 0);
}

// Inputs 5 to 8 of the upper nibble, by version and channel count code.
TEST(Telemetry, AlarmInputs5To8DependOnVersionAndChannelCount) {
    const struct {
        uint32_t version, countCode;
        uint8_t expected;  // 0, 1, or 7 for "left as it was"
    } cases[] = {{1, 3, 0}, {2, 3, 0}, {3, 2, 0}, {3, 3, 1}, {4, 3, 1},
                 {4, 2, 0}, {4, 5, 7}, {3, 1, 7}, {4, 0, 7}};
    for (const auto& c : cases) {
        TelemetryBlock t;
        t.vehicle = {Vehicle(0, 0xF0)};
        Record r;
        std::memset(r->alarm[0].inputs, 7, 8);
        ASSERT_EQ(Parse(TelemetryGop(Fields(c.version, c.countCode), t), r), int(c.version));
        for (int i = 4; i < 8; ++i)
            EXPECT_EQ(r->alarm[0].inputs[i], c.expected)
                << "version " << c.version << " code " << c.countCode;
        EXPECT_EQ(r->alarm[0].inputs[0], 0);
    }
}

TEST(Telemetry, RecordsBeyondFramesPerChannelAreReadPastNotStored) {
    // 20 speeds, 16 frames per channel; the next sub-block is
    // found after all 20.
    TelemetryBlock t;
    t.vehicle = std::vector<recgen::VehicleRecord>(20, Vehicle(3));
    t.speed = Words(20, 10.5f);
    t.gsensor = std::vector<recgen::GSensorRecord>(20, {1, -2, 3});
    t.voltage = {TenthsWord(24.3f)};
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(1), t), r), 1);
    EXPECT_EQ(r->speedCount, 16);
    EXPECT_EQ(r->temperatureCount, 16);
    EXPECT_EQ(r->alarmCount, 16);
    EXPECT_EQ(r->gsensorCount, 16);
    EXPECT_FLOAT_EQ(r->speed[15], 25.5f);
    EXPECT_EQ(r->speed[16], 0.0f);
    EXPECT_EQ(r->voltageCount, 1);
    EXPECT_FLOAT_EQ(r->voltage[0], 24.3f);
}

TEST(Telemetry, SpeedAndVoltageAreWholeAndTenths) {
    TelemetryBlock t;
    t.speed = {0x5078, 0x0000, 0x9FFF};
    t.voltage = {0x3018, 0xF001};
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    ASSERT_EQ(r->speedCount, 3);
    EXPECT_FLOAT_EQ(r->speed[0], 120.5f);
    EXPECT_FLOAT_EQ(r->speed[1], 0.0f);
    EXPECT_FLOAT_EQ(r->speed[2], 4095.9f);
    ASSERT_EQ(r->voltageCount, 2);
    EXPECT_FLOAT_EQ(r->voltage[0], 24.3f);
    EXPECT_FLOAT_EQ(r->voltage[1], 2.5f);  // 1 + 15 tenths, as the encoding says
}

TEST(Telemetry, GpsTextsAreCopiedAtTheirWidths) {
    TelemetryBlock t;
    t.gps = {{"2232.1234N", "11403.5678E", "00123.4"}, {"0000.0000S", "00000.0000W", "-0001.0"}};
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(3), t), r), 3);
    ASSERT_EQ(r->gpsCount, 2);
    EXPECT_EQ(std::string(r->gps[0].latitude, 10), "2232.1234N");
    EXPECT_EQ(std::string(r->gps[0].longitude, 11), "11403.5678E");
    EXPECT_EQ(std::string(r->gps[0].altitude, 7), "00123.4");
    EXPECT_EQ(std::string(r->gps[1].longitude, 11), "00000.0000W");
}

TEST(Telemetry, GSensorValuesAreSigned) {
    TelemetryBlock t;
    t.gsensor = {{-128, 0, 127}, {-1, 5, -7}};
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    ASSERT_EQ(r->gsensorCount, 2);
    EXPECT_EQ(r->gsensor[0][0], -128);
    EXPECT_EQ(r->gsensor[0][2], 127);
    EXPECT_EQ(r->gsensor[1][0], -1);
    EXPECT_EQ(r->gsensor[1][2], -7);
}

TEST(Telemetry, ReservedSubBlocksHaveFixedSizes) {
    // With bits 6 and 7 set the voltage follows 4 bytes after bit 6's start,
    // whatever the counts say.
    TelemetryBlock t;
    t.speed = Words(1, 1.0f);
    t.reserved5Count = 100;
    t.reserved6Count = 7;
    t.voltage = {TenthsWord(12.7f)};
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    EXPECT_EQ(r->voltageCount, 1);
    EXPECT_FLOAT_EQ(r->voltage[0], 12.7f);
}

TEST(Telemetry, AnInvalidLogHdGivesNoTelemetry) {
    TelemetryBlock t;
    t.vehicle = {Vehicle(5)};
    t.speed = Words(2, 1.0f);
    t.invalidTag = true;
    Record r;
    r->speedCount = 4;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    EXPECT_EQ(r->speedCount, 0);
    EXPECT_EQ(r->temperatureCount, 0);
    EXPECT_EQ(r->carId[0], 0);

    // Bits 8-23 must be zero too.
    TelemetryBlock good;
    good.speed = Words(2, 1.0f);
    auto gop = TelemetryGop(Fields(4), good);
    const size_t logHdAt = gop.size() - (4 + 3 + 4);
    ASSERT_EQ(LoadU32(&gop[logHdAt]), 0x5A000002u);
    Record ok;
    ASSERT_EQ(Parse(gop, ok), 4);
    EXPECT_EQ(ok->speedCount, 2);
    StoreU32(&gop[logHdAt], 0x5A010002u);
    Record bad;
    ASSERT_EQ(Parse(gop, bad), 4);
    EXPECT_EQ(bad->speedCount, 0);
}

TEST(Telemetry, Version0HasNoTelemetryWhateverLogLengthSays) {
    TelemetryBlock t;
    t.vehicle = {Vehicle(5)};
    t.speed = Words(2, 1.0f);
    Record r;
    r->speedCount = r->gpsCount = r->gsensorCount = r->tpmsCount = 3;
    r->voltageCount = r->alarmCount = r->temperatureCount = 3;
    ASSERT_EQ(Parse(TelemetryGop(Fields(0), t), r), 0);
    EXPECT_EQ(r->speedCount + r->gpsCount + r->gsensorCount + r->tpmsCount + r->voltageCount +
                  r->alarmCount + r->temperatureCount,
              0);
    EXPECT_EQ(r->carId[0], 0);
}

TEST(Telemetry, EveryParseClearsTheCountsAndRecordIndex) {
    TelemetryBlock t;
    t.speed = Words(3, 1.0f);
    Record r;
    r->recordIndex = 9;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    EXPECT_EQ(r->speedCount, 3);
    EXPECT_EQ(r->recordIndex, 0u);
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), TelemetryBlock{}), r), 4);
    EXPECT_EQ(r->speedCount, 0);
}

TEST(Telemetry, FramesPerChannel0StoresNoRecordButTheVehicleId) {
    TelemetryBlock t;
    t.vehicle = {Vehicle(5)};
    t.speed = Words(3, 1.0f);
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t, 0), r), 4);
    EXPECT_EQ(r->framesPerChannel, 0);
    EXPECT_EQ(std::string(r->carId, 5), "TRUCK");
    EXPECT_EQ(r->temperatureCount, 0);
    EXPECT_EQ(r->speedCount, 0);
}

TyreBlock Tyres(int count, uint16_t records, uint8_t tractor, uint8_t t1, uint8_t t2,
                uint8_t axles = 0) {
    TyreBlock b;
    b.recordCount = records;
    for (int i = 0; i < count; ++i)
        b.tyres.push_back({uint8_t(i + 1), 0x04, 30, uint8_t(80 + i)});
    b.truck = {tractor, t1, t2, axles};
    return b;
}

TEST(Tyres, EntriesApplyToEveryRecord) {
    TelemetryBlock t;
    t.tyres = Tyres(10, 3, 2, 3, 0);
    t.tyres->tyres[0] = {7, 0x04, 210, 100};
    t.tyres->tyres[1].status = 0x14;
    t.tyres->tyres[2].status = 0x24;
    t.tyres->tyres[3].status = 0x44;
    t.tyres->tyres[4].status = 0x06;
    t.tyres->tyres[5].status = 0x00;
    t.tyres->tyres[6] = {9, 0x74, 205, 0};
    t.tyres->tyres[7] = {9, 0x04, 206, 255};
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    EXPECT_EQ(r->tyreCount, 10);
    ASSERT_EQ(r->tpmsCount, 3);
    for (int rec = 0; rec < 3; ++rec) {
        const TpmsTyre* row = r->tpms[rec];
        EXPECT_EQ(row[0].id, 7);
        EXPECT_EQ(row[0].temperature, -5);
        EXPECT_FLOAT_EQ(row[0].pressure, 100.0f);
        EXPECT_EQ(row[0].alarmKind, 1);
        EXPECT_EQ(row[1].alarmKind, 2);
        EXPECT_EQ(row[2].alarmKind, 3);
        EXPECT_EQ(row[3].alarmKind, 4);
        EXPECT_EQ(row[4].alarmKind, 5);
        EXPECT_EQ(row[5].alarmKind, 0);
        EXPECT_EQ(row[6].alarmKind, 2);  // bit 4 first
        EXPECT_EQ(row[6].temperature, 205);
        EXPECT_EQ(row[7].temperature, -1);
        EXPECT_FLOAT_EQ(row[7].pressure, 255.0f);
        EXPECT_EQ(row[9].id, 10);
        EXPECT_EQ(row[9].temperature, 30);
    }
    EXPECT_EQ(r->tpms[3][0].id, 0);
}

TEST(Tyres, AGoodLayoutSetsTractorAndAxles) {
    TelemetryBlock t;
    t.tyres = Tyres(10, 1, 2, 3, 0, 0x3F & ~0x10);  // axles 0-2 on; bits 3 and 5
    t.voltage = {TenthsWord(13.0f)};
    Record r;
    r->trailer1 = r->trailer2 = 5;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    EXPECT_EQ(r->tractor, 2);
    EXPECT_EQ(r->trailer1, 0);
    EXPECT_EQ(r->trailer2, 0);
    EXPECT_EQ(r->axleKind[0], 2);
    EXPECT_EQ(r->axleKind[1], 1);
    EXPECT_EQ(r->axleKind[2], 2);
    EXPECT_EQ(r->voltageCount, 1);

    TelemetryBlock off;
    off.tyres = Tyres(34, 1, 6, 14, 14, 0x38);  // the largest layout; axle bits clear
    Record r2;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), off), r2), 4);
    EXPECT_EQ(r2->tractor, 6);
    EXPECT_EQ(r2->axleKind[0], 0);
    EXPECT_EQ(r2->axleKind[2], 0);
}

TEST(Tyres, EveryTractorAndTrailerCodeCounts) {
    const int tractor[] = {0, 4, 6, 6, 8, 8, 10};
    const int trailer[] = {0, 2, 4, 4, 6, 6, 8, 6, 8, 8, 10, 8, 10, 10, 12};
    for (uint8_t a = 0; a < 7; ++a)
        for (uint8_t b = 0; b < 15; ++b) {
            TelemetryBlock t;
            t.tyres = Tyres(tractor[a] + trailer[b] + trailer[14 - b], 1, a, b, uint8_t(14 - b));
            Record r;
            r->tractor = 99;
            ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
            EXPECT_EQ(r->tractor, a) << int(a) << " " << int(b);
        }
}

TEST(Tyres, ABadLayoutEndsTheParseKeepingTheLayout) {
    const TyreBlock bad[] = {
        Tyres(10, 1, 7, 0, 0),                         // tractor code above 6
        Tyres(10, 1, 2, 15, 0),                        // trailer code above 14
        Tyres(10, 1, 2, 0, 15), Tyres(9, 1, 2, 3, 0),  // 10 tyres by the codes
        Tyres(11, 1, 2, 3, 0),
    };
    for (const TyreBlock& tyres : bad) {
        TelemetryBlock t;
        t.speed = Words(1, 50.0f);
        t.tyres = tyres;
        t.reserved5Count = 1;
        t.voltage = {TenthsWord(13.0f)};
        Record r;
        r->tractor = 4;
        r->trailer1 = 5;
        r->axleKind[1] = 2;
        r->recordIndex = 3;
        ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
        EXPECT_EQ(r->speedCount, 1);  // what came before stays
        EXPECT_EQ(r->tpmsCount, 1);
        EXPECT_EQ(r->tyreCount, int32_t(tyres.tyres.size()));
        EXPECT_EQ(r->voltageCount, 0);  // bits 5 to 7 are not read
        EXPECT_EQ(r->tractor, 4);
        EXPECT_EQ(r->trailer1, 5);
        EXPECT_EQ(r->axleKind[1], 2);
        EXPECT_EQ(r->recordIndex, 0u);
    }
}

TEST(Tyres, TyreCountIsNotClearedByAGopWithoutTyres) {
    TelemetryBlock t;
    t.tyres = Tyres(4, 1, 1, 0, 0);
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), t), r), 4);
    EXPECT_EQ(r->tyreCount, 4);
    TelemetryBlock none;
    none.speed = Words(1, 1.0f);
    ASSERT_EQ(Parse(TelemetryGop(Fields(4), none), r), 4);
    EXPECT_EQ(r->tyreCount, 4);
    EXPECT_EQ(r->tpmsCount, 0);
}

TEST(Tyres, NoTyreRecordWithFramesPerChannel0) {
    TelemetryBlock t;
    t.tyres = Tyres(4, 2, 1, 0, 0);
    Record r;
    ASSERT_EQ(Parse(TelemetryGop(Fields(3), t, 0), r), 3);
    EXPECT_EQ(r->tpmsCount, 0);
    EXPECT_EQ(r->tyreCount, 4);
    EXPECT_EQ(r->tractor, 1);
}

}  // namespace
}  // namespace gop_test
