// The speed digits: "%d %s" (the speed, g_strSpeedUnitText) in white on the
// digits skin, shown 1:1 from the control's top-left corner (not stretched).
// The owner sets the value; user-interface thread only.
#pragma once

#include <optional>

#include "app/controls/skin/CommandForwardingStatic.h"
#include "platform/afx/Afx.h"

class CSkinSpeedDig : public CCommandForwardingStatic {
public:
    void SetSpeed(int speed);
    // No speed is known: the skin without digits.
    void ClearSpeed();
    const std::optional<int>& Speed() const { return m_nSpeed; }
    // Kept for the owner; the drawing uses white text on the skin.
    void SetTextColor(COLORREF colour);
    void SetBkColor(COLORREF colour);
    // 0 km/h, 1 mile/h; the drawing always shows g_strSpeedUnitText.
    void SetUnit(int unit) { m_nUnit = unit; }
    // Sets the program-wide g_strSpeedUnitText.
    void SetUnitText(CString text);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_crText = 0;
    COLORREF m_crBack = 0;
    std::optional<int> m_nSpeed;
    int m_nUnit = 0;
};
