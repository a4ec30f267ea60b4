#include "tools/recgen/GopBuilder.h"

#include <algorithm>
#include <stdexcept>

#include "shared/ByteOrder.h"

namespace recgen {
namespace {

constexpr std::size_t kMaxFrameLength = 0xFFFFF;  // 20-bit field
constexpr std::size_t kMaxLogLength = 0xFFFF;     // 16-bit field

}  // namespace

FrameHeader GopBuilder::HeaderOf(const GopFrame& frame) const {
    if (frame.data.size() > kMaxFrameLength)
        throw std::length_error("gop: frame above 1 MiB");
    FrameHeader h;
    h.version = fields_.version;
    h.channelCountCode = fields_.channelCountCode;
    h.time = fields_.time;
    h.sampleBitsCode = fields_.sampleBitsCode;
    h.sampleRateCode = fields_.sampleRateCode;
    h.audioChannelsCode = fields_.audioChannelsCode;
    h.frameNumber = frame.frameNumber;
    h.channel = frame.channel;
    h.resolutionCode = frame.resolutionCode;
    h.pal = frame.pal;
    h.fps = frame.fps;
    h.noSkip = frame.noSkip;
    h.frameType = frame.frameType;
    h.frameLength = uint32_t(frame.data.size());
    return h;
}

std::vector<uint8_t> GopBuilder::Build() const {
    if (telemetry_.size() > kMaxLogLength)
        throw std::length_error("gop: telemetry above 64 KiB");
    std::size_t size = std::max<std::size_t>(frames_.size(), 1) * kFrameHeaderSize;
    for (const GopFrame& f : frames_)
        size += f.data.size();
    size += audio_.size() + telemetry_.size();
    if (size > UINT32_MAX)
        throw std::length_error("gop: above 4 GiB");

    std::vector<uint8_t> out(size, 0);
    uint8_t* at = out.data();
    for (const GopFrame& f : frames_) {
        // Unless the recorder copies them, only the first header carries the
        // GOP's lengths; the later ones keep gopLength 0.
        FrameHeader header = HeaderOf(f);
        if (fields_.copyGopFields)
            header.gopLength = uint32_t(size);
        WriteFrameHeader(header, at);
        at = std::copy(f.data.begin(), f.data.end(), at + kFrameHeaderSize);
    }
    if (frames_.empty())
        at += kFrameHeaderSize;
    at = std::copy(audio_.begin(), audio_.end(), at);
    std::copy(telemetry_.begin(), telemetry_.end(), at);

    FrameHeader first = frames_.empty() ? HeaderOf(GopFrame{}) : ReadFrameHeader(out.data());
    first.prevGopLength = fields_.prevGopLength;
    first.gopLength = uint32_t(size);
    first.audioLength = uint32_t(audio_.size());
    first.logLength = uint32_t(telemetry_.size());
    WriteFrameHeader(first, out.data());
    if (fields_.copyGopFields)
        RefreshCopiedGopFields(out);
    return out;
}

void RefreshCopiedGopFields(std::vector<uint8_t>& gop) {
    if (gop.size() < std::size_t(kFrameHeaderSize))
        return;
    const FrameHeader first = ReadFrameHeader(gop.data());
    const std::size_t tail = std::size_t(first.audioLength) + first.logLength;
    const std::size_t videoEnd = tail < gop.size() ? gop.size() - tail : 0;
    std::size_t at = kFrameHeaderSize + first.frameLength;
    while (at + kFrameHeaderSize <= videoEnd && LoadU32(gop.data() + at) == kFrameMagic) {
        FrameHeader later = ReadFrameHeader(gop.data() + at);
        if (later.gopLength != 0) {
            later.gopLength = first.gopLength;
            later.audioLength = first.audioLength;
            later.logLength = first.logLength;
            later.prevGopLength = first.prevGopLength;
            WriteFrameHeader(later, gop.data() + at);
        }
        at += kFrameHeaderSize + later.frameLength;
    }
}

}  // namespace recgen
