// GDI+ images: 32-bit pixels (0xAARRGGBB, blue lowest), top row first.
// Images are made and saved only between GdiplusStartup and its shut-down;
// otherwise they report GdiplusNotInitialized.
#pragma once

#include <vector>

#include "platform/gdi/GdiPlus.h"

namespace Gdiplus {

class Image {
public:
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image() = default;

    UINT GetWidth() const { return UINT(width_); }
    UINT GetHeight() const { return UINT(height_); }
    PixelFormat GetPixelFormat() const { return format_; }
    Status GetLastStatus() const { return status_; }

    // Writes the image to a file (path in wide characters) with the encoder
    // of `encoder`; JPEG takes EncoderQuality (a long, 0..100, larger values
    // count as 100).
    Status Save(const wchar_t* file, const CLSID* encoder, const EncoderParameters* parameters);

    // The pixels, for the graphics object and tests.
    ARGB* Pixels() { return pixels_.data(); }
    const ARGB* Pixels() const { return pixels_.data(); }

protected:
    Image(int width, int height, PixelFormat format);

    int width_ = 0, height_ = 0;
    PixelFormat format_;
    Status status_ = Ok;
    std::vector<ARGB> pixels_;
};

}  // namespace Gdiplus
