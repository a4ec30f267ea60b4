#include "platform/gdi/Painter.h"

#include <algorithm>

#include "platform/gdi/RasterOp.h"

Painter::Painter(const DcObject& dc)
    : surface_(dc.Target()), clip_(dc.DeviceClip()), origin_(dc.LogicalOrigin()) {}

void Painter::RopSegment(int y, int x0, int x1, uint8_t code, uint32_t pattern) {
    EditSegment(y, x0, x1, [&](uint32_t* row, int n) { RopRow(code, pattern, nullptr, row, n); });
}

void Painter::FillRect(int left, int top, int right, int bottom, uint32_t word) {
    ForEachSegment(left, top, right, bottom, [&](int y, int x0, int x1) {
        EditSegment(y, x0, x1, [&](uint32_t* row, int n) { std::fill_n(row, n, word); });
    });
}

void Painter::FillRegion(const PixelRegion& area, uint32_t word) {
    ForEachSegment(area, [&](int y, int x0, int x1) {
        EditSegment(y, x0, x1, [&](uint32_t* row, int n) { std::fill_n(row, n, word); });
    });
}

void Painter::RopRegion(const PixelRegion& area, uint8_t code, uint32_t pattern) {
    ForEachSegment(area, [&](int y, int x0, int x1) { RopSegment(y, x0, x1, code, pattern); });
}

void Painter::Plot(int x, int y, uint32_t word) {
    x = Device(x, origin_.x);
    y = Device(y, origin_.y);
    if (!clip_.Contains(x, y))
        return;
    EditSegment(y, x, x + 1, [&](uint32_t* row, int) { *row = word; });
}

void Painter::Restrict(int left, int top, int right, int bottom) {
    PixelRegion rect = PixelRegion::FromRect(Device(left, origin_.x), Device(top, origin_.y),
                                             Device(right, origin_.x), Device(bottom, origin_.y));
    clip_ = PixelRegion::Combine(clip_, rect, PixelRegion::Op::And);
}

RECT Painter::LogicalClipBox() const {
    RECT box = clip_.Box();
    return {box.left - origin_.x, box.top - origin_.y, box.right - origin_.x,
            box.bottom - origin_.y};
}
