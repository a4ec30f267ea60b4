// Block transfers between contexts and single pixels. All 256 ternary raster
// operations are supported (the brush is the pattern); the named ones are the
// usual. Between formats: a monochrome device bitmap as source gives the
// destination's text colour for 0 bits and its background colour for 1 bits;
// a colour source into a monochrome destination gives 1 where the pixel
// equals the source context's background colour, else 0.
#pragma once

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

inline constexpr BYTE AC_SRC_OVER = 0x00;
inline constexpr BYTE AC_SRC_ALPHA = 0x01;

struct BLENDFUNCTION {
    BYTE BlendOp;              // AC_SRC_OVER
    BYTE BlendFlags;           // 0
    BYTE SourceConstantAlpha;  // 0..255, applied to the whole source
    BYTE AlphaFormat;          // AC_SRC_ALPHA: the source is premultiplied per pixel
};

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

// Enlarging repeats source pixels; shrinking combines the source pixels a
// destination pixel covers by the stretch mode (AND, OR, average) or, with
// COLORONCOLOR, takes the first. A negative width or height on either side
// mirrors along that axis.
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy,
                int sourceWidth, int sourceHeight, DWORD rop);

// StretchBlt with SRCCOPY, sampling as COLORONCOLOR, that leaves out the
// source pixels of colour `key`.
BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy,
                    int sourceWidth, int sourceHeight, UINT key);

// dst = src' + dst x (255 - alpha of src') / 255, where src' is the source
// scaled by SourceConstantAlpha (and its own alpha with AC_SRC_ALPHA).
BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend);

// Copies DIB rows (described by `info`, either row order) to the context,
// scaled like StretchBlt. Returns the lines copied, 0 on failure.
int StretchDIBits(HDC dc, int x, int y, int width, int height, int sx, int sy, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);

// CLR_INVALID outside the target or the clip.
COLORREF GetPixel(HDC dc, int x, int y);
// Returns the colour set, or -1 (as COLORREF) when clipped away.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
