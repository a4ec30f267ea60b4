// ExtractParams: the export record the program fills and hands by value to
// the export library's zExtractPre. Its layout is a fixed 9628-byte record
// (little-endian, natural alignment, texts NUL-terminated within their size);
// the static_asserts below guard every offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

inline constexpr int kExtractChannels = 16;
inline constexpr int kExtractPathSize = 260;

struct ExtractParams {
    int32_t numChannels;  // 4, 8, 12 or 16
    int32_t audioRate;    // Hz
    int32_t audioBits;
    uint8_t aviOn[kExtractChannels];  // channel k+1 to its own AVI file
    uint8_t mosaicOn;                 // the mosaic AVI file
    uint8_t reserved1[3];
    int32_t refWidth;   // lastWidth of the first GOP
    int32_t refHeight;  // lastHeight of the first GOP
    int32_t outWidth[kExtractChannels];
    int32_t outHeight[kExtractChannels];
    int32_t outFps[kExtractChannels];  // frames per GOP of each channel
    uint8_t rawOn;                     // the raw .dvr/.inx copy
    char dvrPath[kExtractPathSize];    // UTF-8
    char inxPath[kExtractPathSize];
    char aviPath[kExtractChannels][kExtractPathSize];  // final names
    char mosaicPath[kExtractPathSize];
    char movBase[kExtractChannels][kExtractPathSize];  // without extension
    uint8_t movOn[kExtractChannels];
    char outputDir[kExtractPathSize];  // no trailing separator
    uint8_t reserved2[3];
    int32_t speedUnit;        // 0 km/h, 1 mile/h
    int32_t temperatureUnit;  // 0 Celsius, 1 Fahrenheit
    uint8_t osdDateTime;
    uint8_t osdVehicleId;
    uint8_t osdSpeed;
    uint8_t osdTemperature;
    uint8_t osdGps;
    uint8_t reserved3[3];
};

static_assert(std::is_standard_layout_v<ExtractParams> &&
              std::is_trivially_copyable_v<ExtractParams>);
static_assert(sizeof(ExtractParams) == 9628);
static_assert(offsetof(ExtractParams, numChannels) == 0);
static_assert(offsetof(ExtractParams, audioRate) == 4);
static_assert(offsetof(ExtractParams, audioBits) == 8);
static_assert(offsetof(ExtractParams, aviOn) == 12);
static_assert(offsetof(ExtractParams, mosaicOn) == 28);
static_assert(offsetof(ExtractParams, refWidth) == 32);
static_assert(offsetof(ExtractParams, refHeight) == 36);
static_assert(offsetof(ExtractParams, outWidth) == 40);
static_assert(offsetof(ExtractParams, outHeight) == 104);
static_assert(offsetof(ExtractParams, outFps) == 168);
static_assert(offsetof(ExtractParams, rawOn) == 232);
static_assert(offsetof(ExtractParams, dvrPath) == 233);
static_assert(offsetof(ExtractParams, inxPath) == 493);
static_assert(offsetof(ExtractParams, aviPath) == 753);
static_assert(offsetof(ExtractParams, mosaicPath) == 4913);
static_assert(offsetof(ExtractParams, movBase) == 5173);
static_assert(offsetof(ExtractParams, movOn) == 9333);
static_assert(offsetof(ExtractParams, outputDir) == 9349);
static_assert(offsetof(ExtractParams, speedUnit) == 9612);
static_assert(offsetof(ExtractParams, temperatureUnit) == 9616);
static_assert(offsetof(ExtractParams, osdDateTime) == 9620);
static_assert(offsetof(ExtractParams, osdVehicleId) == 9621);
static_assert(offsetof(ExtractParams, osdSpeed) == 9622);
static_assert(offsetof(ExtractParams, osdTemperature) == 9623);
static_assert(offsetof(ExtractParams, osdGps) == 9624);

// A text field of the record, bounded by its size even without a terminator.
inline std::string FieldText(const char (&field)[kExtractPathSize]) {
    return std::string(field, strnlen(field, kExtractPathSize - 1));
}
