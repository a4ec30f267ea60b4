// Records filled from one GOP and handed across all three deliverables
// unchanged: the player fills them, the program forwards them and the export
// library reads them. Layouts are fixed; the static_asserts below guard them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

inline constexpr int kMaxChannels = 16;
inline constexpr int kMaxFramesPerChannel = 30;
inline constexpr int kMaxAudioChunks = 200;
inline constexpr int kAudioBufferSize = 204800;
inline constexpr int kMaxTelemetryRecords = 30;
inline constexpr int kMaxTyres = 36;

// The recorder's GPS texts: fixed width, no terminators.
struct GpsText {
    char latitude[10];   // DDMM.MMMM and N or S
    char longitude[11];  // DDDMM.MMMM and E or W
    char altitude[7];
};

struct AlarmFlags {
    uint8_t inputs[8];   // alarm inputs 1 to 8, each 0 or 1
    uint8_t outputs[4];  // status bits 0 to 3, each 0 or 1
};

struct TpmsTyre {
    int32_t id;
    float pressure;
    int32_t temperature;
    int32_t alarmKind;  // 0 to 5
};

struct GopInfo {
    uint32_t recordIndex;      // telemetry record the consumers read; 0 after every parse
    int32_t framesPerChannel;  // bounds every telemetry index
    int32_t channels;
    uint32_t version;
    uint32_t time;  // seconds since 1970-01-01 00:00, no time-zone conversion
    uint8_t* pictures[kMaxChannels][kMaxFramesPerChannel];  // owned by the export library
    uint32_t frameOffset[kMaxChannels][kMaxFramesPerChannel];
    uint32_t frameLength[kMaxChannels][kMaxFramesPerChannel];
    int32_t width[kMaxChannels];
    int32_t height[kMaxChannels];
    int32_t fps[kMaxChannels];
    uint8_t* audioData;  // kAudioBufferSize bytes supplied by the record's owner
    uint32_t chunkOffset[kMaxAudioChunks];
    uint32_t chunkLength[kMaxAudioChunks];
    int32_t sampleBits;
    int32_t audioChannels;
    int32_t sampleRate;
    int32_t audioLength;
    int32_t gopFps;
    int32_t channelCount;
    int32_t lastWidth;
    int32_t lastHeight;
    char carId[16];
    int32_t noSkip[kMaxChannels];
    int32_t gpsCount;
    GpsText gps[kMaxTelemetryRecords];
    int32_t gsensorCount;
    int32_t gsensor[kMaxTelemetryRecords][3];
    int32_t voltageCount;
    float voltage[kMaxTelemetryRecords];
    int32_t speedCount;
    float speed[kMaxTelemetryRecords];
    int32_t temperatureCount;
    int32_t temperature[kMaxTelemetryRecords];
    int32_t tyreCount;
    int32_t tpmsCount;
    TpmsTyre tpms[kMaxTelemetryRecords][kMaxTyres];
    int32_t tractor;
    int32_t trailer1;
    int32_t trailer2;
    int32_t axleKind[3];
    int32_t alarmCount;
    AlarmFlags alarm[kMaxTelemetryRecords];
};

// What a reader learns from the first acceptable GOP while it opens a source.
struct FrameSet {
    int32_t channels;
    uint32_t version;
    int32_t sampleRate;
    int32_t sampleBits;
    char carId[16];
};

static_assert(sizeof(GpsText) == 28);
static_assert(sizeof(AlarmFlags) == 12);
static_assert(sizeof(TpmsTyre) == 16);
static_assert(sizeof(FrameSet) == 32);
static_assert(std::is_standard_layout_v<GopInfo> && std::is_trivially_copyable_v<GopInfo>);
static_assert(offsetof(GopInfo, pictures) == 24);
static_assert(offsetof(GopInfo, frameOffset) == 24 + 8 * 16 * 30);
static_assert(offsetof(GopInfo, audioData) % 8 == 0);
static_assert(offsetof(GopInfo, carId) + 16 == offsetof(GopInfo, noSkip));
