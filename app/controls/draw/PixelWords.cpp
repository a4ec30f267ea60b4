#include "app/controls/draw/PixelWords.h"

#include <algorithm>

namespace pixelwords {
namespace {

int Component(uint32_t p, int shift) {
    return int((p >> shift) & 0xFF);
}

template <typename F>
uint32_t EachComponent(uint32_t p, F f) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= uint32_t(f(Component(p, shift)) & 0xFF) << shift;
    return out;
}

}  // namespace

uint32_t FromColour(COLORREF colour) {
    return uint32_t(GetBValue(colour)) | uint32_t(GetGValue(colour)) << 8 |
           uint32_t(GetRValue(colour)) << 16;
}

COLORREF ToColour(uint32_t word) {
    return RGB(BYTE(word >> 16), BYTE(word >> 8), BYTE(word));
}

uint32_t Grey(uint32_t p) {
    const uint32_t l =
        uint32_t(0.299 * Component(p, 16) + 0.587 * Component(p, 8) + 0.114 * Component(p, 0)) &
        0xFF;
    return l | l << 8 | l << 16;
}

uint32_t Negate(uint32_t p) {
    return EachComponent(p, [](int c) { return 255 - c; });
}

uint32_t ScaleDown(uint32_t p, double f) {
    if (!(f >= 0 && f < 1))
        return p & 0xFFFFFF;
    return EachComponent(p, [f](int c) { return int(f * c); });
}

uint32_t ScaleUp(uint32_t p, double f) {
    if (!(f > 0 && f <= 1))
        return p & 0xFFFFFF;
    return EachComponent(p, [f](int c) { return std::min(int((1 + f) * c), 255); });
}

uint32_t Mix(uint32_t a, double alpha, uint32_t b, double beta) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c = int(alpha * Component(a, shift) + beta * Component(b, shift));
        out |= uint32_t(std::clamp(c, 0, 255)) << shift;
    }
    return out;
}

}  // namespace pixelwords
