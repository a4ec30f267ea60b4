#include <algorithm>

#include "platform/user/MenuTable.h"
#include "platform/user/Menus.h"

namespace {

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE;

// The item an insert or modify describes. With MF_POPUP the sub-menu must be
// a live menu that is not this one.
std::optional<MenuItem> MakeItemLocked(HMENU menu, UINT flags, UINT_PTR item, const wchar_t* text) {
    MenuItem made;
    made.flags = flags & (kStateBits | MF_POPUP | MF_SEPARATOR);
    made.text = (flags & MF_SEPARATOR) == 0 && text != nullptr ? text : L"";
    if ((flags & MF_POPUP) != 0) {
        made.subMenu = reinterpret_cast<HMENU>(item);
        if (made.subMenu == menu || FindMenuLocked(made.subMenu) == nullptr)
            return std::nullopt;
    } else {
        made.id = UINT(item);
    }
    return made;
}

bool IsPopupEntry(const MenuItem& item) {
    return item.subMenu != nullptr;
}

BOOL Remove(HMENU menu, UINT position, UINT flags, bool destroySubMenu) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, position, flags);
    if (!ref)
        return FALSE;
    const HMENU sub = ref->Item().subMenu;
    ref->menu->items.erase(ref->menu->items.begin() + std::ptrdiff_t(ref->index));
    if (destroySubMenu && sub != nullptr)
        DestroyMenuLocked(sub);
    return TRUE;
}

}  // namespace

HMENU CreateMenu() {
    std::lock_guard lock(MenuMutex());
    return AddMenuLocked();
}

HMENU CreatePopupMenu() {
    return CreateMenu();
}

BOOL DestroyMenu(HMENU menu) {
    std::lock_guard lock(MenuMutex());
    if (FindMenuLocked(menu) == nullptr)
        return FALSE;
    DestroyMenuLocked(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    std::lock_guard lock(MenuMutex());
    return FindMenuLocked(menu) != nullptr ? TRUE : FALSE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR item, const wchar_t* text) {
    return InsertMenuW(menu, UINT(-1), flags | MF_BYPOSITION, item, text);
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR item, const wchar_t* text) {
    std::lock_guard lock(MenuMutex());
    MenuData* data = FindMenuLocked(menu);
    std::optional<MenuItem> made =
        data != nullptr ? MakeItemLocked(menu, flags, item, text) : std::nullopt;
    if (!made)
        return FALSE;
    MenuData* target = data;
    size_t index = data->items.size();
    if ((flags & MF_BYPOSITION) != 0) {
        index = std::min<size_t>(position, data->items.size());
    } else if (std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, position, flags)) {
        target = ref->menu;
        index = ref->index;
    }
    target->items.insert(target->items.begin() + std::ptrdiff_t(index), std::move(*made));
    return TRUE;
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR item, const wchar_t* text) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, position, flags);
    std::optional<MenuItem> made = ref ? MakeItemLocked(menu, flags, item, text) : std::nullopt;
    if (!made)
        return FALSE;
    MenuItem& old = ref->Item();
    if (IsPopupEntry(old) && !IsPopupEntry(*made)) {
        made->subMenu = old.subMenu;
        made->flags |= MF_POPUP;
    } else if (IsPopupEntry(old) && made->subMenu != old.subMenu) {
        DestroyMenuLocked(old.subMenu);
    }
    old = std::move(*made);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return Remove(menu, position, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return Remove(menu, position, flags, false);
}

int GetMenuItemCount(HMENU menu) {
    std::lock_guard lock(MenuMutex());
    MenuData* data = FindMenuLocked(menu);
    return data != nullptr ? int(data->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, UINT(position), MF_BYPOSITION);
    if (!ref || position < 0 || IsPopupEntry(ref->Item()))
        return UINT(-1);
    return ref->Item().id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, UINT(position), MF_BYPOSITION);
    return ref && position >= 0 ? ref->Item().subMenu : nullptr;
}

int GetMenuStringW(HMENU menu, UINT item, wchar_t* buffer, int size, UINT flags) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, item, flags);
    if (!ref) {
        if (buffer != nullptr && size > 0)
            buffer[0] = 0;
        return 0;
    }
    const std::wstring& text = ref->Item().text;
    if (buffer == nullptr || size <= 0)
        return int(text.size());
    const size_t n = std::min(text.size(), size_t(size - 1));
    text.copy(buffer, n);
    buffer[n] = 0;
    return int(n);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, item, flags);
    if (!ref)
        return UINT(-1);
    const MenuItem& it = ref->Item();
    UINT state = it.flags & (kStateBits | MF_SEPARATOR | MF_POPUP);
    if (IsPopupEntry(it))
        if (MenuData* sub = FindMenuLocked(it.subMenu))
            state |= UINT(std::min<size_t>(sub->items.size(), 255)) << 8;
    return state;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, item, flags);
    if (!ref)
        return DWORD(-1);
    MenuItem& it = ref->Item();
    const DWORD previous = it.flags & MF_CHECKED;
    it.flags = (it.flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    std::lock_guard lock(MenuMutex());
    std::optional<MenuItemRef> ref = FindMenuItemLocked(menu, item, flags);
    if (!ref)
        return BOOL(-1);
    MenuItem& it = ref->Item();
    const BOOL previous = BOOL(it.flags & (MF_GRAYED | MF_DISABLED));
    it.flags = (it.flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}
