#include <algorithm>

#include "app/controls/draw/DibSectionCopy.h"
#include "app/controls/draw/MemoryDc.h"
#include "app/controls/draw/PixelWords.h"
#include "app/controls/draw/QoDrawManager.h"

namespace {

constexpr DWORD kShapeFlags = IMAGE_EFFECT_INVERT | IMAGE_EFFECT_COLOURIZE;

// A bitmap this file made, deleted on exit.
struct OwnedBitmap {
    HBITMAP handle;
    ~OwnedBitmap() {
        if (handle != nullptr)
            DeleteObject(handle);
    }
};

// A new bitmap of cx x cy compatible with `like` holding (sx, sy, sw, sh) of
// `bitmap`, copied 1:1 when the sizes agree, else stretched.
HBITMAP CopyPart(HDC like, HBITMAP bitmap, int sx, int sy, int sw, int sh, int cx, int cy) {
    HBITMAP copy = CreateCompatibleBitmap(like, cx, cy);
    HDC from = CreateCompatibleDC(like);
    HDC to = CreateCompatibleDC(like);
    if (copy != nullptr && from != nullptr && to != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, bitmap);
        HGDIOBJ oldTo = SelectObject(to, copy);
        if (sw == cx && sh == cy)
            BitBlt(to, 0, 0, cx, cy, from, sx, sy, SRCCOPY);
        else
            StretchBlt(to, 0, 0, cx, cy, from, sx, sy, sw, sh, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from != nullptr)
        DeleteDC(from);
    if (to != nullptr)
        DeleteDC(to);
    return copy;
}

}  // namespace

void CQoDrawManager::DrawBitmap(HDC dc, int x, int y, DWORD cx, DWORD cy, HBITMAP bitmap,
                                BOOL useMask, COLORREF maskColour, DWORD flags, BOOL shadow,
                                int shadowDx, int shadowDy, DWORD depthX, DWORD depthY,
                                COLORREF colour) {
    m_bHasAlpha = FALSE;
    if (bitmap == nullptr || cx == 0 || cy == 0)
        return;
    SIZE extent;
    GetBitmapExtent(bitmap, &extent);
    OwnedBitmap copy{CopyPart(dc, bitmap, 0, 0, extent.cx, extent.cy, int(cx), int(cy))};
    if (copy.handle == nullptr)
        return;
    OwnedBitmap mask{MakeEffectBitmap(copy.handle, cx, cy, kShapeFlags, useMask, maskColour,
                                      RGB(255, 255, 255))};
    OwnedBitmap image{MakeEffectBitmap(copy.handle, cx, cy, flags, useMask, maskColour, colour)};
    if (mask.handle == nullptr || image.handle == nullptr)
        return;
    ShadowOrOffset(dc, &x, &y, cx, cy, copy.handle, useMask, maskColour, flags, shadow, shadowDx,
                   shadowDy, depthX, depthY, colour);
    DrawPrepared(dc, x, y, int(cx), int(cy), image.handle, mask.handle);
}

void CQoDrawManager::ShadowOrOffset(HDC dc, int* x, int* y, DWORD cx, DWORD cy, HBITMAP shape,
                                    BOOL useMask, COLORREF maskColour, DWORD flags, BOOL shadow,
                                    int shadowDx, int shadowDy, DWORD depthX, DWORD depthY,
                                    COLORREF colour) {
    if (!shadow)
        return;
    if (!(flags & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_SOFT_SHADOW))) {
        *x += shadowDx;
        *y += shadowDy;
        return;
    }
    const COLORREF negated =
        pixelwords::ToColour(pixelwords::Negate(pixelwords::FromColour(colour)));
    OwnedBitmap shadowMask{
        MakeEffectBitmap(shape, cx, cy, kShapeFlags, useMask, maskColour, negated)};
    DrawShadow(dc, *x + shadowDx, *y + shadowDy, cx, cy, shadowMask.handle,
               (flags & IMAGE_EFFECT_SOFT_SHADOW) != 0, depthX, depthY);
}

