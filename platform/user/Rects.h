// Rectangle and point helpers of the window system. Right and bottom are
// exclusive; an empty rectangle has no pixels.
#pragma once

#include <vector>

#include "platform/gdi/GdiTypes.h"

BOOL SetRect(RECT* r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* r);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL IsRectEmpty(const RECT* r);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* r, POINT p);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL InflateRect(RECT* r, int dx, int dy);
// FALSE (and an empty `dst`) when they do not overlap.
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b);

// The rectangles making up a region (none for a null or empty region), top
// to bottom, left to right in each band.
std::vector<RECT> RegionRects(HRGN region);
