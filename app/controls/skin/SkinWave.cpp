#include "app/controls/skin/SkinWave.h"

#include <algorithm>

#include "app/controls/skin/TelemetryText.h"

namespace {

constexpr COLORREF kGrid = RGB(75, 75, 75);

void Label(HDC dc, int value, RECT r) {
    CString text;
    text.Format(L"%d", value);
    ::DrawTextW(dc, text, text.GetLength(), &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinWave, CCommandForwardingStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CSkinWave::SetSamples(const ChartSample* samples, int lastIndex) {
    std::copy(samples, samples + kSamples, m_samples);
    m_nLast = std::clamp(lastIndex, 0, kSamples - 1);
    Invalidate(FALSE);
}

void CSkinWave::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const telemetry::DoubleBuffer buffer(dc, client.Width(), client.Height());
    DrawChart(buffer.Dc(), client);
    buffer.Present();
}

void CSkinWave::DrawChart(HDC dc, const CRect& r) const {
    ::FillSolidRect(dc, &r, RGB(0, 0, 0));
    const int q = r.Height() / 4;
    const int step = (r.Width() - 8) / 59;
    const int x0 = r.left + 25;
    const int x1 = r.right - 1;
    const int yb = r.bottom - 1;
    const int y0 = r.top + 2 * q;
    HPEN grid = ::CreatePen(PS_SOLID, 1, kGrid);
    const HGDIOBJ oldPen = ::SelectObject(dc, grid);
    const POINT frame[] = {{x0, r.top}, {x1, r.top}, {x1, yb}, {x0, yb}, {x0, r.top}};
    ::Polyline(dc, frame, 5);
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y0);
    ::MoveToEx(dc, x0, yb, nullptr);
    ::LineTo(dc, x1, yb);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(grid);
    DrawLabels(dc, r, x0, y0, q);
    const double scale = 4.0 * q / (m_nMax - m_nMin);
    DrawSeries(dc, &ChartSample::gx, RGB(216, 0, 0), x0, y0, step, scale);
    DrawSeries(dc, &ChartSample::gy, RGB(237, 184, 0), x0, y0, step, scale);
    DrawSeries(dc, &ChartSample::gz, RGB(18, 124, 0), x0, y0, step, scale);
}

void CSkinWave::DrawLabels(HDC dc, const CRect& r, int x0, int y0, int q) const {
    const telemetry::PaintFont font(dc, q, 6);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const int yb = r.bottom - 1;
    Label(dc, m_nMax, RECT{r.left, r.top, x0, r.top + int(0.8 * q)});
    Label(dc, 0, RECT{r.left, y0 - q / 2, x0, y0 + q / 2});
    Label(dc, m_nMin, RECT{r.left, yb - int(0.9 * q), x0, yb});
}

void CSkinWave::DrawSeries(HDC dc, float ChartSample::*value, COLORREF colour, int x0, int y0,
                           int step, double scale) const {
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    const HGDIOBJ old = ::SelectObject(dc, pen);
    bool first = true;
    int x = x0;
    for (int i = m_nLast; i >= 0; --i, x += step) {
        const ChartSample& s = m_samples[i];
        if (!s.gValid)
            continue;
        const int y = int(y0 - double(s.*value) * scale);
        if (first)
            ::MoveToEx(dc, x, y, nullptr);
        else
            ::LineTo(dc, x, y);
        first = false;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}
