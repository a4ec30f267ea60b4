#include "platform/user/WindowPixels.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/BackingStore.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/VisibleRegion.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

WindowPixels::WindowPixels(HWND hwnd) {
    RECT area{};
    std::vector<RECT> visible;
    std::shared_ptr<BackingStore> store;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr || !IsShown(w))
            return;
        store = TopLevelOf(w)->store;
        const POINT o = OriginInTopLevel(w);
        area = RECT{o.x + w->client.left, o.y + w->client.top, o.x + w->client.right,
                    o.y + w->client.bottom};
        HRGN region = VisibleRegionLocked(w, true);
        visible = RegionRects(region);
        DeleteObject(region);
    }
    if (store == nullptr)
        return;
    lock_ = std::unique_lock(store->mutex);
    store_ = std::move(store);
    buffer_ = store_->Buffer();
    area_ = RECT{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                 std::min<LONG>(area.right, buffer_.width),
                 std::min<LONG>(area.bottom, buffer_.height)};
    for (const RECT& piece : visible) {
        RECT cut{};
        if (IntersectRect(&cut, &piece, &area_))
            visible_.push_back(cut);
    }
}

WindowPixels::~WindowPixels() {
    Unlock();
}

void WindowPixels::Unlock() {
    if (lock_.owns_lock())
        lock_.unlock();
    store_.reset();
    buffer_ = PixelBuffer{};
    visible_.clear();
}

void RequestWindowPresentation(HWND hwnd) {
    RequestPresentationOf(hwnd);
}
