#include <map>

#include "platform/gdi/Gdi.h"
#include "platform/user/BackingStore.h"
#include "platform/user/Messages.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/VisibleRegion.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

struct OpenContext {
    HWND hwnd;
    std::shared_ptr<BackingStore> store;
};

// Contexts handed out on windows. Guarded by UserMutex().
std::map<HDC, OpenContext>& OpenContexts() {
    static auto* contexts = new std::map<HDC, OpenContext>;
    return *contexts;
}

// A context on `w`'s backing store with its logical origin at `origin`
// (window coordinates) and drawing bounded by `visible`, which it takes.
HDC OpenOn(Window* w, POINT origin, HRGN visible) {
    Window* top = TopLevelOf(w);
    std::shared_ptr<BackingStore> store = top->store;
    HDC dc = nullptr;
    if (store != nullptr) {
        const POINT o = OriginInTopLevel(w);
        dc = CreateBufferDC(store->Buffer(), POINT{o.x + origin.x, o.y + origin.y}, visible);
    }
    DeleteObject(visible);
    if (dc == nullptr)
        return nullptr;
    store->OpenContext();
    OpenContexts().emplace(dc, OpenContext{w->handle, store});
    return dc;
}

}  // namespace

HDC GetDC(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    if (hwnd == nullptr) {
        HDC dc = CreateCompatibleDC(nullptr);
        if (dc != nullptr)
            OpenContexts().emplace(dc, OpenContext{nullptr, nullptr});
        return dc;
    }
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return nullptr;
    return OpenOn(w, POINT{w->client.left, w->client.top}, VisibleRegionLocked(w, true));
}

HDC GetWindowDC(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return nullptr;
    return OpenOn(w, POINT{0, 0}, VisibleRegionLocked(w, false));
}

int ReleaseDC(HWND, HDC dc) {
    HWND owner = nullptr;
    {
        std::lock_guard lock(UserMutex());
        auto it = OpenContexts().find(dc);
        if (it == OpenContexts().end())
            return 0;
        owner = it->second.hwnd;
        if (it->second.store != nullptr)
            it->second.store->CloseContext();
        OpenContexts().erase(it);
    }
    DeleteDC(dc);
    if (owner != nullptr)
        RequestPresentationOf(owner);
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    bool frame = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr || paint == nullptr)
            return nullptr;
        frame = w->frameDirty;
        w->frameDirty = false;
    }
    if (frame)
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
    HDC dc = nullptr;
    bool erase = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return nullptr;
        HRGN update = w->update != nullptr ? w->update : CreateRectRgn(0, 0, 0, 0);
        w->update = nullptr;
        erase = w->erasePending;
        w->erasePending = false;
        *paint = PAINTSTRUCT{};
        GetRgnBox(update, &paint->rcPaint);
        HRGN visible = VisibleRegionLocked(w, true);
        const POINT o = OriginInTopLevel(w);
        OffsetRgn(update, o.x + w->client.left, o.y + w->client.top);
        CombineRgn(visible, visible, update, RGN_AND);
        DeleteObject(update);
        dc = OpenOn(w, POINT{w->client.left, w->client.top}, visible);
    }
    paint->hdc = dc;
    if (erase && dc != nullptr) {
        paint->fErase = SendMessage(hwnd, WM_ERASEBKGND, WPARAM(dc), 0) != 0 ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr)
        return FALSE;
    ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}
