#include "app/ui/telemetry/ChartHistory.h"

#include <algorithm>
#include <ctime>

long long ChartSampleTime(const ChartSample& sample) {
    const ChartTime& c = sample.time;
    std::tm t{};
    t.tm_sec = c.tm_sec;
    t.tm_min = c.tm_min;
    t.tm_hour = c.tm_hour;
    t.tm_mday = c.tm_mday;
    t.tm_mon = c.tm_mon;
    t.tm_year = c.tm_year;
    t.tm_wday = c.tm_wday;
    t.tm_yday = c.tm_yday;
    t.tm_isdst = c.tm_isdst;
    return static_cast<long long>(std::mktime(&t));
}

void CChartHistory::Add(const ChartSample& sample) {
    if (!sample.timeValid)
        return;
    if (m_nLast == 0 && !m_samples[0].timeValid) {
        m_samples[0] = sample;
        return;
    }
    const long long t = ChartSampleTime(sample);
    if (t == -1)
        return;
    if (t <= ChartSampleTime(m_samples[m_nLast])) {
        m_samples[m_nLast] = sample;
    } else if (m_nLast + 1 < kSamples) {
        m_samples[++m_nLast] = sample;
    } else {
        std::copy(m_samples + 1, m_samples + kSamples, m_samples);
        m_samples[kSamples - 1] = sample;
    }
    Show(m_nLast);
}

void CChartHistory::Clear() {
    m_nLast = 0;
    std::fill(m_samples, m_samples + kSamples, ChartSample());
    Show(1);
}

void CChartHistory::Show(int lastIndex) const {
    if (m_output)
        m_output(m_samples, lastIndex);
}
