// The GDI toolbox of the markup drawer and the tooltip: blends, bitmaps and
// cells of image strips drawn with a transparent colour, image effects and
// soft shadows, gradient and textured fills, framed rectangles and styled
// lines. Every operation is a synchronous series of GDI calls on the caller's
// context and releases every object it makes before it returns; a context,
// section or bitmap that cannot be made means nothing is drawn (or null).
// Blends, effects and shadows work on 32-bit DIB sections in memory and touch
// the destination with one blit. Only the textured fills' DIB and the alpha
// flag are kept between calls. User-interface thread only.
#pragma once

#include "app/controls/draw/DibImage.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/Icons.h"

// Image effect flags, combined freely.
enum ImageEffect : UINT {
    IMAGE_EFFECT_GREY = 0x0001,
    IMAGE_EFFECT_DARKEN = 0x0002,
    IMAGE_EFFECT_LIGHTEN = 0x0004,
    IMAGE_EFFECT_COLOURIZE = 0x0008,
    IMAGE_EFFECT_SHADOW = 0x0100,
    IMAGE_EFFECT_SOFT_SHADOW = 0x0200,
    IMAGE_EFFECT_INVERT = 0x8000,
};

// The fills of FillBackground; any other value is a solid fill.
enum BackgroundEffect : int {
    EFFECT_TRANSPARENT = -1,
    EFFECT_SOLID = 0,
    EFFECT_HGRADIENT = 1,
    EFFECT_VGRADIENT = 2,
    EFFECT_HCGRADIENT = 3,
    EFFECT_VCGRADIENT = 4,
    EFFECT_3HGRADIENT = 5,
    EFFECT_3VGRADIENT = 6,
    EFFECT_NOISE = 7,
    EFFECT_DIAGSHADE = 8,
    EFFECT_HSHADE = 9,
    EFFECT_VSHADE = 10,
    EFFECT_HBUMP = 11,
    EFFECT_VBUMP = 12,
    EFFECT_SOFTBUMP = 13,
    EFFECT_HARDBUMP = 14,
    EFFECT_METAL = 15,
};

// Pen types of DrawRectangle and DrawLine: 0 draws nothing, 6 is a double line.
enum PenType : int {
    PEN_NONE = 0,
    PEN_SOLID = 1,
    PEN_DASH = 2,
    PEN_DOT = 3,
    PEN_DASHDOT = 4,
    PEN_DASHDOTDOT = 5,
    PEN_DOUBLE = 6,
};

class CQoDrawManager {
public:
    CQoDrawManager() = default;
    virtual ~CQoDrawManager() = default;
    CQoDrawManager(const CQoDrawManager&) = delete;
    CQoDrawManager& operator=(const CQoDrawManager&) = delete;

    // (2 x hot spot x, 2 x hot spot y); (0, 0) for a null or unreadable icon.
    void GetIconExtent(HICON icon, SIZE* out) const;
    // (0, 0) for a null or unreadable bitmap.
    void GetBitmapExtent(HBITMAP bitmap, SIZE* out) const;
    // A new icon (owned by the caller) of width x height, stretched from the
    // icon's own extent; null on failure.
    HICON ResizeIcon(HICON icon, int width, int height);

    // Blends (sx, sy) of src over (x, y) of dst, cx x cy, with percent of
    // the source; 100 or more is a plain copy.
    void AlphaBitBlt(HDC dst, int x, int y, DWORD cx, DWORD cy, HDC src, int sx, int sy,
                     int percent);
    // Blends by the alpha byte of each source pixel.
    void BlendByAlphaChannel(HDC dst, int x, int y, DWORD cx, DWORD cy, HDC src, int sx, int sy);
    // A 32-bit DIB section (owned by the caller) of cx x cy holding the bitmap
    // with the effects applied; masked pixels become 0 (before inversion).
    HBITMAP MakeEffectBitmap(HBITMAP bitmap, DWORD cx, DWORD cy, DWORD flags, BOOL useMask,
                             COLORREF maskColour, COLORREF newColour);

    void FillGradient(HDC dc, LPCRECT rect, COLORREF from, COLORREF to, BOOL horizontal);
    void FillBackground(HDC dc, int effect, LPCRECT rect, COLORREF begin, COLORREF mid,
                        COLORREF end, BYTE granularity, BYTE colouring);
    void TileBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, int tileWidth,
                 int tileHeight);

    void DrawBitmap(HDC dc, int x, int y, DWORD cx, DWORD cy, HBITMAP bitmap, BOOL useMask,
                    COLORREF maskColour, DWORD flags, BOOL shadow, int shadowDx, int shadowDy,
                    DWORD depthX, DWORD depthY, COLORREF colour);
    // The icon at cx x cy (resized when that is not its own extent); with
    // IMAGE_EFFECT_COLOURIZE its shape in `colour`.
    void DrawIcon(HDC dc, int x, int y, DWORD cx, DWORD cy, HICON icon, DWORD flags, BOOL shadow,
                  int shadowDx, int shadowDy, DWORD depthX, DWORD depthY, COLORREF colour);
    // Cell `index` of a strip of cellWidth x cellHeight cells, left to right,
    // then top to bottom.
    void DrawImageList(HDC dc, int x, int y, DWORD cx, DWORD cy, HBITMAP strip, int index,
                       int cellWidth, int cellHeight, BOOL useMask, COLORREF maskColour,
                       DWORD flags, BOOL shadow, int shadowDx, int shadowDy, DWORD depthX,
                       DWORD depthY, COLORREF colour);
    // Darkens (x, y, cx, cy) through a mask (white leaves, black blackens).
    void DrawShadow(HDC dc, int x, int y, DWORD cx, DWORD cy, HBITMAP mask, BOOL blurred,
                    DWORD depthX, DWORD depthY);

    void DrawRectangle(HDC dc, LPCRECT rect, COLORREF topLeft, COLORREF bottomRight, int penType,
                       int width);
    void DrawRectangle(HDC dc, int left, int top, int right, int bottom, COLORREF topLeft,
                       COLORREF bottomRight, int penType, int width);
    void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int penType, int width);

    // Whether the last image prepared for drawing had a nonzero alpha byte.
    BOOL HasAlpha() const { return m_bHasAlpha; }

private:
    void FillPattern(int effect, BYTE granularity, BYTE colouring, COLORREF begin, COLORREF mid,
                     COLORREF end, int width, int height);
    void Blend(HDC dst, int x, int y, DWORD cx, DWORD cy, HDC src, int sx, int sy, int percent);
    void DrawPrepared(HDC dc, int x, int y, int cx, int cy, HBITMAP image, HBITMAP mask);
    // The shadow of DrawBitmap and DrawIcon: under the image, or the image moved.
    void ShadowOrOffset(HDC dc, int* x, int* y, DWORD cx, DWORD cy, HBITMAP shape, BOOL useMask,
                        COLORREF maskColour, DWORD flags, BOOL shadow, int shadowDx, int shadowDy,
                        DWORD depthX, DWORD depthY, COLORREF colour);

    CDibImage m_dib;
    BOOL m_bHasAlpha = FALSE;
};
