// The GDI object table: every pen, brush, font, bitmap, region and device
// context is reached through a handle of this table. A handle is never
// reused, so a stale or foreign handle finds nothing and the call fails
// harmlessly. Any thread may use the table; an object stays alive while a
// device context has it selected, even after DeleteObject dropped its handle.
#pragma once

#include "platform/gdi/GdiTypes.h"

// GetObjectType results.
inline constexpr DWORD OBJ_PEN = 1;
inline constexpr DWORD OBJ_BRUSH = 2;
inline constexpr DWORD OBJ_DC = 3;
inline constexpr DWORD OBJ_FONT = 6;
inline constexpr DWORD OBJ_BITMAP = 7;
inline constexpr DWORD OBJ_REGION = 8;
inline constexpr DWORD OBJ_MEMDC = 10;

// Stock objects; they are never deleted (DeleteObject on one is a no-op).
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;

HGDIOBJ GetStockObject(int index);

// 0 for a stale handle.
DWORD GetObjectType(HGDIOBJ object);

// Drops the handle. FALSE for a stale handle. A selected object lives on
// until its device context lets go of it.
BOOL DeleteObject(HGDIOBJ object);

// Copies the object's description (BITMAP or DIBSECTION for bitmaps, LOGPEN,
// LOGBRUSH, LOGFONTW) into `out`, at most `size` bytes; a null `out` asks for
// the size. Returns the bytes written, 0 on failure.
int GetObjectW(HGDIOBJ object, int size, void* out);
inline int GetObject(HGDIOBJ object, int size, void* out) {
    return GetObjectW(object, size, out);
}
