// Inside platform/gdi: a region object. Its pixels are guarded by `mutex_`,
// so one thread may read a region (a window's shape, say) while another
// replaces it.
#pragma once

#include <mutex>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/PixelRegion.h"

class RegionObject : public GdiObject {
public:
    explicit RegionObject(PixelRegion region) : region_(std::move(region)) {}

    DWORD Type() const override { return OBJ_REGION; }
    int Describe(int, void*) const override { return 0; }

    PixelRegion Get() const {
        std::lock_guard lock(mutex_);
        return region_;
    }
    void Set(PixelRegion region) {
        std::lock_guard lock(mutex_);
        region_ = std::move(region);
    }

private:
    mutable std::mutex mutex_;
    PixelRegion region_;
};
