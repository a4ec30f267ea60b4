#include "platform/user/RowScrollBar.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/Messages.h"
#include "platform/user/Rects.h"
#include "platform/user/Theme.h"

namespace {

constexpr int kMinThumb = 16;
constexpr int kWheelRows = 3;
constexpr int kInset = 3;  // between the strip's sides and the thumb

// A horizontal strip seen as a vertical one, and back.
RECT Transposed(const RECT& r) {
    return RECT{r.top, r.left, r.bottom, r.right};
}

}  // namespace

RECT RowScrollThumb(const RECT& bar, const RowScroll& s) {
    const int length = bar.bottom - bar.top;
    const int rows = std::max(1, s.rows);
    const int thumb = std::min(length, std::max(kMinThumb, MulDiv(length, s.perPage, rows)));
    const int travel = length - thumb;
    const int y = bar.top + MulDiv(travel, s.top, std::max(1, s.MaxTop()));
    return RECT{bar.left, y, bar.right, y + thumb};
}

int RowScrollPress(const RECT& bar, const RowScroll& s, int y) {
    const RECT thumb = RowScrollThumb(bar, s);
    if (y < thumb.top)
        return std::max(0, s.top - s.perPage);
    if (y >= thumb.bottom)
        return std::min(s.MaxTop(), s.top + s.perPage);
    return -1;
}

int RowScrollDrag(const RECT& bar, const RowScroll& s, int y, int grab) {
    const RECT thumb = RowScrollThumb(bar, s);
    const int travel = std::max(1, int((bar.bottom - bar.top) - (thumb.bottom - thumb.top)));
    const int offset = y - grab - bar.top;
    return std::clamp((offset * s.MaxTop() + travel / 2) / travel, 0, s.MaxTop());
}

int RowScrollWheel(const RowScroll& s, int delta) {
    return std::clamp(s.top - delta / WHEEL_DELTA * kWheelRows, 0, s.MaxTop());
}

void PaintRowScrollBar(HDC dc, const RECT& bar, const RowScroll& s) {
    FillSolidRect(dc, &bar, kTheme.scrollTrack);
    RECT thumb = RowScrollThumb(bar, s);
    InflateRect(&thumb, -kInset, -1);
    FillSolidRect(dc, &thumb, kTheme.scrollThumb);
}

RECT ColumnScrollThumb(const RECT& bar, const RowScroll& s) {
    return Transposed(RowScrollThumb(Transposed(bar), s));
}

int ColumnScrollPress(const RECT& bar, const RowScroll& s, int x) {
    return RowScrollPress(Transposed(bar), s, x);
}

int ColumnScrollDrag(const RECT& bar, const RowScroll& s, int x, int grab) {
    return RowScrollDrag(Transposed(bar), s, x, grab);
}

void PaintColumnScrollBar(HDC dc, const RECT& bar, const RowScroll& s) {
    FillSolidRect(dc, &bar, kTheme.scrollTrack);
    RECT thumb = ColumnScrollThumb(bar, s);
    InflateRect(&thumb, -1, -kInset);
    FillSolidRect(dc, &thumb, kTheme.scrollThumb);
}
