#include "platform/gdi/RasterOp.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kColour = 0x00FFFFFF;

uint32_t Generic(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1))
            continue;
        result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return result & kColour;
}

}  // namespace

void RopRow(uint8_t code, uint32_t pattern, const uint32_t* src, uint32_t* dst, int count) {
    switch (code) {
        case 0xCC:  // SRCCOPY
            std::memmove(dst, src, 4 * size_t(count));
            return;
        case 0x88:  // SRCAND
            for (int i = 0; i < count; ++i)
                dst[i] = (dst[i] & src[i]) & kColour;
            return;
        case 0xEE:  // SRCPAINT
            for (int i = 0; i < count; ++i)
                dst[i] = (dst[i] | src[i]) & kColour;
            return;
        case 0x66:  // SRCINVERT
            for (int i = 0; i < count; ++i)
                dst[i] = (dst[i] ^ src[i]) & kColour;
            return;
        case 0xF0:  // PATCOPY
            std::fill_n(dst, count, pattern & kColour);
            return;
        case 0x00:  // BLACKNESS
            std::fill_n(dst, count, 0u);
            return;
        case 0xFF:  // WHITENESS
            std::fill_n(dst, count, kColour);
            return;
        case 0x55:  // DSTINVERT
            for (int i = 0; i < count; ++i)
                dst[i] = ~dst[i] & kColour;
            return;
        case 0x5A:  // PATINVERT
            for (int i = 0; i < count; ++i)
                dst[i] = (dst[i] ^ pattern) & kColour;
            return;
        default:
            for (int i = 0; i < count; ++i)
                dst[i] = Generic(code, pattern, src ? src[i] : 0, dst[i]);
    }
}
