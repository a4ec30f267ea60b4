#include "platform/user/Rects.h"

#include <algorithm>

#include "platform/gdi/Region.h"

BOOL SetRect(RECT* r, int left, int top, int right, int bottom) {
    if (r == nullptr)
        return FALSE;
    *r = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(RECT* r) {
    return SetRect(r, 0, 0, 0, 0);
}

BOOL CopyRect(RECT* dst, const RECT* src) {
    if (dst == nullptr || src == nullptr)
        return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* r) {
    return r == nullptr || r->right <= r->left || r->bottom <= r->top ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (a == nullptr || b == nullptr)
        return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom
               ? TRUE
               : FALSE;
}

BOOL PtInRect(const RECT* r, POINT p) {
    if (r == nullptr)
        return FALSE;
    return p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom ? TRUE : FALSE;
}

BOOL OffsetRect(RECT* r, int dx, int dy) {
    if (r == nullptr)
        return FALSE;
    *r = RECT{r->left + dx, r->top + dy, r->right + dx, r->bottom + dy};
    return TRUE;
}

BOOL InflateRect(RECT* r, int dx, int dy) {
    if (r == nullptr)
        return FALSE;
    *r = RECT{r->left - dx, r->top - dy, r->right + dx, r->bottom + dy};
    return TRUE;
}

BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *dst = RECT{};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    if (IsRectEmpty(a) && IsRectEmpty(b)) {
        *dst = RECT{};
        return FALSE;
    }
    if (IsRectEmpty(a))
        return CopyRect(dst, b);
    if (IsRectEmpty(b))
        return CopyRect(dst, a);
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
    if (dst == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    RECT r = *a;
    RECT overlap{};
    if (IntersectRect(&overlap, a, b)) {
        // Only a cut that leaves a rectangle changes anything.
        const bool fullWidth = overlap.left <= a->left && overlap.right >= a->right;
        const bool fullHeight = overlap.top <= a->top && overlap.bottom >= a->bottom;
        if (fullWidth && overlap.top <= a->top)
            r.top = overlap.bottom;
        else if (fullWidth && overlap.bottom >= a->bottom)
            r.bottom = overlap.top;
        else if (fullHeight && overlap.left <= a->left)
            r.left = overlap.right;
        else if (fullHeight && overlap.right >= a->right)
            r.right = overlap.left;
    }
    *dst = r;
    return IsRectEmpty(&r) ? FALSE : TRUE;
}

std::vector<RECT> RegionRects(HRGN region) {
    if (region == nullptr)
        return {};
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0)
        return {};
    std::vector<char> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (GetRegionData(region, size, rgn) == 0)
        return {};
    const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    return std::vector<RECT>(rects, rects + rgn->rdh.nCount);
}
