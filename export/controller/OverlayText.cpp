#include "export/controller/OverlayText.h"

#include <cstring>
#include <cwchar>

#include "shared/GpsDegrees.h"
#include "shared/RecordingCalendar.h"
#include "shared/TemperatureUnit.h"

namespace oskulo {
namespace {

// The widest values of the recorder's telemetry: a signed byte of
// temperature, a speed of 12 bits of km/h and 4 bits of tenths.
constexpr int32_t kLowestTemperature = -128;
constexpr float kHighestSpeed = 4095.0f + 15 / 10.0f;

constexpr wchar_t kCelsius = L'\u2103';
constexpr wchar_t kFahrenheit = L'\u2109';

bool HasRecord(int32_t count, uint32_t index) {
    return count > 0 && index < uint32_t(count) && index < uint32_t(kMaxTelemetryRecords);
}

// Appends a formatted part; the first part goes in without its padding.
class OsdLine {
public:
    explicit OsdLine(wchar_t (&text)[kOsdTextSize]) : m_text(text) { m_text[0] = L'\0'; }

    bool Empty() const { return !m_hasPart; }

    template <typename... Args>
    void Add(const wchar_t* format, Args... args) {
        const std::size_t used = std::wcslen(m_text);
        std::swprintf(m_text + used, std::size_t(kOsdTextSize) - used, format, args...);
        m_hasPart = true;
    }

    void MarkPart() { m_hasPart = true; }

private:
    wchar_t (&m_text)[kOsdTextSize];
    bool m_hasPart = false;
};

void AddVehicleId(OsdLine& line, const GopInfo& info, wchar_t (&text)[kOsdTextSize]) {
    std::size_t n = 0;
    while (n < 14 && info.carId[n] != '\0' && n + 1 < std::size_t(kOsdTextSize)) {
        text[n] = wchar_t(static_cast<unsigned char>(info.carId[n]));
        ++n;
    }
    text[n] = L'\0';
    line.MarkPart();
}

void AddTemperature(OsdLine& line, const ExtractParams& p, int celsius) {
    const bool fahrenheit = p.temperatureUnit == 1;
    const int value = fahrenheit ? CelsiusToFahrenheit(celsius) : celsius;
    const wchar_t unit = fahrenheit ? kFahrenheit : kCelsius;
    line.Add(line.Empty() ? L"%d%lc" : L"%6d%lc", value, wint_t(unit));
}

void AddSpeed(OsdLine& line, const ExtractParams& p, float kmh) {
    if (p.speedUnit == 1)
        line.Add(line.Empty() ? L"%.1fmile/h" : L"%8.1fmile/h", double(kmh) * 0.622);
    else
        line.Add(line.Empty() ? L"%.1fkm/h" : L"%8.1fkm/h", double(kmh));
}

void AddGps(OsdLine& line, const GpsText& gps) {
    char lng[11] = {}, lat[10] = {}, alt[10] = {};
    if (!GpsTextToDegrees(gps.longitude, gps.latitude, gps.altitude, lng, lat, alt))
        return;
    wchar_t wideLng[11] = {}, wideLat[10] = {};
    for (int i = 0; i < 10 && lng[i] != '\0'; ++i)
        wideLng[i] = wchar_t(lng[i]);
    for (int i = 0; i < 9 && lat[i] != '\0'; ++i)
        wideLat[i] = wchar_t(lat[i]);
    line.Add(line.Empty() ? L"Lng\uFF1A%ls, Lat\uFF1A%ls" : L"    Lng\uFF1A%ls, Lat\uFF1A%ls",
             wideLng, wideLat);
}

// "yyyy-mm-dd hh:mm:ss" of a recording time (no time-zone conversion).
void FormatRecordingTime(uint32_t time, wchar_t (&text)[kTimeTextSize]) {
    const std::tm parts = RecordingCalendar(time);
    std::swprintf(text, kTimeTextSize, L"%04d-%02d-%02d %02d:%02d:%02d", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
}

}  // namespace

void BuildTimeText(const ExtractParams& params, const GopInfo& info,
                   wchar_t (&text)[kTimeTextSize]) {
    text[0] = L'\0';
    if (params.osdDateTime != 0)
        FormatRecordingTime(info.time, text);
}

void BuildOsdText(const ExtractParams& params, const GopInfo& info, wchar_t (&text)[kOsdTextSize]) {
    OsdLine line(text);
    const uint32_t r = info.recordIndex;
    if (params.osdVehicleId != 0)
        AddVehicleId(line, info, text);
    if (params.osdTemperature != 0 && HasRecord(info.temperatureCount, r))
        AddTemperature(line, params, info.temperature[r]);
    if (params.osdSpeed != 0 && HasRecord(info.speedCount, r))
        AddSpeed(line, params, info.speed[r]);
    if (params.osdGps != 0 && HasRecord(info.gpsCount, r))
        AddGps(line, info.gps[r]);
}

void BuildWidestOsdText(const ExtractParams& params, const GopInfo& info,
                        wchar_t (&text)[kOsdTextSize]) {
    static const GopInfo widest = [] {
        GopInfo w{};
        w.temperatureCount = w.speedCount = w.gpsCount = 1;
        w.temperature[0] = kLowestTemperature;
        w.speed[0] = kHighestSpeed;
        std::memcpy(w.gps[0].longitude, "17959.9999W", sizeof w.gps[0].longitude);
        std::memcpy(w.gps[0].latitude, "8959.9999S", sizeof w.gps[0].latitude);
        return w;
    }();
    GopInfo line = widest;
    std::memcpy(line.carId, info.carId, sizeof line.carId);
    BuildOsdText(params, line, text);
}

}  // namespace oskulo
