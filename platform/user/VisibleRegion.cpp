#include "platform/user/VisibleRegion.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/Styles.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

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

// Children are kept topmost first, so the siblings above `w` come before it.
void ExcludeSiblingsAbove(HRGN visible, const Window* parent, const Window* w) {
    for (HWND h : parent->children) {
        if (h == w->handle)
            return;
        Window* s = FindWindowLocked(h);
        if (s != nullptr && s->IsVisibleSelf())
            Clip(visible, ShapeOf(s), RGN_DIFF);
    }
}

}  // namespace

HRGN VisibleRegionLocked(const Window* w, bool clientOnly) {
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
