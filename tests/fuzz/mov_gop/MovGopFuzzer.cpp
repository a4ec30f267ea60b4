// The MOV writer's reading of untrusted GOP bytes: the frame walk, the NAL
// split, both audio layouts and the subtitle telemetry with every text part.
#include <cstddef>
#include <cstdint>

#include "export/mov/MovGop.h"
#include "export/ssa/SsaEventText.h"
#include "export/ssa/SubtitleTelemetry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SubtitleOptions all{.dateTime = true,
                              .vehicleId = true,
                              .temperature = true,
                              .speed = true,
                              .gps = true,
                              .speedUnit = 1,
                              .temperatureUnit = 1};
    MovGop gop;
    if (ReadMovGop(data, size, &gop)) {
        uint64_t bytes = 0;
        for (const MovFrame& frame : gop.frames)
            bytes += frame.SampleSize() + frame.sps.size() + frame.pps.size();
        for (const auto& audio : gop.audio)
            bytes += audio.size();
        const SubtitleTelemetry t =
            ReadSubtitleTelemetry(gop.telemetry.data(), gop.telemetry.size());
        const SsaSpan span{bytes, bytes * 2, gop.sampleRate};
        SsaTimeEvent(1, span, true, gop.time);
        SsaLogEvent(2, span, t, all);
    }
    SsaLogEvent(3, {}, ReadSubtitleTelemetry(data, size), all);
    return 0;
}
