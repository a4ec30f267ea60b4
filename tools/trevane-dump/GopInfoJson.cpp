#include "tools/trevane-dump/GopInfoJson.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

// "[f(0),...,f(n-1)]"
template <typename F>
std::string Array(int n, F element) {
    std::string out = "[";
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            out += ',';
        out += element(i);
    }
    return out + "]";
}

std::string Int(int64_t value) {
    return std::to_string(value);
}

int Bounded(int count, int capacity) {
    return std::clamp(count, 0, capacity);
}

std::string FixedText(const char* text, size_t width) {
    return JsonLine::Quoted(std::string_view(text, strnlen(text, width)));
}

int ChunkCount(const GopInfo& info) {
    int n = 0;
    while (n < kMaxAudioChunks && info.chunkLength[n] != 0)
        ++n;
    return n;
}

}  // namespace

std::string GpsJson(const GpsText& gps) {
    return JsonLine()
        .Raw("latitude", FixedText(gps.latitude, sizeof gps.latitude))
        .Raw("longitude", FixedText(gps.longitude, sizeof gps.longitude))
        .Raw("altitude", FixedText(gps.altitude, sizeof gps.altitude))
        .Json();
}

std::string AlarmJson(const AlarmFlags& alarm) {
    return JsonLine()
        .Raw("inputs", Array(8, [&](int i) { return Int(alarm.inputs[i]); }))
        .Raw("outputs", Array(4, [&](int i) { return Int(alarm.outputs[i]); }))
        .Json();
}

std::string TyresJson(const TpmsTyre* tyres, int count) {
    return Array(count, [&](int i) {
        return JsonLine()
            .Int("id", tyres[i].id)
            .Float("pressure", tyres[i].pressure)
            .Int("temperature", tyres[i].temperature)
            .Int("alarmKind", tyres[i].alarmKind)
            .Json();
    });
}

JsonLine GopInfoJson(const GopInfo& info) {
    const int channels = Bounded(info.channelCount, kMaxChannels);
    const int frames = Bounded(info.framesPerChannel, kMaxFramesPerChannel);
    const int chunks = ChunkCount(info);
    auto perChannel = [&](const int32_t* values) {
        return Array(channels, [=](int c) { return Int(values[c]); });
    };
    auto frameTable = [&](const uint32_t(*table)[kMaxFramesPerChannel]) {
        return Array(channels,
                     [=](int c) { return Array(frames, [=](int f) { return Int(table[c][f]); }); });
    };
    auto records = [](int count) { return Bounded(count, kMaxTelemetryRecords); };
    JsonLine line;
    line.Int("recordIndex", info.recordIndex)
        .Int("framesPerChannel", info.framesPerChannel)
        .Int("channels", info.channels)
        .Int("version", info.version)
        .Int("time", info.time)
        .Raw("frameOffset", frameTable(info.frameOffset))
        .Raw("frameLength", frameTable(info.frameLength))
        .Raw("width", perChannel(info.width))
        .Raw("height", perChannel(info.height))
        .Raw("fps", perChannel(info.fps))
        .Raw("chunkOffset", Array(chunks, [&](int i) { return Int(info.chunkOffset[i]); }))
        .Raw("chunkLength", Array(chunks, [&](int i) { return Int(info.chunkLength[i]); }))
        .Int("sampleBits", info.sampleBits)
        .Int("audioChannels", info.audioChannels)
        .Int("sampleRate", info.sampleRate)
        .Int("audioLength", info.audioLength)
        .Int("gopFps", info.gopFps)
        .Int("channelCount", info.channelCount)
        .Int("lastWidth", info.lastWidth)
        .Int("lastHeight", info.lastHeight)
        .Raw("carId", FixedText(info.carId, sizeof info.carId))
        .Raw("noSkip", perChannel(info.noSkip))
        .Int("gpsCount", info.gpsCount)
        .Raw("gps", Array(records(info.gpsCount), [&](int k) { return GpsJson(info.gps[k]); }))
        .Int("gsensorCount", info.gsensorCount)
        .Raw("gsensor",
             Array(records(info.gsensorCount),
                   [&](int k) { return Array(3, [&](int i) { return Int(info.gsensor[k][i]); }); }))
        .Int("voltageCount", info.voltageCount)
        .Raw("voltage", Array(records(info.voltageCount),
                              [&](int k) { return JsonLine::Number(info.voltage[k]); }))
        .Int("speedCount", info.speedCount)
        .Raw("speed", Array(records(info.speedCount),
                            [&](int k) { return JsonLine::Number(info.speed[k]); }))
        .Int("temperatureCount", info.temperatureCount)
        .Raw("temperature",
             Array(records(info.temperatureCount), [&](int k) { return Int(info.temperature[k]); }))
        .Int("tyreCount", info.tyreCount)
        .Int("tpmsCount", info.tpmsCount)
        .Raw("tpms", Array(records(info.tpmsCount),
                           [&](int k) {
                               return TyresJson(info.tpms[k], Bounded(info.tyreCount, kMaxTyres));
                           }))
        .Int("tractor", info.tractor)
        .Int("trailer1", info.trailer1)
        .Int("trailer2", info.trailer2)
        .Raw("axleKind", Array(3, [&](int i) { return Int(info.axleKind[i]); }))
        .Int("alarmCount", info.alarmCount)
        .Raw("alarm",
             Array(records(info.alarmCount), [&](int k) { return AlarmJson(info.alarm[k]); }));
    return line;
}

JsonLine InxHdJson(const InxHd& header) {
    JsonLine line;
    line.Int("magic", header.magic)
        .Int("first", header.first)
        .Int("last", header.last)
        .Int("wrapped", header.wrapped);
    return line;
}

JsonLine InxUnitJson(const InxUnit& unit) {
    JsonLine line;
    line.Int("time", unit.time).Int("event", unit.event).Int("offset", int64_t(unit.offset));
    return line;
}
