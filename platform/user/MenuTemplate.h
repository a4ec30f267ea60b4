// A menu as the program's resources describe it: items with their texts,
// command ids and initial flags (MF_CHECKED, MF_GRAYED, MF_SEPARATOR...),
// and popup entries with their own items, nested to any depth.
#pragma once

#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

struct MenuItemTemplate {
    std::wstring text;
    UINT id = 0;     // 0 for popup entries and separators
    UINT flags = 0;  // MF_* (MF_POPUP is implied by a non-empty popup list)
    std::vector<MenuItemTemplate> popup;
};

struct MenuTemplate {
    std::vector<MenuItemTemplate> items;
};

// Adds a menu resource by id (replacing one of the same id). Any thread.
void AddMenuResource(UINT id, MenuTemplate menu);
// Null for an unknown id (MAKEINTRESOURCEW) or a name.
const MenuTemplate* FindMenuResource(const wchar_t* name);
