#include "platform/user/MenuTable.h"

#include <map>
#include <memory>

#include "platform/user/Menus.h"

namespace {

// Menus by handle value. Handles are never reused, so a stale one stays stale.
struct Table {
    std::map<uintptr_t, std::unique_ptr<MenuData>> menus;
    uintptr_t next = 0x10000;
};

Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

}  // namespace

std::mutex& MenuMutex() {
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

HMENU AddMenuLocked() {
    Table& t = TheTable();
    const uintptr_t value = t.next;
    t.next += 8;
    t.menus[value] = std::make_unique<MenuData>();
    return reinterpret_cast<HMENU>(value);
}

MenuData* FindMenuLocked(HMENU menu) {
    Table& t = TheTable();
    auto it = t.menus.find(uintptr_t(menu));
    return it == t.menus.end() ? nullptr : it->second.get();
}

void DestroyMenuLocked(HMENU menu) {
    Table& t = TheTable();
    auto it = t.menus.find(uintptr_t(menu));
    if (it == t.menus.end())
        return;
    std::unique_ptr<MenuData> data = std::move(it->second);
    t.menus.erase(it);
    for (const MenuItem& item : data->items)
        if (item.subMenu != nullptr)
            DestroyMenuLocked(item.subMenu);
}

std::optional<MenuItemRef> FindMenuItemLocked(HMENU menu, UINT item, UINT flags) {
    MenuData* data = FindMenuLocked(menu);
    if (data == nullptr)
        return std::nullopt;
    if ((flags & MF_BYPOSITION) != 0) {
        if (item >= data->items.size())
            return std::nullopt;
        return MenuItemRef{data, item};
    }
    for (size_t i = 0; i < data->items.size(); ++i)
        if (data->items[i].subMenu == nullptr && data->items[i].id == item &&
            (data->items[i].flags & MF_SEPARATOR) == 0)
            return MenuItemRef{data, i};
    for (const MenuItem& entry : data->items)
        if (entry.subMenu != nullptr)
            if (auto found = FindMenuItemLocked(entry.subMenu, item, flags))
                return found;
    return std::nullopt;
}

std::vector<MenuItem> CopyMenuItems(HMENU menu) {
    std::lock_guard lock(MenuMutex());
    MenuData* data = FindMenuLocked(menu);
    return data != nullptr ? data->items : std::vector<MenuItem>();
}
