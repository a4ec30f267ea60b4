#include "app/ui/telemetry/TelemetryPass.h"

#include <memory>

#include "app/ui/map/MapPointTexts.h"
#include "app/ui/telemetry/GpsFix.h"
#include "app/ui/telemetry/TelemetryFlags.h"
#include "app/ui/telemetry/TelemetryTexts.h"
#include "app/ui/telemetry/UnitConversions.h"
#include "shared/RecordingCalendar.h"
#include "shared/TextConvert.h"

namespace {

// The daily-log text of each lamp, followed directly by the time text.
constexpr const wchar_t* kAlarmLogTexts[kAlarmLamps] = {
    L"You had Alarm1 Info :", L"You had Alarm2 Info :", L"You had Alarm3 Info :",
    L"You had Alarm4 Info :", L"You had Alarm5 Info :", L"You had Alarm6 Info :",
    L"You had Alarm7 Info :", L"You had Alarm8 Info :", L"You had Relay1 Info :",
    L"You had Relay2 Info :",
};

// Raw G-sensor values: 127 is 2 g.
float RawToG(int raw) {
    return float(raw * 2 / 127.0);
}

CString WideFromUtf8(const char* utf8) {
    const std::unique_ptr<wchar_t[]> wide(Utf8ToWide(utf8));
    return CString(wide.get());
}

}  // namespace

CTelemetryPass::CTelemetryPass(TelemetryView& view, LatestTelemetry& latest, CDailyLog& log,
                               HANDLE event)
    : m_view(view), m_latest(latest), m_log(log), m_event(event) {}

CTelemetryPass::Next CTelemetryPass::Run() {
    if (g_bPlaybackStopped.exchange(false))
        ShowStop();
    else
        m_view.ShowInfoPanels(false);
    if (g_bPositionJumped.exchange(false)) {
        ForgetAfterSeek();
        return Next::Again;
    }
    // Each unit is read once, so one pass never shows two.
    const int speedUnit = m_view.GetSpeedUnit();
    const int temperatureUnit = m_view.GetTemperatureUnit();
    const TelemetryRecord r = m_latest.Snapshot();
    ShowTime(r);
    ShowVehicleId(r);
    ShowGps(r, speedUnit);
    ShowGSensor(r);
    ShowSpeed(r, speedUnit);
    if (IsGivenMeasure(r.voltage))
        m_view.SetVoltageText(r.voltage);
    ShowTemperature(r, temperatureUnit);
    ShowAlarms(r);
    m_view.RefreshAlarmIndicators();
    m_view.AddChartSample(m_sample);
    return Next::Sleep;
}

void CTelemetryPass::ShowStop() {
    m_latest.Reset();
    m_sample = ChartSample();
    m_view.SendMapTrack(MAP_TRACK_CLEAR);
    m_view.SetTimeText(CString());
    m_view.SetCarIdText(CString());
    m_view.SetGpsText(CString());
    // No value is known until the recording gives one again: no "0 km/h".
    m_view.ClearMeasureTexts();
    m_view.ClearChart();
    ResetEvent(m_event);
    // A play result may have set the event since the stop's: it stays set.
    if (g_bFramesFlowing)
        SetEvent(m_event);
    m_view.ShowInfoPanels(true);
}

void CTelemetryPass::ForgetAfterSeek() {
    m_latest.Reset();
    m_sample = ChartSample();
    m_view.SetGpsText(CString());
    m_view.ClearChart();
}

void CTelemetryPass::ShowTime(const TelemetryRecord& r) {
    m_strTime.Empty();
    if (r.time == 0)
        return;
    const std::tm utc = RecordingCalendar(r.time);
    m_strTime = CalendarTimeText(utc);
    m_view.SetTimeText(m_strTime);
    m_sample.time = ChartTime(utc);
    m_sample.timeValid = 1;
}

void CTelemetryPass::ShowVehicleId(const TelemetryRecord& r) {
    if (r.vehicleId[0] == '\0')
        return;
    const CString id = WideFromUtf8(r.vehicleId);
    m_view.SetCarIdText(id);
    g_strMapCarId = id;
}

void CTelemetryPass::ShowGps(const TelemetryRecord& r, int speedUnit) {
    const bool feet = speedUnit == kUnitImperial;
    GpsFix fix;
    if (!ReadGpsFix(r.gps, feet, fix))
        return;
    g_strMapLongitude = fix.longitude;
    g_strMapLatitude = fix.latitude;
    g_strMapAltitude = fix.altitude;
    if (r.time == 0)
        return;
    g_strMapTime.Format(L"%u", r.time);
    m_view.SendMapTrack(MAP_TRACK_ADD_POINT);
    const CString line = GpsLineText(fix, feet);
    m_view.SetGpsText(line);
    m_view.SetFloatingMapGpsText(line);
}

void CTelemetryPass::ShowGSensor(const TelemetryRecord& r) {
    if (r.gSensor[0] == kNoGSensor)
        return;
    m_sample.gx = RawToG(r.gSensor[0]);
    m_sample.gy = RawToG(r.gSensor[1]);
    m_sample.gz = RawToG(r.gSensor[2]);
    m_sample.gValid = 1;
    m_view.SetGSensorValues(m_sample.gx, m_sample.gy, m_sample.gz);
}

void CTelemetryPass::ShowSpeed(const TelemetryRecord& r, int unit) {
    if (!IsGivenMeasure(r.speed))
        return;
    const int speed = RoundToInt(KmhToDisplaySpeed(unit, r.speed));
    m_view.SetPanelSpeed(speed);
    if (unit == m_nSpeedUnit) {
        m_sample.speed = speed;
        m_sample.speedValid = 1;
    } else {
        m_nSpeedUnit = unit;
        RestartChart();
    }
    m_view.SetSpeedText(speed);
}

void CTelemetryPass::ShowTemperature(const TelemetryRecord& r, int unit) {
    if (!IsGivenTemperature(r.temperature))
        return;
    const int temperature = RoundToInt(CelsiusToDisplayTemperature(unit, r.temperature));
    m_view.SetPanelTemperatureUnitText(TemperatureUnitText(unit));
    if (unit != m_nTemperatureUnit) {
        // The text waits for the next pass, in the new unit's chart.
        m_nTemperatureUnit = unit;
        RestartChart();
        return;
    }
    m_view.SetTemperatureText(temperature);
    m_sample.temperature = float(temperature);
    m_sample.temperatureValid = 1;
}

void CTelemetryPass::ShowAlarms(const TelemetryRecord& r) {
    uint8_t states[kAlarmLamps] = {};
    for (int i = 0; i < kAlarmLamps; ++i) {
        states[i] = r.alarms[i] != 0 ? 1 : 0;
        // While an input stays on, every pass logs it again.
        if (r.alarms[i] == 1)
            m_log.WriteLog(CString(kAlarmLogTexts[i]) + m_strTime);
    }
    m_view.SetAlarmStates(states);
}

void CTelemetryPass::RestartChart() {
    m_sample = ChartSample();
    m_view.ClearChart();
}
