// A memory context (compatible with `like`; null: the screen) with one
// bitmap selected. The bitmap stays its owner's: the context only deselects
// it, at the latest when it goes out of scope, and deletes itself.
#pragma once

#include "platform/gdi/Gdi.h"

class MemoryDc {
public:
    explicit MemoryDc(HBITMAP bitmap = nullptr, HDC like = nullptr)
        : dc_(CreateCompatibleDC(like)) {
        Select(bitmap);
    }
    ~MemoryDc() {
        Deselect();
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    // Selects `bitmap` in place of one selected before; null selects nothing.
    void Select(HBITMAP bitmap) {
        if (dc_ == nullptr || bitmap == nullptr)
            return;
        Deselect();
        old_ = SelectObject(dc_, bitmap);
    }
    // Gives the bitmap back, so that its owner may hand it on or delete it.
    void Deselect() {
        if (old_ != nullptr)
            SelectObject(dc_, old_);
        old_ = nullptr;
    }

    HDC Dc() const { return dc_; }
    bool Selected() const { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};
