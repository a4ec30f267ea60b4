#include "format/ulaw/UlawTable.h"

#include <algorithm>

int16_t UlawDecode(uint8_t u) {
    const int x = uint8_t(~u);
    const int exponent = (x >> 4) & 7;
    const int mantissa = x & 15;
    const int magnitude = ((2 * mantissa + 33) << exponent) - 33;
    return int16_t((x & 0x80) != 0 ? -magnitude : magnitude);
}

uint8_t UlawEncode(int16_t sample) {
    constexpr int kBias = 0x84, kClip = 32635;
    int value = sample;
    const int sign = value < 0 ? 0x80 : 0;
    value = std::min(sign ? -value : value, kClip) + kBias;
    int exponent = 7;
    for (int mask = 0x4000; (value & mask) == 0 && exponent > 0; mask >>= 1)
        --exponent;
    const int mantissa = (value >> (exponent + 3)) & 0x0F;
    return uint8_t(~(sign | (exponent << 4) | mantissa));
}

CUlawTable::CUlawTable() {
    for (int u = 0; u < 256; ++u)
        m_samples[u] = UlawDecode(uint8_t(u));
}

int CUlawTable::ToPcm(int16_t* destination, int capacity, int* count, const uint8_t* source,
                      int n) const {
    const int samples = std::max(0, std::min(n, capacity));
    for (int i = 0; i < samples; ++i)
        destination[i] = m_samples[source[i]];
    *count = samples;
    return 0;
}
