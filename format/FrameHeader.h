// The 40-byte header in front of every frame of a GOP. The first header of a
// GOP also describes the whole GOP (its length, audio and telemetry sizes).
// ReadFrameHeader and WriteFrameHeader are exact inverses on the listed bits;
// bits not listed are written as 0.
#pragma once

#include <cstdint>

inline constexpr uint32_t kFrameMagic = 511;
inline constexpr int kFrameHeaderSize = 40;
inline constexpr int kSectorSize = 512;

struct FrameHeader {
    uint32_t magic = kFrameMagic;
    uint32_t version = 0;           // 24 bits
    uint32_t frameNumber = 0;       // 8 bits, counted from 1 within the channel
    uint32_t channel = 0;           // 4 bits, 0 to 15
    uint32_t channelCountCode = 0;  // 4 bits
    uint32_t resolutionCode = 0;    // 4 bits
    uint32_t time = 0;
    uint32_t prevGopLength = 0;  // 20 bits
    bool pal = false;
    uint32_t frameLength = 0;        // 20 bits
    uint32_t sampleBitsCode = 0;     // 2 bits
    uint32_t sampleRateCode = 0;     // 3 bits
    uint32_t audioChannelsCode = 0;  // 3 bits
    uint32_t logLength = 0;          // 16 bits
    uint32_t frameType = 0;          // 2 bits, 1 = key frame
    uint32_t fps = 0;                // 5 bits
    bool noSkip = false;
    uint32_t gopLength = 0;
    uint32_t audioLength = 0;
};

FrameHeader ReadFrameHeader(const uint8_t* bytes);
void WriteFrameHeader(const FrameHeader& header, uint8_t* bytes);

// True when the sector starts a GOP: magic 511 and a non-zero GOP length.
bool StartsGop(const uint8_t* sector);
