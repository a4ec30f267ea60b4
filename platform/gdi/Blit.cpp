#include "platform/gdi/Blit.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/RowSampler.h"

namespace {

// How source pixels are combined into the destination.
struct BlitMode {
    enum Kind { Rop, Transparent, Blend } kind = Rop;
    uint8_t code = 0xCC;
    uint32_t key = 0;  // pixel word left out by Transparent
    BLENDFUNCTION blend{};
    std::array<uint8_t, 256> scaleSource{};  // Blend: c x constant / 255
    std::array<uint8_t, 256> scaleDest{};    // Blend: c x (255 - constant) / 255
};

// The source as the blit reads it: its surface and the colours that turn
// a colour source into a monochrome destination.
struct Source {
    Surface surface;
    COLORREF bkColour = RGB(255, 255, 255);
};

// Coordinates and extents GDI accepts: 27 bits and a sign.
bool Sane(std::initializer_list<int> values) {
    for (int v : values) {
        if (v < -(1 << 27) || v > (1 << 27))
            return false;
    }
    return true;
}

uint8_t Scale(uint32_t value, uint32_t alpha) {
    return uint8_t((value * alpha + 127) / 255);
}

// A channel of each pixel: c(s) = s x constant / 255, rounded, looked up.
uint32_t Channels(const uint8_t* scale, uint32_t s, uint32_t alpha) {
    return scale[s & 0xFF] | (uint32_t(scale[(s >> 8) & 0xFF]) << 8) |
           (uint32_t(scale[(s >> 16) & 0xFF]) << 16) | (alpha << 24);
}

void BlendRow(const BlitMode& mode, const uint32_t* src, uint32_t* dst, int count) {
    const uint8_t* scaleSource = mode.scaleSource.data();
    if (!(mode.blend.AlphaFormat & AC_SRC_ALPHA)) {
        const uint8_t* scaleDest = mode.scaleDest.data();
        uint32_t alpha = scaleSource[255];
        for (int i = 0; i < count; ++i) {
            uint32_t d = dst[i];
            // The two scaled parts never add up to more than 255 per channel.
            dst[i] =
                Channels(scaleSource, src[i], alpha) + Channels(scaleDest, d, scaleDest[d >> 24]);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        uint32_t s = src[i], d = dst[i];
        uint32_t sa = scaleSource[s >> 24];
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            uint32_t value =
                scaleSource[(s >> shift) & 0xFF] + Scale((d >> shift) & 0xFF, 255 - sa);
            out |= std::min<uint32_t>(value, 255) << shift;  // sources that are not premultiplied
        }
        dst[i] = out;
    }
}

// Turns source words into what the destination format expects.
void ConvertColours(const Source& src, const DcObject& dst, const Surface& target, uint32_t* row,
                    int count) {
    if (src.surface.monochromeDevice && !target.monochromeDevice) {
        uint32_t fore = WordOfColorRef(dst.state().textColour);
        uint32_t back = WordOfColorRef(dst.state().bkColour);
        for (int i = 0; i < count; ++i)
            row[i] = (row[i] & 0xFFFFFF) ? back : fore;
    } else if (target.monochromeDevice && !src.surface.monochromeDevice) {
        uint32_t back = WordOfColorRef(src.bkColour);
        for (int i = 0; i < count; ++i)
            row[i] = (row[i] & 0xFFFFFF) == back ? 0xFFFFFF : 0;
    }
}

void CombineRow(const BlitMode& mode, uint32_t pattern, const uint32_t* src, uint32_t* dst,
                int count) {
    switch (mode.kind) {
        case BlitMode::Rop:
            RopRow(mode.code, pattern, src, dst, count);
            break;
        case BlitMode::Transparent:
            for (int i = 0; i < count; ++i) {
                if ((src[i] & 0xFFFFFF) != mode.key)
                    dst[i] = src[i];
            }
            break;
        case BlitMode::Blend:
            BlendRow(mode, src, dst, count);
            break;
    }
}

// A copy of the source's rows, for a blit within one surface, where writing
// would otherwise overwrite pixels still to be read.
Surface Snapshot(const Surface& s, std::vector<uint8_t>& storage) {
    size_t rowBytes = size_t(s.stride < 0 ? -s.stride : s.stride);
    storage.resize(rowBytes * size_t(s.height));
    for (int y = 0; y < s.height; ++y) {
        std::copy_n(s.RowBytes(y), rowBytes, storage.data() + rowBytes * size_t(y));
    }
    Surface copy = s;
    copy.top = storage.data();
    copy.stride = std::ptrdiff_t(rowBytes);
    return copy;
}

bool Blit(DcObject& dst, int x, int y, int w, int h, Source src, int sx, int sy, int sw, int sh,
          const BlitMode& mode) {
    Painter painter(dst);
    if (!src.surface.Valid())
        return false;
    if (!painter.Drawable() || w == 0 || h == 0 || sw == 0 || sh == 0)
        return true;
    std::vector<uint8_t> snapshot;
    if (src.surface.top == painter.surface().top)
        src.surface = Snapshot(src.surface, snapshot);
    if (!Sane({x, y, w, h, sx, sy, sw, sh}))
        return false;
    Axis ax = Axis::Of(x, w, sx, sw), ay = Axis::Of(y, h, sy, sh);
    // Keys and blends sample; only raster operations follow the stretch mode.
    int stretchMode = mode.kind == BlitMode::Rop ? dst.state().stretchMode : COLORONCOLOR;
    RowSampler sampler(src.surface, ax, ay, painter.LogicalClipBox(), stretchMode);
    const DcState& state = dst.state();
    uint32_t pattern =
        state.brush && !state.brush->Hollow() ? WordOfColorRef(state.brush->Colour()) : 0;
    POINT o = painter.origin();
    painter.ForEachSegment(ax.start, ay.start, ax.start + ax.length, ay.start + ay.length,
                           [&](int dy, int x0, int x1) {
                               int first = x0 - o.x - ax.start, n = x1 - x0;
                               if (!sampler.Read(dy - o.y, &first, &n))
                                   return;
                               int from = first + o.x + ax.start;
                               ConvertColours(src, dst, painter.surface(), sampler.Pixels(), n);
                               painter.EditSegment(
                                   dy, from, from + n, [&](uint32_t* row, int count) {
                                       CombineRow(mode, pattern, sampler.Pixels(), row, count);
                                   });
                           });
    return true;
}

Source SourceOf(const DcObject& dc) {
    return {dc.Target(), dc.state().bkColour};
}

// Source coordinates are logical; Blit reads device pixels.
bool BlitBetween(HDC dstDc, int x, int y, int w, int h, HDC srcDc, int sx, int sy, int sw, int sh,
                 const BlitMode& mode) {
    std::shared_ptr<DcObject> dst = LookUpDc(dstDc), src = LookUpDc(srcDc);
    if (!dst || !src)
        return false;
    return Blit(*dst, x, y, w, h, SourceOf(*src), sx + src->LogicalOrigin().x,
                sy + src->LogicalOrigin().y, sw, sh, mode);
}

}  // namespace

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    uint8_t code = RopCode(rop);
    if (!object || RopUsesSource(code))
        return FALSE;
    Axis ax = Axis::Of(x, width, 0, 1), ay = Axis::Of(y, height, 0, 1);
    const DcState& s = object->state();
    uint32_t pattern = s.brush && !s.brush->Hollow() ? WordOfColorRef(s.brush->Colour()) : 0;
    bool usesPattern = ((code >> 4) & 0x0F) != (code & 0x0F);
    if (usesPattern && (!s.brush || s.brush->Hollow()))
        return TRUE;
    Painter painter(*object);
    painter.ForEachSegment(
        ax.start, ay.start, ax.start + ax.length, ay.start + ay.length,
        [&](int row, int x0, int x1) { painter.RopSegment(row, x0, x1, code, pattern); });
    return TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    if (!RopUsesSource(RopCode(rop)))
        return PatBlt(dst, x, y, width, height, rop);
    BlitMode mode;
    mode.code = RopCode(rop);
    return BlitBetween(dst, x, y, width, height, src, sx, sy, width, height, mode);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy,
                int sourceWidth, int sourceHeight, DWORD rop) {
    if (!RopUsesSource(RopCode(rop)))
        return PatBlt(dst, x, y, width, height, rop);
    BlitMode mode;
    mode.code = RopCode(rop);
    return BlitBetween(dst, x, y, width, height, src, sx, sy, sourceWidth, sourceHeight, mode);
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy,
                    int sourceWidth, int sourceHeight, UINT key) {
    if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0)
        return FALSE;
    BlitMode mode;
    mode.kind = BlitMode::Transparent;
    mode.key = WordOfColorRef(key);
    return BlitBetween(dst, x, y, width, height, src, sx, sy, sourceWidth, sourceHeight, mode);
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend) {
    if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0)
        return FALSE;
    if (blend.BlendOp != AC_SRC_OVER)
        return FALSE;
    BlitMode mode;
    mode.kind = BlitMode::Blend;
    mode.blend = blend;
    for (uint32_t c = 0; c < 256; ++c) {
        mode.scaleSource[c] = Scale(c, blend.SourceConstantAlpha);
        mode.scaleDest[c] = Scale(c, 255u - blend.SourceConstantAlpha);
    }
    return BlitBetween(dst, x, y, width, height, src, sx, sy, sourceWidth, sourceHeight, mode);
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sx, int sy, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !info || usage != DIB_RGB_COLORS)
        return 0;
    std::vector<uint32_t> palette;
    Source src{SurfaceOfDib(info, bits, palette), object->state().bkColour};
    if (!src.surface.Valid())
        return 0;
    BlitMode mode;
    mode.code = RopCode(rop);
    // DIB coordinates count rows from the bottom of a bottom-up image.
    int top = info->bmiHeader.biHeight > 0 ? src.surface.height - sy - sourceHeight : sy;
    if (!Blit(*object, x, y, width, height, src, sx, top, sourceWidth, sourceHeight, mode))
        return 0;
    return src.surface.height;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return CLR_INVALID;
    Painter painter(*object);
    int dx = x + painter.origin().x, dy = y + painter.origin().y;
    if (!painter.Drawable() || !painter.Visible(dx, dy))
        return CLR_INVALID;
    uint32_t word = 0;
    painter.surface().Read(dy, dx, 1, &word);
    return ColorRefOfWord(word);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object)
        return COLORREF(-1);
    Painter painter(*object);
    int dx = x + painter.origin().x, dy = y + painter.origin().y;
    if (!painter.Drawable() || !painter.Visible(dx, dy))
        return COLORREF(-1);
    uint32_t word = WordOfColorRef(colour);
    painter.surface().Write(dy, dx, 1, &word);
    painter.surface().Read(dy, dx, 1, &word);
    return ColorRefOfWord(word);
}
