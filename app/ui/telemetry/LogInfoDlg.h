// The telemetry panel, a child of the main window: speed digits and the
// temperature on the left, ten lamps (alarm inputs 1-8, relays 1 and 2) in
// two rows beside them, the G-sensor values and the G chart below, over a
// stretched background. The controls follow the panel's size.
//
// The main window loads the background, sets the units, and carries the
// telemetry thread's values over to it. User-interface thread only.
#pragma once

#include <cstdint>

#include "app/controls/skin/SkinAlarm.h"
#include "app/controls/skin/SkinBitmap.h"
#include "app/controls/skin/SkinGPS.h"
#include "app/controls/skin/SkinSpeedDig.h"
#include "app/controls/skin/SkinSpeedPic.h"
#include "app/controls/skin/SkinTemp.h"
#include "app/controls/skin/SkinWave.h"
#include "app/ui/telemetry/TelemetryView.h"

class CLogInfoDlg : public CDialog {
public:
    explicit CLogInfoDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // Places the controls for the client size; nothing before OnInitDialog.
    void LayoutControls();

    // The speed in the display unit (g_nSpeedUnit): digits and dial.
    void SetSpeed(int speed);
    void SetGValues(float x, float y, float z);
    void SetTemperatureValue(int value);
    // No value is known (at the start and after a stop): the speed digits,
    // the G values and the temperature show no number, the dial is at rest.
    void ClearSpeed();
    void ClearGValues();
    void ClearTemperatureValue();
    const CSkinSpeedDig& SpeedDigits() const { return m_speedDigits; }
    const CSkinGPS& GDisplay() const { return m_gDisplay; }
    const CSkinTemp& Temperature() const { return m_temperature; }
    void SetTemperatureUnitText(const CString& text);
    // What CHalbrookDlg::SetSpeedUnit and SetTemperatureUnit change here.
    void SetSpeedUnitText(const CString& text);
    void SetTemperatureUnit(int unit, const CString& text);
    const CString& GetTemperatureUnitText() const { return m_strTemperatureUnit; }
    void ShowChart(const ChartSample* samples, int lastIndex);

    // 1 on, 0 off, per lamp, as last computed; RefreshLamps shows them.
    void SetAlarmStates(const uint8_t (&states)[kAlarmLamps]);
    void RefreshLamps();
    uint8_t AlarmState(int lamp) const { return m_alarmStates[lamp]; }
    const CSkinAlarm& Lamp(int lamp) const { return m_lamps[lamp]; }

    // Drawn stretched behind the controls; the main window loads it.
    CSkinBitmap m_bmpBack;

    DECLARE_DYNAMIC(CLogInfoDlg)

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()

private:
    void LoadLampBitmaps();

    uint8_t m_alarmStates[kAlarmLamps] = {};
    CSkinSpeedPic m_dial;  // kept at zero size
    CSkinSpeedDig m_speedDigits;
    CSkinAlarm m_lamps[kAlarmLamps];
    CSkinGPS m_gDisplay;
    CSkinTemp m_temperature;
    CSkinWave m_chart;
    CString m_strTemperatureUnit;
};
