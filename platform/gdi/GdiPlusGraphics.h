// A GDI+ graphics object: draws images onto an image, through a scale
// transform. It does not own its target.
#pragma once

#include "platform/gdi/GdiPlusImage.h"

namespace Gdiplus {

class Graphics {
public:
    explicit Graphics(Image* target) : target_(target) {}
    static Graphics* FromImage(Image* target) { return new Graphics(target); }

    Status ScaleTransform(REAL sx, REAL sy);
    // Source over, each target pixel sampling the nearest source pixel.
    Status DrawImage(Image* image, INT x, INT y);
    Status DrawImage(Image* image, INT x, INT y, INT width, INT height);

private:
    Image* target_;
    REAL scaleX_ = 1, scaleY_ = 1;
};

}  // namespace Gdiplus
