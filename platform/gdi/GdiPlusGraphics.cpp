#include "platform/gdi/GdiPlusGraphics.h"

#include <cmath>

namespace Gdiplus {
namespace {

ARGB Over(ARGB s, ARGB d) {
    uint32_t a = s >> 24;
    if (a == 255)
        return s;
    if (a == 0)
        return d;
    ARGB out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sc = shift == 24 ? 255 : (s >> shift) & 0xFF;
        uint32_t dc = (d >> shift) & 0xFF;
        out |= ((sc * a + dc * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace

Status Graphics::ScaleTransform(REAL sx, REAL sy) {
    if (!target_ || sx == 0 || sy == 0)
        return InvalidParameter;
    scaleX_ *= sx;
    scaleY_ *= sy;
    return Ok;
}

Status Graphics::DrawImage(Image* image, INT x, INT y) {
    if (!image)
        return InvalidParameter;
    return DrawImage(image, x, y, INT(image->GetWidth()), INT(image->GetHeight()));
}

Status Graphics::DrawImage(Image* image, INT x, INT y, INT width, INT height) {
    if (!target_ || !image || width <= 0 || height <= 0)
        return InvalidParameter;
    if (target_->GetLastStatus() != Ok)
        return target_->GetLastStatus();
    if (image->GetLastStatus() != Ok)
        return image->GetLastStatus();
    // The destination rectangle in target pixels, after the transform.
    int left = int(std::lround(x * scaleX_)), top = int(std::lround(y * scaleY_));
    int w = int(std::lround(width * scaleX_)), h = int(std::lround(height * scaleY_));
    int tw = int(target_->GetWidth()), th = int(target_->GetHeight());
    int sw = int(image->GetWidth()), sh = int(image->GetHeight());
    for (int ty = std::max(0, top); ty < std::min(th, top + h); ++ty) {
        int sy = int(int64_t(ty - top) * sh / h);
        const ARGB* src = image->Pixels() + size_t(sy) * size_t(sw);
        ARGB* dst = target_->Pixels() + size_t(ty) * size_t(tw);
        for (int tx = std::max(0, left); tx < std::min(tw, left + w); ++tx) {
            dst[tx] = Over(src[int64_t(tx - left) * sw / w], dst[tx]);
        }
    }
    return Ok;
}

}  // namespace Gdiplus
