#include "player/audio/UlawTable.h"

#include <algorithm>

int16_t UlawDecode(uint8_t u) {
    const int x = uint8_t(~u);
    const int exponent = (x >> 4) & 7;
    const int mantissa = x & 15;
    const int magnitude = ((2 * mantissa + 33) << exponent) - 33;
    return int16_t((x & 0x80) != 0 ? -magnitude : magnitude);
}

void CUlawTable::Build() {
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
