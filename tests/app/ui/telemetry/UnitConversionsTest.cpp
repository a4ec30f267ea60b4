#include "app/ui/telemetry/UnitConversions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "app/ui/telemetry/TelemetryTexts.h"
#include "shared/RecordingCalendar.h"

namespace {

struct ConversionCase {
    double (*convert)(int, double);
    int unit;
    double value;
    double want;
};

TEST(UnitConversions, EachWayInEachUnit) {
    const ConversionCase cases[] = {
        {KmhToDisplaySpeed, 0, 100.5, 100.5},
        {KmhToDisplaySpeed, 1, 100.0, 62.2},
        {KmhToDisplaySpeed, 2, 100.0, 100.0},  // unknown units leave the value
        {DisplaySpeedToKmh, 0, 50.0, 50.0},
        {DisplaySpeedToKmh, 1, 50.0, 80.4},
        {DisplaySpeedToKmh, -1, 50.0, 50.0},
        {CelsiusToDisplayTemperature, 0, 37.0, 37.0},
        {CelsiusToDisplayTemperature, 1, 100.0, 212.0},
        {CelsiusToDisplayTemperature, 1, -40.0, -40.0},
        {CelsiusToDisplayTemperature, 5, 20.0, 20.0},
        {DisplayTemperatureToCelsius, 1, 212.0, 100.0},
        {DisplayTemperatureToCelsius, 1, 32.0, 0.0},
        {DisplayTemperatureToCelsius, 0, 12.0, 12.0},
    };
    for (const ConversionCase& c : cases)
        EXPECT_NEAR(c.convert(c.unit, c.value), c.want, 1e-9) << c.unit << " " << c.value;
}

TEST(UnitConversions, HalvesRoundAwayFromZero) {
    const double cases[][2] = {{62.5, 63}, {62.49, 62}, {-62.5, -63}, {-62.49, -62},
                               {0.5, 1},   {-0.5, -1},  {0.0, 0},     {2.0, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfAway(c[0]), c[1]) << c[0];
}

TEST(UnitConversions, ShownSpeedsAndTemperatures) {
    // 100.5 km/h is 62.511 mile/h.
    EXPECT_EQ(RoundToInt(KmhToDisplaySpeed(1, 100.5)), 63);
    EXPECT_EQ(RoundToInt(KmhToDisplaySpeed(0, 100.5)), 101);
    EXPECT_EQ(RoundToInt(CelsiusToDisplayTemperature(1, -127)), -197);
    EXPECT_EQ(RoundToInt(CelsiusToDisplayTemperature(1, 128)), 262);
}

TEST(UnitConversions, RoundToIntStaysInRange) {
    EXPECT_EQ(RoundToInt(1e30), INT_MAX);
    EXPECT_EQ(RoundToInt(-1e30), INT_MIN);
    EXPECT_EQ(RoundToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt(-2.5), -3);
}

TEST(TelemetryTexts, UnitsValuesAndTimes) {
    EXPECT_EQ(SpeedUnitText(0), L"km/h");
    EXPECT_EQ(SpeedUnitText(1), L"mile/h");
    EXPECT_EQ(SpeedUnitText(7), L"km/h");
    EXPECT_EQ(TemperatureUnitText(0), L"\u2103");
    EXPECT_EQ(TemperatureUnitText(1), L"\u2109");
    EXPECT_EQ(ValueWithUnitText(63, SpeedUnitText(1)), L"63 mile/h");
    EXPECT_EQ(ValueWithUnitText(-5, TemperatureUnitText(0)), L"-5 \u2103");
    EXPECT_EQ(VoltageText(24.46f), L"24.5V");
    EXPECT_EQ(VoltageText(0.0f), L"0.0V");
    EXPECT_EQ(VoltageText(5.0f), L"5.0V");
    // 2023-11-14 22:13:20 UTC, whatever the local zone.
    EXPECT_EQ(CalendarTimeText(RecordingCalendar(1700000000)), L"2023-11-14 22:13:20");
    EXPECT_EQ(CalendarTimeText(RecordingCalendar(4294967295u)), L"2106-02-07 06:28:15");
}

}  // namespace
