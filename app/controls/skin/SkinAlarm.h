// One alarm or relay lamp: its off or on bitmap (any nonzero `m_bOn` is on)
// stretched over the control, RGB(25, 25, 25) left out. The owner loads
// `m_bitmaps` ([0] off, [1] on), writes `m_bOn` and invalidates the lamp.
#pragma once

#include <cstdint>

#include "app/controls/skin/CommandForwardingStatic.h"
#include "platform/afx/Afx.h"

class CSkinAlarm : public CCommandForwardingStatic {
public:
    // Stores the lamp number; nothing else.
    void SetIndex(int index) { m_nIndex = index; }

    CBitmap m_bitmaps[2];
    uint8_t m_bOn = 0;

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    int m_nIndex = 0;
};
