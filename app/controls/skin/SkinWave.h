// The G-sensor chart of the last 80 samples: newest at the left edge, older
// ones to the right by a fixed step, gx, gy and gz as red, yellow and green
// polylines over a grey frame with its zero line and the labels of the range
// (-2 .. 2 g). Samples without G values are skipped and the gap bridged.
// User-interface thread only.
#pragma once

#include "app/controls/skin/ChartSample.h"
#include "app/controls/skin/CommandForwardingStatic.h"
#include "platform/afx/Afx.h"

class CSkinWave : public CCommandForwardingStatic {
public:
    static constexpr int kSamples = 80;

    // Copies the 80 records and the newest index (kept within 0..79), so the
    // caller's array may change afterwards; invalidates without erasing.
    void SetSamples(const ChartSample* samples, int lastIndex);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    void DrawChart(HDC dc, const CRect& r) const;
    void DrawLabels(HDC dc, const CRect& r, int x0, int y0, int q) const;
    void DrawSeries(HDC dc, float ChartSample::*value, COLORREF colour, int x0, int y0, int step,
                    double scale) const;

    int m_nLast = 59;
    int m_nMin = -2;
    int m_nMax = 2;
    ChartSample m_samples[kSamples];
};
