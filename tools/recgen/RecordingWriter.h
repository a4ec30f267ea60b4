// Writing a whole recording pair from a RecordingSpec: one H.264 encoder per
// channel, the audio tone, the telemetry track, filler, gaps and damage. Runs
// on the caller's thread and keeps nothing between calls.
#pragma once

#include <cstdint>
#include <string>

#include "tools/recgen/RecordingSpec.h"

namespace recgen {

// Frames per channel in each GOP of the spec's version.
int FramesPerChannel(const RecordingSpec& spec);

// The audio a generated recording carries, as functions of the sample index
// from the start of the recording: PCM channel a and u-law track t are sine
// tones of 400 + 200 a (or t) Hz with amplitude 8000.
int16_t ToneSample(int tone, int64_t index, int sampleRate);

// Writes the pair; false with *error set when the spec is inconsistent, an
// encoder fails or a file cannot be written.
bool WriteRecording(const RecordingSpec& spec, const std::string& dvrPath,
                    const std::string& inxPath, std::string* error);

}  // namespace recgen
