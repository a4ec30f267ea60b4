// The texts of a subtitle file: the script header and the Dialogue lines of
// the Time and Log events. Pure functions; the file is 8-bit text with line
// feeds, ASCII but for the full-width colon and the degree signs, which are
// written as their Big5 bytes (A1 47, A2 4A, A2 4B).
#pragma once

#include <cstdint>
#include <string>

#include "export/ssa/SubtitleOptions.h"
#include "export/ssa/SubtitleTelemetry.h"

// Start and end of an event, as counts of audio samples at `sampleRate` Hz.
struct SsaSpan {
    uint64_t startSamples = 0;
    uint64_t endSamples = 0;
    int sampleRate = 0;
};

// "h:mm:ss.hh" of `samples` at `sampleRate` (hundredths cut, not rounded);
// "0:00:00.00" for a rate of 0.
std::string SsaTime(uint64_t samples, int sampleRate);

// The header for a picture of width x height: PlayRes and the styles Time and
// Log (whose font is smaller for pictures at most 352 pixels wide).
std::string SsaHeader(int width, int height);

// A Time event numbered `event`; with `showDate` it shows `time` (seconds
// since 1970, no time-zone conversion) as "Mon dd hh:mm:ss yyyy".
std::string SsaTimeEvent(int event, const SsaSpan& span, bool showDate, uint32_t time);

// A Log event numbered `event` with the telemetry parts the options select,
// in the order vehicle id, temperature, speed, position; parts after the
// first are padded. A part whose record is missing is left out, and so is a
// position whose GPS texts are not valid.
std::string SsaLogEvent(int event, const SsaSpan& span, const SubtitleTelemetry& telemetry,
                        const SubtitleOptions& options);
