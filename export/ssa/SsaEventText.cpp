#include "export/ssa/SsaEventText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "shared/GpsDegrees.h"
#include "shared/RecordingCalendar.h"
#include "shared/TemperatureUnit.h"

namespace {

constexpr const char* kColon = "\xA1\x47";       // full-width colon
constexpr const char* kCelsius = "\xA2\x4A";     // degrees Celsius sign
constexpr const char* kFahrenheit = "\xA2\x4B";  // degrees Fahrenheit sign
constexpr double kMilesPerKm = 0.622;

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return std::string(text, n < 0 ? 0 : std::min(size_t(n), sizeof text - 1));
}

std::string DialogueStart(const SsaSpan& span) {
    return "Dialogue: Marked=0," + SsaTime(span.startSamples, span.sampleRate) + "," +
           SsaTime(span.endSamples, span.sampleRate) + ",";
}

// Control bytes of a vehicle id would break the line apart.
std::string PrintableId(const std::string& id) {
    std::string out = id;
    for (char& c : out) {
        if (uint8_t(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    return out;
}

std::string TemperaturePart(int celsius, int unit, bool first) {
    if (unit == 1) {
        const int fahrenheit = CelsiusToFahrenheit(celsius);
        return Format(first ? "%d%s" : "%6d%s", fahrenheit, kFahrenheit);
    }
    return Format(first ? "%d%s" : "%6d%s", celsius, kCelsius);
}

std::string SpeedPart(int whole, int tenths, int unit, bool first) {
    const std::string kmh = Format("%6d.%d", whole, tenths);
    if (unit == 1)
        return Format(first ? "%.1fmile/h" : "%8.1fmile/h", std::atof(kmh.c_str()) * kMilesPerKm);
    return kmh + "km/h";
}

// Empty when the texts are not a valid position: the converter's fallback
// position is not a fix and is never shown as one.
std::string GpsPart(const SubtitleTelemetry& t, bool first) {
    char longitude[11] = {}, latitude[10] = {}, altitude[10] = {};
    if (!GpsTextToDegrees(t.longitude.data(), t.latitude.data(), nullptr, longitude, latitude,
                          altitude))
        return {};
    return std::string(first ? "" : "   ") + "Lng" + kColon + longitude + ", Lat" + kColon +
           latitude;
}

}  // namespace

std::string SsaTime(uint64_t samples, int sampleRate) {
    if (sampleRate <= 0)
        return "0:00:00.00";
    const uint64_t rate = uint64_t(sampleRate);
    const uint64_t seconds = samples / rate;
    return Format("%llu:%02u:%02u.%02u", (unsigned long long)(seconds / 3600),
                  unsigned(seconds / 60 % 60), unsigned(seconds % 60),
                  unsigned(samples % rate * 100 / rate));
}

std::string SsaHeader(int width, int height) {
    std::string text = "[Script Info]\nScriptType: v4.00\nCollisions: Normal\n";
    text += Format("PlayResX: %d\nPlayResY: %d\n", width, height);
    text += "PlayDepth: 0\nTimer: 100.0000\n\n";
    text += "[V4 Styles]\n";
    text +=
        "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, "
        "BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, "
        "MarginV, AlphaLevel, Encoding\n";
    text += "Style: Time,Tahoma,24,&HFFFFFF,&H00FFFF,&H00FFFF,&H000000,-1,0,1,2,0,5,0,0,0,1\n";
    text += width <= 352 ? "Style: Log,Tahoma,12," : "Style: Log,Tahoma,24,";
    text += "&HFFFFFF,&H00FFFF,&H00FFFF,&H000000,-1,0,1,2,0,1,0,0,0,1\n\n";
    text += "[Events]\n";
    text += "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect,, Text\n";
    return text;
}

std::string SsaTimeEvent(int event, const SsaSpan& span, bool showDate, uint32_t time) {
    std::string line = DialogueStart(span) + Format("*Time,%d,0000,0000,0000,,", event);
    if (showDate) {
        static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        const std::tm t = RecordingCalendar(time);
        line += Format("%s %02d %02d:%02d:%02d %04d", kMonths[t.tm_mon], t.tm_mday, t.tm_hour,
                       t.tm_min, t.tm_sec, t.tm_year + 1900);
    }
    return line + "\n";
}

std::string SsaLogEvent(int event, const SsaSpan& span, const SubtitleTelemetry& telemetry,
                        const SubtitleOptions& options) {
    std::string parts;
    // An empty vehicle id still counts as a part: the parts after it are padded.
    bool first = true;
    auto add = [&](const std::string& part) {
        parts += part;
        first = false;
    };
    if (options.vehicleId && telemetry.hasVehicle)
        add(PrintableId(telemetry.vehicleId));
    if (options.temperature && telemetry.hasVehicle)
        add(TemperaturePart(telemetry.temperature, options.temperatureUnit, first));
    if (options.speed && telemetry.hasSpeed)
        add(SpeedPart(telemetry.speedWhole, telemetry.speedTenths, options.speedUnit, first));
    if (options.gps && telemetry.hasGps) {
        const std::string gps = GpsPart(telemetry, first);
        if (!gps.empty())
            add(gps);
    }
    return DialogueStart(span) + Format("*Log,%d,0000,0000,0000,,", event) + parts + "\n";
}
