// Inside the window system: the menus behind their handles. Every function
// ending in Locked needs MenuMutex() held; the lock is private to menus and
// never held while a window procedure runs.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

struct MenuItem {
    UINT flags = 0;  // MF_* state and kind bits
    UINT id = 0;
    std::wstring text;
    HMENU subMenu = nullptr;  // popup entries only; owned by the menu
};

struct MenuData {
    std::vector<MenuItem> items;
};

// An item found by position or by command: its menu and index.
struct MenuItemRef {
    MenuData* menu;
    size_t index;
    MenuItem& Item() const { return menu->items[index]; }
};

std::mutex& MenuMutex();
HMENU AddMenuLocked();
MenuData* FindMenuLocked(HMENU menu);
// Removes the menu and, depth first, its sub-menus.
void DestroyMenuLocked(HMENU menu);
// With MF_BYPOSITION `item` is an index into `menu`; otherwise a command id,
// looked for in `menu` and then its sub-menus, depth first.
std::optional<MenuItemRef> FindMenuItemLocked(HMENU menu, UINT item, UINT flags);

// A copy of the items, for drawing and hit testing without the lock.
std::vector<MenuItem> CopyMenuItems(HMENU menu);
