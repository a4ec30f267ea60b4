// Inside platform/gdi: drawing into a context's target through its clip.
// A painter lives for one drawing call on the context's thread; it takes the
// target and the clip once. Coordinates given to it are logical; it adds the
// origin. Rows are processed a segment at a time, in place for 32-bit
// targets.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/DcObject.h"
#include "platform/gdi/PixelRegion.h"
#include "platform/gdi/Surface.h"

class Painter {
public:
    explicit Painter(const DcObject& dc);

    // Narrows the clip to a logical rectangle.
    void Restrict(int left, int top, int right, int bottom);

    // The bounds of the clip in logical coordinates.
    RECT LogicalClipBox() const;

    bool Drawable() const { return surface_.Valid() && !clip_.Empty(); }
    const Surface& surface() const { return surface_; }
    POINT origin() const { return origin_; }

    // Calls f(y, x0, x1) in device coordinates for every clipped segment of
    // the logical rectangle.
    template <typename F>
    void ForEachSegment(int left, int top, int right, int bottom, F&& f) const {
        left = Device(left, origin_.x);
        right = Device(right, origin_.x);
        top = Device(top, origin_.y);
        bottom = Device(bottom, origin_.y);
        for (const Band& band : clip_.Bands()) {
            if (band.bottom <= top)
                continue;
            if (band.top >= bottom)
                break;
            int y0 = std::max(band.top, top), y1 = std::min(band.bottom, bottom);
            for (const Span& s : band.spans) {
                int x0 = std::max(s.left, left), x1 = std::min(s.right, right);
                if (x0 >= x1)
                    continue;
                for (int y = y0; y < y1; ++y)
                    f(y, x0, x1);
            }
        }
    }

    // The same for a logical region.
    template <typename F>
    void ForEachSegment(const PixelRegion& area, F&& f) const {
        // Clipped before it moves, so that no coordinate overflows.
        PixelRegion logicalClip = clip_;
        logicalClip.Offset(-origin_.x, -origin_.y);
        PixelRegion clipped = PixelRegion::Combine(area, logicalClip, PixelRegion::Op::And);
        clipped.Offset(origin_.x, origin_.y);
        for (const Band& band : clipped.Bands()) {
            for (int y = band.top; y < band.bottom; ++y) {
                for (const Span& s : band.spans)
                    f(y, s.left, s.right);
            }
        }
    }

    // Applies a raster operation (source-less) with `pattern` to a segment.
    void RopSegment(int y, int x0, int x1, uint8_t code, uint32_t pattern);
    void FillRect(int left, int top, int right, int bottom, uint32_t word);
    void FillRegion(const PixelRegion& area, uint32_t word);
    void RopRegion(const PixelRegion& area, uint8_t code, uint32_t pattern);
    // One pixel at a logical point, when inside the clip.
    void Plot(int x, int y, uint32_t word);
    bool Visible(int deviceX, int deviceY) const { return clip_.Contains(deviceX, deviceY); }

    // Reads a device segment into `row`, lets `f` change it, and writes it
    // back; 32-bit targets are changed in place.
    template <typename F>
    void EditSegment(int y, int x0, int x1, F&& f) {
        if (surface_.bitsPerPixel == 32) {
            f(surface_.Row32(y) + x0, x1 - x0);
            return;
        }
        row_.resize(size_t(x1 - x0));
        surface_.Read(y, x0, x1 - x0, row_.data());
        f(row_.data(), x1 - x0);
        surface_.Write(y, x0, x1 - x0, row_.data());
    }

private:
    // A logical coordinate on the target, kept far from overflow: the target
    // is never larger than 2^15 pixels.
    static int Device(int v, int origin) {
        return int(std::clamp<int64_t>(int64_t(v) + origin, -(1 << 30), 1 << 30));
    }

    Surface surface_;
    PixelRegion clip_;
    POINT origin_;
    std::vector<uint32_t> row_;
};
