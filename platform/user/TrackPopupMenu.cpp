#include "platform/user/Geometry.h"
#include "platform/user/MenuTracker.h"
#include "platform/user/Menus.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"

namespace {

bool OwnedByThisThread(HWND hwnd) {
    return IsWindow(hwnd) && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

}  // namespace

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    if (!IsMenu(menu) || !OwnedByThisThread(owner) || MenuTracker::Current() != nullptr)
        return FALSE;
    MenuTracker tracker(owner, flags);
    const UINT chosen = tracker.Run(menu, POINT{x, y});
    if ((flags & TPM_RETURNCMD) != 0)
        return BOOL(chosen);
    if (chosen != 0)
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(int(chosen), 0), 0);
    return TRUE;
}

BOOL EndMenu() {
    MenuTracker* tracker = MenuTracker::Current();
    if (tracker == nullptr)
        return FALSE;
    tracker->Cancel();
    return TRUE;
}

BOOL GetMenuItemRect(HWND, HMENU menu, UINT position, RECT* rect) {
    MenuTracker* tracker = MenuTracker::Current();
    const MenuLevel* level = tracker != nullptr ? tracker->LevelOf(menu) : nullptr;
    if (level == nullptr || rect == nullptr || position >= level->rects.size())
        return FALSE;
    *rect = level->rects[position];
    MapWindowPoints(level->window, nullptr, reinterpret_cast<POINT*>(rect), 2);
    return TRUE;
}
