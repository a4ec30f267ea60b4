#include "app/controls/skin/SliderParts.h"

#include <algorithm>

#include "app/controls/draw/MemoryDc.h"
#include "app/controls/skin/SkinBitmap.h"

namespace slider {
namespace {

// The resource bitmap in a memory context; deselected and deleted on exit.
class LoadedBitmap {
public:
    explicit LoadedBitmap(UINT id) {
        bitmap_.LoadBitmap(id);
        dc_.Select(HBITMAP(bitmap_.GetSafeHandle()));
    }

    bool Ok() const { return dc_.Selected(); }
    HDC Dc() const { return dc_.Dc(); }
    int Width() const { return bitmap_.GetWidth(); }
    int Height() const { return bitmap_.GetHeight(); }

private:
    CSkinBitmap bitmap_;
    MemoryDc dc_;  // after the bitmap: deselects it before it is deleted
};

}  // namespace

int PositionFromX(int x, int span, int min, int max) {
    if (span <= 0)
        return min;
    return int(double(x) / span * (max - min)) + min;
}

int ThumbOffset(int width, int height, int min, int max, int pos) {
    if (max == min)
        return 0;
    const int offset = int(double(width - height) / (max - min) * (pos - min));
    return std::clamp(offset, 0, std::max(0, width - height));
}

void StretchResource(HDC dc, UINT id, const RECT& rect) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    LoadedBitmap bitmap(id);
    if (w > 0 && h > 0 && bitmap.Ok())
        ::StretchBlt(dc, rect.left, rect.top, w, h, bitmap.Dc(), 0, 0, bitmap.Width(),
                     bitmap.Height(), SRCCOPY);
}

void DrawThumb(HDC dc, UINT id, int offset, int side) {
    LoadedBitmap bitmap(id);
    if (side > 0 && bitmap.Ok())
        ::TransparentBlt(dc, offset, 0, side, side, bitmap.Dc(), 0, 0, bitmap.Width(),
                         bitmap.Height(), RGB(0, 0, 0));
}

}  // namespace slider
