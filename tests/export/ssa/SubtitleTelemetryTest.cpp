// Reading the first records of a telemetry block as recgen encodes it.
#include <gtest/gtest.h>

#include "export/ssa/SubtitleTelemetry.h"
#include "tools/recgen/TelemetryBlock.h"

namespace {

recgen::TelemetryBlock Block() {
    recgen::TelemetryBlock b;
    b.vehicle = std::vector<recgen::VehicleRecord>{{.id = "TRUCK-7", .temperature = -5},
                                                   {.id = "OTHER", .temperature = 9}};
    b.speed = std::vector<uint16_t>{0x503C, 0x0001};
    b.gps = std::vector<recgen::GpsRecord>{
        {.latitude = "2459.9952N", .longitude = "12130.1625E", .altitude = "00012.5"}};
    b.gsensor = std::vector<recgen::GSensorRecord>{{1, 2, 3}};
    return b;
}

SubtitleTelemetry Read(const std::vector<uint8_t>& bytes) {
    return ReadSubtitleTelemetry(bytes.data(), bytes.size());
}

TEST(SubtitleTelemetry, TakesTheFirstRecordOfEachSubBlock) {
    const SubtitleTelemetry t = Read(recgen::EncodeTelemetry(Block()));
    EXPECT_TRUE(t.hasVehicle);
    EXPECT_EQ(t.vehicleId, "TRUCK-7");
    EXPECT_EQ(t.temperature, -5);
    EXPECT_TRUE(t.hasSpeed);
    EXPECT_EQ(t.speedWhole, 60);
    EXPECT_EQ(t.speedTenths, 5);
    ASSERT_TRUE(t.hasGps);
    EXPECT_EQ(std::string(t.latitude.begin(), t.latitude.end()), "2459.9952N");
    EXPECT_EQ(std::string(t.longitude.begin(), t.longitude.end()), "12130.1625E");
}

TEST(SubtitleTelemetry, GpsWithoutTheOtherSubBlocks) {
    recgen::TelemetryBlock b = Block();
    b.vehicle.reset();
    b.speed.reset();
    const SubtitleTelemetry t = Read(recgen::EncodeTelemetry(b));
    EXPECT_FALSE(t.hasVehicle);
    EXPECT_FALSE(t.hasSpeed);
    EXPECT_TRUE(t.hasGps);
}

TEST(SubtitleTelemetry, SubBlockWithoutRecordsGivesNothing) {
    recgen::TelemetryBlock b = Block();
    b.speed = std::vector<uint16_t>{};
    const SubtitleTelemetry t = Read(recgen::EncodeTelemetry(b));
    EXPECT_FALSE(t.hasSpeed);
    EXPECT_TRUE(t.hasGps);
}

// Only the first byte of `log_hd` counts: whatever its other bytes hold,
// the sub-blocks it names are read.
TEST(SubtitleTelemetry, UpperBytesOfTheHeaderAreNotChecked) {
    const uint8_t uppers[][3] = {
        {0x00, 0x00, 0x5B}, {0x00, 0x00, 0x00}, {0xFF, 0xFF, 0xFF}, {0x12, 0x34, 0x56}};
    for (const auto& upper : uppers) {
        std::vector<uint8_t> bytes = recgen::EncodeTelemetry(Block());
        std::copy(std::begin(upper), std::end(upper), bytes.begin() + 1);
        const SubtitleTelemetry t = Read(bytes);
        EXPECT_EQ(t.vehicleId, "TRUCK-7") << int(upper[2]);
        EXPECT_EQ(t.speedWhole, 60) << int(upper[2]);
        EXPECT_TRUE(t.hasGps) << int(upper[2]);
    }
}

// A count that runs past the block ends the walk there.
TEST(SubtitleTelemetry, CutBlockKeepsWhatFits) {
    std::vector<uint8_t> bytes = recgen::EncodeTelemetry(Block());
    bytes.resize(bytes.size() - 20);
    const SubtitleTelemetry t = Read(bytes);
    EXPECT_TRUE(t.hasVehicle);
    EXPECT_TRUE(t.hasSpeed);
    EXPECT_FALSE(t.hasGps);
    recgen::TelemetryBlock lying = Block();
    lying.declaredCount[0] = 5000;
    const SubtitleTelemetry none = Read(recgen::EncodeTelemetry(lying));
    EXPECT_FALSE(none.hasVehicle || none.hasSpeed || none.hasGps);
}

}  // namespace
