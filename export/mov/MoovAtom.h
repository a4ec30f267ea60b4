// The `moov` atom that ends a movie: the movie header, then the video track
// (H.264, `avc1`) and the audio track (G.711 u-law, mono), their sample
// tables copied from the work files.
#pragma once

#include <cstdint>
#include <span>

#include "export/mov/BoxOutput.h"
#include "export/mov/MovTables.h"

struct MoovFacts {
    uint32_t timescale = 0;      // of the movie and the video track: ticks per second
    uint32_t videoDuration = 0;  // in ticks
    int width = 0;
    int height = 0;
    std::span<const uint8_t> sps;  // the last ones of the movie, without start codes
    std::span<const uint8_t> pps;
    uint32_t sampleRate = 0;  // of the audio track, its timescale
    uint32_t sampleBits = 0;  // stated in the sound description
    uint32_t audioSamples = 0;
    uint32_t audioDuration = 0;  // in the movie's ticks
    // The movie is above 4 GiB: chunk offsets go into `co64` tables. The work
    // files keep the low 32 bits of each offset; offsets grow from entry to
    // entry by less than 4 GiB, so every wrap of the low half adds 2^32.
    bool longOffsets = false;
};

// Size of the whole atom, header included.
uint32_t MoovSize(const MoovFacts& facts, MovTableSet& tables);

// Appends the atom; the tables must hold every entry. False when a table
// cannot be read back or the output failed.
bool WriteMoov(CBoxOutput& out, const MoovFacts& facts, MovTableSet& tables);
