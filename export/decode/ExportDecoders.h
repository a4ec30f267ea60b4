// CExportDecoders: the export library's own decoder set, the player's
// CDecoderManager (sixteen H.264 decoders and the GOP parser) with the
// scaling that only the export library needs.
//
// Threads: one thread at a time (the export controller's caller).
#pragma once

#include <cstdint>

#include "player/decode/DecoderManager.h"

namespace oskulo {

// Rescales a planar 4:2:0 picture (luma, then two quarter-size chroma planes,
// pitch = width; sizes even) with libswscale's sinc filter, through a scaler
// made for this call alone. Returns the output lines, or 0 when the sizes are
// not positive or no scaler can be made.
int ScalePicture(int srcWidth, int srcHeight, int dstWidth, int dstHeight, const uint8_t* src,
                 uint8_t* dst);

class CExportDecoders : public CDecoderManager {
public:
    // Scales a picture of `channel` (1..16) of `group` (0); the decoders keep
    // no scaling state, so the channel only selects, it does not change the result.
    int ScaleFrame(int group, int channel, int srcWidth, int srcHeight, int dstWidth, int dstHeight,
                   const uint8_t* src, uint8_t* dst) const;
};

}  // namespace oskulo
