// A memory context compatible with the screen with one bitmap selected;
// deselected and deleted when it goes out of scope.
#pragma once

#include "platform/gdi/Gdi.h"

class MemoryDc {
public:
    explicit MemoryDc(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_ != nullptr && bitmap != nullptr)
            old_ = SelectObject(dc_, bitmap);
    }
    ~MemoryDc() {
        if (dc_ == nullptr)
            return;
        if (old_ != nullptr)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};
