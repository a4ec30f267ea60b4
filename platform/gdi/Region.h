// Regions: sets of pixels kept as bands of rows, each a sorted list of
// spans. A rectangle region (l, t, r, b) holds the pixels l..r-1, t..b-1;
// shapes hold the pixels whose centres lie inside the shape. Any thread may
// use regions; one region must not be changed by two threads at once.
#pragma once

#include "platform/gdi/GdiTypes.h"

// Region kinds, as CombineRgn, GetRgnBox and SelectClipRgn report them.
inline constexpr int RGN_ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

// CombineRgn modes.
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;

// Polygon fill modes.
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

inline constexpr DWORD RDH_RECTANGLES = 1;

struct RGNDATAHEADER {
    DWORD dwSize;  // 32
    DWORD iType;   // RDH_RECTANGLES
    DWORD nCount;  // rectangles that follow
    DWORD nRgnSize;
    RECT rcBound;
};

// The header followed by nCount RECTs.
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

struct XFORM;

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
// Corners are quarter ellipses `ellipseWidth` x `ellipseHeight`.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);

// The union of the rectangles of `data`; a transform is not supported (null
// only). Zero rectangles give an empty region, not a failure.
HRGN ExtCreateRegion(const XFORM* transform, DWORD size, const RGNDATA* data);

// `destination` = `a` op `b` (`b` unused for RGN_COPY); the destination may
// be one of the sources. Returns the region kind, RGN_ERROR on failure.
int CombineRgn(HRGN destination, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
int GetRgnBox(HRGN region, RECT* box);

// Writes the header and the rectangles (top to bottom, left to right in each
// band) when `size` suffices; returns the bytes needed (a null `data` asks),
// 0 on failure.
DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data);
