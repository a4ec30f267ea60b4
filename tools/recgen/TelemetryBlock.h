// The content of a GOP's telemetry block, sub-block by sub-block, and its
// encoder. Each present sub-block writes as many records as its vector holds,
// which may differ from the GOP's frames per channel; `declaredCount` lets a
// test write a record count that disagrees with the records present.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace recgen {

struct VehicleRecord {
    std::string id = {};  // up to 14 bytes, zero padded
    int8_t temperature = 0;
    uint8_t alarmInputs = 0;  // bit i = input i+1
    uint8_t statusBits = 0;   // bits 0-3
};

// Texts are written at their fixed widths (10, 11, 7), zero padded or cut.
struct GpsRecord {
    std::string latitude = {};   // DDMM.MMMM and N or S
    std::string longitude = {};  // DDDMM.MMMM and E or W
    std::string altitude = {};
};

struct GSensorRecord {
    int8_t x = 0;
    int8_t y = 0;
    int8_t z = 0;
};

struct TyreEntry {
    uint8_t id = 0;
    uint8_t status = 0;
    uint8_t temperature = 0;  // raw byte: above 205 reads as 205 - byte
    uint8_t pressure = 0;
};

struct TruckLayout {
    uint8_t tractor = 0;
    uint8_t trailer1 = 0;
    uint8_t trailer2 = 0;
    uint8_t axleFlags = 0;
};

// The tyre entries are stored once and apply to every one of the records.
struct TyreBlock {
    uint16_t recordCount = 0;
    std::vector<TyreEntry> tyres = {};  // at most 255
    TruckLayout truck;
};

struct TelemetryBlock {
    std::optional<std::vector<VehicleRecord>> vehicle = {};
    std::optional<std::vector<uint16_t>> speed = {};  // words as telemetry::TenthsWord makes them
    std::optional<std::vector<GpsRecord>> gps = {};
    std::optional<std::vector<GSensorRecord>> gsensor = {};
    std::optional<TyreBlock> tyres = {};
    std::optional<uint16_t> reserved5Count = {};  // the uninterpreted sub-blocks: only a count
    std::optional<uint16_t> reserved6Count = {};
    std::optional<std::vector<uint16_t>> voltage = {};  // tenths words
    // Record count written in a sub-block's header instead of the true one, by bit.
    std::array<std::optional<uint16_t>, 8> declaredCount = {};
    // Writes a `log_hd` whose tag is wrong (the sub-blocks still follow).
    bool invalidTag = false;
};

// The block as it ends a GOP: `log_hd`, then the present sub-blocks in bit order.
std::vector<uint8_t> EncodeTelemetry(const TelemetryBlock& block);

}  // namespace recgen
