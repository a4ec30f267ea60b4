// Pens and brushes. Pens are cosmetic: styled lines (dash, dot...) are 1
// pixel wide, a pen wider than 1 is always solid, as GDI does for CreatePen.
// Only solid and hollow brushes exist.
#pragma once

#include "platform/gdi/GdiTypes.h"

inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;        // 18 on, 6 off
inline constexpr int PS_DOT = 2;         // 3 on, 3 off
inline constexpr int PS_DASHDOT = 3;     // 9 on, 6 off, 3 on, 6 off
inline constexpr int PS_DASHDOTDOT = 4;  // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;  // x is the width
    COLORREF lopnColor;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
