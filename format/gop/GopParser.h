// CGopParser, the GOP and telemetry parser: turns one GOP held in
// memory into a GopInfo record and probes the first GOP of a source into a
// FrameSet. It needs no decoder: every reader of GOP bytes parses with one of
// its own (the player's decoder manager routes frames to the decoders).
//
// Ownership: the parser owns nothing. The GOP bytes and the GopInfo with its
// audioData buffer belong to the callers; the parser works in place on the
// GOP and allocates nothing.
//
// Threads: no lock. Parse and Probe keep all working state local, so one
// parser may parse different GOPs on several threads at once (the player's read
// and playback threads do). The only value a parse leaves in the object is the
// audio track copied from g_nAudioType, which is atomic.
//
// Bounds: every read stays inside the GOP's first min(valid bytes, gopLength)
// bytes and every write inside the GopInfo record and its 204800-byte audio
// buffer, whatever the bytes say. How each oversized or damaged field is
// treated is listed in README.md of this folder.
#pragma once

#include <atomic>
#include <cstdint>

#include "shared/GopRecords.h"

// The version-4 audio track to take (0 or 1), set by zSetAudioType and the
// play command; each parse reads it once, at its start.
extern std::atomic<int> g_nAudioType;

// Zeroes the probe fields of `set` and makes its carId the empty text.
void ClearFrameSet(FrameSet* set);

class CGopParser {
public:
    // Reads the first frame header only. 0 and `set` filled (channels,
    // version, sampleRate, sampleBits; carId empty); -1 when fewer than 40
    // bytes are valid, magic is not 511, gopLength is below 40 or above
    // `validBytes`, or the version is above 4 (`set` is cleared then).
    int Probe(const uint8_t* gop, uint32_t validBytes, FrameSet* set) const;

    // Parses one GOP into `info`. Returns its version (0 to 4), or -1 for:
    // fewer than 40 valid bytes, magic not 511, gopLength below 40 or above
    // `validBytes`, version above 4, or (audio wanted) a version-4 audio block
    // with 3 or more tracks. What was filled before a failure stays in `info`.
    // With wantAudio, audio is copied into info->audioData (204800 bytes, the
    // caller's); a null audioData is treated as wantAudio false.
    int Parse(const uint8_t* gop, uint32_t validBytes, GopInfo* info, bool wantAudio);

    // The track copied from g_nAudioType by the latest parse.
    int AudioTrack() const { return m_audioTrack.load(std::memory_order_relaxed); }

private:
    // Written by every parse, possibly on two threads at once: atomic. A parse
    // uses its own local copy, never re-reads this.
    std::atomic<int> m_audioTrack{0};
};
