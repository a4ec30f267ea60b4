// Inside the window system: the modal loop of one TrackPopupMenu call (see
// Menus.h for what the user can do in it). It owns the open levels, holds the
// mouse capture on the first level's window while it runs, and is reachable
// from its thread (EndMenu, GetMenuItemRect) while it runs.
#pragma once

#include <memory>
#include <vector>

#include "platform/user/MenuWindow.h"
#include "platform/user/UserTypes.h"

class MenuTracker {
public:
    MenuTracker(HWND owner, UINT flags) : owner_(owner), flags_(flags) {}
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // The chosen command, 0 when the menu was cancelled.
    UINT Run(HMENU menu, POINT at);
    void Cancel() { done_ = true; }
    const MenuLevel* LevelOf(HMENU menu) const;

    // The loop of the calling thread, if one runs.
    static MenuTracker* Current();

private:
    bool Open(HMENU menu, UINT parentIndex, POINT at);
    void CloseFrom(size_t level);
    void Highlight(size_t level, int index);
    // Opens the highlighted item's sub-menu, or chooses the item.
    void Activate(size_t level, int index, bool fromKeyboard);
    void Step(int direction);

    bool Handle(MSG& msg);
    void OnMouse(const MSG& msg);
    void OnHover(size_t level, int index);
    void OnKey(UINT vk);
    void OnChar(wchar_t c);
    void WaitForMessage();
    bool Over() const;

    HWND owner_;
    UINT flags_;
    std::vector<std::unique_ptr<MenuLevel>> levels_;
    HWND capture_ = nullptr;  // the first level's window, which holds the mouse
    bool done_ = false;
    UINT chosen_ = 0;
};
