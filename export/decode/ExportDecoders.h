// CExportDecoders: the export library's own decoder set, the player's
// CDecoderManager (sixteen H.264 decoders and the GOP parser) with the
// scaling that only the export library needs.
//
// Threads: one thread at a time (the export controller's caller).
#pragma once

#include <array>
#include <cstdint>

#include "player/decode/DecoderManager.h"

struct SwsContext;

namespace oskulo {

// Rescales a planar 4:2:0 picture (luma, then two quarter-size chroma planes,
// pitch = width; sizes even) with libswscale's sinc filter, through a scaler
// made for this call alone. Returns the output lines, or 0 when the sizes are
// not positive or no scaler can be made.
int ScalePicture(int srcWidth, int srcHeight, int dstWidth, int dstHeight, const uint8_t* src,
                 uint8_t* dst);

class CExportDecoders : public CDecoderManager {
public:
    CExportDecoders() = default;
    ~CExportDecoders();
    CExportDecoders(const CExportDecoders&) = delete;
    CExportDecoders& operator=(const CExportDecoders&) = delete;

    // ScalePicture for a picture of `channel` (1..16) of `group` (0), 0 for
    // another group or channel. Each channel keeps its scaler while the sizes
    // stay the same (building a sinc filter costs more than scaling with it);
    // the result is the same as ScalePicture's.
    int ScaleFrame(int group, int channel, int srcWidth, int srcHeight, int dstWidth, int dstHeight,
                   const uint8_t* src, uint8_t* dst);

private:
    std::array<SwsContext*, kMaxChannels> m_scalers{};
};

}  // namespace oskulo
