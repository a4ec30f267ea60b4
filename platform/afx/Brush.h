// A brush the object owns.
#pragma once

#include "platform/afx/GdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour) {
        return Attach(::CreateSolidBrush(colour)) ? TRUE : FALSE;
    }
    BOOL CreateStockObject(int index) { return Attach(::GetStockObject(index)) ? TRUE : FALSE; }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};
