// Device contexts: the drawing state (selected objects, colours, modes, clip
// region, current position, text justification) over a target of pixels.
// A memory context draws into the bitmap selected into it; a buffer context
// draws into a caller's 32-bit buffer, which is how the window system paints
// a window into its backing store. One context is used by one thread at a
// time; separate contexts may draw at once from any threads.
//
// Coordinates are logical pixels: device pixels moved by the viewport and
// window origins (one logical unit is one pixel); a buffer context adds its
// origin to device coordinates to reach the buffer's pixels. Everything drawn
// is clipped to the target, to the buffer context's visible region and to the
// clip region selected.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelBuffer.h"

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Stretch modes: how StretchBlt shrinks (Blit.h).
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
inline constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
inline constexpr int STRETCH_ORSCANS = WHITEONBLACK;
inline constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
inline constexpr int STRETCH_HALFTONE = HALFTONE;

// SelectObject's failure result for a region (which it otherwise answers
// with the region kind).
inline const HGDIOBJ HGDI_ERROR = reinterpret_cast<HGDIOBJ>(intptr_t(-1));

// A context over `buffer`, which must outlive it and is not owned. Logical
// (0, 0) is the buffer's pixel `origin`; `visible` (buffer coordinates,
// copied; null = the whole buffer) bounds all drawing. The caller guards the
// buffer against other writers while it draws. Released with DeleteDC.
HDC CreateBufferDC(const PixelBuffer& buffer, POINT origin, HRGN visible);

// A display context without pixels, for GetDC(NULL) when no screen buffer
// is at hand: everything drawn on it is clipped away and GetPixel fails, but
// it is a colour device: its compatible bitmaps are 32-bit. DeleteDC frees it.
HDC CreateDisplayDC();

// A memory context with a 1 x 1 monochrome bitmap, the stock white brush,
// black pen and system font selected. `dc` is not needed and may be null.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);

// Selects a pen, brush, font or bitmap and returns the previous one (null on
// failure; a bitmap cannot be in two contexts at once). A region is copied
// as the clip region, as SelectClipRgn does, and its kind returned.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT objectType);

// Saves the whole state on a stack; RestoreDC(dc, -1) restores the latest,
// a positive level that save and drops the newer ones.
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedLevel);

COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);

// The clip region, in device coordinates (the origins do not move it).
// SelectClipRgn copies the region (null removes the clip) and returns the kind
// of the resulting clip. GetClipRgn returns 1 and copies the clip into
// `region`, 0 when there is none. IntersectClipRect and ExcludeClipRect take
// logical coordinates.
int SelectClipRgn(HDC dc, HRGN region);
int GetClipRgn(HDC dc, HRGN region);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// The bounds of what may be drawn, in logical coordinates.
int GetClipBox(HDC dc, RECT* box);

// Where device (0, 0) lies on the target.
BOOL GetDCOrgEx(HDC dc, POINT* origin);

// Logical (x, y) is drawn at device (x - window.x + viewport.x, y - window.y
// + viewport.y); both origins are part of the saved state.
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* origin);

// GetDeviceCaps indices.
inline constexpr int TECHNOLOGY = 2;
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMCOLORS = 24;
inline constexpr int RASTERCAPS = 38;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int DT_RASDISPLAY = 1;
inline constexpr int RC_BITBLT = 0x0001;
inline constexpr int RC_STRETCHBLT = 0x0800;
inline constexpr int RC_DI_BITMAP = 0x0080;
inline constexpr int RC_DIBTODEV = 0x0200;

// A 96-dpi raster display of the screen's size; BITSPIXEL is the target's
// depth (1 for a memory context holding a monochrome bitmap), 0 for an
// unknown index or a stale context.
int GetDeviceCaps(HDC dc, int index);
