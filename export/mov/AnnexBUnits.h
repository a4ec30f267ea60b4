// NAL units of an H.264 frame in Annex B form, as the recorder stores them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kNalSei = 6;
inline constexpr int kNalSps = 7;
inline constexpr int kNalPps = 8;

// The units without their start codes (3 or 4 bytes) and trailing zero
// bytes. False when the data does not begin with a start code or holds an
// empty unit; `units` is then incomplete.
bool SplitAnnexB(std::span<const uint8_t> data, std::vector<std::span<const uint8_t>>* units);

inline int NalTypeOf(std::span<const uint8_t> unit) {
    return unit.empty() ? 0 : unit[0] & 0x1F;
}
