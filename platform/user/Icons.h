// Icons: a colour bitmap and a monochrome mask (1 where the icon is
// transparent) with a hot spot, behind handles of their own that are never
// reused; a stale handle or a system cursor token fails harmlessly. Icons
// keep copies of the bitmaps they are made from. Any thread; the table is
// guarded by a lock of its own.
#pragma once

#include "platform/gdi/Gdi.h"
#include "platform/user/UserTypes.h"

struct ICONINFO {
    BOOL fIcon;  // TRUE: an icon, whose hot spot is its centre
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};

// Copies both bitmaps; null when a bitmap is missing or unreadable.
HICON CreateIconIndirect(const ICONINFO* info);
// Fills `info` with new copies of the bitmaps, owned by the caller.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
HICON CopyIcon(HICON icon);
BOOL DestroyIcon(HICON icon);
