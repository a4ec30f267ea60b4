// Tiny pictures written as text for exact pixel tests: each letter is one
// pixel, mapped to a colour by Colour(); bitmaps made of them are registered
// as resources by id, as the program's skins are.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/Afx.h"

namespace pictures {

using Picture = std::vector<std::string>;

// '.' black, 'w' white, 'r' red, 'g' green, 'b' blue, 'y' yellow, 'k'
// RGB(10, 10, 10), 'K' RGB(11, 10, 10), 'x' RGB(25, 25, 25), 'B' RGB(0, 0, 255) too.
inline COLORREF Colour(char c) {
    switch (c) {
        case '.':
            return RGB(0, 0, 0);
        case 'w':
            return RGB(255, 255, 255);
        case 'r':
            return RGB(255, 0, 0);
        case 'g':
            return RGB(0, 255, 0);
        case 'b':
        case 'B':
            return RGB(0, 0, 255);
        case 'y':
            return RGB(255, 255, 0);
        case 'k':
            return RGB(10, 10, 10);
        case 'K':
            return RGB(11, 10, 10);
        case 'x':
            return RGB(25, 25, 25);
        default:
            return RGB(128, 128, 128);
    }
}

inline char Letter(COLORREF c) {
    for (char l : std::string(".wrgbykKx"))
        if (Colour(l) == c)
            return l;
    return '?';
}

inline void AddResource(UINT id, const Picture& p) {
    std::vector<uint32_t> words;
    for (const std::string& row : p)
        for (char c : row) {
            const COLORREF colour = Colour(c);
            words.push_back(uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 |
                            GetBValue(colour));
        }
    AddBitmapResource(id, int(p[0].size()), int(p.size()), words.data());
}

// The pixels of a rectangle of a context as a picture.
inline Picture Read(HDC dc, int left, int top, int width, int height) {
    Picture p;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x)
            row += Letter(::GetPixel(dc, x, y));
        p.push_back(row);
    }
    return p;
}

inline Picture Read(HBITMAP bitmap) {
    BITMAP info{};
    ::GetObject(bitmap, sizeof(info), &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Picture p = Read(dc, 0, 0, info.bmWidth, info.bmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    return p;
}

// A memory canvas of a 32-bit bitmap filled with one letter's colour.
class Canvas {
public:
    Canvas(int width, int height, char fill = 'w') {
        dc_.CreateCompatibleDC(nullptr);
        bitmap_.Attach(::CreateCompatibleBitmap(nullptr, width, height));
        old_ = dc_.SelectObject(&bitmap_);
        dc_.FillSolidRect(0, 0, width, height, Colour(fill));
        width_ = width;
        height_ = height;
    }
    ~Canvas() { dc_.SelectObject(old_); }
    CDC* Dc() { return &dc_; }
    Picture Read() { return pictures::Read(dc_, 0, 0, width_, height_); }

private:
    CDC dc_;
    CBitmap bitmap_;
    CBitmap* old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace pictures
