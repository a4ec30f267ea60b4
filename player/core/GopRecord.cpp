#include "player/core/GopRecord.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr float kNoValue = -1.0f;
constexpr int kNoTemperature = 255;
constexpr int kClearedChunks = 30;

}  // namespace

void ResetGopRecord(GopInfo* info, uint8_t* audio) {
    std::memset(info->pictures, 0, sizeof info->pictures);
    std::memset(info->frameOffset, 0, sizeof info->frameOffset);
    std::memset(info->frameLength, 0, sizeof info->frameLength);
    std::fill_n(info->chunkOffset, kClearedChunks, 0u);
    info->sampleBits = 0;
    info->audioData = audio;
}

void ReportGopTelemetry(const GopInfo& info, zDataCallback callback) {
    const int k = int(info.recordIndex);
    auto has = [k](int count) { return k >= 0 && k < count && k < kMaxTelemetryRecords; };
    const bool hasTyres = has(info.tpmsCount);
    const char* vehicleId = info.carId[0] != '\0' ? info.carId : nullptr;
    callback(info.time, vehicleId, has(info.gpsCount) ? &info.gps[k] : nullptr,
             has(info.gsensorCount) ? info.gsensor[k] : nullptr,
             has(info.voltageCount) ? info.voltage[k] : kNoValue,
             has(info.speedCount) ? info.speed[k] : kNoValue,
             has(info.temperatureCount) ? info.temperature[k] : kNoTemperature,
             has(info.alarmCount) ? &info.alarm[k] : nullptr, hasTyres ? info.tyreCount : -1,
             hasTyres ? info.tpms[k] : nullptr, info.tractor, info.trailer1, info.trailer2,
             info.axleKind[0], info.axleKind[1], info.axleKind[2]);
}
