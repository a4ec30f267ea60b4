// A small 32-bit top-down DIB section selected into a memory context, with
// pictures drawn as text: each character of a row is a pixel, named by a
// legend. A mismatch writes both images into gdi-failures/ in the build
// folder.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

using Legend = std::map<char, COLORREF>;
using Picture = std::vector<std::string>;

class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(255, 255, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixels, row after row, for tests that set alpha bytes.
    uint32_t* Bits() const { return bits_; }
    // The pixel word at (x, y), alpha included.
    uint32_t Word(int x, int y) const { return bits_[y * width_ + x]; }
    COLORREF At(int x, int y) const;
    void Fill(COLORREF colour);
    // Paints a picture into the canvas (for sources of blits).
    void Paint(const Picture& picture, const Legend& legend);

    // Every pixel as the picture says; '?' in the picture matches anything.
    ::testing::AssertionResult Matches(const Picture& expected, const Legend& legend,
                                       const std::string& name) const;
    // Count of pixels that are not `background` inside a rectangle.
    int Ink(const RECT& area, COLORREF background) const;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    uint32_t* bits_ = nullptr;
};
