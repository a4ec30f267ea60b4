// The main window as the telemetry thread's view: the telemetry panel, the
// chart history and the map track, and the thread's start and stop. Each
// window change is carried over to the UI thread (RunOnUiThread); the map
// track is sent, so the thread waits until the map has read the point.
#include <array>

#include "app/controls/PrivateMessage.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/SentMessageWait.h"
#include "app/ui/telemetry/TelemetryFlags.h"
#include "app/ui/telemetry/TelemetryThread.h"
#include "platform/base/Event.h"

namespace {

constexpr DWORD kTelemetryJoinMs = 1000;

}  // namespace

void CHalbrookDlg::SetFloatingMapGpsText(const CString& text) {
    RunOnUiThread(ViewTask::FloatingMapGps, [this, text] {
        if (m_mapPane.FloatingMap().Exists())
            m_mapPane.FloatingMap().SetGpsText(text);
    });
}

void CHalbrookDlg::SetPanelSpeed(int speed) {
    RunOnUiThread(ViewTask::PanelSpeed, [this, speed] { m_logInfo.SetSpeed(speed); });
}

void CHalbrookDlg::SetGSensorValues(float x, float y, float z) {
    RunOnUiThread(ViewTask::GValues, [this, x, y, z] { m_logInfo.SetGValues(x, y, z); });
}

void CHalbrookDlg::SetPanelTemperatureUnitText(const CString& text) {
    RunOnUiThread(ViewTask::TemperatureUnit,
                  [this, text] { m_logInfo.SetTemperatureUnitText(text); });
}

void CHalbrookDlg::SetAlarmStates(const uint8_t (&states)[kAlarmLamps]) {
    std::array<uint8_t, kAlarmLamps> copy;
    std::copy(std::begin(states), std::end(states), copy.begin());
    RunOnUiThread(ViewTask::AlarmStates, [this, copy] {
        uint8_t shown[kAlarmLamps];
        std::copy(copy.begin(), copy.end(), shown);
        m_logInfo.SetAlarmStates(shown);
    });
}

void CHalbrookDlg::RefreshAlarmIndicators() {
    RunOnUiThread(ViewTask::RefreshLamps, [this] { m_logInfo.RefreshLamps(); });
}

void CHalbrookDlg::ClearChart() {
    m_chart.Clear();
}

void CHalbrookDlg::AddChartSample(const ChartSample& sample) {
    m_chart.Add(sample);
}

void CHalbrookDlg::ShowChart(const ChartSample* samples, int lastIndex) {
    std::array<ChartSample, CChartHistory::kSamples> copy;
    std::copy(samples, samples + CChartHistory::kSamples, copy.begin());
    RunOnUiThread(ViewTask::Chart,
                  [this, copy, lastIndex] { m_logInfo.ShowChart(copy.data(), lastIndex); });
}

void CHalbrookDlg::SendMapTrack(MapTrackRequest request) {
    ::SendMessage(m_hWnd, UM_MAP_TRACK, WPARAM(request), 0);
}

void CHalbrookDlg::StartTelemetry() {
    g_hTelemetryEvent = CreateEvent(true, false);
    m_hTelemetryThread = StartTelemetryThread(*this);
}

// The thread may be inside SendMapTrack, waiting for this thread: the wait
// serves sent messages until the thread has ended.
void CHalbrookDlg::StopTelemetry() {
    if (m_hTelemetryThread == nullptr)
        return;
    StopTelemetryThread();
    WaitServingSentMessages(m_hTelemetryThread, kTelemetryJoinMs);
    CloseHandle(m_hTelemetryThread);
    m_hTelemetryThread = nullptr;
}
