// The recorder's time index is a ring of kTimeIndexRing entries; the header
// names the first entry and the last. These helpers turn a slider percent
// into a place in the used part of the ring, the way the seek slider and its
// tooltip share it.
#pragma once

#include <cstdint>

#include "shared/IndexRecords.h"

inline constexpr uint32_t kTimeIndexRing = 0xFFFFF;

// Entries in use: last - first, or across the end of the ring.
uint32_t TimeIndexCount(const InxHd& header);

// The fractional entry `fraction` (0..1) of the way through the used part,
// computed in double precision and kept as a single-precision float, wrapped
// past the end of the ring.
float TimeIndexPlace(const InxHd& header, double fraction);

// The entry after `entry`, across the end of the ring.
uint32_t NextTimeIndexEntry(uint32_t entry);
