#include "shared/GpsDegrees.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Result {
    bool valid;
    std::string longitude, latitude, altitude;
};

Result Convert(const char* longitude, const char* latitude, const char* altitude) {
    char lon[11] = {}, lat[10] = {}, alt[10] = {};
    const bool valid = GpsTextToDegrees(longitude, latitude, altitude, lon, lat, alt);
    return {valid, lon, lat, std::string(alt, strnlen(alt, sizeof alt))};
}

TEST(GpsTextToDegrees, Positions) {
    struct Row {
        const char *longitude, *latitude;
        std::string wantLongitude, wantLatitude;
    };
    const Row rows[] = {
        {"12130.1625E", "2459.9952N", "121.502708", "24.999920"},
        {"11354.0000W", "2237.1234S", "-113.90000", "-22.61872"},
        {"00130.0000E", "0530.0000N", "  1.500000", " 5.500000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.latitude);
        const Result r = Convert(row.longitude, row.latitude, "0012.50");
        EXPECT_TRUE(r.valid);
        EXPECT_EQ(r.longitude, row.wantLongitude);
        EXPECT_EQ(r.latitude, row.wantLatitude);
        EXPECT_EQ(r.altitude, "0012.50");
    }
}

TEST(GpsTextToDegrees, InvalidTextsGiveTheFallbackAndFalse) {
    const char* const pairs[][2] = {
        {"12130.1625E", "2459,9952N"},  // comma for the point
        {"12130.1625X", "2459.9952N"},  // bad hemisphere
        {"1213O.1625E", "2459.9952N"},  // letter among the digits
        {"12130.1625E", "2459.9952E"},
    };
    for (const auto& pair : pairs) {
        const Result r = Convert(pair[0], pair[1], "0012.50");
        EXPECT_FALSE(r.valid);
        EXPECT_EQ(r.longitude, "121.502708");
        EXPECT_EQ(r.latitude, "24.999920");
        EXPECT_EQ(r.altitude, "0.0");
    }
}

TEST(GpsTextToDegrees, MissingAltitudeGivesZero) {
    EXPECT_EQ(Convert("12130.1625E", "2459.9952N", nullptr).altitude, "0.0");
}

TEST(GpsTextToDegrees, ReadsNoFurtherThanTheFixedWidths) {
    // Unterminated texts packed back to back, as they sit in the recorder's record.
    const char packed[] = "2459.9952N12130.1625E0012.50";
    const Result r = Convert(packed + 10, packed, packed + 21);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.latitude, "24.999920");
    EXPECT_EQ(r.altitude, "0012.50");
}

}  // namespace
