// What the telemetry thread shows its results on: the main window's text
// lines, the telemetry panel, the chart and the map. The main window
// implements it.
//
// Threads: every call comes from the telemetry thread, one pass at a time.
// The windows behind it belong to the UI thread, so an implementation
// carries each call over to it (a message sent to the main window, or the
// UI thread's own lock around the values its painting reads). SendMapTrack
// must wait until the UI thread has handled the message: the map point
// globals are read by that handler and rewritten by the next pass.
#pragma once

#include <cstdint>

#include "app/controls/skin/ChartSample.h"
#include "platform/afx/String.h"

inline constexpr int kAlarmLamps = 10;  // alarm inputs 1-8, relays 1-2

// UM_MAP_TRACK's wParam.
enum MapTrackRequest : int {
    MAP_TRACK_CLEAR = 1,
    MAP_TRACK_ADD_POINT = 2,  // g_strMapCarId, g_strMapTime, g_strMapLatitude, g_strMapLongitude
};

class TelemetryView {
public:
    virtual ~TelemetryView() = default;

    // Current units (0 km/h or Celsius, 1 mile/h or Fahrenheit), read once a pass.
    virtual int GetSpeedUnit() const = 0;
    virtual int GetTemperatureUnit() const = 0;

    // The main window's text lines (white on their labels, invalidated).
    virtual void SetTimeText(const CString& text) = 0;
    virtual void SetCarIdText(const CString& text) = 0;
    virtual void SetGpsText(const CString& text) = 0;
    // "%d %s" with the speed unit text; the value is in the display unit.
    virtual void SetSpeedText(int speed) = 0;
    // "%2.1fV".
    virtual void SetVoltageText(float volts) = 0;
    // "%d %s" with the temperature unit text, and the panel's temperature value.
    virtual void SetTemperatureText(int temperature) = 0;
    // No value is known: empties the speed, voltage and temperature lines,
    // and the panel's speed, G values and temperature show no number.
    virtual void ClearMeasureTexts() = 0;
    // Hides (true) or shows the six text lines: voltage, speed, temperature,
    // vehicle id, time, GPS.
    virtual void ShowInfoPanels(bool hide) = 0;
    // The floating map window's GPS line, when that window exists.
    virtual void SetFloatingMapGpsText(const CString& text) = 0;

    // The telemetry panel: CLogInfoDlg::SetSpeed, the G display (in g), the
    // temperature control's unit text, and the alarm states of the ten lamps.
    virtual void SetPanelSpeed(int speed) = 0;
    virtual void SetGSensorValues(float x, float y, float z) = 0;
    virtual void SetPanelTemperatureUnitText(const CString& text) = 0;
    virtual void SetAlarmStates(const uint8_t (&states)[kAlarmLamps]) = 0;
    // Lamps whose shown state differs from the alarm states take it.
    virtual void RefreshAlarmIndicators() = 0;

    // The chart history (CChartHistory::Clear and Add).
    virtual void ClearChart() = 0;
    virtual void AddChartSample(const ChartSample& sample) = 0;

    // Sends UM_MAP_TRACK to the main window and returns once it is handled.
    virtual void SendMapTrack(MapTrackRequest request) = 0;
};
