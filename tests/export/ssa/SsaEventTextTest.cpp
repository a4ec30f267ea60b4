// The subtitle texts byte for byte: times, the header, the Time and Log
// events with their units and Big5 signs.
#include <gtest/gtest.h>

#include "export/ssa/SsaEventText.h"

namespace {

const std::string kCelsius = "\xA2\x4A";
const std::string kFahrenheit = "\xA2\x4B";
const std::string kColon = "\xA1\x47";

struct TimeCase {
    uint64_t samples;
    int rate;
    const char* text;
};

TEST(SsaTime, CountsHoursMinutesSecondsAndHundredths) {
    const TimeCase cases[] = {
        {0, 8000, "0:00:00.00"},
        {8000, 8000, "0:00:01.00"},
        {4500ull * 8000, 8000, "1:15:00.00"},
        {8000 * 61 + 7999, 8000, "0:01:01.99"},  // hundredths are cut
        {16000 * 3600 * 12 + 8000, 16000, "12:00:00.50"},
        {12345, 0, "0:00:00.00"},
    };
    for (const TimeCase& c : cases)
        EXPECT_EQ(SsaTime(c.samples, c.rate), c.text) << c.samples << " at " << c.rate;
}

TEST(SsaHeader, NamesThePictureSizeAndStyles) {
    const std::string expected =
        "[Script Info]\nScriptType: v4.00\nCollisions: Normal\nPlayResX: 352\nPlayResY: 288\n"
        "PlayDepth: 0\nTimer: 100.0000\n\n[V4 Styles]\n"
        "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, "
        "BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, "
        "MarginV, AlphaLevel, Encoding\n"
        "Style: Time,Tahoma,24,&HFFFFFF,&H00FFFF,&H00FFFF,&H000000,-1,0,1,2,0,5,0,0,0,1\n"
        "Style: Log,Tahoma,12,&HFFFFFF,&H00FFFF,&H00FFFF,&H000000,-1,0,1,2,0,1,0,0,0,1\n\n"
        "[Events]\n"
        "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect,, Text\n";
    EXPECT_EQ(SsaHeader(352, 288), expected);
    const std::string wide = SsaHeader(704, 576);
    EXPECT_NE(wide.find("PlayResX: 704\nPlayResY: 576\n"), std::string::npos);
    EXPECT_NE(wide.find("Style: Log,Tahoma,24,&HFFFFFF"), std::string::npos);
}

TEST(SsaTimeEvent, ShowsTheDateOnlyWhenAsked) {
    const SsaSpan span{8000, 16000, 8000};
    const uint32_t time = 1560163542;  // 2019-06-10 10:45:42
    EXPECT_EQ(SsaTimeEvent(3, span, true, time),
              "Dialogue: Marked=0,0:00:01.00,0:00:02.00,*Time,3,0000,0000,0000,,Jun 10 10:45:42 "
              "2019\n");
    EXPECT_EQ(SsaTimeEvent(3, span, false, time),
              "Dialogue: Marked=0,0:00:01.00,0:00:02.00,*Time,3,0000,0000,0000,,\n");
}

SubtitleTelemetry FullTelemetry() {
    SubtitleTelemetry t;
    t.hasVehicle = true;
    t.vehicleId = "ABC-123";
    t.temperature = -5;
    t.hasSpeed = true;
    t.speedWhole = 60;
    t.speedTenths = 5;
    t.hasGps = true;
    const std::string latitude = "2459.9952N", longitude = "12130.1625E";
    std::copy(latitude.begin(), latitude.end(), t.latitude.begin());
    std::copy(longitude.begin(), longitude.end(), t.longitude.begin());
    return t;
}

struct LogCase {
    const char* name;
    SubtitleOptions options;
    std::string parts;
    bool validGps = true;
};

TEST(SsaLogEvent, PartsFollowTheirOrderUnitsAndPadding) {
    const std::string gps = "Lng" + kColon + "121.502708, Lat" + kColon + "24.999920";
    const LogCase cases[] = {
        {"none", {}, ""},
        {"id", {.vehicleId = true}, "ABC-123"},
        {"temperature_first", {.temperature = true}, "-5" + kCelsius},
        {"fahrenheit_first", {.temperature = true, .temperatureUnit = 1}, "23" + kFahrenheit},
        {"temperature_after_id",
         {.vehicleId = true, .temperature = true},
         "ABC-123    -5" + kCelsius},
        {"speed_first", {.speed = true}, "    60.5km/h"},
        {"miles_first", {.speed = true, .speedUnit = 1}, "37.6mile/h"},
        {"miles_after_id",
         {.vehicleId = true, .speed = true, .speedUnit = 1},
         "ABC-123    37.6mile/h"},
        {"gps_first", {.gps = true}, gps},
        {"everything",
         {.vehicleId = true, .temperature = true, .speed = true, .gps = true},
         "ABC-123    -5" + kCelsius + "    60.5km/h   " + gps},
        {"invalid_gps_left_out", {.speed = true, .gps = true}, "    60.5km/h", false},
    };
    for (const LogCase& c : cases) {
        SubtitleTelemetry t = FullTelemetry();
        if (!c.validGps)
            t.latitude[4] = ',';
        EXPECT_EQ(
            SsaLogEvent(7, {0, 8000, 8000}, t, c.options),
            "Dialogue: Marked=0,0:00:00.00,0:00:01.00,*Log,7,0000,0000,0000,," + c.parts + "\n")
            << c.name;
    }
}

TEST(SsaLogEvent, EmptyIdStillPadsWhatFollows) {
    SubtitleTelemetry t = FullTelemetry();
    t.vehicleId.clear();
    EXPECT_EQ(
        SsaLogEvent(1, {0, 0, 8000}, t, {.vehicleId = true, .temperature = true}),
        "Dialogue: Marked=0,0:00:00.00,0:00:00.00,*Log,1,0000,0000,0000,,    -5" + kCelsius + "\n");
}

TEST(SsaLogEvent, MissingRecordsAndControlBytesAreNotWritten) {
    SubtitleTelemetry t;
    t.hasVehicle = true;
    t.vehicleId = "A\nB";
    EXPECT_EQ(SsaLogEvent(2, {0, 0, 8000}, t, {.vehicleId = true, .speed = true, .gps = true}),
              "Dialogue: Marked=0,0:00:00.00,0:00:00.00,*Log,2,0000,0000,0000,,A?B\n");
}

TEST(SubtitleOptions, TakenFromTheExportParameters) {
    ExtractParams params{};
    params.osdDateTime = 2;
    params.osdSpeed = 1;
    params.speedUnit = 1;
    params.temperatureUnit = 1;
    const SubtitleOptions options = SubtitleOptionsOf(params);
    EXPECT_TRUE(options.dateTime);
    EXPECT_TRUE(options.speed);
    EXPECT_FALSE(options.vehicleId || options.temperature || options.gps);
    EXPECT_EQ(options.speedUnit, 1);
    EXPECT_EQ(options.temperatureUnit, 1);
}

}  // namespace
