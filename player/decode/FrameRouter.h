// CFrameRouter: hands one frame to its channel's decoder, as one group of
// sixteen channels (channel c uses decoder c - 1).
//
// Ownership: the router owns nothing; the decoders belong to its owner (the
// decoder manager) and outlive it.
//
// Threads: no lock and no state after construction; DecodeFrame for channel c
// runs on the thread that displays c (the decoder's own rule).
#pragma once

#include "player/decode/DataDec.h"
#include "shared/GopRecords.h"

class CFrameRouter {
public:
    // Copies the 16 decoder pointers (null entries allowed: DecodeFrame then
    // refuses that channel). groupCount 1 gives one group; callers pass 1 only,
    // and any other value gives no group, so that DecodeFrame refuses all.
    CFrameRouter(CDataDec* const decoders[kMaxChannels], int groupCount);

    // false unless 0 <= group < groupCount, 1 <= channel <= 16 and that
    // channel has a decoder; otherwise the result of decoders[channel - 1]'s
    // Decode with the six arguments unchanged.
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) const;

    int GroupCount() const { return m_groupCount; }

private:
    CDataDec* m_decoders[kMaxChannels];
    int m_groupCount;
};
