// The three G-sensor values, one line each ("Gx : " and "%.2f", the labels
// alone while no value is known), in red,
// yellow and green on black with a grey outline; double-buffered, never
// erased. The owner sets the values; user-interface thread only.
#pragma once

#include "app/controls/skin/CommandForwardingStatic.h"
#include "platform/afx/Afx.h"

class CSkinGPS : public CCommandForwardingStatic {
public:
    // In g; invalidates without erasing.
    void SetValues(float x, float y, float z);
    // No G values are known: the labels without numbers.
    void ClearValues();
    bool HasValues() const { return m_bKnown; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }

    DECLARE_MESSAGE_MAP()

private:
    float m_gx = 0;
    float m_gy = 0;
    float m_gz = 0;
    bool m_bKnown = false;
};
