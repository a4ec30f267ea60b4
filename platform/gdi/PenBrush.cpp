#include "platform/gdi/PenBrush.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/gdi/BrushObject.h"
#include "platform/gdi/PenObject.h"

namespace {

constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

template <typename T>
int CopyOut(const T& value, int size, void* out) {
    if (!out)
        return int(sizeof(T));
    int n = std::min<int>(size, sizeof(T));
    std::memcpy(out, &value, size_t(n));
    return n;
}

}  // namespace

PenObject::PenObject(const LOGPEN& pen) : pen_(pen) {
    if (pen_.lopnStyle > PS_INSIDEFRAME)
        pen_.lopnStyle = PS_SOLID;
}

int PenObject::Describe(int size, void* out) const {
    return CopyOut(pen_, size, out);
}

const int* PenObject::Dashes(int* count) const {
    *count = 0;
    if (pen_.lopnWidth.x > 1)
        return nullptr;  // wide pens are always solid
    switch (pen_.lopnStyle) {
        case PS_DASH:
            *count = int(std::size(kDash));
            return kDash;
        case PS_DOT:
            *count = int(std::size(kDot));
            return kDot;
        case PS_DASHDOT:
            *count = int(std::size(kDashDot));
            return kDashDot;
        case PS_DASHDOTDOT:
            *count = int(std::size(kDashDotDot));
            return kDashDotDot;
        default:
            return nullptr;
    }
}

int BrushObject::Describe(int size, void* out) const {
    return CopyOut(brush_, size, out);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen)
        return nullptr;
    return static_cast<HPEN>(RegisterGdiObject(std::make_shared<PenObject>(*pen)));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    LOGPEN pen{UINT(style), {width, 0}, colour};
    return CreatePenIndirect(&pen);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush || (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL))
        return nullptr;
    return static_cast<HBRUSH>(RegisterGdiObject(std::make_shared<BrushObject>(*brush)));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    return CreateBrushIndirect(&brush);
}
