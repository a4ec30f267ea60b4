// A GDI+ bitmap: an image made empty or from a GDI bitmap.
#pragma once

#include "platform/gdi/GdiPlusImage.h"

namespace Gdiplus {

class Bitmap : public Image {
public:
    // Transparent black of the size; 32-bit formats only.
    Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);
    // A copy of a GDI bitmap's pixels, opaque. The palette is not used.
    Bitmap(HBITMAP bitmap, HPALETTE palette);
    static Bitmap* FromHBITMAP(HBITMAP bitmap, HPALETTE palette) {
        return new Bitmap(bitmap, palette);
    }
};

}  // namespace Gdiplus
