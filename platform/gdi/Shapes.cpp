#include "platform/gdi/Shapes.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/gdi/Blit.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/ShapeRegions.h"
#include "platform/gdi/SystemMetrics.h"

namespace {

// Calls f(x, y) for the points of a line, leaving out (x1, y1).
template <typename F>
void WalkLine(int x0, int y0, int x1, int y1, F&& f) {
    // GDI's coordinates have 27 bits and a sign.
    auto cut = [](int v) { return std::clamp(v, -(1 << 27), 1 << 27); };
    x0 = cut(x0), y0 = cut(y0), x1 = cut(x1), y1 = cut(y1);
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx - dy;
    for (int steps = std::max(dx, dy); steps > 0; --steps) {
        f(x0, y0);
        int e2 = 2 * error;
        if (e2 > -dy) {
            error -= dy;
            x0 += sx;
        }
        if (e2 < dx) {
            error += dx;
            y0 += sy;
        }
    }
}

// A w x w square centred on a point of a wide line.
RECT Stamp(int x, int y, int w) {
    int left = x - w / 2, top = y - w / 2;
    return {left, top, left + w, top + w};
}

void DrawLine(DcObject& dc, Painter& painter, int x0, int y0, int x1, int y1) {
    DcState& s = dc.state();
    const PenObject& pen = *s.pen;
    if (pen.Null())
        return;
    uint32_t colour = WordOfColorRef(pen.pen().lopnColor);
    if (pen.Width() > 1) {
        std::vector<RECT> stamps;
        WalkLine(x0, y0, x1, y1, [&](int x, int y) { stamps.push_back(Stamp(x, y, pen.Width())); });
        stamps.push_back(Stamp(x1, y1, pen.Width()));  // wide lines cap their end
        painter.FillRegion(PixelRegion::FromRects(stamps), colour);
        return;
    }
    int count = 0;
    const int* dashes = pen.Dashes(&count);
    if (!dashes) {
        WalkLine(x0, y0, x1, y1, [&](int x, int y) { painter.Plot(x, y, colour); });
        return;
    }
    int period = 0;
    for (int i = 0; i < count; ++i)
        period += dashes[i];
    uint32_t gap = WordOfColorRef(s.bkColour);
    WalkLine(x0, y0, x1, y1, [&](int x, int y) {
        int at = s.penPhase++ % period, i = 0;
        while (at >= dashes[i])
            at -= dashes[i++];
        if (i % 2 == 0) {
            painter.Plot(x, y, colour);
        } else if (s.bkMode == OPAQUE) {
            painter.Plot(x, y, gap);
        }
    });
}

// Fill and outline of a closed shape given as pixels: the outline is the
// outer shape less the shape inset by the pen's width; a null pen leaves the
// shape one pixel smaller at the right and bottom.
BOOL DrawShape(HDC handle, int left, int top, int right, int bottom, int ew, int eh) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    if (!dc)
        return FALSE;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const DcState& s = dc->state();
    Painter painter(*dc);
    if (!painter.Drawable())
        return TRUE;
    bool nullPen = s.pen->Null();
    if (nullPen) {
        --right;
        --bottom;
    }
    PixelRegion outer = RoundRectRegion(left, top, right, bottom, ew, eh);
    int w = nullPen ? 0 : s.pen->Width();
    PixelRegion inner =
        w ? RoundRectRegion(left + w, top + w, right - w, bottom - w, ew - 2 * w, eh - 2 * w)
          : outer;
    if (!s.brush->Hollow())
        painter.FillRegion(inner, WordOfColorRef(s.brush->Colour()));
    int dashCount = 0;
    if (w == 1 && ew == 0 && eh == 0 && s.pen->Dashes(&dashCount)) {
        // A styled frame runs its pattern clockwise from the top-left corner.
        const POINT corners[] = {{left, top},
                                 {right - 1, top},
                                 {right - 1, bottom - 1},
                                 {left, bottom - 1},
                                 {left, top}};
        dc->state().penPhase = 0;
        for (int i = 0; i < 4; ++i) {
            DrawLine(*dc, painter, corners[i].x, corners[i].y, corners[i + 1].x, corners[i + 1].y);
        }
    } else if (w) {
        painter.FillRegion(PixelRegion::Combine(outer, inner, PixelRegion::Op::Diff),
                           WordOfColorRef(s.pen->pen().lopnColor));
    }
    return TRUE;
}

