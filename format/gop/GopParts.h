// The steps of CGopParser::Parse, one file each: the frame walk, the audio
// block (PCM and u-law), the telemetry sub-blocks and the tyre block. Internal
// to format/gop.
#pragma once

#include <cstdint>

#include "ByteCursor.h"
#include "format/FrameHeader.h"
#include "shared/GopRecords.h"

namespace gop_detail {

// What the first header's version says about the whole GOP.
struct VersionLayout {
    int framesPerChannel;  // already clamped to kMaxFramesPerChannel
    int channels;
    int gopFps;
    bool hasTelemetry;
};
VersionLayout LayoutOfVersion(const FrameHeader& first);

// One GOP under parse. Every read stays below `end` = gopLength (which the
// caller checked against the valid bytes).
struct GopView {
    const uint8_t* bytes;
    uint32_t end;
    FrameHeader first;
    int framesPerChannel;      // as stored in the record, 0 to 30
    uint32_t telemetryLength;  // L, 0 when absent or unusable
    int audioTrack;            // this parse's copy of g_nAudioType
};

// Step 5: enters every frame into the record's frame tables and returns the
// cursor where the frame walk ended (where the audio block is read).
uint32_t WalkFrames(const GopView& gop, GopInfo* info);

// Step 6, versions 0 to 3: copies the PCM audio at `cursor` and fills the
// chunk table.
void CopyPcmAudio(const GopView& gop, uint32_t cursor, GopInfo* info);

// Step 6, version 4: copies the chosen u-law track at `cursor`. false when the
// block has 3 or more tracks (the parse fails).
bool CopyUlawAudio(const GopView& gop, uint32_t cursor, GopInfo* info);

// Step 7: clears the telemetry counts and reads the telemetry block.
void ReadTelemetry(const GopView& gop, GopInfo* info);

enum class TyreResult {
    kGoodLayout,  // the walk goes on with the next sub-block
    kBadLayout,   // the parse ends at once, with the version as its result
    kTruncated,   // the block does not fit in the GOP: the walk ends here
};
// The tyre sub-block (bit 4) at the cursor.
TyreResult ReadTyres(ByteCursor& cursor, const GopView& gop, GopInfo* info);

}  // namespace gop_detail
