// Byte layout of a GOP's audio and telemetry blocks, shared by the code that
// reads GOPs and the code that writes them.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace telemetry {

// `log_hd`: bits 8-31 must read 0x5A0000; the low byte says which sub-blocks follow.
inline constexpr uint32_t kLogTagMask = 0xFFFFFF00u;
inline constexpr uint32_t kLogTag = 0x5A000000u;
inline constexpr int kLogHeaderSize = 4;

// Sub-blocks in the order they follow `log_hd`, by bit number.
enum SubBlock : int {
    kVehicleData = 0,
    kSpeed = 1,
    kGps = 2,
    kGSensor = 3,
    kTyres = 4,
    kReserved5 = 5,
    kReserved6 = 6,
    kVoltage = 7,
};

// Every sub-block but the tyres starts with byte 0 unread and a u16 record count.
inline constexpr int kSubHeaderSize = 3;
inline constexpr int kVehicleRecordSize = 18;  // id[14], temperature, inputs, status, unread
inline constexpr int kVehicleIdSize = 14;
inline constexpr int kSpeedRecordSize = 2;
inline constexpr int kGpsRecordSize =
    34;  // unread, latitude[10], longitude[11], altitude[7], unread[5]
inline constexpr int kGSensorRecordSize = 3;
inline constexpr int kVoltageRecordSize = 2;
// The two uninterpreted sub-blocks occupy a fixed size whatever their count says.
inline constexpr int kReserved5BlockSize = kSubHeaderSize + 2;
inline constexpr int kReserved6BlockSize = kSubHeaderSize + 1;

// Tyres: unread byte, u16 record count, tyre count; the tyre entries (id,
// status, temperature, pressure); then the truck layout.
inline constexpr int kTyreHeaderSize = 4;
inline constexpr int kTyreEntrySize = 4;
inline constexpr int kTruckLayoutSize = 4;  // tractor, trailer 1, trailer 2, axle flags

inline constexpr std::array<int, 7> kTractorTyres{0, 4, 6, 6, 8, 8, 10};
inline constexpr std::array<int, 15> kTrailerTyres{0, 2, 4, 4, 6, 6, 8, 6, 8, 8, 10, 8, 10, 10, 12};

// Speed and voltage words: bits 0-11 the whole part, bits 12-15 tenths.
inline float TenthsWordValue(uint16_t word) {
    return float(word & 0xFFF) + float(word >> 12) / 10.0f;
}

inline uint16_t TenthsWord(float value) {
    const int tenths = int(std::lround(value * 10.0f));
    return uint16_t(((tenths / 10) & 0xFFF) | ((tenths % 10) << 12));
}

}  // namespace telemetry

namespace ulaw_audio {

// The 40-byte header of a u-law audio block and the per-track lengths after it.
inline constexpr int kAudioHeaderSize = 40;
inline constexpr int kTrackDataOffsetAt = 8;  // u32, from the start of the audio block
inline constexpr int kTrackCountAt = 12;      // u16
inline constexpr int kChunkSizesAt = 16;      // u32: bits 16-31 chunk header, 0-15 chunk
inline constexpr int kTrackLengthsAt = 40;    // u32 per track
inline constexpr int kMaxTracks = 2;
inline constexpr int kRecordedChunkStride = 80;  // the chunk table's fixed stride

}  // namespace ulaw_audio
