// One GOP as the MOV writer needs it: per channel its track facts, its frames
// split into NAL units, its u-law audio, and the GOP's telemetry block. The
// record points into the caller's GOP buffer (the frames, the telemetry) and
// is valid while that buffer is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kMovChannels = 16;

struct MovTrack {
    bool present = false;  // the GOP has frames of the channel
    int width = 0;         // from the resolution code, by the MOV writer's own table
    int height = 0;
    int fps = 0;  // frames of the channel per GOP
};

struct MovFrame {
    int channel = 0;
    bool keyFrame = false;
    // The units a sample stores, each behind its 4-byte length: all but the
    // parameter sets and SEI.
    std::vector<std::span<const uint8_t>> units;
    std::span<const uint8_t> sps;  // empty when the frame has none
    std::span<const uint8_t> pps;

    uint32_t SampleSize() const;
};

struct MovGop {
    uint32_t time = 0;  // of the last frame header
    int channelCount = 0;
    int sampleRate = 0;  // of the u-law samples below
    int sampleBits = 0;  // what the sample description states
    std::array<MovTrack, kMovChannels> tracks{};
    std::vector<MovFrame> frames;  // in the order of the GOP
    // u-law bytes per channel; empty when the GOP has none for it.
    std::array<std::vector<uint8_t>, kMovChannels> audio{};
    std::span<const uint8_t> telemetry;  // empty without a telemetry block
};

// False for anything but a whole version 3 or 4 GOP of `length` bytes whose
// frames lie in its video part, each behind a header with magic 511 and in
// Annex B form (parameter sets below 64 KiB). Audio that cannot be read is
// left empty.
bool ReadMovGop(const uint8_t* gop, size_t length, MovGop* out);
