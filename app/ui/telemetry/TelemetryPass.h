// One pass of the telemetry thread: the latest telemetry turned into the
// texts, gauges, lamps, chart sample and map point of the main window, and
// the alarm lines of the daily log. A stop clears every display first; a
// seek clears the chart and the GPS line and ends the pass at once.
//
// The pass keeps a working chart sample across passes (values a pass does
// not refresh keep their last value and flag) and the units it last used:
// when a unit changes, the chart starts afresh and that pass records no
// value in that unit.
//
// Threads: the telemetry thread only.
#pragma once

#include "app/controls/skin/ChartSample.h"
#include "app/shell/DailyLog.h"
#include "app/ui/telemetry/LatestTelemetry.h"
#include "app/ui/telemetry/TelemetryView.h"
#include "platform/base/Event.h"

class CTelemetryPass {
public:
    enum class Next {
        Sleep,  // wait 500 ms before the next pass
        Again,  // a seek was handled: the next pass follows at once
    };

    // `event` is the telemetry event, reset once a stop has been shown.
    CTelemetryPass(TelemetryView& view, LatestTelemetry& latest, CDailyLog& log, HANDLE event);

    Next Run();

private:
    void ShowStop();
    void ForgetAfterSeek();
    void ShowTime(const TelemetryRecord& r);
    void ShowVehicleId(const TelemetryRecord& r);
    void ShowGps(const TelemetryRecord& r, int speedUnit);
    void ShowGSensor(const TelemetryRecord& r);
    void ShowSpeed(const TelemetryRecord& r, int unit);
    void ShowTemperature(const TelemetryRecord& r, int unit);
    void ShowAlarms(const TelemetryRecord& r);
    void RestartChart();

    TelemetryView& m_view;
    LatestTelemetry& m_latest;
    CDailyLog& m_log;
    HANDLE m_event;
    ChartSample m_sample;
    int m_nSpeedUnit = 0;
    int m_nTemperatureUnit = 0;
    CString m_strTime;  // this pass's time text, ending every alarm line
};
