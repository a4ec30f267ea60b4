#include "platform/user/MenuTracker.h"

#include <algorithm>
#include <cwctype>

#include "platform/gdi/Gdi.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Menus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowApi.h"

namespace {

thread_local MenuTracker* t_tracker = nullptr;

bool IsMouseMessage(UINT m) {
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT m) {
    return m >= WM_KEYDOWN && m <= WM_SYSCHAR;
}

// Keeps a window of `size` on the screen, preferring `at`.
POINT OnScreen(POINT at, SIZE size) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    at.x = std::max(0, std::min<int>(at.x, cx - size.cx));
    at.y = std::max(0, std::min<int>(at.y, cy - size.cy));
    return at;
}

POINT Aligned(POINT at, SIZE size, UINT flags) {
    if ((flags & TPM_RIGHTALIGN) != 0)
        at.x -= size.cx;
    else if ((flags & TPM_CENTERALIGN) != 0)
        at.x -= size.cx / 2;
    if ((flags & TPM_BOTTOMALIGN) != 0)
        at.y -= size.cy;
    else if ((flags & TPM_VCENTERALIGN) != 0)
        at.y -= size.cy / 2;
    return OnScreen(at, size);
}

// The character after the first single '&' of a text, lower case; 0 without one.
wchar_t Mnemonic(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return wchar_t(std::towlower(wint_t(text[i + 1])));
        ++i;
    }
    return 0;
}

}  // namespace

MenuTracker* MenuTracker::Current() {
    return t_tracker;
}

const MenuLevel* MenuTracker::LevelOf(HMENU menu) const {
    for (const auto& level : levels_)
        if (level->menu == menu)
            return level.get();
    return nullptr;
}

bool MenuTracker::Open(HMENU menu, UINT parentIndex, POINT at) {
    if ((flags_ & TPM_NONOTIFY) == 0)
        SendMessage(owner_, WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(int(parentIndex), 0));
    auto level = std::make_unique<MenuLevel>();
    level->menu = menu;
    level->items = CopyMenuItems(menu);
    if (level->items.empty() || !IsWindow(owner_))
        return false;
    LayOutMenuLevel(*level);
    const POINT origin = levels_.empty() ? Aligned(at, level->size, flags_) : at;
    if (CreateMenuLevelWindow(*level, owner_, OnScreen(origin, level->size)) == nullptr)
        return false;
    levels_.push_back(std::move(level));
    return true;
}

void MenuTracker::CloseFrom(size_t level) {
    while (levels_.size() > level) {
        DestroyWindow(levels_.back()->window);
        levels_.pop_back();
    }
}

void MenuTracker::Highlight(size_t level, int index) {
    MenuLevel& l = *levels_[level];
    if (l.highlight == index)
        return;
    l.highlight = index;
    InvalidateRect(l.window, nullptr, FALSE);
}

void MenuTracker::Activate(size_t level, int index, bool fromKeyboard) {
    MenuLevel& l = *levels_[level];
    if (index < 0 || size_t(index) >= l.items.size() ||
        !IsMenuItemSelectable(l.items[size_t(index)]))
        return;
    Highlight(level, index);
    const MenuItem item = l.items[size_t(index)];
    if (item.subMenu == nullptr) {
        chosen_ = item.id;
        done_ = true;
        return;
    }
    if (levels_.size() > level + 1 && levels_[level + 1]->menu == item.subMenu)
        return;  // already open
    CloseFrom(level + 1);
    RECT window{};
    GetWindowRect(l.window, &window);
    const RECT& r = l.rects[size_t(index)];
    if (!Open(item.subMenu, UINT(index), POINT{window.right - 2, window.top + r.top - 2}))
        return;
    if (fromKeyboard)
        Step(+1);
}

// Moves the innermost level's highlight to the next item that is not a
// separator, wrapping around.
void MenuTracker::Step(int direction) {
    MenuLevel& l = *levels_.back();
    const int n = int(l.items.size());
    int i = l.highlight;
    for (int tries = 0; tries < n; ++tries) {
        i = i < 0 ? (direction > 0 ? 0 : n - 1) : (i + direction + n) % n;
        if ((l.items[size_t(i)].flags & MF_SEPARATOR) == 0) {
            Highlight(levels_.size() - 1, i);
            return;
        }
    }
}

