// Lines, rectangles and shapes, drawn with the selected pen (outline) and
// brush (fill). A shape's box (l, t, r, b) covers the pixels l..r-1 and
// t..b-1; with the null pen Rectangle fills one pixel less to the right and
// bottom, as GDI does. Lines leave out their end point.
#pragma once

#include "platform/gdi/GdiTypes.h"

// From the current position to (x, y), which becomes the current position.
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// Closed; filled by the context's polygon fill mode.
BOOL Polygon(HDC dc, const POINT* points, int count);

// Fills with a brush; pen and current position are not used. FillRect also
// takes a system colour index + 1 in place of a brush.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Fills with `colour` and leaves it as the background colour (the framework's
// CDC::FillSolidRect works so).
void FillSolidRect(HDC dc, const RECT* rect, COLORREF colour);
BOOL InvertRect(HDC dc, const RECT* rect);

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL PaintRgn(HDC dc, HRGN region);
// A border `width` x `height` pixels thick inside the region's edge.
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
