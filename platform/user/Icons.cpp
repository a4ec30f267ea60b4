#include "platform/user/Icons.h"

#include <map>
#include <mutex>

namespace {

struct Icon {
    ICONINFO info;  // the table's own bitmaps
};

// Icon handles count up from here, clear of the system cursor tokens.
constexpr uintptr_t kFirstIcon = 0x7E000001;

struct IconTable {
    std::mutex mutex;
    std::map<uintptr_t, Icon> icons;  // guarded by mutex
    uintptr_t next = kFirstIcon;      // guarded by mutex
};

IconTable& Table() {
    static IconTable table;
    return table;
}

// A bitmap of the same size and format holding the same pixels.
HBITMAP CopyBitmap(HBITMAP source) {
    BITMAP b{};
    if (source == nullptr || GetObject(source, sizeof(b), &b) == 0)
        return nullptr;
    HBITMAP copy = b.bmBitsPixel == 1 ? CreateBitmap(b.bmWidth, b.bmHeight, 1, 1, nullptr)
                                      : CreateCompatibleBitmap(nullptr, b.bmWidth, b.bmHeight);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    if (copy != nullptr && from != nullptr && to != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, copy);
        BitBlt(to, 0, 0, b.bmWidth, b.bmHeight, from, 0, 0, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from != nullptr)
        DeleteDC(from);
    if (to != nullptr)
        DeleteDC(to);
    return copy;
}

bool CopyInfo(const ICONINFO& from, ICONINFO* to) {
    *to = from;
    to->hbmMask = CopyBitmap(from.hbmMask);
    to->hbmColor = CopyBitmap(from.hbmColor);
    if (to->hbmMask != nullptr && to->hbmColor != nullptr)
        return true;
    DeleteObject(to->hbmMask);
    DeleteObject(to->hbmColor);
    return false;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    Icon icon{};
    if (info == nullptr || !CopyInfo(*info, &icon.info))
        return nullptr;
    if (info->fIcon) {
        BITMAP b{};
        GetObject(icon.info.hbmColor, sizeof(b), &b);
        icon.info.xHotspot = DWORD(b.bmWidth / 2);
        icon.info.yHotspot = DWORD(b.bmHeight / 2);
    }
    IconTable& t = Table();
    std::lock_guard lock(t.mutex);
    const uintptr_t handle = t.next++;
    t.icons.emplace(handle, icon);
    return reinterpret_cast<HICON>(handle);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    IconTable& t = Table();
    std::lock_guard lock(t.mutex);
    const auto it = t.icons.find(reinterpret_cast<uintptr_t>(icon));
    return it != t.icons.end() && info != nullptr && CopyInfo(it->second.info, info);
}

HICON CopyIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return nullptr;
    HICON copy = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return copy;
}

BOOL DestroyIcon(HICON icon) {
    IconTable& t = Table();
    std::lock_guard lock(t.mutex);
    const auto it = t.icons.find(reinterpret_cast<uintptr_t>(icon));
    if (it == t.icons.end())
        return FALSE;
    DeleteObject(it->second.info.hbmMask);
    DeleteObject(it->second.info.hbmColor);
    t.icons.erase(it);
    return TRUE;
}
