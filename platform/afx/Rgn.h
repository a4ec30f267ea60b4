// A region the object owns.
#pragma once

#include "platform/afx/GdiObject.h"

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int l, int t, int r, int b) {
        return Attach(::CreateRectRgn(l, t, r, b)) ? TRUE : FALSE;
    }
    BOOL CreateRectRgnIndirect(const RECT* r) {
        return Attach(::CreateRectRgnIndirect(r)) ? TRUE : FALSE;
    }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
        return Attach(::CreateRoundRectRgn(l, t, r, b, w, h)) ? TRUE : FALSE;
    }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) {
        return Attach(::CreateEllipticRgn(l, t, r, b)) ? TRUE : FALSE;
    }
    BOOL CreatePolygonRgn(const POINT* points, int count, int mode) {
        return Attach(::CreatePolygonRgn(points, count, mode)) ? TRUE : FALSE;
    }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
        return ::CombineRgn(*this, *a, b != nullptr ? static_cast<HRGN>(*b) : nullptr, mode);
    }
    int CopyRgn(const CRgn* source) { return ::CombineRgn(*this, *source, nullptr, RGN_COPY); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    BOOL PtInRegion(POINT p) const { return ::PtInRegion(*this, p.x, p.y); }
    int GetRgnBox(RECT* box) const { return ::GetRgnBox(*this, box); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
