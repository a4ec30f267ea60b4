// The program's resources by numeric id: strings, bitmaps and dialog
// templates. The program adds them at start-up (from its resource tables);
// the framework and the windows load them by id. Any thread; the store is
// guarded by a lock of its own and entries are never removed.
#pragma once

#include <cstdint>

#include "platform/user/DialogTemplate.h"
#include "platform/user/UserTypes.h"

// Replaces an entry of the same id.
void AddStringResource(UINT id, const wchar_t* text);
// Pixels 0x00RRGGBB, top row first, `width` x `height`.
void AddBitmapResource(UINT id, int width, int height, const uint32_t* pixels);
void AddDialogResource(UINT id, DialogTemplate dialog);
// Keeps a copy of `icon` (Icons.h) under `id`, replacing an entry of the id.
void AddIconResource(UINT id, HICON icon);

// Copies the string into `buffer` (cut to size - 1 characters) and returns its
// length; 0 when there is no such string. With size 0, `buffer` receives a
// pointer to the stored string (as const wchar_t*), valid for the process.
int LoadStringW(HINSTANCE instance, UINT id, wchar_t* buffer, int size);
inline int LoadString(HINSTANCE i, UINT id, wchar_t* b, int n) {
    return LoadStringW(i, id, b, n);
}

// A new 32-bit bitmap owned by the caller, null for an unknown id.
HBITMAP LoadBitmapW(HINSTANCE instance, const wchar_t* name);
inline HBITMAP LoadBitmap(HINSTANCE i, const wchar_t* n) {
    return LoadBitmapW(i, n);
}

inline constexpr UINT IMAGE_BITMAP = 0;
inline constexpr UINT IMAGE_ICON = 1;
inline constexpr UINT IMAGE_CURSOR = 2;
// Bitmaps and icons (by id; each a new object owned by the caller, an icon at
// its own size) and system cursors; size and flags are not used.
void* LoadImageW(HINSTANCE instance, const wchar_t* name, UINT type, int cx, int cy, UINT flags);

// Null for an unknown id (MAKEINTRESOURCEW) or a name.
const DialogTemplate* FindDialogResource(const wchar_t* name);
