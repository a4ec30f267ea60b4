// Every live window, by handle. A handle is never reused within a process, so
// a stale handle resolves to nothing and every function given one does nothing.
//
// UserMutex() guards all window-system state: this table, every Window's
// fields, the message queues' contents and the timers. It is held only for
// short bookkeeping, never while a window procedure runs, and nothing else is
// locked while it is held except a backing store's pixel lock.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/user/Window.h"

std::mutex& UserMutex();

class WindowTable {
public:
    static WindowTable& Instance();

    // All below: UserMutex() held.
    HWND Add(std::shared_ptr<Window> window);
    void Remove(HWND hwnd);
    Window* Find(HWND hwnd) const;
    std::shared_ptr<Window> Share(HWND hwnd) const;

    // Top-level windows, topmost first (WS_EX_TOPMOST windows lead). An
    // owned window always lies in front of its owner: placing a window brings
    // the windows it owns along, in front of it.
    const std::vector<HWND>& TopLevels() const { return topLevels_; }
    void PlaceTopLevel(HWND hwnd, HWND insertAfter);
    void RemoveTopLevel(HWND hwnd);

    // Every window of a thread's queue, in creation order.
    std::vector<HWND> WindowsOf(const MessageQueue* queue) const;

private:
    WindowTable() = default;
    bool Owns(HWND owner, HWND hwnd) const;
    void KeepOwnedInFront(HWND hwnd);
    std::vector<std::pair<HWND, std::shared_ptr<Window>>> windows_;  // by handle value
    std::vector<HWND> topLevels_;
    uintptr_t next_ = 0x10000;
};

// Looks a handle up under the lock; null for stale handles.
inline Window* FindWindowLocked(HWND hwnd) {
    return WindowTable::Instance().Find(hwnd);
}
