#include "platform/gdi/ShapeRegions.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/Region.h"

namespace {

// The horizontal extent [from, to) of row y (its centre y + 0.5) of a rounded
// rectangle, or false when the row is outside.
bool RoundRectRow(int left, int top, int right, int bottom, double rx, double ry, int y, int* from,
                  int* to) {
    double cy = y + 0.5;
    double inset = 0;
    if (ry > 0) {
        double d = 0;
        if (cy < top + ry)
            d = top + ry - cy;
        if (cy > bottom - ry)
            d = cy - (bottom - ry);
        if (d > ry)
            return false;
        inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - (d / ry) * (d / ry)));
    }
    // Pixels whose centre x + 0.5 lies within [left + inset, right - inset].
    *from = int(std::ceil(left + inset - 0.5));
    *to = int(std::floor(right - inset - 0.5)) + 1;
    return *from < *to;
}

int Cut(LONG v) {
    return int(std::clamp<LONG>(v, -(1 << 27), 1 << 27));
}

}  // namespace

PixelRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                            int ellipseHeight) {
    left = Cut(left);
    top = Cut(top);
    right = Cut(right);
    bottom = Cut(bottom);
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    double rx = std::min(std::abs(ellipseWidth), right - left) / 2.0;
    double ry = std::min(std::abs(ellipseHeight), bottom - top) / 2.0;
    if (rx <= 0 || ry <= 0)
        rx = ry = 0;
    PixelRegion region;
    for (int y = top; y < bottom; ++y) {
        int from, to;
        if (RoundRectRow(left, top, right, bottom, rx, ry, y, &from, &to)) {
            region.AppendBand(y, y + 1, {{from, to}});
        }
    }
    return region;
}

PixelRegion PolygonRegion(const POINT* points, int count, int fillMode) {
    PixelRegion region;
    if (!points || count < 3)
        return region;
    std::vector<POINT> cut(points, points + count);
    for (POINT& p : cut)
        p = {Cut(p.x), Cut(p.y)};
    points = cut.data();
    int top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        double cy = y + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            POINT a = points[i], b = points[(i + 1) % count];
            if (a.y == b.y)
                continue;
            int direction = a.y < b.y ? 1 : -1;
            if (a.y > b.y)
                std::swap(a, b);
            if (cy < a.y || cy >= b.y)
                continue;
            crossings.push_back({a.x + (cy - a.y) * (b.x - a.x) / double(b.y - a.y), direction});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        std::vector<Span> spans;
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            bool inside = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (!inside)
                continue;
            int from = int(std::ceil(crossings[i].x - 0.5));
            int to = int(std::ceil(crossings[i + 1].x - 0.5));
            if (from >= to)
                continue;
            if (!spans.empty() && spans.back().right >= from) {
                spans.back().right = std::max(spans.back().right, to);
            } else {
                spans.push_back({from, to});
            }
        }
        region.AppendBand(y, y + 1, std::move(spans));
    }
    return region;
}
