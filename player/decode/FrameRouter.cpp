#include "player/decode/FrameRouter.h"

CFrameRouter::CFrameRouter(CDataDec* const decoders[kMaxChannels], int groupCount)
    : m_groupCount(groupCount == 1 ? 1 : 0) {
    for (int c = 0; c < kMaxChannels; ++c)
        m_decoders[c] = decoders ? decoders[c] : nullptr;
}

bool CFrameRouter::DecodeFrame(int group, int channel, const unsigned char* data, int length,
                               unsigned char* out, int* size, int* width, int* height) const {
    if (group < 0 || group >= m_groupCount || channel < 1 || channel > kMaxChannels)
        return false;
    CDataDec* decoder = m_decoders[channel - 1];
    if (decoder == nullptr)
        return false;
    return decoder->Decode(data, length, out, size, width, height);
}
