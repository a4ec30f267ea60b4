#include "app/controls/draw/QoDrawManager.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// An icon's bitmaps as GetIconInfo hands them out, deleted on exit.
struct IconBitmaps {
    ICONINFO info{};
    bool ok = false;
    explicit IconBitmaps(HICON icon) : ok(icon != nullptr && GetIconInfo(icon, &info)) {}
    ~IconBitmaps() {
        if (ok) {
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
        }
    }
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
};

struct OwnedIcon {
    HICON handle;
    ~OwnedIcon() {
        if (handle != nullptr)
            DestroyIcon(handle);
    }
};

// A bitmap like `model` (planes and bits per pixel) of width x height holding
// (0, 0, sw, sh) of `source` stretched.
HBITMAP StretchedLike(HBITMAP source, int sw, int sh, int width, int height) {
    BITMAP b{};
    if (GetObject(source, sizeof(b), &b) == 0)
        return nullptr;
    HBITMAP out = b.bmBitsPixel == 1 ? CreateBitmap(width, height, 1, 1, nullptr)
                                     : CreateCompatibleBitmap(nullptr, width, height);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    if (out != nullptr && from != nullptr && to != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, out);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, sw, sh, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from != nullptr)
        DeleteDC(from);
    if (to != nullptr)
        DeleteDC(to);
    return out;
}

}  // namespace

void CQoDrawManager::GetIconExtent(HICON icon, SIZE* out) const {
    *out = SIZE{0, 0};
    const IconBitmaps bitmaps(icon);
    if (bitmaps.ok)
        *out = SIZE{LONG(2 * bitmaps.info.xHotspot), LONG(2 * bitmaps.info.yHotspot)};
}

HICON CQoDrawManager::ResizeIcon(HICON icon, int width, int height) {
    const IconBitmaps bitmaps(icon);
    if (!bitmaps.ok || width <= 0 || height <= 0)
        return nullptr;
    const int sw = int(2 * bitmaps.info.xHotspot);
    const int sh = int(2 * bitmaps.info.yHotspot);
    ICONINFO made{TRUE, 0, 0, StretchedLike(bitmaps.info.hbmMask, sw, sh, width, height),
                  StretchedLike(bitmaps.info.hbmColor, sw, sh, width, height)};
    HICON resized = CreateIconIndirect(&made);
    DeleteObject(made.hbmMask);
    DeleteObject(made.hbmColor);
    return resized;
}

void CQoDrawManager::DrawIcon(HDC dc, int x, int y, DWORD cx, DWORD cy, HICON icon, DWORD flags,
                              BOOL shadow, int shadowDx, int shadowDy, DWORD depthX, DWORD depthY,
                              COLORREF colour) {
    m_bHasAlpha = FALSE;
    if (icon == nullptr || cx == 0 || cy == 0)
        return;
    SIZE extent;
    GetIconExtent(icon, &extent);
    const bool ownSize = extent.cx == LONG(cx) && extent.cy == LONG(cy);
    const OwnedIcon sized{ownSize ? CopyIcon(icon) : ResizeIcon(icon, int(cx), int(cy))};
    const IconBitmaps bitmaps(sized.handle);
    if (!bitmaps.ok)
        return;
    const bool shape = (flags & IMAGE_EFFECT_COLOURIZE) != 0;
    HBITMAP image =
        shape ? MakeEffectBitmap(bitmaps.info.hbmMask, cx, cy, flags, TRUE, kWhite, colour)
              : MakeEffectBitmap(bitmaps.info.hbmColor, cx, cy, flags, TRUE, RGB(0, 0, 0), colour);
    if (image == nullptr)
        return;
    ShadowOrOffset(dc, &x, &y, cx, cy, bitmaps.info.hbmMask, TRUE, kWhite, flags, shadow, shadowDx,
                   shadowDy, depthX, depthY, colour);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    DrawPrepared(dc, x, y, int(cx), int(cy), image, bitmaps.info.hbmMask);
    SetTextColor(dc, oldText);
    DeleteObject(image);
}
