// G.711 u-law expansion for the recorder's version-4 audio.
#pragma once

#include <cstdint>

// One u-law byte expanded to the 14-bit linear range (-8031..8031), not
// scaled up to 16 bits.
int16_t UlawDecode(uint8_t u);

// The expansion of every u-law byte, built once and then only read (any
// thread).
class CUlawTable {
public:
    void Build();

    // destination[i] = the expansion of source[i] for i below n, at most
    // `capacity` samples; *count = the samples written. Returns 0.
    int ToPcm(int16_t* destination, int capacity, int* count, const uint8_t* source, int n) const;

    int16_t operator[](uint8_t u) const { return m_samples[u]; }

private:
    int16_t m_samples[256] = {};
};
