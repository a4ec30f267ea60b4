// A plain 32-bit pixel buffer that the painter draws into: a window's backing
// store, a bitmap's bits. Each pixel is 0x00RRGGBB (blue in the lowest byte);
// GDI's drawing leaves the top byte 0, copies carry it along.
#pragma once

#include <cstddef>
#include <cstdint>

struct PixelBuffer {
    uint32_t* pixels = nullptr;  // row 0 is the top row; not owned
    int stride = 0;              // distance between rows, in pixels
    int width = 0;
    int height = 0;

    uint32_t* Row(int y) const { return pixels + std::ptrdiff_t(y) * stride; }
};
