#include "app/controls/skin/SkinTemp.h"

#include "app/controls/skin/TelemetryText.h"

BEGIN_MESSAGE_MAP(CSkinTemp, CCommandForwardingStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CSkinTemp::SetValue(int value) {
    m_nValue = value;
    Invalidate(FALSE);
}

void CSkinTemp::ClearValue() {
    m_nValue.reset();
    Invalidate(FALSE);
}

void CSkinTemp::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const telemetry::DoubleBuffer buffer(dc, client.Width(), client.Height());
    ::FillSolidRect(buffer.Dc(), &client, RGB(0, 0, 0));
    if (m_nValue)
        telemetry::DrawValueText(buffer.Dc(), client.Width(), client.Height(), *m_nValue,
                                 m_strUnit);
    buffer.Present();
}
