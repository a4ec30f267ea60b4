// Preparing a GopInfo for a parse, and what the data callback gets from it.
#pragma once

#include <cstdint>

#include "shared/GopRecords.h"
#include "shared/PlayerInterface.h"

inline constexpr int kGopAudioBufferSize = kAudioBufferSize;  // 204800 bytes

// Clears the per-frame tables (pictures, frame offsets and lengths), the
// audio chunk offsets and the sample width, and sets audioData to `audio`
// (null: no audio wanted). Done before every parse, so that a channel absent
// from this GOP keeps no frames of an earlier one.
void ResetGopRecord(GopInfo* info, uint8_t* audio);

// Calls `callback` with the telemetry record `info->recordIndex`, each value
// with its default when the record has no such entry.
void ReportGopTelemetry(const GopInfo& info, zDataCallback callback);
