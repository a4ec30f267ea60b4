#include "app/ui/telemetry/LogInfoDlg.h"

#include "app/controls/draw/MemoryDc.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/telemetry/SpeedDial.h"

namespace {

constexpr int kRelayLamp1 = 8;
constexpr int kRelayLamp2 = 9;
constexpr int kLampsPerRow = 4;

}  // namespace

IMPLEMENT_DYNAMIC(CLogInfoDlg, CDialog)

BEGIN_MESSAGE_MAP(CLogInfoDlg, CDialog)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CLogInfoDlg::CLogInfoDlg(CWnd* parent) : CDialog(IDD_TELEMETRY, parent) {}

void CLogInfoDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PANEL_DIAL, m_dial);
    DDX_Control(dx, IDC_PANEL_SPEED_DIGITS, m_speedDigits);
    for (int i = 0; i < kAlarmLamps; ++i)
        DDX_Control(dx, IDC_PANEL_LAMP_FIRST + i, m_lamps[i]);
    DDX_Control(dx, IDC_PANEL_G_SENSOR, m_gDisplay);
    DDX_Control(dx, IDC_PANEL_CHART, m_chart);
    DDX_Control(dx, IDC_PANEL_TEMPERATURE, m_temperature);
}

BOOL CLogInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_dial.LoadBitmaps();
    m_dial.SetIndex(0);
    m_dial.MoveWindow(0, 0, 0, 0);
    m_speedDigits.SetBkColor(0);
    m_speedDigits.SetTextColor(RGB(255, 255, 255));
    m_speedDigits.SetUnit(g_nSpeedUnit);
    m_speedDigits.SetUnitText(g_strSpeedUnitText);
    LoadLampBitmaps();
    LayoutControls();
    return TRUE;
}

void CLogInfoDlg::LoadLampBitmaps() {
    for (int i = 0; i < kRelayLamp1; ++i) {
        m_lamps[i].m_bitmaps[0].LoadBitmap(IDB_LAMP_FIRST + 2 * i);
        m_lamps[i].m_bitmaps[1].LoadBitmap(IDB_LAMP_FIRST + 2 * i + 1);
        m_lamps[i].SetIndex(i + 1);
    }
    m_lamps[kRelayLamp1].m_bitmaps[0].LoadBitmap(IDB_RELAY_1_OFF);
    m_lamps[kRelayLamp1].m_bitmaps[1].LoadBitmap(IDB_RELAY_1_ON);
    m_lamps[kRelayLamp2].m_bitmaps[0].LoadBitmap(IDB_RELAY_2_OFF);
    m_lamps[kRelayLamp2].m_bitmaps[1].LoadBitmap(IDB_RELAY_2_ON);
}

void CLogInfoDlg::LayoutControls() {
    if (m_lamps[0].m_bitmaps[0].GetSafeHandle() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    const int a = w / 5;
    const int s = 3 * a / 6;
    const int lampsLeft = 2 * a + 10;
    for (int i = 0; i < kRelayLamp1; ++i)
        m_lamps[i].MoveWindow(lampsLeft + (i % kLampsPerRow) * s, (i / kLampsPerRow) * s, s, s);
    const int relayLeft = lampsLeft + kLampsPerRow * s;
    m_lamps[kRelayLamp1].MoveWindow(relayLeft, 0, 2 * s - 8, s);
    m_lamps[kRelayLamp2].MoveWindow(relayLeft, s, 2 * s - 8, s);
    m_speedDigits.MoveWindow(10, 0, w - 3 * a - 10, s);
    m_temperature.MoveWindow(10, s, w - 3 * a - 10, s);
    const int chartTop = 2 * s + 5;
    const int chartHeight = h - chartTop - 2;
    m_gDisplay.MoveWindow(10, chartTop, w / 6, chartHeight);
    m_chart.MoveWindow(10 + w / 6, chartTop, w - w / 6 - 10, chartHeight);
}

void CLogInfoDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    LayoutControls();
}

BOOL CLogInfoDlg::OnEraseBkgnd(CDC* dc) {
    BITMAP info{};
    if (m_bmpBack.GetSafeHandle() == nullptr || m_bmpBack.GetBitmap(&info) == 0)
        return CDialog::OnEraseBkgnd(dc);
    CRect client;
    GetClientRect(&client);
    const MemoryDc source(m_bmpBack);
    ::StretchBlt(*dc, 0, 0, client.Width(), client.Height(), source.Dc(), 0, 0, info.bmWidth,
                 info.bmHeight, SRCCOPY);
    return TRUE;
}

void CLogInfoDlg::SetSpeed(int speed) {
    m_speedDigits.SetUnit(g_nSpeedUnit);
    m_speedDigits.SetSpeed(speed);
    const int dial = SpeedDialIndex(g_nSpeedUnit, speed);
    if (dial >= 0)
        m_dial.SetIndex(dial);
    m_dial.Invalidate();
}

void CLogInfoDlg::ClearSpeed() {
    m_speedDigits.ClearSpeed();
    const int dial = SpeedDialIndex(g_nSpeedUnit, 0);
    if (dial >= 0)
        m_dial.SetIndex(dial);
    m_dial.Invalidate();
}

void CLogInfoDlg::ClearGValues() {
    m_gDisplay.ClearValues();
}

void CLogInfoDlg::ClearTemperatureValue() {
    m_temperature.ClearValue();
}

void CLogInfoDlg::SetGValues(float x, float y, float z) {
    m_gDisplay.SetValues(x, y, z);
}

void CLogInfoDlg::SetTemperatureValue(int value) {
    m_temperature.SetValue(value);
}

void CLogInfoDlg::SetTemperatureUnitText(const CString& text) {
    m_temperature.SetUnitText(text);
    m_temperature.Invalidate();
}

void CLogInfoDlg::SetSpeedUnitText(const CString& text) {
    m_speedDigits.SetUnitText(text);
    Invalidate();
}

void CLogInfoDlg::SetTemperatureUnit(int unit, const CString& text) {
    m_temperature.SetIndex(unit);
    m_temperature.SetUnitText(text);
    m_strTemperatureUnit = text;
    // Shown at once: while nothing plays, no telemetry pass redraws it.
    m_temperature.Invalidate();
}

void CLogInfoDlg::ShowChart(const ChartSample* samples, int lastIndex) {
    m_chart.SetSamples(samples, lastIndex);
}

void CLogInfoDlg::SetAlarmStates(const uint8_t (&states)[kAlarmLamps]) {
    for (int i = 0; i < kAlarmLamps; ++i)
        m_alarmStates[i] = states[i];
}

void CLogInfoDlg::RefreshLamps() {
    for (int i = 0; i < kAlarmLamps; ++i) {
        if (m_lamps[i].m_bOn == m_alarmStates[i])
            continue;
        m_lamps[i].m_bOn = m_alarmStates[i];
        m_lamps[i].Invalidate(FALSE);
    }
}
