#include "app/controls/draw/DibSectionCopy.h"
#include "app/controls/draw/MemoryDc.h"
#include "app/controls/draw/PixelWords.h"
#include "app/controls/draw/QoDrawManager.h"

using namespace pixelwords;

namespace {

// Blend() takes this in place of a percent to weigh by the source's alpha byte.
constexpr int kByAlphaChannel = -1;

uint32_t ApplyEffects(uint32_t p, DWORD flags, uint32_t newWord) {
    if (flags & IMAGE_EFFECT_GREY)
        p = Grey(p);
    if (flags & IMAGE_EFFECT_DARKEN)
        p = ScaleDown(p, 0.75);
    if (flags & IMAGE_EFFECT_LIGHTEN)
        p = ScaleUp(p, 0.25);
    if (flags & IMAGE_EFFECT_COLOURIZE)
        p = newWord;
    return p;
}

}  // namespace

void CQoDrawManager::GetBitmapExtent(HBITMAP bitmap, SIZE* out) const {
    *out = SIZE{0, 0};
    BITMAP info{};
    if (bitmap != nullptr && GetObject(bitmap, sizeof(info), &info) != 0)
        *out = SIZE{info.bmWidth, info.bmHeight};
}

void CQoDrawManager::AlphaBitBlt(HDC dst, int x, int y, DWORD cx, DWORD cy, HDC src, int sx, int sy,
                                 int percent) {
    if (percent >= 100) {
        BitBlt(dst, x, y, int(cx), int(cy), src, sx, sy, SRCCOPY);
        return;
    }
    Blend(dst, x, y, cx, cy, src, sx, sy, percent);
}

void CQoDrawManager::BlendByAlphaChannel(HDC dst, int x, int y, DWORD cx, DWORD cy, HDC src, int sx,
                                         int sy) {
    Blend(dst, x, y, cx, cy, src, sx, sy, kByAlphaChannel);
}

void CQoDrawManager::Blend(HDC dst, int x, int y, DWORD cx, DWORD cy, HDC src, int sx, int sy,
                           int percent) {
    DibSectionCopy s(src, int(cx), int(cy));
    DibSectionCopy d(dst, int(cx), int(cy));
    if (!s.Ok() || !d.Ok())
        return;
    BitBlt(s.Dc(), 0, 0, int(cx), int(cy), src, sx, sy, SRCCOPY);
    BitBlt(d.Dc(), 0, 0, int(cx), int(cy), dst, x, y, SRCCOPY);
    for (int i = 0; i < d.Count(); ++i) {
        const uint32_t sp = s.Words()[i];
        const double a = percent == kByAlphaChannel ? (sp >> 24) / 255.0 : percent / 100.0;
        d.Words()[i] = Mix(sp, a, d.Words()[i], 1 - a);
    }
    BitBlt(dst, x, y, int(cx), int(cy), d.Dc(), 0, 0, SRCCOPY);
}

HBITMAP CQoDrawManager::MakeEffectBitmap(HBITMAP bitmap, DWORD cx, DWORD cy, DWORD flags,
                                         BOOL useMask, COLORREF maskColour, COLORREF newColour) {
    DibSectionCopy out(nullptr, int(cx), int(cy));
    if (!out.Ok())
        return nullptr;
    {
        MemoryDc source(bitmap);
        if (source.Dc() == nullptr)
            return nullptr;
        BitBlt(out.Dc(), 0, 0, int(cx), int(cy), source.Dc(), 0, 0, SRCCOPY);
    }
    const uint32_t maskWord = FromColour(maskColour);
    const uint32_t newWord = FromColour(newColour);
    for (int i = 0; i < out.Count(); ++i) {
        uint32_t p = out.Words()[i];
        const uint32_t alpha = p & 0xFF000000u;
        if (p > 0x00FFFFFFu)
            m_bHasAlpha = TRUE;
        p = useMask && (p & 0xFFFFFF) == maskWord ? 0 : ApplyEffects(p & 0xFFFFFF, flags, newWord);
        if (flags & IMAGE_EFFECT_INVERT)
            p = Negate(p);
        out.Words()[i] = (p & 0xFFFFFF) | alpha;
    }
    return out.Release();
}
