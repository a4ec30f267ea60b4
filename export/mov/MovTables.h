// The ten sample-table work files of a movie being written, by role, with
// the suffix each one's name takes after the movie's base name.
#pragma once

#include <array>

#include "export/mov/SampleTable.h"

enum MovTable : int {
    kVideoSttsCounts,       // two per GOP: 1, then the rest of the GOP's frames
    kVideoSttsDurations,    // the durations of those two entries
    kVideoSyncSamples,      // number (from 1) of every key frame
    kVideoSamplesPerChunk,  // one entry at the end: 1
    kVideoSampleSizes,
    kVideoChunkOffsets,     // one chunk per frame
    kAudioSttsCount,        // one entry at the end: the sample total
    kAudioSamplesPerChunk,  // one chunk per GOP
    kAudioSampleCount,      // one entry at the end: the sample total
    kAudioChunkOffsets,
    kMovTableCount,
};

inline constexpr std::array<const char*, kMovTableCount> kMovTableSuffixes = {
    ".vsttsA", ".vsttsB", ".vstss", ".vstsc", ".vstsz",
    ".vstco",  ".astts",  ".astsc", ".astsz", ".astco"};

using MovTableSet = std::array<CSampleTable, kMovTableCount>;
