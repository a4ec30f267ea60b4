#include "app/controls/skin/SkinGPS.h"

#include "app/controls/skin/TelemetryText.h"

namespace {

struct GLine {
    const wchar_t* label;
    COLORREF colour;
};

constexpr GLine kLines[] = {
    {L"Gx : ", RGB(216, 0, 0)},
    {L"Gy : ", RGB(237, 184, 0)},
    {L"Gz : ", RGB(18, 124, 0)},
};

void DrawLine(HDC dc, const GLine& line, const float* value, RECT r) {
    ::SetTextColor(dc, line.colour);
    ::DrawTextW(dc, line.label, -1, &r, DT_VCENTER | DT_SINGLELINE);
    if (value == nullptr)
        return;
    CString text;
    text.Format(L"%.2f", double(*value));
    ::DrawTextW(dc, text, text.GetLength(), &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

void Outline(HDC dc, int width, int height) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(112, 112, 112));
    const HGDIOBJ oldPen = ::SelectObject(dc, pen);
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, 0, 0, width, height);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinGPS, CCommandForwardingStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CSkinGPS::SetValues(float x, float y, float z) {
    m_gx = x;
    m_gy = y;
    m_gz = z;
    m_bKnown = true;
    Invalidate(FALSE);
}

void CSkinGPS::ClearValues() {
    m_bKnown = false;
    Invalidate(FALSE);
}

void CSkinGPS::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    const telemetry::DoubleBuffer buffer(dc, w, h);
    HDC b = buffer.Dc();
    const HGDIOBJ oldBrush = ::SelectObject(b, ::GetStockObject(BLACK_BRUSH));
    ::Rectangle(b, 0, 0, w, h);
    ::SelectObject(b, oldBrush);
    const int l = (h - 2) / 3;
    {
        const telemetry::PaintFont font(b, (h - 2) / 3, (w - 2) / 9);
        ::SetBkMode(b, TRANSPARENT);
        const float values[] = {m_gx, m_gy, m_gz};
        for (int i = 0; i < 3; ++i)
            DrawLine(b, kLines[i], m_bKnown ? &values[i] : nullptr,
                     RECT{2, 2 + i * l, w - 4, 2 + (i + 1) * l});
    }
    Outline(b, w, h);
    buffer.Present();
}
