// CDecoderManager: the sixteen channel decoders (channel c uses decoder
// c - 1) and the router that hands frames to them, as one group. It parses
// nothing: GOPs are parsed with a CGopParser (format/gop), which needs no
// decoder.
//
// Life cycle: the decoders are opened by Create and closed by Destroy, which
// the playback thread repeats to rebuild them (a picture-size change, a
// display failure).
//
// Threads: DecodeFrame for channel c only from the thread that displays c.
// Create and Destroy only while no DecodeFrame runs; a frame decoded before
// Create or after Destroy fails cleanly (the decoder is closed).
#pragma once

#include <array>

#include "player/decode/FrameRouter.h"
#include "player/decode/H264Dec.h"
#include "shared/GopRecords.h"

class CDecoderManager {
public:
    CDecoderManager();
    ~CDecoderManager() { Destroy(); }
    CDecoderManager(const CDecoderManager&) = delete;
    CDecoderManager& operator=(const CDecoderManager&) = delete;

    // Opens the sixteen decoders in channel order; false at the first that
    // cannot be opened (those before it stay open until Destroy).
    bool Create();
    void Destroy();

    // Decodes one frame of `channel` (1..16) of `group` (0 only) into `out`;
    // false for another group or channel, a closed decoder or a failed decode.
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) {
        return m_router.DecodeFrame(group, channel, data, length, out, size, width, height);
    }

private:
    std::array<CH264Dec, kMaxChannels> m_decoders;
    CFrameRouter m_router;
};