std::shared_ptr<BrushObject> BrushOf(HBRUSH brush) {
    auto index = reinterpret_cast<uintptr_t>(brush);
    if (index > 0 && index <= 31)
        return LookUpGdiObjectAs<BrushObject>(GetSysColorBrush(int(index - 1)));
    return LookUpGdiObjectAs<BrushObject>(brush);
}

BOOL FillArea(HDC handle, const PixelRegion& area, HBRUSH brush) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    std::shared_ptr<BrushObject> b = BrushOf(brush);
    if (!dc || !b)
        return FALSE;
    if (b->Hollow())
        return TRUE;
    Painter(*dc).FillRegion(area, WordOfColorRef(b->Colour()));
    return TRUE;
}

PixelRegion RegionOf(HRGN region, bool* found) {
    std::shared_ptr<RegionObject> r = LookUpGdiObjectAs<RegionObject>(region);
    *found = r != nullptr;
    return r ? r->Get() : PixelRegion();
}

PixelRegion Shifted(const PixelRegion& r, int dx, int dy) {
    PixelRegion copy = r;
    copy.Offset(dx, dy);
    return copy;
}

}  // namespace

BOOL LineTo(HDC handle, int x, int y) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    if (!dc)
        return FALSE;
    Painter painter(*dc);
    POINT from = dc->state().position;
    if (painter.Drawable())
        DrawLine(*dc, painter, from.x, from.y, x, y);
    dc->state().position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    if (!dc || !points || count < 2)
        return FALSE;
    Painter painter(*dc);
    if (!painter.Drawable())
        return TRUE;
    for (int i = 0; i + 1 < count; ++i) {
        DrawLine(*dc, painter, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y);
    }
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    return DrawShape(dc, left, top, right, bottom, 0, 0);
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight) {
    return DrawShape(dc, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return DrawShape(dc, left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    if (!dc || !points || count < 2)
        return FALSE;
    Painter painter(*dc);
    if (!painter.Drawable())
        return TRUE;
    const DcState& s = dc->state();
    if (!s.brush->Hollow()) {
        painter.FillRegion(PolygonRegion(points, count, s.polyFillMode),
                           WordOfColorRef(s.brush->Colour()));
    }
    for (int i = 0; i < count; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % count];
        DrawLine(*dc, painter, a.x, a.y, b.x, b.y);
    }
    return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!rect)
        return FALSE;
    return FillArea(dc, PixelRegion::FromRect(rect->left, rect->top, rect->right, rect->bottom),
                    brush);
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!rect)
        return FALSE;
    PixelRegion outer = PixelRegion::FromRect(rect->left, rect->top, rect->right, rect->bottom);
    PixelRegion inner =
        PixelRegion::FromRect(rect->left + 1, rect->top + 1, rect->right - 1, rect->bottom - 1);
    return FillArea(dc, PixelRegion::Combine(outer, inner, PixelRegion::Op::Diff), brush);
}

void FillSolidRect(HDC handle, const RECT* rect, COLORREF colour) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    if (!dc || !rect)
        return;
    dc->state().bkColour = colour;
    Painter(*dc).FillRect(rect->left, rect->top, rect->right, rect->bottom, WordOfColorRef(colour));
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    if (!rect)
        return FALSE;
    return PatBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                  DSTINVERT);
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    bool found = false;
    PixelRegion area = RegionOf(region, &found);
    return found ? FillArea(dc, area, brush) : FALSE;
}

BOOL PaintRgn(HDC handle, HRGN region) {
    std::shared_ptr<DcObject> dc = LookUpDc(handle);
    if (!dc)
        return FALSE;
    return FillRgn(handle, region, static_cast<HBRUSH>(HandleOfGdiObject(dc->state().brush.get())));
}

BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
    bool found = false;
    PixelRegion area = RegionOf(region, &found);
    if (!found)
        return FALSE;
    // The inside is what stays in the region when moved by the border size in
    // every direction.
    PixelRegion inside = area;
    for (PixelRegion moved : {Shifted(area, width, 0), Shifted(area, -width, 0),
                              Shifted(area, 0, height), Shifted(area, 0, -height)}) {
        inside = PixelRegion::Combine(inside, moved, PixelRegion::Op::And);
    }
    return FillArea(dc, PixelRegion::Combine(area, inside, PixelRegion::Op::Diff), brush);
}
