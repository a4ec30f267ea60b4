// A tiny 32-bit canvas for exact pixel tests: a DIB section in a memory
// context, read back as COLORREFs by (x, y) from the top.
#pragma once

#include <cstdint>
#include <vector>

#include "app/controls/draw/DibSectionCopy.h"
#include "app/controls/draw/PixelWords.h"

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(0, 0, 0)) : dib_(nullptr, width, height) {
        Fill(fill);
    }
    HDC Dc() const { return dib_.Dc(); }
    HBITMAP Bitmap() const { return dib_.Bitmap(); }
    COLORREF At(int x, int y) const { return pixelwords::ToColour(dib_.At(x, y)); }
    uint32_t Word(int x, int y) const { return dib_.At(x, y); }
    void Set(int x, int y, COLORREF c) { dib_.At(x, y) = pixelwords::FromColour(c); }
    void SetWord(int x, int y, uint32_t w) { dib_.At(x, y) = w; }
    void Fill(COLORREF c) {
        for (int y = 0; y < dib_.Height(); ++y)
            for (int x = 0; x < dib_.Width(); ++x)
                Set(x, y, c);
    }
    std::vector<COLORREF> Row(int y) const {
        std::vector<COLORREF> row;
        for (int x = 0; x < dib_.Width(); ++x)
            row.push_back(At(x, y));
        return row;
    }

private:
    DibSectionCopy dib_;
};

// A bitmap no context holds, deleted with the object.
struct OwnedBitmap {
    HBITMAP handle;
    ~OwnedBitmap() { DeleteObject(handle); }
};

// A 32-bit bitmap of the given pixel words, top row first.
inline HBITMAP MakeBitmap(int width, int height, const std::vector<uint32_t>& words) {
    DibSectionCopy dib(nullptr, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.At(x, y) = words[size_t(y * width + x)];
    return dib.Release();
}
