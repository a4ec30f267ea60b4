// A rectangle of the framework: RECT with its helpers. Right and bottom are
// exclusive, as everywhere in the window system.
#pragma once

#include <utility>

#include "platform/afx/Point.h"
#include "platform/afx/Size.h"
#include "platform/user/Rects.h"

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(const RECT* r) : RECT(r != nullptr ? *r : RECT{0, 0, 0, 0}) {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const { return ::IsRectEmpty(this) != 0; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return ::PtInRect(this, p) != 0; }
    bool EqualRect(const RECT* r) const { return ::EqualRect(this, r) != 0; }

    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) { ::OffsetRect(this, p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void InflateRect(int l, int t, int r, int b) {
        *this = CRect(left - l, top - t, right + r, bottom + b);
    }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void NormalizeRect();
    bool IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b) != 0; }
    bool UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b) != 0; }

    bool operator==(const RECT& r) const { return ::EqualRect(this, &r) != 0; }
    bool operator!=(const RECT& r) const { return !(*this == r); }
    CRect& operator+=(POINT p) {
        OffsetRect(p);
        return *this;
    }
    CRect& operator-=(POINT p) {
        OffsetRect(-p.x, -p.y);
        return *this;
    }
    CRect& operator&=(const RECT& r) {
        ::IntersectRect(this, this, &r);
        return *this;
    }
    CRect& operator|=(const RECT& r) {
        ::UnionRect(this, this, &r);
        return *this;
    }
};

inline void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}
