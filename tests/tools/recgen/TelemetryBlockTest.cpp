#include "tools/recgen/TelemetryBlock.h"

#include <gtest/gtest.h>

#include <cstring>

#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"

namespace {

using recgen::TelemetryBlock;

TelemetryBlock FullBlock() {
    TelemetryBlock b;
    b.vehicle = {{.id = "TRUCK-0042", .temperature = -12, .alarmInputs = 0x95, .statusBits = 0x0A},
                 {.id = "TRUCK-0042", .temperature = 3}};
    b.speed = {telemetry::TenthsWord(88.5f)};
    b.gps = {{.latitude = "5544.1234N", .longitude = "03736.5678E", .altitude = "0150.5"}};
    b.gsensor = {{.x = -1, .y = 2, .z = -128}, {}, {}};
    b.tyres =
        recgen::TyreBlock{.recordCount = 2,
                          .tyres = {{1, 0x04, 210, 90}, {2, 0x14, 30, 85}},
                          .truck = {.tractor = 1, .trailer1 = 0, .trailer2 = 0, .axleFlags = 9}};
    b.reserved5Count = 7;
    b.reserved6Count = 1;
    b.voltage = {telemetry::TenthsWord(24.3f), telemetry::TenthsWord(12.0f)};
    return b;
}

TEST(TelemetryBlock, SubBlocksFollowInBitOrder) {
    const std::vector<uint8_t> out = recgen::EncodeTelemetry(FullBlock());
    const uint8_t* p = out.data();
    EXPECT_EQ(LoadU32(p), 0x5A0000FFu);
    p += 4;

    EXPECT_EQ(LoadU16(p + 1), 2);
    p += 3;
    EXPECT_EQ(std::memcmp(p, "TRUCK-0042\0\0\0\0", 14), 0);
    EXPECT_EQ(int8_t(p[14]), -12);
    EXPECT_EQ(p[15], 0x95);
    EXPECT_EQ(p[16], 0x0A);
    EXPECT_EQ(int8_t(p[18 + 14]), 3);
    p += 2 * 18;

    EXPECT_EQ(LoadU16(p + 1), 1);
    EXPECT_FLOAT_EQ(telemetry::TenthsWordValue(LoadU16(p + 3)), 88.5f);
    p += 3 + 2;

    EXPECT_EQ(LoadU16(p + 1), 1);
    p += 3;
    EXPECT_EQ(std::memcmp(p + 1, "5544.1234N", 10), 0);
    EXPECT_EQ(std::memcmp(p + 11, "03736.5678E", 11), 0);
    EXPECT_EQ(std::memcmp(p + 22, "0150.5\0", 7), 0);
    p += 34;

    EXPECT_EQ(LoadU16(p + 1), 3);
    EXPECT_EQ(int8_t(p[3]), -1);
    EXPECT_EQ(int8_t(p[5]), -128);
    p += 3 + 9;

    EXPECT_EQ(LoadU16(p + 1), 2);
    EXPECT_EQ(p[3], 2);
    EXPECT_EQ(p[4 + 2], 210);
    EXPECT_EQ(p[4 + 4 + 1], 0x14);
    EXPECT_EQ(p[12], 1);
    EXPECT_EQ(p[15], 9);
    p += 4 + 8 + 4;

    EXPECT_EQ(LoadU16(p + 1), 7);
    p += telemetry::kReserved5BlockSize;
    EXPECT_EQ(LoadU16(p + 1), 1);
    p += telemetry::kReserved6BlockSize;

    EXPECT_EQ(LoadU16(p + 1), 2);
    EXPECT_FLOAT_EQ(telemetry::TenthsWordValue(LoadU16(p + 3)), 24.3f);
    EXPECT_FLOAT_EQ(telemetry::TenthsWordValue(LoadU16(p + 5)), 12.0f);
    p += 3 + 4;
    EXPECT_EQ(p, out.data() + out.size());
}

TEST(TelemetryBlock, AbsentSubBlocksLeaveTheirBitClear) {
    TelemetryBlock b;
    b.speed = std::vector<uint16_t>(20, telemetry::TenthsWord(1.5f));
    b.voltage = std::vector<uint16_t>{};
    const std::vector<uint8_t> out = recgen::EncodeTelemetry(b);
    EXPECT_EQ(LoadU32(out.data()), 0x5A000082u);
    EXPECT_EQ(LoadU16(out.data() + 5), 20);
    ASSERT_EQ(out.size(), 4u + 3 + 40 + 3);
    EXPECT_EQ(LoadU16(out.data() + 4 + 43 + 1), 0);
}

TEST(TelemetryBlock, EmptyBlockIsTheTagAlone) {
    const std::vector<uint8_t> out = recgen::EncodeTelemetry({});
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(LoadU32(out.data()), 0x5A000000u);
}

TEST(TelemetryBlock, DamageOptions) {
    TelemetryBlock b;
    b.speed = {1, 2};
    b.declaredCount[telemetry::kSpeed] = 9;
    b.invalidTag = true;
    const std::vector<uint8_t> out = recgen::EncodeTelemetry(b);
    EXPECT_NE(LoadU32(out.data()) & telemetry::kLogTagMask, telemetry::kLogTag);
    EXPECT_EQ(LoadU32(out.data()) & 0xFF, 0x02u);
    EXPECT_EQ(LoadU16(out.data() + 5), 9);
    EXPECT_EQ(out.size(), 4u + 3 + 4);
}

}  // namespace
