// A pen the object owns.
#pragma once

#include "platform/afx/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour) {
        return Attach(::CreatePen(style, width, colour)) ? TRUE : FALSE;
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};
