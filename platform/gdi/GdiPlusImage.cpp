#include "platform/gdi/GdiPlusImage.h"

#include <algorithm>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiPlusBitmap.h"
#include "platform/gdi/GdiPlusCodecs.h"

namespace Gdiplus {

Image::Image(int width, int height, PixelFormat format) : format_(format) {
    if (!GdiplusStarted()) {
        status_ = GdiplusNotInitialized;
        return;
    }
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000) {
        status_ = InvalidParameter;
        return;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(size_t(width) * size_t(height), 0);
}

Status Image::Save(const wchar_t* file, const CLSID* encoder, const EncoderParameters* parameters) {
    if (status_ != Ok)
        return status_;
    if (!GdiplusStarted())
        return GdiplusNotInitialized;
    return Encode(*this, file, encoder, parameters);
}

Bitmap::Bitmap(INT width, INT height, PixelFormat format) : Image(width, height, format) {
    if (status_ == Ok && format != PixelFormat32bppARGB && format != PixelFormat32bppRGB) {
        status_ = InvalidParameter;
    }
}

namespace {

// The size of a GDI bitmap, or 0 x 0 for a stale handle.
SIZE SizeOf(HBITMAP bitmap) {
    BITMAP bm{};
    if (GetObject(bitmap, sizeof bm, &bm) == 0)
        return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

}  // namespace

Bitmap::Bitmap(HBITMAP bitmap, HPALETTE)
    : Image(SizeOf(bitmap).cx, SizeOf(bitmap).cy, PixelFormat32bppRGB) {
    if (status_ != Ok)
        return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    if (GetDIBits(nullptr, bitmap, 0, UINT(height_), pixels_.data(), &info, DIB_RGB_COLORS) !=
        height_) {
        status_ = InvalidParameter;
        return;
    }
    for (ARGB& p : pixels_)
        p |= 0xFF000000u;
}

}  // namespace Gdiplus
