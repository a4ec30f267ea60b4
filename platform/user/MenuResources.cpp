#include <map>
#include <memory>
#include <mutex>

#include "platform/user/MenuTable.h"
#include "platform/user/Menus.h"

namespace {

// Guards the menu resources; entries are held by pointer so that what
// FindMenuResource handed out stays put until replaced.
struct Store {
    std::mutex mutex;
    std::map<UINT, std::unique_ptr<MenuTemplate>> menus;
};

Store& TheStore() {
    static Store* store = new Store;
    return *store;
}

void BuildLocked(HMENU menu, const std::vector<MenuItemTemplate>& items) {
    for (const MenuItemTemplate& t : items) {
        MenuItem item;
        item.flags = t.flags & ~MF_POPUP;
        item.id = t.id;
        item.text = (t.flags & MF_SEPARATOR) != 0 ? L"" : t.text;
        if (!t.popup.empty() || (t.flags & MF_POPUP) != 0) {
            item.flags |= MF_POPUP;
            item.id = 0;
            item.subMenu = AddMenuLocked();
            BuildLocked(item.subMenu, t.popup);
        }
        FindMenuLocked(menu)->items.push_back(std::move(item));
    }
}

}  // namespace

void AddMenuResource(UINT id, MenuTemplate menu) {
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    s.menus[id] = std::make_unique<MenuTemplate>(std::move(menu));
}

const MenuTemplate* FindMenuResource(const wchar_t* name) {
    if (name == nullptr || !IS_INTRESOURCE(name))
        return nullptr;
    Store& s = TheStore();
    std::lock_guard lock(s.mutex);
    auto it = s.menus.find(UINT(uintptr_t(name)));
    return it == s.menus.end() ? nullptr : it->second.get();
}

HMENU LoadMenuIndirectW(const MenuTemplate* menu) {
    if (menu == nullptr)
        return nullptr;
    std::lock_guard lock(MenuMutex());
    HMENU made = AddMenuLocked();
    BuildLocked(made, menu->items);
    return made;
}

HMENU LoadMenuW(HINSTANCE, const wchar_t* name) {
    return LoadMenuIndirectW(FindMenuResource(name));
}
