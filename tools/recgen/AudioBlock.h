// Audio blocks of a GOP: interleaved PCM (versions 0 to 3) and the u-law
// block of version 4 (an audio header, one length per track, then tracks of
// [chunk header][chunk] pairs).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace recgen {

// `groups` groups of one sample per channel, each sample `bits` wide (8, 16
// or 32), little-endian; sample(channel, index) gives the value, truncated to
// the width.
std::vector<uint8_t> InterleavedPcm(int channels, int bits, int groups,
                                    const std::function<int32_t(int channel, int index)>& sample);

struct UlawTrack {
    std::vector<std::vector<uint8_t>> chunks;  // each written at the block's chunk size
};

struct UlawAudio {
    uint16_t chunkHeaderSize = 4;
    uint16_t chunkSize = 76;
    // Usually 1 or 2; any count may be written to make a damaged block.
    std::vector<UlawTrack> tracks = {};
    // Track count written instead of tracks.size().
    std::optional<uint16_t> declaredTrackCount = {};
};

// The tracks lie back to back from the track data offset: track k begins
// after the lengths of the tracks before it.
std::vector<uint8_t> EncodeUlawAudio(const UlawAudio& audio);

}  // namespace recgen
