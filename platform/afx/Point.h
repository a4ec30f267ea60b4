// A point of the framework: POINT with arithmetic.
#pragma once

#include "platform/gdi/GdiTypes.h"

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x0, int y0) : POINT{x0, y0} {}
    CPoint(POINT p) : POINT(p) {}
    // The low and high words of a message parameter, as signed values.
    explicit CPoint(intptr_t packed)
        : POINT{int16_t(packed & 0xFFFF), int16_t((packed >> 16) & 0xFFFF)} {}

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    bool operator!=(const POINT& o) const { return !(*this == o); }
    CPoint operator+(const POINT& o) const { return CPoint(x + o.x, y + o.y); }
    CPoint operator-(const POINT& o) const { return CPoint(x - o.x, y - o.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint& operator+=(const POINT& o) {
        Offset(o.x, o.y);
        return *this;
    }
    CPoint& operator-=(const POINT& o) {
        Offset(-o.x, -o.y);
        return *this;
    }
};
