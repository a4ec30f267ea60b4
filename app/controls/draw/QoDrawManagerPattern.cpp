#include <algorithm>
#include <cstdlib>

#include "app/controls/draw/QoDrawManager.h"

namespace {

// The patterns are defined on a 15-bit generator (0..32767); the C library's
// rand() may run wider, so only its low 15 bits are used.
int Rand15() {
    return std::rand() & 0x7FFF;
}

int Cube(int d) {
    return (d * d * d / 128) / 128;
}

int Bump(int d, int factor) {
    return 128 + factor * Cube(d) / 128;
}

struct Pattern {
    int effect;
    int g;  // granularity
    int w;
    int h;
    int t;  // noise divisor

    int Noise() const { return Rand15() / t; }
    // A value with noise, as the byte stored.
    BYTE Noisy(int value) const { return BYTE(value + Noise() - g); }
    int Vertical(int y) const { return y * 255 / h - 127; }
    int Horizontal(int x) const { return (w - x) * 255 / w - 127; }

    BYTE Pixel(int x, int y) const {
        switch (effect) {
            case EFFECT_NOISE:
                return Noisy(128);
            case EFFECT_DIAGSHADE: {
                const int s = (255 - 2 * g) / 2;
                return Noisy(g + s * y / h + s * (w - x) / w);
            }
            case EFFECT_HSHADE:
                return Noisy(g + (255 - 2 * g) * y / h);
            case EFFECT_VSHADE:
                return Noisy(g + (w - x) * (255 - 2 * g) / w);
            case EFFECT_HBUMP:
                return Noisy(Bump(Vertical(y), 128 - g));
            case EFFECT_VBUMP:
                return Noisy(Bump(Horizontal(x), 128 - g));
            case EFFECT_SOFTBUMP: {
                const int v = 128 + (128 - g) * (Cube(Vertical(y)) + Cube(Horizontal(x))) / 128;
                // Above 127 the granularity's band is inverted; the bounds
                // are taken in order so the band stays the same width.
                return Noisy(std::clamp(v, std::min(g, 255 - g), std::max(g, 255 - g)));
            }
            default:  // hardbump's first pass
                return Noisy(Bump(Vertical(y), 128 - 2 * g));
        }
    }
};

void FillPalette(CDibImage& dib, COLORREF begin, COLORREF mid, COLORREF end) {
    const auto mix = [](BYTE a, BYTE b, int i) { return BYTE(((128 - i) * a + i * b) / 128); };
    for (int i = 0; i <= 128; ++i)
        dib.SetPaletteIndex(BYTE(i), mix(GetRValue(end), GetRValue(mid), i),
                            mix(GetGValue(end), GetGValue(mid), i),
                            mix(GetBValue(end), GetBValue(mid), i));
    for (int i = 1; i <= 128; ++i)
        dib.SetPaletteIndex(BYTE(i + 127), mix(GetRValue(mid), GetRValue(begin), i),
                            mix(GetGValue(mid), GetGValue(begin), i),
                            mix(GetBValue(mid), GetBValue(begin), i));
}

// Hardbump's rounded edges. Too narrow (w 0) or too low (Q 0) an image has
// no room for them and keeps the first pass.
void HardbumpEdges(CDibImage& dib, const Pattern& p) {
    const int w = std::min(p.w / 6, 16);
    const int q = p.h * p.h / 4;
    if (w == 0 || q == 0)
        return;
    for (int y = 0; y < p.h; ++y) {
        BYTE* row = dib.GetPixels() + size_t(y) * dib.GetRowBytes();
        const int dy = y - p.h / 2;
        for (int x = 0; x < p.w; ++x) {
            const int dx = x - p.w / 2;
            const int a = p.w / 2 - w + dy * dy * w / q;
            int value = row[x];
            if (dx > a)
                value = p.g + (((p.w - x) * 128 / w) % 256);
            if (dx + a < 0)
                value = (255 - p.g) - ((x * 128 / w) % 256);
            row[x] = p.Noisy(value);
        }
    }
}

void MetalStreaks(CDibImage& dib, int w, int h) {
    const int perX = std::max(1, 32767 / w);
    const int perY = std::max(1, 32767 / h);
    const int perLength = std::max(1, 32767 / std::min(w, h));
    for (int streak = 0; streak < 200; ++streak) {
        const int x0 = Rand15() / perX;
        const int y0 = Rand15() / perY;
        const int length = (Rand15() / perLength) / 2;
        const BYTE c = BYTE(Rand15() / (32767 / 40));
        for (int j = 0; j < length; ++j) {
            if (x0 - j > 0 && y0 + j < h)
                dib.SetPixelIndex(x0 - j, y0 + j, c);
            if (x0 + j < w && y0 - j > 0)
                dib.SetPixelIndex(w - x0 + j, y0 - j, c);
        }
    }
}

void Metal(CDibImage& dib, const Pattern& p) {
    dib.FillPixels(0);
    MetalStreaks(dib, p.w, p.h);
    const int s = (215 - 2 * p.g) / 2;
    for (int y = 0; y < p.h; ++y) {
        BYTE* row = dib.GetPixels() + size_t(y) * dib.GetRowBytes();
        for (int x = 0; x < p.w; ++x)
            row[x] = BYTE(row[x] + s * y / p.h + s * (p.w - x) / p.w + p.Noise());
    }
}

}  // namespace

void CQoDrawManager::FillPattern(int effect, BYTE granularity, BYTE colouring, COLORREF begin,
                                 COLORREF mid, COLORREF end, int width, int height) {
    m_dib.Reset();
    if (width <= 0 || height <= 0 || m_dib.Create(DWORD(width), DWORD(height), 8) == nullptr)
        return;
    FillPalette(m_dib, begin, mid, end);
    m_dib.BlendPalette(begin, colouring);
    const Pattern p{effect, granularity, width, height, 32767 / std::max(1, 2 * int(granularity))};
    if (effect == EFFECT_METAL) {
        Metal(m_dib, p);
        return;
    }
    for (int y = 0; y < height; ++y) {
        BYTE* row = m_dib.GetPixels() + size_t(y) * m_dib.GetRowBytes();
        for (int x = 0; x < width; ++x)
            row[x] = p.Pixel(x, y);
    }
    if (effect == EFFECT_HARDBUMP)
        HardbumpEdges(m_dib, p);
}
