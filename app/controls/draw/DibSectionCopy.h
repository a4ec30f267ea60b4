// A 32-bit DIB section of a given size selected into a memory context of its
// own, for pixel work in memory: the draw manager copies an area in, changes
// the words and copies the result out with one blit. Released on destruction.
#pragma once

#include <cstdint>

#include "app/controls/draw/MemoryDc.h"
#include "platform/gdi/Gdi.h"

class DibSectionCopy {
public:
    // `like` is the context the memory context is made compatible with (null:
    // the screen). Ok() is false when the context or the section failed.
    DibSectionCopy(HDC like, int width, int height);
    ~DibSectionCopy();
    DibSectionCopy(const DibSectionCopy&) = delete;
    DibSectionCopy& operator=(const DibSectionCopy&) = delete;

    bool Ok() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_.Dc(); }
    HBITMAP Bitmap() const { return bitmap_; }
    uint32_t* Words() const { return bits_; }
    int Count() const { return width_ * height_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The word at (x, y), y from the image's top (rows are stored bottom-up).
    uint32_t& At(int x, int y) const { return bits_[(height_ - 1 - y) * width_ + x]; }
    // Hands the section to the caller, who then owns it (deselected).
    HBITMAP Release();

private:
    int width_;
    int height_;
    MemoryDc dc_;
    HBITMAP bitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
};
