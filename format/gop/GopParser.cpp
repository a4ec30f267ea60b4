#include "GopParser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "GopParts.h"
#include "format/CodeTables.h"
#include "format/FrameHeader.h"
#include "format/TelemetryLayout.h"

std::atomic<int> g_nAudioType{0};

namespace gop_detail {

VersionLayout LayoutOfVersion(const FrameHeader& first) {
    const int fps = int(first.fps);
    const int byCode = ChannelCountOfCode(int(first.channelCountCode));
    VersionLayout layout{};
    switch (first.version) {
        case 0:
            layout = {16, 4, fps, false};
            break;
        case 1:
            layout = {16, 4, fps, true};
            break;
        case 2:
            layout = {15, 8, 15, true};
            break;
        case 3:
            layout = {fps, byCode, fps / 2, true};
            break;
        default:
            layout = {fps, byCode, fps, true};
            break;
    }
    // fps is a 5-bit field: 31 would index past the 30 frames and telemetry
    // records the record holds. gopFps (pacing only) keeps the header's rate.
    if (layout.framesPerChannel > kMaxFramesPerChannel)
        layout.framesPerChannel = kMaxFramesPerChannel;
    return layout;
}

}  // namespace gop_detail

namespace {

using gop_detail::GopView;

// The header faults after which neither Probe nor Parse reads further. A
// gopLength below 40 cannot even hold its own header.
bool HeaderIsUsable(const FrameHeader& first, uint32_t validBytes) {
    return first.gopLength >= uint32_t(kFrameHeaderSize) && first.gopLength <= validBytes &&
           first.version <= 4;
}

// L, the telemetry length: 0 for version 0, and 0 (no telemetry) when it
// cannot hold log_hd or would reach back into the first header.
uint32_t TelemetryLengthOf(const FrameHeader& first, bool hasTelemetry) {
    const uint32_t length = first.logLength;
    if (!hasTelemetry || length < uint32_t(telemetry::kLogHeaderSize))
        return 0;
    if (length > first.gopLength - uint32_t(kFrameHeaderSize))
        return 0;
    return length;
}

void ApplyVersion(const FrameHeader& first, const gop_detail::VersionLayout& layout,
                  GopInfo* info) {
    info->framesPerChannel = layout.framesPerChannel;
    info->channels = layout.channels;
    info->channelCount = layout.channels;
    info->gopFps = layout.gopFps;
    info->version = first.version;
    info->audioChannels = AudioChannelsOfCode(int(first.audioChannelsCode));
    // The header's value, but never more than the GOP could hold after its
    // first header: a damaged field must not read as a negative length.
    const uint32_t room =
        std::min(first.gopLength - uint32_t(kFrameHeaderSize), uint32_t(INT32_MAX));
    info->audioLength = int32_t(std::min(first.audioLength, room));
}

}  // namespace

void ClearFrameSet(FrameSet* set) {
    set->channels = 0;
    set->version = 0;
    set->sampleRate = 0;
    set->sampleBits = 0;
    std::memset(set->carId, 0, sizeof(set->carId));
}

int CGopParser::Probe(const uint8_t* gop, uint32_t validBytes, FrameSet* set) const {
    ClearFrameSet(set);
    if (gop == nullptr || validBytes < uint32_t(kFrameHeaderSize))
        return -1;
    const FrameHeader first = ReadFrameHeader(gop);
    if (first.magic != kFrameMagic || !HeaderIsUsable(first, validBytes))
        return -1;
    set->channels = gop_detail::LayoutOfVersion(first).channels;
    set->version = first.version;
    set->sampleRate = SampleRateOfCode(int(first.sampleRateCode));
    set->sampleBits = SampleBitsOfCode(int(first.sampleBitsCode));
    return 0;
}

int CGopParser::Parse(const uint8_t* gop, uint32_t validBytes, GopInfo* info, bool wantAudio) {
    const int audioTrack = g_nAudioType.load(std::memory_order_relaxed);
    m_audioTrack.store(audioTrack, std::memory_order_relaxed);
    if (gop == nullptr || info == nullptr || validBytes < uint32_t(kFrameHeaderSize))
        return -1;
    const FrameHeader first = ReadFrameHeader(gop);
    if (first.magic != kFrameMagic)
        return -1;
    info->sampleRate = SampleRateOfCode(int(first.sampleRateCode));
    info->sampleBits = SampleBitsOfCode(int(first.sampleBitsCode));
    info->time = first.time;
    if (!HeaderIsUsable(first, validBytes))
        return -1;

    const gop_detail::VersionLayout layout = gop_detail::LayoutOfVersion(first);
    ApplyVersion(first, layout, info);
    const GopView view{gop,
                       first.gopLength,
                       first,
                       layout.framesPerChannel,
                       TelemetryLengthOf(first, layout.hasTelemetry),
                       audioTrack};
    const uint32_t cursor = gop_detail::WalkFrames(view, info);
    if (wantAudio && info->audioData != nullptr && first.audioLength != 0) {
        if (first.version == 4) {
            if (!gop_detail::CopyUlawAudio(view, cursor, info))
                return -1;
        } else {
            gop_detail::CopyPcmAudio(view, cursor, info);
        }
    }
    gop_detail::ReadTelemetry(view, info);
    info->recordIndex = 0;
    return int(first.version);
}
