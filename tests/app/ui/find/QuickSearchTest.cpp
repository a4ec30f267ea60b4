#include <gtest/gtest.h>

#include "app/res/ResourceIds.h"
#include "app/ui/find/QuickRecord.h"
#include "app/ui/find/QuickSearch.h"
#include "app/ui/telemetry/UnitConversions.h"
#include "tests/app/ui/find/QuickUnits.h"

namespace {

using findtest::MakeQuickUnit;
using findtest::QuickFields;

const FindUnits kMetric{0, L"km/h", 0, L"\u2103"};
const FindUnits kImperial{1, L"mile/h", 1, L"\u2109"};

QuickSearch Search(int buttonId, double value) {
    QuickSearch s;
    s.buttonId = buttonId;
    s.value = value;
    return s;
}

struct TestCase {
    const char* name;
    QuickSearch search;
    const FindUnits* units;
    QuickFields record;
    bool matches;
};

QuickFields Speed(uint16_t kmh) {
    QuickFields s;
    s.speedKmh = kmh;
    return s;
}
QuickFields Temperature(uint16_t stored) {
    QuickFields s;
    s.temperature = stored;
    return s;
}
QuickFields Forces(int8_t x, int8_t y, int8_t z) {
    QuickFields s;
    s.g[0] = x;
    s.g[1] = y;
    s.g[2] = z;
    return s;
}
QuickFields Tyres(std::vector<std::pair<uint8_t, uint8_t>> tyres, int count = -1) {
    QuickFields s;
    s.tyres = std::move(tyres);
    s.tyreCount = count;
    return s;
}

TEST(QuickRecordTest, EachSearchTestsItsField) {
    const TestCase cases[] = {
        {"speed above km/h", Search(IDC_FIND_SPEED_BUTTON, 80), &kMetric, Speed(81), true},
        {"speed equal", Search(IDC_FIND_SPEED_BUTTON, 80), &kMetric, Speed(80), false},
        // 50 mile/h is 80.4 km/h, rounded to 80.
        {"mile/h to km/h", Search(IDC_FIND_SPEED_BUTTON, 50), &kImperial, Speed(81), true},
        {"mile/h rounded", Search(IDC_FIND_SPEED_BUTTON, 50), &kImperial, Speed(80), false},
        {"negative speed", Search(IDC_FIND_SPEED_BUTTON, -5), &kMetric, Speed(0), false},
        {"temperature", Search(IDC_FIND_TEMPERATURE_BUTTON, 50), &kMetric, Temperature(51), true},
        {"122 F is 50 C", Search(IDC_FIND_TEMPERATURE_BUTTON, 122), &kImperial, Temperature(50),
         false},
        {"F above", Search(IDC_FIND_TEMPERATURE_BUTTON, 122), &kImperial, Temperature(51), true},
        {"stored 200 is -56", Search(IDC_FIND_TEMPERATURE_BUTTON, -60), &kMetric, Temperature(200),
         true},
        {"stored 200 below", Search(IDC_FIND_TEMPERATURE_BUTTON, -50), &kMetric, Temperature(200),
         false},
        {"G x above", Search(IDC_FIND_G_BUTTON, 1.0), &kMetric, Forces(64, 0, 0), true},
        {"G below", Search(IDC_FIND_G_BUTTON, 1.0), &kMetric, Forces(63, -63, 63), false},
        {"G z negative", Search(IDC_FIND_G_BUTTON, 1.0), &kMetric, Forces(0, 0, -64), true},
        {"G 2.0 never", Search(IDC_FIND_G_BUTTON, 2.0), &kMetric, Forces(127, -127, 127), false},
        {"tyre 50 C", Search(IDC_FIND_TYRE_TEMP_BUTTON, 50), &kMetric, Tyres({{30, 91}}), true},
        {"tyre byte 90", Search(IDC_FIND_TYRE_TEMP_BUTTON, 50), &kMetric, Tyres({{30, 90}}), false},
        {"tyre 122 F", Search(IDC_FIND_TYRE_TEMP_BUTTON, 122), &kImperial,
         Tyres({{30, 60}, {30, 91}}), true},
        {"tyre error value", Search(IDC_FIND_TYRE_TEMP_BUTTON, 50), &kMetric, Tyres({{30, 250}}),
         false},
        {"tyre beyond count", Search(IDC_FIND_TYRE_TEMP_BUTTON, 50), &kMetric,
         Tyres({{30, 60}, {30, 120}}, 1), false},
        {"pressure above", Search(IDC_FIND_PRESSURE_ABOVE_BUTTON, 40), &kMetric,
         Tyres({{40, 60}, {41, 60}}), true},
        {"pressure not above", Search(IDC_FIND_PRESSURE_ABOVE_BUTTON, 40), &kMetric,
         Tyres({{40, 60}}), false},
        {"pressure below", Search(IDC_FIND_PRESSURE_BELOW_BUTTON, 30), &kMetric,
         Tyres({{30, 60}, {29, 60}}), true},
        {"no tyres", Search(IDC_FIND_PRESSURE_BELOW_BUTTON, 30), &kMetric, Tyres({}), false},
        {"no search", Search(0, 0), &kMetric, Speed(200), false},
    };
    for (const TestCase& c : cases) {
        const QuickRecordTest test(c.search, *c.units);
        EXPECT_EQ(test(MakeQuickUnit(c.record)), c.matches) << c.name;
    }
}

TEST(QuickRecordTest, PositionWithinBothTolerancesInclusive) {
    QuickSearch s;
    s.buttonId = IDC_FIND_POSITION_BUTTON;
    s.longitudeCentre = 121.0;
    s.longitudeTolerance = 0.5;
    s.latitudeCentre = 25.25;
    s.latitudeTolerance = 0.25;
    const QuickRecordTest test(s, kMetric);
    struct Place {
        const char* latitude;
        const char* longitude;
        bool inside;
    };
    const Place places[] = {
        {"2500.0000N", "12130.0000E", true},   // both on the upper and lower bounds
        {"2515.0000N", "12100.0000E", true},   // the centre
        {"2459.0000N", "12100.0000E", false},  // latitude below
        {"2515.0000N", "12031.0000E", true},
        {"2515.0000N", "12029.0000E", false},  // longitude below
        {"2515.0000S", "12100.0000E", false},  // southern hemisphere
        {"2515,0000N", "12100.0000E", false},  // no valid fix
    };
    for (const Place& p : places) {
        QuickFields fields;
        fields.latitude = p.latitude;
        fields.longitude = p.longitude;
        EXPECT_EQ(test(MakeQuickUnit(fields)), p.inside) << p.latitude << " " << p.longitude;
    }
}

TEST(QuickResultCells, RowInTheDisplayUnits) {
    QuickFields fields;
    fields.timeEntry = 7;
    fields.speedKmh = 81;
    fields.temperature = 51;
    fields.g[0] = 64;
    fields.g[2] = -127;
    fields.tyres = {{35, 91}, {36, 0}, {37, 200}};
    const InxUnit time{1699999200, 0, 123};
    const std::vector<CString> cells = QuickResultCells(MakeQuickUnit(fields), &time, kImperial);
    const std::vector<CString> expected = {
        L"7",   L"2023/11/14 22:00:00",  L"50", L"1.01/0.00/-2.00",
        L"124", L"121.502708/24.999920", L"3",  L" 1:35/124 2:36/-40 3:37/error"};
    EXPECT_EQ(cells, expected);
}

TEST(QuickResultCells, UnknownTimeAndNoFix) {
    QuickFields fields;
    fields.latitude = "garbage!!!";
    fields.temperature = 246;  // -10 degrees
    fields.tyres = {{30, 30}};
    const std::vector<CString> cells = QuickResultCells(MakeQuickUnit(fields), nullptr, kMetric);
    EXPECT_EQ(cells[1], L"-");
    EXPECT_EQ(cells[4], L"-10");
    EXPECT_EQ(cells[5], L"-");
    EXPECT_EQ(cells[7], L" 1:30/-10");
}

TEST(QuickResultCells, TyreCountCutToWhatTheRecordHolds) {
    std::vector<std::pair<uint8_t, uint8_t>> tyres(40, {30, 60});
    const QuickInxUnit unit = MakeQuickUnit(Tyres(tyres, 200));
    EXPECT_EQ(QuickRecord(unit).TyreCount(), kQuickTyreCapacity);
    const std::vector<CString> cells = QuickResultCells(unit, nullptr, kMetric);
    EXPECT_EQ(cells[6], L"34");
    EXPECT_NE(cells[7].Find(L" 34:30/20"), -1);
    EXPECT_EQ(cells[7].Find(L" 35:"), -1);
}

TEST(UnitConversion, RoundTripsAndRounding) {
    EXPECT_DOUBLE_EQ(DisplaySpeedToKmh(1, 50), 80.4);
    EXPECT_DOUBLE_EQ(KmhToDisplaySpeed(1, 100), 62.2);
    EXPECT_DOUBLE_EQ(DisplayTemperatureToCelsius(1, 122), 50);
    EXPECT_DOUBLE_EQ(CelsiusToDisplayTemperature(1, -40), -40);
    EXPECT_DOUBLE_EQ(DisplaySpeedToKmh(0, 50), 50);
    EXPECT_DOUBLE_EQ(CelsiusToDisplayTemperature(7, 12), 12);
    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_EQ(RoundHalfAway(-2.4), -2);
}

}  // namespace
