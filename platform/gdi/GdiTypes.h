// The plain types GDI speaks in: colours, points, rectangles and the opaque
// handles of GDI objects. GDI objects are not kernel objects: they live in a
// handle table of their own (GdiObject.h), so a stale handle of any kind is a
// harmless failure.
#pragma once

#include "platform/base/WinTypes.h"

// 0x00BBGGRR: red in the lowest byte, as GDI callers write colours.
using COLORREF = DWORD;

inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) {
    return BYTE(c);
}
inline constexpr BYTE GetGValue(COLORREF c) {
    return BYTE(c >> 8);
}
inline constexpr BYTE GetBValue(COLORREF c) {
    return BYTE(c >> 16);
}
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

// Right and bottom are exclusive: width = right - left.
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

// Distinct handle types, so that a pen is never passed where a region is
// expected; every one converts to HGDIOBJ, and back with a cast.
struct GdiDcTag;
struct GdiBitmapTag;
struct GdiPenTag;
struct GdiBrushTag;
struct GdiFontTag;
struct GdiRegionTag;
struct GdiPaletteTag;
using HGDIOBJ = void*;
using HDC = GdiDcTag*;
using HBITMAP = GdiBitmapTag*;
using HPEN = GdiPenTag*;
using HBRUSH = GdiBrushTag*;
using HFONT = GdiFontTag*;
using HRGN = GdiRegionTag*;
using HPALETTE = GdiPaletteTag*;  // no palettes exist; always null
