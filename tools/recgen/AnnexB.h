// H.264 byte streams: splitting into NAL units and rewriting an encoder's
// access unit into the recorder's frame layout.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace recgen {

// NAL units of an Annex B stream, without their start codes (3 or 4 bytes)
// and without trailing zero bytes.
std::vector<std::span<const uint8_t>> SplitNalUnits(std::span<const uint8_t> stream);

inline int NalType(std::span<const uint8_t> nal) {
    return nal.empty() ? 0 : nal[0] & 0x1F;
}

// Remembers the latest parameter sets and writes each access unit as the
// recorder stores a frame: 4-byte start codes, SPS and PPS in front of every
// key frame, then the slices; SEI, access unit delimiters and other units are
// dropped. Returns an empty vector when a key frame comes before any SPS/PPS.
class RecorderFrameWriter {
public:
    std::vector<uint8_t> Rewrite(std::span<const uint8_t> accessUnit, bool keyFrame);

private:
    std::vector<uint8_t> sps_;
    std::vector<uint8_t> pps_;
};

}  // namespace recgen
