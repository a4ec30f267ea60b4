// The 128-byte records of a recorder's quick index: a header, then one record
// per indexed moment with sensor values and the position. The player hands
// them out unchanged; the find dialog reads their fields.
#pragma once

#include <cstddef>
#include <cstdint>

struct QuickInxHd {
    uint32_t magic;
    uint32_t first;  // number of the first record
    uint32_t last;   // number of the last record
    uint32_t wrapped;
    uint8_t reserved[112];
};

struct QuickInxUnit {
    uint32_t timeEntry;    // number of the time-index entry the record belongs to
    uint16_t speed;        // km/h
    uint16_t temperature;  // degrees Celsius; above 127 means value - 256
    int8_t gsensor[3];     // x, y, z; g = value * 2 / 127
    uint8_t unused11;
    uint8_t tyreCount;
    uint8_t unused13[3];
    uint8_t tyres[34][2];  // pressure in PSI, temperature + 40 (valid 0 to 185)
    char latitude[10];     // as GpsText
    uint8_t unused94[2];
    char longitude[11];
    uint8_t unused107;
    char altitude[7];
    uint8_t unused115[13];
};

static_assert(sizeof(QuickInxHd) == 128 && offsetof(QuickInxHd, last) == 8);
static_assert(sizeof(QuickInxUnit) == 128);
static_assert(offsetof(QuickInxUnit, tyreCount) == 12 && offsetof(QuickInxUnit, tyres) == 16);
static_assert(offsetof(QuickInxUnit, latitude) == 84 && offsetof(QuickInxUnit, longitude) == 96 &&
              offsetof(QuickInxUnit, altitude) == 108);
