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
    // Channels whose frames of this GOP cannot all be stored (a frame not in
    // Annex B form, or frames lost where the frame walk broke off): their
    // sets pass the GOP by; the other channels' frames are whole.
    std::array<bool, kMovChannels> damaged{};
    // u-law bytes per channel; empty when the GOP has none for it.
    std::array<std::vector<uint8_t>, kMovChannels> audio{};
    std::span<const uint8_t> telemetry;  // empty without a telemetry block
};

// False for anything but a version 3 or 4 GOP of `length` bytes whose first
// header has magic 511. A frame that is not in Annex B form (or has
// parameter sets of 64 KiB or more) damages its own channel only; a header
// without magic or a frame past the video part ends the frame walk, and
// every channel that has not had all its frames by then is damaged. Audio
// that cannot be read is left empty.
bool ReadMovGop(const uint8_t* gop, size_t length, MovGop* out);
