#include "export/controller/GopAudio.h"

#include <algorithm>
#include <cstring>

namespace oskulo {
namespace {

void StoreSample(uint8_t* out, int16_t value) {
    out[0] = uint8_t(uint16_t(value) & 0xFF);
    out[1] = uint8_t(uint16_t(value) >> 8);
}

int PcmTo16(const GopInfo& info, uint8_t* pcm) {
    const int channels = std::max(1, int(info.audioChannels));
    const int bytes = std::clamp(info.audioLength / channels, 0, kAudioBufferSize);
    const uint8_t* in = info.audioData;
    switch (info.sampleBits) {
        case 8: {
            const int n = std::min(bytes, kGopPcmBytes / 2);
            for (int i = 0; i < n; ++i)
                StoreSample(pcm + 2 * i, int16_t((int(in[i]) - 128) * 256));
            return 2 * n;
        }
        case 32: {
            const int n = std::min(bytes / 4, kGopPcmBytes / 2);
            for (int i = 0; i < n; ++i)
                std::memcpy(pcm + 2 * i, in + 4 * i + 2, 2);  // the upper half, little-endian
            return 2 * n;
        }
        default: {
            const int n = std::min(bytes / 2, kGopPcmBytes / 2) * 2;
            std::memcpy(pcm, in, std::size_t(n));
            return n;
        }
    }
}

}  // namespace

int GopAudioToPcm(const GopInfo& info, const CUlawTable& ulaw, uint8_t* pcm) {
    if (info.audioData == nullptr || info.audioLength <= 0)
        return 0;
    if (info.version != 4)
        return PcmTo16(info, pcm);
    const int n = std::min({info.audioLength, kAudioBufferSize, kGopPcmBytes / 2});
    for (int i = 0; i < n; ++i)
        StoreSample(pcm + 2 * i, ulaw[info.audioData[i]]);
    return 2 * n;
}

FrameChunks SplitAudio(int bytes, int frames) {
    FrameChunks chunks;
    if (frames < 1 || frames > kMaxFramesPerChannel || bytes <= 0)
        return chunks;
    const int q = bytes / frames;
    const int c = q + (q % 2);
    int used = 0;
    for (int l = 0; l < frames && used < bytes; ++l) {
        const int left = bytes - used;
        const int take = l == frames - 1 ? left : (left >= c ? c : 0);
        chunks.offset[std::size_t(l)] = used;
        chunks.length[std::size_t(l)] = take;
        used += take;
    }
    return chunks;
}

}  // namespace oskulo
