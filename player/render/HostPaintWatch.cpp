#include "player/render/HostPaintWatch.h"

#include <map>
#include <mutex>

#include "platform/user/User.h"
#include "player/render/Renderer.h"

namespace {

struct Watched {
    WNDPROC proc = nullptr;  // the window's own procedure
    CRenderer* renderer = nullptr;
};

std::mutex g_lock;
// Guarded by g_lock; never destroyed, as a window may be repainted while the
// process ends.
std::map<HWND, Watched>& WatchedWindows() {
    static auto* windows = new std::map<HWND, Watched>;
    return *windows;
}

WNDPROC OwnProcedure(HWND window) {
    std::lock_guard lock(g_lock);
    auto it = WatchedWindows().find(window);
    return it != WatchedWindows().end() ? it->second.proc : nullptr;
}

LRESULT HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC own = OwnProcedure(window);
    const LRESULT result = CallWindowProc(own, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        std::lock_guard lock(g_lock);
        auto it = WatchedWindows().find(window);
        if (it != WatchedWindows().end() && it->second.renderer != nullptr)
            it->second.renderer->Repaint();
    } else if (message == WM_NCDESTROY) {
        std::lock_guard lock(g_lock);
        WatchedWindows().erase(window);
    }
    return result;
}

}  // namespace

void WatchHostPaint(HWND window, CRenderer* renderer) {
    std::lock_guard lock(g_lock);
    for (auto& [hwnd, watched] : WatchedWindows()) {
        if (watched.renderer == renderer)
            watched.renderer = nullptr;
    }
    Watched& watched = WatchedWindows()[window];
    if (watched.proc == nullptr) {
        const auto own = WNDPROC(GetWindowLongPtr(window, GWLP_WNDPROC));
        if (own == nullptr || own == &HostProcedure) {
            WatchedWindows().erase(window);
            return;
        }
        watched.proc = own;
        SetWindowLongPtr(window, GWLP_WNDPROC, LONG_PTR(&HostProcedure));
    }
    watched.renderer = renderer;
}

void ForgetHostPaint(CRenderer* renderer) {
    std::lock_guard lock(g_lock);
    for (auto& [hwnd, watched] : WatchedWindows()) {
        if (watched.renderer == renderer)
            watched.renderer = nullptr;
    }
}
