// Step 5 of Parse: the frame walk. Frames are located, never copied.
#include "GopParts.h"
#include "format/CodeTables.h"

namespace gop_detail {
namespace {

// gopLength - logLength - audioLength with the raw logLength, as the
// recorder's no-video test takes it (signed: damaged lengths go below 0).
int64_t AudioStartOf(const GopView& gop) {
    return int64_t(gop.end) - int64_t(gop.first.logLength) - int64_t(gop.first.audioLength);
}

// The walk stays inside the video region: before the audio block when the
// lengths add up, else before the GOP's end. Audio or telemetry bytes that
// happen to start with 511 are therefore never taken for a frame header. The
// telemetry length here is the one in use (0 for version 0, whatever its
// field says), so that a stray logLength of an old recorder cuts no frame.
uint32_t VideoEndOf(const GopView& gop) {
    const int64_t audioStart =
        int64_t(gop.end) - int64_t(gop.telemetryLength) - int64_t(gop.first.audioLength);
    return audioStart >= kFrameHeaderSize ? uint32_t(audioStart) : gop.end;
}

// Enters one frame whose data begins at `dataAt`. A frame number of 0 or
// above 30 has no row in the frame tables: that frame is passed over, but its
// header still gives the channel's rate, size and no-skip bit.
void EnterFrame(const FrameHeader& h, uint32_t dataAt, GopInfo* info) {
    const uint32_t c = h.channel;  // a 4-bit field: always 0 to 15
    if (h.frameNumber >= 1 && h.frameNumber <= uint32_t(kMaxFramesPerChannel)) {
        info->frameOffset[c][h.frameNumber - 1] = dataAt;
        info->frameLength[c][h.frameNumber - 1] = h.frameLength;
    }
    info->fps[c] = int32_t(h.fps);
    PictureSize size;
    if (PictureSizeOfCode(int(h.resolutionCode), h.pal, &size)) {
        info->width[c] = info->lastWidth = size.width;
        info->height[c] = info->lastHeight = size.height;
    }
    info->noSkip[c] = h.noSkip ? 1 : 0;
}

}  // namespace

// The walk ends at the first bytes that are not a frame header, at a frame
// whose data would pass the video region's end (that frame is not entered and
// the cursor stays just after its header), or when fewer than 40 bytes are
// left for another header. Every step moves on by at least 40 bytes.
uint32_t WalkFrames(const GopView& gop, GopInfo* info) {
    if (AudioStartOf(gop) == kFrameHeaderSize)
        return kFrameHeaderSize;  // no video
    ByteCursor cursor(gop.bytes, VideoEndOf(gop), kFrameHeaderSize);
    FrameHeader header = gop.first;
    for (;;) {
        if (!cursor.Has(header.frameLength))
            break;
        EnterFrame(header, cursor.Pos(), info);
        cursor.Skip(header.frameLength);
        ByteCursor next = cursor;
        const uint8_t* bytes = next.Take(kFrameHeaderSize);
        if (bytes == nullptr || LoadU32(bytes) != kFrameMagic)
            break;
        header = ReadFrameHeader(bytes);
        cursor = next;
    }
    return cursor.Pos();
}

}  // namespace gop_detail
