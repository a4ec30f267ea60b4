// The temperature: "%d %s" (value, unit text) in white on black,
// double-buffered. The owner sets the value and the unit text.
#pragma once

#include <optional>

#include "app/controls/skin/CommandForwardingStatic.h"
#include "platform/afx/Afx.h"

class CSkinTemp : public CCommandForwardingStatic {
public:
    // Invalidates without erasing.
    void SetValue(int value);
    // No temperature is known: black without text.
    void ClearValue();
    const std::optional<int>& Value() const { return m_nValue; }
    // Stores the unit index; nothing else.
    void SetIndex(int index) { m_nUnit = index; }
    // No redraw.
    void SetUnitText(CString text) { m_strUnit = text; }

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    std::optional<int> m_nValue;
    int m_nUnit = 0;
    CString m_strUnit;
};