// Moving over an item highlights it and opens its sub-menu; the sub-menu
// already open for it stays as it is.
void MenuTracker::OnHover(size_t level, int index) {
    const HMENU sub = levels_[level]->items[size_t(index)].subMenu;
    const bool open =
        sub != nullptr && levels_.size() > level + 1 && levels_[level + 1]->menu == sub;
    if (!open)
        CloseFrom(level + 1);
    Highlight(level, index);
    if (sub != nullptr && !open)
        Activate(level, index, false);
}

void MenuTracker::OnMouse(const MSG& msg) {
    POINT screen{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &screen);
    const bool press = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                       msg.message == WM_MBUTTONDOWN;
    const bool release = msg.message == WM_LBUTTONUP ||
                         (msg.message == WM_RBUTTONUP && (flags_ & TPM_RIGHTBUTTON) != 0);
    for (size_t i = levels_.size(); i-- > 0;) {
        RECT window{};
        GetWindowRect(levels_[i]->window, &window);
        if (!PtInRect(&window, screen))
            continue;
        POINT client = screen;
        ScreenToClient(levels_[i]->window, &client);
        const int index = MenuItemAt(*levels_[i], client);
        if (msg.message == WM_MOUSEMOVE && index >= 0) {
            OnHover(i, index);
        } else if (release && index >= 0) {
            Activate(i, index, false);
        }
        return;
    }
    if (press)
        done_ = true;  // a press outside every level closes the menu
}

void MenuTracker::OnKey(UINT vk) {
    const size_t inner = levels_.size() - 1;
    switch (vk) {
        case VK_UP:
            Step(-1);
            break;
        case VK_DOWN:
            Step(+1);
            break;
        case VK_RIGHT:
        case VK_RETURN:
            if (levels_[inner]->highlight >= 0)
                Activate(inner, levels_[inner]->highlight, true);
            break;
        case VK_LEFT:
            if (inner > 0)
                CloseFrom(inner);
            break;
        case VK_ESCAPE:
            if (inner > 0)
                CloseFrom(inner);
            else
                done_ = true;
            break;
        default:
            break;
    }
}

void MenuTracker::OnChar(wchar_t c) {
    const size_t inner = levels_.size() - 1;
    const MenuLevel& l = *levels_[inner];
    const wchar_t wanted = wchar_t(std::towlower(wint_t(c)));
    for (size_t i = 0; i < l.items.size(); ++i)
        if (Mnemonic(l.items[i].text) == wanted) {
            Activate(inner, int(i), true);
            return;
        }
}

// Returns true when the loop took the message.
bool MenuTracker::Handle(MSG& msg) {
    if (IsMouseMessage(msg.message)) {
        OnMouse(msg);
        return true;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        const UINT vk = UINT(msg.wParam);
        if (vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_RETURN ||
            vk == VK_ESCAPE)
            OnKey(vk);
        else
            TranslateMessage(&msg);
        return true;
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        OnChar(wchar_t(msg.wParam));
        return true;
    }
    return IsKeyMessage(msg.message);
}

// Chosen, cancelled, or the owner or the capture gone.
bool MenuTracker::Over() const {
    return done_ || !IsWindow(owner_) || GetCapture() != capture_;
}

void MenuTracker::WaitForMessage() {
    MSG msg{};
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if ((flags_ & TPM_NONOTIFY) == 0)
            SendMessage(owner_, WM_ENTERIDLE, MSGF_MENU, LPARAM(levels_.back()->window));
        if (!Over())
            WaitMessage();
    }
}

UINT MenuTracker::Run(HMENU menu, POINT at) {
    MenuTracker* outer = t_tracker;
    t_tracker = this;
    SendMessage(owner_, WM_ENTERMENULOOP, TRUE, 0);
    if (Open(menu, 0, at)) {
        capture_ = levels_.front()->window;
        SetCapture(capture_);
        while (!Over()) {
            WaitForMessage();
            MSG msg{};
            if (Over() || !PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                continue;
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));  // for the loop outside
                break;
            }
            if (!Handle(msg))
                DispatchMessage(&msg);
        }
        if (GetCapture() == capture_)
            ReleaseCapture();
    }
    CloseFrom(0);
    SendMessage(owner_, WM_EXITMENULOOP, TRUE, 0);
    t_tracker = outer;
    return done_ ? chosen_ : 0;
}
