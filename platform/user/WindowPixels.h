// Direct access to a window's pixels for the video renderer, which writes
// pictures into a pane from its own threads without waiting for the window's
// thread. While a WindowPixels is held, the top-level window's backing store
// is locked: it cannot be resized and the display does not read it. Call
// nothing of the window system while holding it (resizing takes this lock
// under the window system's own): get the geometry it needs first, then lock,
// write, unlock, and ask for presentation.
//
// Typical use on a renderer thread:
//     WindowPixels px(pane);
//     if (px.Valid()) { ... write px.Buffer() inside px.Visible() ... }
//     px.Unlock();
//     RequestWindowPresentation(pane);
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/gdi/PixelBuffer.h"
#include "platform/user/UserTypes.h"

class BackingStore;

class WindowPixels {
public:
    // Locks the backing store of `hwnd`'s top-level window; invalid for a
    // stale or hidden window.
    explicit WindowPixels(HWND hwnd);
    ~WindowPixels();
    WindowPixels(const WindowPixels&) = delete;
    WindowPixels& operator=(const WindowPixels&) = delete;

    bool Valid() const { return store_ != nullptr; }
    // The whole backing store (pointer, stride in pixels, size).
    const PixelBuffer& Buffer() const { return buffer_; }
    // The window's client area in the backing store, cut to the store's bounds.
    const RECT& Area() const { return area_; }
    // The pieces of Area() that belong to the window, as GetDC clips them:
    // without the overlapping siblings above it (and the children of a
    // WS_CLIPCHILDREN window). Writes outside them would cover other windows.
    const std::vector<RECT>& Visible() const { return visible_; }
    void Unlock();

private:
    std::shared_ptr<BackingStore> store_;
    std::unique_lock<std::mutex> lock_;
    PixelBuffer buffer_{};
    RECT area_{};
    std::vector<RECT> visible_;
};

// Any thread, never blocks: the display presents the window's top-level again.
void RequestWindowPresentation(HWND hwnd);
