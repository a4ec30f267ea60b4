// The first records of a GOP's telemetry block that the subtitles show: the
// vehicle data, the speed and the GPS texts. Records beyond the first and
// the other sub-blocks are not used.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct SubtitleTelemetry {
    bool hasVehicle = false;
    std::string vehicleId;  // up to 14 bytes, without its NUL padding
    int temperature = 0;    // degrees Celsius
    bool hasSpeed = false;
    int speedWhole = 0;  // km/h
    int speedTenths = 0;
    bool hasGps = false;
    std::array<char, 10> latitude{};   // DDMM.MMMM and N or S, not terminated
    std::array<char, 11> longitude{};  // DDDMM.MMMM and E or W, not terminated
};

// Reads the block (the last `length` bytes of a GOP). The sub-blocks present
// are those the bits of the first byte of `log_hd` name, whatever its other
// bytes hold; a sub-block cut off by the block's end and everything after it
// are left out.
SubtitleTelemetry ReadSubtitleTelemetry(const uint8_t* block, size_t length);
