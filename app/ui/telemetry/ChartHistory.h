// The main window's chart history: the last 80 telemetry samples in time
// order, the newest at the last index, handed to the chart control after
// every change.
//
// A sample's time is compared as local calendar time (the recorder's time
// broken down as UTC, read back with mktime): a sample of the same second
// as the newest, or older, replaces the newest; a newer one is appended,
// and once 80 are held the oldest is dropped.
//
// Threads: one at a time (the main window calls it from its telemetry
// view); the output runs on the caller's thread.
#pragma once

#include <functional>

#include "app/controls/skin/ChartSample.h"

class CChartHistory {
public:
    static constexpr int kSamples = 80;
    // Receives the 80 samples and the last index, as CSkinWave::SetSamples.
    using Output = std::function<void(const ChartSample* samples, int lastIndex)>;

    explicit CChartHistory(Output output = nullptr) : m_output(std::move(output)) {}

    // Samples without a time are ignored, as are times mktime cannot convert.
    void Add(const ChartSample& sample);
    // Zeroes every sample; the chart is told the last index is 1.
    void Clear();

    const ChartSample& Sample(int index) const { return m_samples[index]; }
    int LastIndex() const { return m_nLast; }

private:
    void Show(int lastIndex) const;

    Output m_output;
    ChartSample m_samples[kSamples];
    int m_nLast = 0;
};

// The sample's broken-down time read as local time; -1 when it cannot be.
long long ChartSampleTime(const ChartSample& sample);
