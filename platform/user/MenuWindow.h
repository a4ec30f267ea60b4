// Inside the window system: one open level of a popup menu and the window
// that shows it (class "#32768"). The tracking loop owns the level and keeps
// it in the window's first extra slot; the window procedure paints from it.
// Both run on the menu's thread only.
#pragma once

#include <vector>

#include "platform/user/MenuTable.h"
#include "platform/user/UserTypes.h"

struct MenuLevel {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int highlight = -1;
    std::vector<MenuItem> items;  // as they were when the level opened
    std::vector<RECT> rects;      // of the items, client coordinates
    SIZE size{};                  // of the window
};

// Measures the items into `level.rects` and `level.size`.
void LayOutMenuLevel(MenuLevel& level);
// Makes and shows the window at `origin` (screen), without activating it.
HWND CreateMenuLevelWindow(MenuLevel& level, HWND owner, POINT origin);
// The item under a client point, or -1.
int MenuItemAt(const MenuLevel& level, POINT client);
// Selectable: neither a separator nor greyed or disabled.
bool IsMenuItemSelectable(const MenuItem& item);

LRESULT MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
