#include "tools/recgen/TelemetryTrack.h"

#include <gtest/gtest.h>

#include <cmath>

#include "format/TelemetryLayout.h"

namespace {

using namespace recgen;

TEST(GpsTexts, FixedWidthDegreesAndMinutes) {
    struct Case {
        double degrees;
        bool latitude;
        const char* text;
    };
    const Case cases[] = {
        {52.52, true, "5231.2000N"},         {-33.8688, true, "3352.1280S"},
        {0.0, true, "0000.0000N"},           {10.99999999, true, "1100.0000N"},
        {151.2093, false, "15112.5580E"},    {-0.1276, false, "00007.6560W"},
        {-179.999999, false, "17959.9999W"},
    };
    for (const Case& c : cases) {
        const std::string text = c.latitude ? LatitudeText(c.degrees) : LongitudeText(c.degrees);
        EXPECT_EQ(text, c.text) << c.degrees;
        EXPECT_EQ(text.size(), c.latitude ? 10u : 11u);
    }
    EXPECT_EQ(AltitudeText(35.0), "00035.0");
    EXPECT_EQ(AltitudeText(-12.25).size(), 7u);
}

double Metres(GeoPoint a, GeoPoint b) {
    const double k = 6371000.0 * 3.14159265358979 / 180.0;
    return k * std::hypot(
                   b.latitude - a.latitude,
                   (b.longitude - a.longitude) * std::cos(a.latitude * 3.14159265358979 / 180.0));
}

TEST(TelemetryTrack, MovesAtItsSpeedAlongTheRoute) {
    const TelemetryTrack track({{10.0, 20.0}, {10.1, 20.0}});
    for (double s : {0.0, 13.0, 40.0}) {
        const TelemetrySample a = track.At(s), b = track.At(s + 1);
        SCOPED_TRACE(s);
        EXPECT_NEAR(a.position.longitude, 20.0, 1e-9);  // on the leg
        EXPECT_NEAR(Metres(a.position, b.position), (a.speedKmh + b.speedKmh) / 2 / 3.6, 0.5);
        EXPECT_GE(a.speedKmh, 30.0);
        EXPECT_LE(a.speedKmh, 70.0);
    }
    EXPECT_GT(track.At(100).position.latitude, track.At(0).position.latitude);
}

TEST(TelemetryTrack, OnePointRouteStandsStill) {
    const TelemetryTrack track({{-33.0, -70.0}});
    EXPECT_DOUBLE_EQ(track.At(0).position.latitude, track.At(77).position.latitude);
    EXPECT_DOUBLE_EQ(track.At(77).position.longitude, -70.0);
}

TEST(TelemetryTrack, BlockHoldsEveryKindOfRecord) {
    const TelemetryTrack track({}, "VAN-12");
    const TelemetryBlock b = track.Block(60, 25);
    ASSERT_TRUE(b.vehicle && b.speed && b.gps && b.gsensor && b.tyres && b.voltage);
    EXPECT_FALSE(b.reserved5Count || b.reserved6Count || b.invalidTag);
    EXPECT_EQ(b.vehicle->size(), 25u);
    EXPECT_EQ(b.speed->size(), 25u);
    EXPECT_EQ(b.gps->size(), 25u);
    EXPECT_EQ(b.gsensor->size(), 25u);
    EXPECT_EQ(b.voltage->size(), 25u);
    EXPECT_EQ(b.tyres->recordCount, 25);
    EXPECT_EQ((*b.vehicle)[0].id, "VAN-12");
    const TruckLayout& t = b.tyres->truck;
    EXPECT_EQ(
        std::size_t(telemetry::kTractorTyres[t.tractor] + telemetry::kTrailerTyres[t.trailer1] +
                    telemetry::kTrailerTyres[t.trailer2]),
        b.tyres->tyres.size());

    const TelemetrySample x = track.At(60.0);
    EXPECT_EQ((*b.gps)[0].latitude, LatitudeText(x.position.latitude));
    EXPECT_EQ((*b.gps)[0].longitude, LongitudeText(x.position.longitude));
    EXPECT_FLOAT_EQ(telemetry::TenthsWordValue((*b.speed)[0]), float(x.speedKmh));
    EXPECT_FLOAT_EQ(telemetry::TenthsWordValue((*b.voltage)[0]), float(x.voltage));
    EXPECT_EQ((*b.vehicle)[0].temperature, x.temperature);
    EXPECT_EQ((*b.vehicle)[0].alarmInputs, 0x21);  // second 60: inputs 1 and 6
    EXPECT_EQ((*b.vehicle)[0].statusBits, 12);
    EXPECT_EQ(b.tyres->tyres[5].status, 0x14);  // tyre 6 low at second 60
}

}  // namespace
