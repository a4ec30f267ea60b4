#include "app/controls/skin/SkinSpeedPic.h"

#include "app/controls/skin/TelemetryText.h"

BEGIN_MESSAGE_MAP(CSkinSpeedPic, CCommandForwardingStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CSkinSpeedPic::LoadBitmaps() {
    int slot = 0;
    for (UINT id : telemetry::kSpeedDialSkins)
        m_slots[slot++].LoadOnce(id);
}

void CSkinSpeedPic::SetIndex(int index) {
    m_nIndex = index;
    Invalidate(TRUE);
}

void CSkinSpeedPic::OnPaint() {
    CPaintDC dc(this);
    if (m_nIndex < 0 || m_nIndex >= kSlots || m_slots[m_nIndex].GetSafeHandle() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_slots[m_nIndex].DrawTransparent(&dc, client, RGB(0, 0, 255));
}
