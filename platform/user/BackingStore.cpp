#include "platform/user/BackingStore.h"

#include <algorithm>

BackingStore::BackingStore(int width, int height) {
    Resize(width, height);
}

PixelBuffer BackingStore::Buffer() {
    return PixelBuffer{pixels_.data(), width_, width_, height_};
}

void BackingStore::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    std::vector<uint32_t> next(size_t(width) * size_t(height), 0);
    const int w = std::min(width, width_);
    const int h = std::min(height, height_);
    for (int y = 0; y < h; ++y) {
        std::copy_n(pixels_.begin() + long(y) * width_, w, next.begin() + long(y) * width);
    }
    if (openContexts_ > 0)
        retired_.push_back(std::move(pixels_));
    pixels_ = std::move(next);
    width_ = width;
    height_ = height;
}

void BackingStore::CloseContext() {
    if (--openContexts_ == 0)
        retired_.clear();
}
