// A picture as plain pixels (0x00RRGGBB, top row first) and its PNG file,
// read and written by cairo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, uint32_t fill = 0)
        : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

    bool Empty() const { return pixels.empty(); }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// False when the file cannot be written.
bool WritePng(const RgbImage& image, const std::string& path);
// Empty when the file is missing or not a PNG.
RgbImage ReadPng(const std::string& path);
