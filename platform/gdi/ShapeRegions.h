// Inside platform/gdi: the pixels of shapes. A pixel belongs to a shape when
// its centre lies inside it; boxes are (left, top, right, bottom) with the
// right and bottom edges outside, as in RECT. Coordinates are cut to 27 bits
// and a sign, as GDI's.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelRegion.h"

// A rectangle with quarter-ellipse corners `ellipseWidth` x `ellipseHeight`
// (clamped to the box); the box's own size makes an ellipse.
PixelRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                            int ellipseHeight);

// `fillMode` ALTERNATE (even-odd) or WINDING (non-zero).
PixelRegion PolygonRegion(const POINT* points, int count, int fillMode);
