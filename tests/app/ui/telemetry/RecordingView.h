// A telemetry view that records every call as a line of text ("SpeedText 63")
// and answers the unit questions from its own settings. Calls may come from
// another thread: the record is kept under a lock.
#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app/ui/telemetry/TelemetryView.h"

class RecordingView : public TelemetryView {
public:
    int speedUnit = 0;
    int temperatureUnit = 0;

    int GetSpeedUnit() const override { return speedUnit; }
    int GetTemperatureUnit() const override { return temperatureUnit; }
    void SetTimeText(const CString& text) override { Log(L"TimeText " + Str(text)); }
    void SetCarIdText(const CString& text) override { Log(L"CarIdText " + Str(text)); }
    void SetGpsText(const CString& text) override { Log(L"GpsText " + Str(text)); }
    void SetSpeedText(int speed) override { Log(L"SpeedText " + std::to_wstring(speed)); }
    void SetVoltageText(float volts) override {
        CString v;
        v.Format(L"%.2f", volts);
        Log(L"VoltageText " + Str(v));
    }
    void SetTemperatureText(int t) override { Log(L"TemperatureText " + std::to_wstring(t)); }
    void ClearMeasureTexts() override { Log(L"MeasuresCleared"); }
    void ShowInfoPanels(bool hide) override { Log(hide ? L"HidePanels" : L"ShowPanels"); }
    void SetFloatingMapGpsText(const CString& text) override { Log(L"MapGps " + Str(text)); }
    void SetPanelSpeed(int speed) override { Log(L"PanelSpeed " + std::to_wstring(speed)); }
    void SetGSensorValues(float x, float y, float z) override {
        CString v;
        v.Format(L"%.3f %.3f %.3f", x, y, z);
        Log(L"G " + Str(v));
    }
    void SetPanelTemperatureUnitText(const CString& text) override {
        Log(L"PanelTemperatureUnit " + Str(text));
    }
    void SetAlarmStates(const uint8_t (&states)[kAlarmLamps]) override {
        std::wstring s = L"Alarms ";
        for (uint8_t b : states)
            s += wchar_t(L'0' + b);
        Log(s);
    }
    void RefreshAlarmIndicators() override { Log(L"RefreshLamps"); }
    void ClearChart() override { Log(L"ClearChart"); }
    void AddChartSample(const ChartSample& s) override {
        std::lock_guard<std::mutex> hold(lock_);
        samples_.push_back(s);
        calls_.push_back(L"AddChartSample");
    }
    void SendMapTrack(MapTrackRequest request) override {
        Log(L"MapTrack " + std::to_wstring(int(request)));
    }

    std::vector<std::wstring> Calls() const {
        std::lock_guard<std::mutex> hold(lock_);
        return calls_;
    }
    std::vector<ChartSample> Samples() const {
        std::lock_guard<std::mutex> hold(lock_);
        return samples_;
    }
    bool Has(const std::wstring& call) const { return Count(call) > 0; }
    int Count(const std::wstring& call) const {
        const auto calls = Calls();
        return int(std::count(calls.begin(), calls.end(), call));
    }
    // Calls that start with `prefix`.
    int CountPrefix(const std::wstring& prefix) const {
        int n = 0;
        for (const std::wstring& c : Calls())
            n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
    void Forget() {
        std::lock_guard<std::mutex> hold(lock_);
        calls_.clear();
        samples_.clear();
    }

private:
    static std::wstring Str(const CString& s) { return s.GetString(); }
    void Log(const std::wstring& call) {
        std::lock_guard<std::mutex> hold(lock_);
        calls_.push_back(call);
    }

    mutable std::mutex lock_;
    std::vector<std::wstring> calls_;
    std::vector<ChartSample> samples_;
};
