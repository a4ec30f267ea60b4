// Inside platform/gdi: a bitmap's pixels and format. The pixel memory never
// moves, so a DIB section's exposed bits stay valid for its life. A bitmap
// is selected into at most one context at a time (`owner`); that context's
// thread alone draws into it.
#pragma once

#include <atomic>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/Surface.h"

class BitmapObject : public GdiObject {
public:
    struct Format {
        int width;
        int height;
        int bitsPerPixel;  // 1, 8, 24 or 32
        bool topDown;
        bool dibSection;
    };

    // Null for an unsupported format or a size that cannot be allocated.
    static std::shared_ptr<BitmapObject> Create(const Format& format);

    DWORD Type() const override { return OBJ_BITMAP; }
    int Describe(int size, void* out) const override;

    const Format& format() const { return format_; }
    int RowBytes() const { return rowBytes_; }
    uint8_t* Bits() { return bits_.data(); }
    std::vector<uint32_t>& Palette() { return palette_; }
    Surface GetSurface();

    // The context the bitmap is selected into, or null.
    std::atomic<const void*> owner{nullptr};

private:
    explicit BitmapObject(const Format& format);

    Format format_;
    int rowBytes_;
    std::vector<uint8_t> bits_;      // rows in storage order, as the format says
    std::vector<uint32_t> palette_;  // pixel words, for 1 and 8 bits
};

// Bytes per row of a DIB (multiples of 4) and of a device bitmap (of 2).
int DibRowBytes(int width, int bitsPerPixel);
int DeviceRowBytes(int width, int bitsPerPixel);

// A surface over DIB memory described by a header (for GetDIBits,
// SetDIBits and StretchDIBits), with `palette` filled from its colour table.
Surface SurfaceOfDib(const BITMAPINFO* info, const void* bits, std::vector<uint32_t>& palette);
