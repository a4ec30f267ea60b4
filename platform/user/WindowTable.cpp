#include "platform/user/WindowTable.h"

#include <algorithm>

#include "platform/user/Styles.h"

std::mutex& UserMutex() {
    static std::mutex* mutex = new std::mutex;  // outlives every static destructor
    return *mutex;
}

WindowTable& WindowTable::Instance() {
    static WindowTable* table = new WindowTable;
    return *table;
}

HWND WindowTable::Add(std::shared_ptr<Window> window) {
    // Steps of 16 keep handles looking like aligned pointers and never reused.
    next_ += 16;
    HWND hwnd = reinterpret_cast<HWND>(next_);
    window->handle = hwnd;
    windows_.emplace_back(hwnd, std::move(window));
    return hwnd;
}

static auto FindSlot(auto& windows, HWND hwnd) {
    auto it = std::lower_bound(windows.begin(), windows.end(), hwnd,
                               [](const auto& e, HWND h) { return e.first < h; });
    return (it != windows.end() && it->first == hwnd) ? it : windows.end();
}

void WindowTable::Remove(HWND hwnd) {
    auto it = FindSlot(windows_, hwnd);
    if (it != windows_.end())
        windows_.erase(it);
    RemoveTopLevel(hwnd);
}

Window* WindowTable::Find(HWND hwnd) const {
    if (hwnd == nullptr)
        return nullptr;
    auto it = FindSlot(windows_, hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

std::shared_ptr<Window> WindowTable::Share(HWND hwnd) const {
    if (hwnd == nullptr)
        return nullptr;
    auto it = FindSlot(windows_, hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

void WindowTable::RemoveTopLevel(HWND hwnd) {
    topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), hwnd), topLevels_.end());
}

void WindowTable::PlaceTopLevel(HWND hwnd, HWND insertAfter) {
    RemoveTopLevel(hwnd);
    Window* w = Find(hwnd);
    const bool topmost = w != nullptr && (w->exStyle & WS_EX_TOPMOST) != 0;
    // Topmost windows stay in front of all others whatever the request.
    auto firstPlain = std::find_if(topLevels_.begin(), topLevels_.end(), [this](HWND h) {
        Window* o = Find(h);
        return o == nullptr || (o->exStyle & WS_EX_TOPMOST) == 0;
    });
    auto pos = topmost ? topLevels_.begin() : firstPlain;
    if (insertAfter == HWND_BOTTOM) {
        pos = topmost ? firstPlain : topLevels_.end();
    } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
               insertAfter != HWND_NOTOPMOST) {
        auto after = std::find(topLevels_.begin(), topLevels_.end(), insertAfter);
        if (after != topLevels_.end())
            pos = std::max(pos, after + 1);
    }
    topLevels_.insert(pos, hwnd);
}

std::vector<HWND> WindowTable::WindowsOf(const MessageQueue* queue) const {
    std::vector<HWND> result;
    for (const auto& [hwnd, window] : windows_) {
        if (window->queue.get() == queue)
            result.push_back(hwnd);
    }
    return result;
}
