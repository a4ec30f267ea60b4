#include "platform/afx/WndMap.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/afx/Wnd.h"

namespace {

struct PermanentMap {
    std::mutex mutex;
    std::map<HWND, CWnd*> windows;
};

PermanentMap& Permanent() {
    static auto* map = new PermanentMap;
    return *map;
}

// A temporary object attached without taking the window over.
class CTempWnd final : public CWnd {
public:
    explicit CTempWnd(HWND hwnd) { m_hWnd = hwnd; }
    ~CTempWnd() override { m_hWnd = nullptr; }
};

}  // namespace

void AfxMapWindow(HWND hwnd, CWnd* wnd) {
    std::lock_guard lock(Permanent().mutex);
    Permanent().windows[hwnd] = wnd;
}

void AfxUnmapWindow(HWND hwnd) {
    std::lock_guard lock(Permanent().mutex);
    Permanent().windows.erase(hwnd);
}

CWnd* AfxPermanentWindow(HWND hwnd) {
    std::lock_guard lock(Permanent().mutex);
    auto it = Permanent().windows.find(hwnd);
    return it == Permanent().windows.end() ? nullptr : it->second;
}

CWnd* AfxTemporaryWindow(HWND hwnd) {
    thread_local std::map<HWND, std::unique_ptr<CTempWnd>> temporaries;
    // Handles are never reused: an object whose window is gone can go too.
    std::erase_if(temporaries, [](const auto& e) { return !IsWindow(e.first); });
    auto& slot = temporaries[hwnd];
    if (slot == nullptr)
        slot = std::make_unique<CTempWnd>(hwnd);
    return slot.get();
}
