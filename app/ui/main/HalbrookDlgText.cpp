// The main window's title, text lines, units and play-state display. The
// setters may be called from the player's threads: what they change is handed
// to the UI thread (ViewUpdates.h) unless they already run there.
#include "app/shell/AppConfig.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/telemetry/TelemetryTexts.h"
#include "platform/base/Event.h"
#include "platform/user/MessageQueue.h"

namespace {

bool OnThreadOf(HWND window) {
    return ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

void CHalbrookDlg::UpdateTitle(bool withPath, const CString& path) {
    CString title = L"Marlowin";
    if (withPath)
        title += L" - " + path;
    // Posted from the player's threads: a send would make them, and a close
    // waiting for them, wait for the UI thread.
    RunOnUiThread(ViewTask::Title, [this, title] { SetWindowText(title); });
}

CSkinStatic& CHalbrookDlg::LineControl(ViewLine line) {
    switch (line) {
        case ViewLine::Gps:
            return m_stGps;
        case ViewLine::CarId:
            return m_stCarId;
        case ViewLine::Time:
            return m_stTime;
        case ViewLine::Speed:
            return m_stSpeed;
        case ViewLine::Temperature:
            return m_stTemperature;
        case ViewLine::Voltage:
            return m_stVoltage;
        default:
            return m_stStatus;
    }
}

void CHalbrookDlg::ApplyLine(ViewLine line, const CString& text) {
    CSkinStatic& control = LineControl(line);
    control.SetText(text, 0, kWhite, kBlack);
    control.Invalidate();
}

void CHalbrookDlg::SetLine(ViewLine line, CString text) {
    if (OnThreadOf(m_hWnd)) {
        ApplyLine(line, text);
        return;
    }
    if (m_viewUpdates.StoreLine(line, text))
        PostMessage(kViewUpdateMessage);
}

LRESULT CHalbrookDlg::OnApplyViewUpdates(WPARAM, LPARAM) {
    CViewUpdates::Changes changes = m_viewUpdates.Take();
    for (int i = 0; i < CViewUpdates::kLines; ++i) {
        if (changes.lines[i])
            ApplyLine(static_cast<ViewLine>(i), *changes.lines[i]);
    }
    if (changes.pauseImage)
        m_playBar.SetPlayImage(*changes.pauseImage);
    if (changes.seekPercent) {
        m_sliderSeek.SetPos(*changes.seekPercent);
        m_sliderSeek.Invalidate();
    }
    for (const std::function<void()>& apply : changes.tasks) {
        if (apply)
            apply();
    }
    return 0;
}

void CHalbrookDlg::RunOnUiThread(ViewTask task, std::function<void()> apply) {
    if (OnThreadOf(m_hWnd)) {
        apply();
        return;
    }
    if (m_viewUpdates.StoreTask(task, std::move(apply)))
        PostMessage(kViewUpdateMessage);
}

void CHalbrookDlg::SetStatusText(CString text) {
    m_pStatusText.store(nullptr);
    SetLine(ViewLine::Status, text);
}

void CHalbrookDlg::SetStatusText(const LanguageText& text) {
    m_pStatusText.store(&text);
    SetLine(ViewLine::Status, text.Get());
}

void CHalbrookDlg::ApplyStatusLanguage() {
    if (const LanguageText* text = m_pStatusText.load())
        SetLine(ViewLine::Status, text->Get());
}
void CHalbrookDlg::SetGpsText(const CString& text) {
    SetLine(ViewLine::Gps, text);
}
void CHalbrookDlg::SetCarIdText(const CString& text) {
    SetLine(ViewLine::CarId, text);
}
void CHalbrookDlg::SetTimeText(const CString& text) {
    SetLine(ViewLine::Time, text);
}

void CHalbrookDlg::SetSpeedText(int speed) {
    SetLine(ViewLine::Speed, ValueWithUnitText(speed, GetSpeedUnitText()));
}

void CHalbrookDlg::SetTemperatureText(int temperature) {
    SetLine(ViewLine::Temperature, ValueWithUnitText(temperature, GetTemperatureUnitText()));
    RunOnUiThread(ViewTask::Temperature,
                  [this, temperature] { m_logInfo.SetTemperatureValue(temperature); });
}

void CHalbrookDlg::ClearMeasureTexts() {
    SetLine(ViewLine::Speed, CString());
    SetLine(ViewLine::Voltage, CString());
    SetLine(ViewLine::Temperature, CString());
    // The tasks of the values they clear, so that a later value still wins.
    RunOnUiThread(ViewTask::PanelSpeed, [this] { m_logInfo.ClearSpeed(); });
    RunOnUiThread(ViewTask::GValues, [this] { m_logInfo.ClearGValues(); });
    RunOnUiThread(ViewTask::Temperature, [this] { m_logInfo.ClearTemperatureValue(); });
}

void CHalbrookDlg::SetVoltageText(float voltage) {
    SetLine(ViewLine::Voltage, VoltageText(voltage));
}

void CHalbrookDlg::ClearTelemetryLines() {
    SetCarIdText(L"");
    SetTimeText(L"");
    SetGpsText(L"");
}

void CHalbrookDlg::ShowInfoPanels(bool hide) {
    RunOnUiThread(ViewTask::InfoLines, [this, hide] {
        CWnd* const lines[] = {&m_stVoltage, &m_stSpeed, &m_stTemperature,
                               &m_stCarId,   &m_stTime,  &m_stGps};
        for (CWnd* line : lines)
            ::ShowWindow(line->GetSafeHwnd(), hide ? SW_HIDE : SW_SHOW);
    });
}

void CHalbrookDlg::SetSpeedUnit(int unit) {
    m_nSpeedUnit = unit;
    const CString text = SpeedUnitText(unit);
    {
        std::lock_guard<std::mutex> hold(m_unitLock);
        m_strSpeedUnit = text;
        g_strSpeedUnitText = text;
    }
    m_logInfo.SetSpeedUnitText(text);
}

void CHalbrookDlg::SetTemperatureUnit(int unit) {
    m_nTemperatureUnit = unit;
    const CString text = TemperatureUnitText(unit);
    {
        std::lock_guard<std::mutex> hold(m_unitLock);
        m_strTemperatureUnit = text;
        g_strTemperatureUnitText = text;
    }
    m_logInfo.SetTemperatureUnit(unit, text);
}

CString CHalbrookDlg::GetSpeedUnitText() const {
    std::lock_guard<std::mutex> hold(m_unitLock);
    return m_strSpeedUnit;
}

CString CHalbrookDlg::GetTemperatureUnitText() const {
    std::lock_guard<std::mutex> hold(m_unitLock);
    return m_strTemperatureUnit;
}

void CHalbrookDlg::SetPlayState(int state) {
    m_nPlayState = state;
    m_playBar.m_nPlayState = state;
    if (state == PLAY_PLAYING || state == PLAY_FAST)
        RunOnUiThread(ViewTask::RestingPointer, [this] { FollowRestingPointer(); });
}

void CHalbrookDlg::SetPlayImage(bool pauseImage) {
    if (OnThreadOf(m_hWnd)) {
        m_playBar.SetPlayImage(pauseImage);
        return;
    }
    if (m_viewUpdates.StorePlayImage(pauseImage))
        PostMessage(kViewUpdateMessage);
}

void CHalbrookDlg::ShowSeekPosition(int percent) {
    if (m_viewUpdates.StoreSeekPosition(percent))
        PostMessage(kViewUpdateMessage);
}

void CHalbrookDlg::SetPlaying(bool playing) {
    m_bPlaying = playing;
    if (playing)
        ResetEvent(m_hNotPlaying);
    else
        SetEvent(m_hNotPlaying);
}
