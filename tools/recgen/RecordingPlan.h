// Everything that decides what a generated recording contains.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/recgen/TelemetryTrack.h"

namespace recgen {

enum class AudioKind {
    kNone,
    kPcm,   // versions 0 to 3
    kUlaw,  // version 4
};

struct RecordingDamage {
    std::set<int> badMagicGops = {};
    std::set<int> oversizedGops = {};   // claim and occupy 12 MiB + 512 bytes
    std::set<int> invalidLogGops = {};  // `log_hd` with a wrong tag
    std::set<std::size_t> omittedIndexEntries = {};
    uint64_t cutBytes = 0;  // the `.dvr` ends this much before its index says
};

// From GOP `fromGop` on, `channel` records at another resolution code.
struct ResolutionChange {
    int fromGop = 0;
    int channel = 0;
    uint32_t code = 6;
};

struct RecordingPlan {
    int channels = 4;  // 1, 4, 8, 12 or 16 (versions 0, 1: up to 4; version 2: up to 8)
    uint32_t version = 4;
    // Resolution code per channel; channels past the end take the last code.
    std::vector<uint32_t> resolutionCodes = {6};
    bool pal = true;
    // Header fps of versions 3 and 4, which is also their frames per channel
    // in a GOP. Versions 0 and 1 hold 16 frames, version 2 15, and write that
    // number as their fps.
    uint32_t fps = 25;
    int gopCount = 10;
    uint32_t startTime = 1700000000;  // 2023-11-14 22:13:20
    std::vector<ResolutionChange> resolutionChanges = {};
    // The channels' frames interleaved in an order drawn anew for every GOP
    // (each channel's own frames stay in order), so that the channel of a
    // GOP's last frame varies; otherwise frame 1 of every channel, then frame 2 ...
    bool shuffledFrames = false;
    // Channels written with noSkip clear (all intra); the others are P-frame chains.
    std::set<int> skippableChannels = {};
    // 0: every channel shows its plain picture (ChannelColour.h). Above 0:
    // a busy picture (a moving texture with fresh noise in every frame, as a
    // camera's detail and sensor noise), encoded at about this many bits a
    // second per channel, so that decoding costs what a real recording does.
    int busyBitRate = 0;

    AudioKind audio = AudioKind::kUlaw;
    int audioTracks = 1;             // u-law: 1 or 2
    uint32_t sampleRateCode = 1;     // PCM: 8000 Hz
    uint32_t sampleBitsCode = 0;     // PCM: 16 bits
    uint32_t audioChannelsCode = 0;  // PCM: mono

    bool telemetry = true;  // versions 1 to 4
    std::vector<GeoPoint> route = {};
    std::string vehicleId = "GEN-0001";

    uint64_t leadingFillerBytes = 0;
    // Zero bytes left (sparsely) before a GOP, by GOP number: large gaps make files above 4 GiB.
    std::map<int, uint64_t> gapsBefore = {};
    RecordingDamage damage = {};
};

}  // namespace recgen
