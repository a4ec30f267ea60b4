#include "app/controls/skin/SliderParts.h"

#include <algorithm>

#include "app/controls/skin/SkinBitmap.h"

namespace slider {
namespace {

// The resource bitmap in a memory context; deselected and deleted on exit.
class LoadedBitmap {
public:
    explicit LoadedBitmap(UINT id) : dc_(::CreateCompatibleDC(nullptr)) {
        bitmap_.LoadBitmap(id);
        if (dc_ != nullptr && bitmap_.GetSafeHandle() != nullptr)
            old_ = ::SelectObject(dc_, bitmap_);
    }
    ~LoadedBitmap() {
        if (dc_ == nullptr)
            return;
        if (old_ != nullptr)
            ::SelectObject(dc_, old_);
        ::DeleteDC(dc_);
    }
    LoadedBitmap(const LoadedBitmap&) = delete;
    LoadedBitmap& operator=(const LoadedBitmap&) = delete;

    bool Ok() const { return old_ != nullptr; }
    HDC Dc() const { return dc_; }
    int Width() const { return bitmap_.GetWidth(); }
    int Height() const { return bitmap_.GetHeight(); }

private:
    CSkinBitmap bitmap_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
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
