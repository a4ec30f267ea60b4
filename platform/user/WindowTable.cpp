#include "platform/user/WindowTable.h"

#include <algorithm>
#include <iterator>

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
    KeepOwnedInFront(hwnd);
}

// Whether `owner` owns `hwnd`, directly or through owned windows between.
bool WindowTable::Owns(HWND owner, HWND hwnd) const {
    const Window* w = Find(hwnd);
    for (int depth = 0; w != nullptr && w->owner != nullptr && depth < 64; ++depth) {
        if (w->owner == owner)
            return true;
        w = Find(w->owner);
    }
    return false;
}

void WindowTable::KeepOwnedInFront(HWND hwnd) {
    // Not behind its own owner...
    const Window* w = Find(hwnd);
    auto self = std::find(topLevels_.begin(), topLevels_.end(), hwnd);
    if (w != nullptr && w->owner != nullptr) {
        auto owner = std::find(topLevels_.begin(), topLevels_.end(), w->owner);
        if (owner < self) {
            topLevels_.erase(self);
            owner = std::find(topLevels_.begin(), topLevels_.end(), w->owner);
            self = topLevels_.insert(owner, hwnd);
        }
    }
    // ...and what it owns in front of it, in the order they had.
    std::vector<HWND> owned;
    std::copy_if(topLevels_.begin(), topLevels_.end(), std::back_inserter(owned),
                 [this, hwnd](HWND h) { return Owns(hwnd, h); });
    if (owned.empty())
        return;
    std::erase_if(topLevels_, [&owned](HWND h) {
        return std::find(owned.begin(), owned.end(), h) != owned.end();
    });
    self = std::find(topLevels_.begin(), topLevels_.end(), hwnd);
    topLevels_.insert(self, owned.begin(), owned.end());
}

std::vector<HWND> WindowTable::WindowsOf(const MessageQueue* queue) const {
    std::vector<HWND> result;
    for (const auto& [hwnd, window] : windows_) {
        if (window->queue.get() == queue)
            result.push_back(hwnd);
    }
    return result;
}
