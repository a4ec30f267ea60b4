// Bitmaps: device-dependent ones (monochrome, or 32-bit like the screen) and
// DIB sections of 1, 8, 24 and 32 bits per pixel in either row order, whose
// bits the caller may read and write directly.
#pragma once

#include "platform/base/Handle.h"
#include "platform/gdi/GdiTypes.h"

inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr UINT DIB_PAL_COLORS = 1;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;  // row stride, a multiple of 2 (device bitmaps) or 4 (DIBs)
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;  // DIB sections only, else null
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: bottom-up rows; negative: top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

// The header followed by its colour table (1 and 8 bits: 2 or 256 entries,
// fewer when biClrUsed says so).
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
};

// A device bitmap: monochrome for 1 bit per pixel, else 32-bit like the
// screen; filled from `bits` (rows of bmWidthBytes, top row first, in that
// format: 1 or 32 bits only) when not null, else black.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);

// A bitmap in the format of the one selected into `dc`: a memory context
// starts with a 1 x 1 monochrome bitmap, so its compatible bitmaps are
// monochrome until a colour bitmap is selected; any other context (null, a
// window's, a buffer's) gives a 32-bit bitmap.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// A DIB section with its bits exposed through `bits`. Only DIB_RGB_COLORS,
// BI_RGB (and BI_BITFIELDS with the 32-bit masks 0xFF0000, 0xFF00, 0xFF) and
// a null `section` are supported. The bits are owned by the bitmap.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);

// Copies rows of a bitmap out in the DIB format `info` describes (any of 1,
// 8, 24, 32 bits; row order by the sign of biHeight); null `bits` fills in
// the header (and colour table) only. Returns the lines copied, 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);

// Copies DIB rows into a bitmap, converting to its format. `start` counts
// from the DIB's bottom row, as the format defines.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);

// The colour table of a 1- or 8-bit DIB section selected into `dc`.
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours);
