#include "export/mov/MovGop.h"

#include "export/mov/AnnexBUnits.h"
#include "export/mov/MovGopAudio.h"
#include "format/CodeTables.h"
#include "format/FrameHeader.h"

namespace {

// The movie writer takes 4, 12 or 16 channels by their codes and 8 for any
// other code.
int ChannelCountOf(uint32_t code) {
    const int channels = ChannelCountOfCode(int(code));
    return channels == 4 || channels == 12 || channels == 16 ? channels : 8;
}

bool ReadFrame(const FrameHeader& header, std::span<const uint8_t> data, MovFrame* frame) {
    frame->channel = int(header.channel);
    frame->keyFrame = header.frameType == 1;
    std::vector<std::span<const uint8_t>> units;
    if (!SplitAnnexB(data, &units))
        return false;
    for (std::span<const uint8_t> unit : units) {
        const int type = NalTypeOf(unit);
        if (type == kNalSps)
            frame->sps = unit;
        else if (type == kNalPps)
            frame->pps = unit;
        else if (type != kNalSei)
            frame->units.push_back(unit);
    }
    // The sample description stores a parameter set's length in 16 bits.
    constexpr size_t kMaxParameterSet = 0xFFFF;
    return !frame->units.empty() && frame->sps.size() <= kMaxParameterSet &&
           frame->pps.size() <= kMaxParameterSet;
}

// Picture size of a resolution code (codes without a size give 352 x 288 or 240).
void MovPictureSize(uint32_t resolutionCode, bool pal, int* width, int* height) {
    constexpr int kCifCode = 6;  // the size of codes without one of their own
    PictureSize size{};
    if (!PictureSizeOfCode(int(resolutionCode), pal, &size))
        PictureSizeOfCode(kCifCode, pal, &size);
    *width = size.width;
    *height = size.height;
}

void NoteTrack(const FrameHeader& header, MovTrack* track) {
    if (track->present)
        return;
    track->present = true;
    track->fps = int(header.fps);
    MovPictureSize(header.resolutionCode, header.pal, &track->width, &track->height);
}

// After a broken frame walk the frames that followed are lost: a channel is
// whole only when it had as many frames as its headers say it has.
void DamageIncomplete(const std::array<int, kMovChannels>& seen, MovGop* out) {
    for (int c = 0; c < kMovChannels; ++c) {
        const MovTrack& track = out->tracks[size_t(c)];
        if (!track.present || seen[size_t(c)] < track.fps)
            out->damaged[size_t(c)] = true;
    }
}

// Every frame of the video part [0, videoEnd), each behind its header.
void ReadFrames(const uint8_t* gop, size_t videoEnd, MovGop* out) {
    std::array<int, kMovChannels> seen{};
    size_t at = 0;
    while (at < videoEnd) {
        const bool fits = videoEnd - at >= size_t(kFrameHeaderSize);
        const FrameHeader header = fits ? ReadFrameHeader(gop + at) : FrameHeader{};
        if (!fits || header.magic != kFrameMagic ||
            header.frameLength > videoEnd - at - kFrameHeaderSize) {
            DamageIncomplete(seen, out);
            return;
        }
        at += kFrameHeaderSize;
        out->time = header.time;
        const std::span<const uint8_t> data(gop + at, header.frameLength);
        at += header.frameLength;
        // A GOP without video has one header and no frame data.
        if (data.empty() || int(header.channel) >= out->channelCount)
            continue;
        NoteTrack(header, &out->tracks[header.channel]);
        ++seen[header.channel];
        MovFrame frame;
        if (ReadFrame(header, data, &frame))
            out->frames.push_back(std::move(frame));
        else
            out->damaged[header.channel] = true;
    }
}

}  // namespace

uint32_t MovFrame::SampleSize() const {
    uint32_t size = 0;
    for (std::span<const uint8_t> unit : units)
        size += uint32_t(4 + unit.size());
    return size;
}

bool ReadMovGop(const uint8_t* gop, size_t length, MovGop* out) {
    *out = MovGop{};
    if (gop == nullptr || length < size_t(kFrameHeaderSize))
        return false;
    const FrameHeader first = ReadFrameHeader(gop);
    if (first.magic != kFrameMagic || (first.version != 3 && first.version != 4))
        return false;
    const uint64_t tail = uint64_t(first.audioLength) + first.logLength;
    if (first.gopLength > length || tail + kFrameHeaderSize > first.gopLength)
        return false;
    out->channelCount = ChannelCountOf(first.channelCountCode);
    const size_t videoEnd = first.gopLength - size_t(tail);
    ReadFrames(gop, videoEnd, out);
    ReadMovGopAudio(gop, first, videoEnd, out);
    if (first.logLength > 0)
        out->telemetry =
            std::span<const uint8_t>(gop + first.gopLength - first.logLength, first.logLength);
    return true;
}
