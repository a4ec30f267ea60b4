#include <map>

#include "platform/gdi/Gdi.h"
#include "platform/user/BackingStore.h"
#include "platform/user/Messages.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
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

HRGN RectRegionAt(const Window* w, RECT r) {
    const POINT o = OriginInTopLevel(w);
    return CreateRectRgn(o.x + r.left, o.y + r.top, o.x + r.right, o.y + r.bottom);
}

RECT ClientBox(const Window* w) {
    return w->client;
}
RECT WindowBox(const Window* w) {
    return RECT{0, 0, w->Width(), w->Height()};
}

// The window's shape (rectangle and region) in top-level coordinates.
HRGN ShapeOf(const Window* w) {
    HRGN shape = RectRegionAt(w, WindowBox(w));
    if (w->region != nullptr) {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(r, w->region, nullptr, RGN_COPY);
        const POINT o = OriginInTopLevel(w);
        OffsetRgn(r, o.x, o.y);
        CombineRgn(shape, shape, r, RGN_AND);
        DeleteObject(r);
    }
    return shape;
}

void Clip(HRGN target, HRGN by, int mode) {
    CombineRgn(target, target, by, mode);
    DeleteObject(by);
}

void ExcludeSiblingsAbove(HRGN visible, const Window* parent, const Window* w) {
    for (HWND h : parent->children) {
        if (h == w->handle)
            return;
        Window* s = FindWindowLocked(h);
        if (s != nullptr && s->IsVisibleSelf())
            Clip(visible, ShapeOf(s), RGN_DIFF);
    }
}

// Where `w` may paint, in top-level coordinates. Lock held.
HRGN VisibleRegion(const Window* w, bool clientOnly) {
    HRGN visible = RectRegionAt(w, clientOnly ? ClientBox(w) : WindowBox(w));
    Clip(visible, ShapeOf(w), RGN_AND);
    for (const Window* c = w; const Window* p = ParentOf(c); c = p) {
        Clip(visible, RectRegionAt(p, ClientBox(p)), RGN_AND);
        Clip(visible, ShapeOf(p), RGN_AND);
        ExcludeSiblingsAbove(visible, p, c);
    }
    if ((w->style & WS_CLIPCHILDREN) != 0) {
        for (HWND h : w->children) {
            Window* k = FindWindowLocked(h);
            if (k != nullptr && k->IsVisibleSelf())
                Clip(visible, ShapeOf(k), RGN_DIFF);
        }
    }
    return visible;
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
    return OpenOn(w, POINT{w->client.left, w->client.top}, VisibleRegion(w, true));
}

HDC GetWindowDC(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return nullptr;
    return OpenOn(w, POINT{0, 0}, VisibleRegion(w, false));
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
        HRGN visible = VisibleRegion(w, true);
        const POINT o = OriginInTopLevel(w);
        OffsetRgn(update, o.x + w->client.left, o.y + w->client.top);
        Clip(visible, update, RGN_AND);
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
