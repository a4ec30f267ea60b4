// The audio of one GOP as the AVI writers take it: 16-bit mono PCM, split
// into one chunk per video frame.
//
// Plain functions over caller buffers; no state, any thread.
#pragma once

#include <array>
#include <cstdint>

#include "format/ulaw/UlawTable.h"
#include "shared/GopRecords.h"

namespace oskulo {

inline constexpr int kGopPcmBytes = 102400;  // at most this much PCM per GOP

// The GOP's audio in `info->audioData` as 16-bit PCM into `pcm` (kGopPcmBytes
// bytes); returns the PCM bytes, at most kGopPcmBytes. Version 4: every u-law
// byte becomes one sample. Other versions: the parser kept one channel's
// samples (audioLength / audioChannels bytes, sampleBits wide); 8- and
// 32-bit samples are brought to 16 bits. No audio buffer gives 0.
int GopAudioToPcm(const GopInfo& info, const CUlawTable& ulaw, uint8_t* pcm);

// Where each frame's chunk lies in the PCM.
struct FrameChunks {
    std::array<int, kMaxFramesPerChannel> offset{};
    std::array<int, kMaxFramesPerChannel> length{};
};

// Spreads `bytes` of PCM over `frames` frames (1..30; others give no chunks):
// every frame takes c = bytes / frames rounded up to even while that many
// remain, the last frame takes what is left.
FrameChunks SplitAudio(int bytes, int frames);

}  // namespace oskulo
