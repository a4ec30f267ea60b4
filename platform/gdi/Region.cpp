#include "platform/gdi/Region.h"

#include <cstring>

#include "platform/gdi/RegionObject.h"
#include "platform/gdi/ShapeRegions.h"

namespace {

HRGN Register(PixelRegion region) {
    return static_cast<HRGN>(RegisterGdiObject(std::make_shared<RegionObject>(std::move(region))));
}

std::shared_ptr<RegionObject> Find(HRGN region) {
    return LookUpGdiObjectAs<RegionObject>(region);
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return Register(PixelRegion::FromRect(left, top, right, bottom));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    return Register(RoundRectRegion(left, top, right, bottom, ellipseWidth, ellipseHeight));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return Register(RoundRectRegion(left, top, right, bottom, right - left, bottom - top));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 0 || (fillMode != ALTERNATE && fillMode != WINDING))
        return nullptr;
    return Register(PolygonRegion(points, count, fillMode));
}

HRGN ExtCreateRegion(const XFORM* transform, DWORD size, const RGNDATA* data) {
    if (transform || !data || size < sizeof(RGNDATAHEADER))
        return nullptr;
    if (data->rdh.iType != RDH_RECTANGLES || data->rdh.dwSize < sizeof(RGNDATAHEADER) ||
        data->rdh.dwSize > size) {
        return nullptr;
    }
    DWORD count = data->rdh.nCount;
    if ((size - data->rdh.dwSize) / sizeof(RECT) < count)
        return nullptr;
    std::vector<RECT> rects(count);
    if (count) {
        std::memcpy(rects.data(), reinterpret_cast<const char*>(data) + data->rdh.dwSize,
                    count * sizeof(RECT));
    }
    return Register(PixelRegion::FromRects(rects));
}

int CombineRgn(HRGN destination, HRGN a, HRGN b, int mode) {
    std::shared_ptr<RegionObject> d = Find(destination), ra = Find(a);
    if (!d || !ra)
        return RGN_ERROR;
    if (mode == RGN_COPY) {
        d->Set(ra->Get());
        return d->Get().Kind();
    }
    std::shared_ptr<RegionObject> rb = Find(b);
    if (!rb)
        return RGN_ERROR;
    PixelRegion::Op op;
    switch (mode) {
        case RGN_AND:
            op = PixelRegion::Op::And;
            break;
        case RGN_OR:
            op = PixelRegion::Op::Or;
            break;
        case RGN_XOR:
            op = PixelRegion::Op::Xor;
            break;
        case RGN_DIFF:
            op = PixelRegion::Op::Diff;
            break;
        default:
            return RGN_ERROR;
    }
    PixelRegion result = PixelRegion::Combine(ra->Get(), rb->Get(), op);
    int kind = result.Kind();
    d->Set(std::move(result));
    return kind;
}

int OffsetRgn(HRGN region, int dx, int dy) {
    std::shared_ptr<RegionObject> r = Find(region);
    if (!r)
        return RGN_ERROR;
    PixelRegion moved = r->Get();
    moved.Offset(dx, dy);
    int kind = moved.Kind();
    r->Set(std::move(moved));
    return kind;
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    std::shared_ptr<RegionObject> r = Find(region);
    if (!r)
        return FALSE;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    r->Set(PixelRegion::FromRect(left, top, right, bottom));
    return TRUE;
}

BOOL PtInRegion(HRGN region, int x, int y) {
    std::shared_ptr<RegionObject> r = Find(region);
    return r && r->Get().Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    std::shared_ptr<RegionObject> r = Find(region);
    return r && rect && r->Get().Intersects(*rect) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
    std::shared_ptr<RegionObject> ra = Find(a), rb = Find(b);
    if (!ra || !rb)
        return RGN_ERROR;
    return ra->Get() == rb->Get() ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, RECT* box) {
    std::shared_ptr<RegionObject> r = Find(region);
    if (!r || !box)
        return RGN_ERROR;
    PixelRegion pixels = r->Get();
    *box = pixels.Box();
    return pixels.Kind();
}

DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data) {
    std::shared_ptr<RegionObject> r = Find(region);
    if (!r)
        return 0;
    PixelRegion pixels = r->Get();
    std::vector<RECT> rects = pixels.Rects();
    DWORD needed = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!data)
        return needed;
    if (size < needed)
        return 0;
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(rects.size()),
                 DWORD(rects.size() * sizeof(RECT)), pixels.Box()};
    if (!rects.empty())
        std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return needed;
}
