// G.711 u-law both ways: the recorder's version-4 audio is u-law, the player
// and the export library expand it, and the MOV writer and the fixture
// generator encode 16-bit PCM into it.
#pragma once

#include <cstdint>

// One u-law byte expanded to the 14-bit linear range (-8031..8031), not
// scaled up to 16 bits.
int16_t UlawDecode(uint8_t u);

// One 16-bit linear sample as u-law (bias 0x84, clipped at 32635).
uint8_t UlawEncode(int16_t sample);

// The expansion of every u-law byte, built by the constructor and then only
// read (any thread).
class CUlawTable {
public:
    CUlawTable();

    // destination[i] = the expansion of source[i] for i below n, at most
    // `capacity` samples; *count = the samples written. Returns 0.
    int ToPcm(int16_t* destination, int capacity, int* count, const uint8_t* source, int n) const;

    int16_t operator[](uint8_t u) const { return m_samples[u]; }

private:
    int16_t m_samples[256] = {};
};
