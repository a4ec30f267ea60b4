// Whether bytes read as a GOP are one. Some recorders copy the GOP-wide
// fields (gopLength, audioLength, logLength, back link) into every frame
// header, so a later header that falls on a sector boundary looks like a GOP
// start to a sector search. The GOP's own lengths tell the two apart: from a
// GOP's first header the frames, header after header, fill exactly the part
// before the audio and telemetry blocks, and the telemetry block begins with
// its tag where logLength puts it. From a later header the frames run into
// the audio block too early and the telemetry offset lands in the next GOP.
// A GOP with one damaged frame still has its telemetry in place, and one
// without telemetry still has whole frames, so either check accepts it.
#pragma once

#include <cstdint>

#include "format/FrameHeader.h"
#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"

namespace gop_start_detail {

inline uint64_t TelemetryLength(const FrameHeader& first) {
    return first.version >= 1 ? first.logLength : 0;
}

inline bool FramesFillVideo(const uint8_t* gop, const FrameHeader& first) {
    const uint64_t tail = uint64_t(first.audioLength) + TelemetryLength(first);
    if (tail + kFrameHeaderSize > first.gopLength)
        return false;
    const uint64_t videoEnd = first.gopLength - tail;
    uint64_t at = 0;
    while (at + kFrameHeaderSize <= videoEnd && LoadU32(gop + at) == kFrameMagic)
        at += kFrameHeaderSize + ReadFrameHeader(gop + at).frameLength;
    return at == videoEnd;
}

inline bool TelemetryInPlace(const uint8_t* gop, const FrameHeader& first) {
    const uint64_t length = TelemetryLength(first);
    if (length < uint64_t(telemetry::kLogHeaderSize) || length + kFrameHeaderSize > first.gopLength)
        return false;
    const uint32_t logHd = LoadU32(gop + (first.gopLength - length));
    return (logHd & telemetry::kLogTagMask) == telemetry::kLogTag;
}

}  // namespace gop_start_detail

// `size` bytes read from a sector that starts a GOP (StartsGop).
inline bool GopLengthsAgree(const uint8_t* gop, uint64_t size) {
    const FrameHeader first = ReadFrameHeader(gop);
    if (first.gopLength > size)
        return false;
    return gop_start_detail::FramesFillVideo(gop, first) ||
           gop_start_detail::TelemetryInPlace(gop, first);
}
