#include "app/controls/skin/SkinSpeedDig.h"

#include <algorithm>

#include "app/controls/skin/SkinBitmap.h"
#include "app/controls/skin/TelemetryText.h"

BEGIN_MESSAGE_MAP(CSkinSpeedDig, CCommandForwardingStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CSkinSpeedDig::SetSpeed(int speed) {
    m_nSpeed = speed;
    Invalidate(FALSE);
}

void CSkinSpeedDig::ClearSpeed() {
    m_nSpeed.reset();
    Invalidate(FALSE);
}

void CSkinSpeedDig::SetTextColor(COLORREF colour) {
    m_crText = colour;
    Invalidate(FALSE);
}

void CSkinSpeedDig::SetBkColor(COLORREF colour) {
    m_crBack = colour;
    Invalidate(FALSE);
}

void CSkinSpeedDig::SetUnitText(CString text) {
    g_strSpeedUnitText = text;
}

void CSkinSpeedDig::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CSkinBitmap skin;
    if (!skin.LoadBitmap(IDB_SPEED_DIGITS))
        return;
    HDC memory = ::CreateCompatibleDC(dc);
    if (memory == nullptr)
        return;
    const HGDIOBJ old = ::SelectObject(memory, skin);
    if (m_nSpeed)
        telemetry::DrawValueText(memory, client.Width(), client.Height(), *m_nSpeed,
                                 g_strSpeedUnitText);
    ::BitBlt(dc, 0, 0, std::min(client.Width(), skin.GetWidth()),
             std::min(client.Height(), skin.GetHeight()), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}