void CQoDrawManager::DrawPrepared(HDC dc, int x, int y, int cx, int cy, HBITMAP image,
                                  HBITMAP mask) {
    HDC imageDc = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    if (imageDc != nullptr && maskDc != nullptr) {
        HGDIOBJ oldImage = SelectObject(imageDc, image);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        if (m_bHasAlpha) {
            BlendByAlphaChannel(dc, x, y, DWORD(cx), DWORD(cy), imageDc, 0, 0);
        } else {
            BitBlt(dc, x, y, cx, cy, maskDc, 0, 0, SRCAND);
            BitBlt(dc, x, y, cx, cy, imageDc, 0, 0, SRCPAINT);
        }
        SelectObject(imageDc, oldImage);
        SelectObject(maskDc, oldMask);
    }
    if (imageDc != nullptr)
        DeleteDC(imageDc);
    if (maskDc != nullptr)
        DeleteDC(maskDc);
}

void CQoDrawManager::DrawImageList(HDC dc, int x, int y, DWORD cx, DWORD cy, HBITMAP strip,
                                   int index, int cellWidth, int cellHeight, BOOL useMask,
                                   COLORREF maskColour, DWORD flags, BOOL shadow, int shadowDx,
                                   int shadowDy, DWORD depthX, DWORD depthY, COLORREF colour) {
    if (strip == nullptr || cellWidth <= 0 || cellHeight <= 0 || index < 0)
        return;
    SIZE extent;
    GetBitmapExtent(strip, &extent);
    const int columns = extent.cx / cellWidth;
    const int rows = extent.cy / cellHeight;
    if (columns == 0 || rows == 0 || index >= columns * rows)
        return;
    OwnedBitmap cell{CopyPart(dc, strip, (index % columns) * cellWidth,
                              (index / columns) * cellHeight, cellWidth, cellHeight, cellWidth,
                              cellHeight)};
    if (cell.handle != nullptr)
        DrawBitmap(dc, x, y, cx, cy, cell.handle, useMask, maskColour, flags, shadow, shadowDx,
                   shadowDy, depthX, depthY, colour);
}

namespace {

// One blit per tile over the area, each cut at its right and bottom edges.
void BlitTiles(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, int tileWidth,
               int tileHeight) {
    for (int ty = y; ty < y + cy; ty += tileHeight) {
        const int h = std::min(tileHeight, y + cy - ty);
        for (int tx = x; tx < x + cx; tx += tileWidth)
            BitBlt(dst, tx, ty, std::min(tileWidth, x + cx - tx), h, src, sx, sy, SRCCOPY);
    }
}

// Tiles smaller than this are first repeated into a scratch bitmap of about
// this many pixels a side, by doubling what is already there, so that the area
// takes a few blits rather than one a tile (a 1 x 1 tile over 2048 x 2048
// pixels was four million).
constexpr int kTileSpan = 256;

// Doubles the copies of the first tile in `dc` until `width` x `height` holds
// them all.
void RepeatFirstTile(HDC dc, int tileWidth, int tileHeight, int width, int height) {
    for (int filled = tileWidth; filled < width; filled *= 2)
        BitBlt(dc, filled, 0, std::min(filled, width - filled), tileHeight, dc, 0, 0, SRCCOPY);
    for (int filled = tileHeight; filled < height; filled *= 2)
        BitBlt(dc, 0, filled, width, std::min(filled, height - filled), dc, 0, 0, SRCCOPY);
}

}  // namespace

void CQoDrawManager::TileBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy,
                             int tileWidth, int tileHeight) {
    if (tileWidth <= 0 || tileHeight <= 0 || cx <= 0 || cy <= 0)
        return;
    const int repeatX = std::max(1, std::min(cx, kTileSpan) / tileWidth);
    const int repeatY = std::max(1, std::min(cy, kTileSpan) / tileHeight);
    if (repeatX * repeatY == 1) {
        BlitTiles(dst, x, y, cx, cy, src, sx, sy, tileWidth, tileHeight);
        return;
    }
    const int width = tileWidth * repeatX, height = tileHeight * repeatY;
    const OwnedBitmap bitmap{CreateCompatibleBitmap(dst, width, height)};
    const MemoryDc scratch(bitmap.handle, dst);
    if (!scratch.Selected()) {
        BlitTiles(dst, x, y, cx, cy, src, sx, sy, tileWidth, tileHeight);
        return;
    }
    BitBlt(scratch.Dc(), 0, 0, tileWidth, tileHeight, src, sx, sy, SRCCOPY);
    RepeatFirstTile(scratch.Dc(), tileWidth, tileHeight, width, height);
    BlitTiles(dst, x, y, cx, cy, scratch.Dc(), 0, 0, width, height);
}
