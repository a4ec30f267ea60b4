// What the playback thread keeps from one GOP to the next (PlaybackThread.cpp,
// PlaybackAudio.cpp): its record and buffers, the state it acts on and the
// audio timing. Owned by the playback thread alone.
#pragma once

#include <cstdint>
#include <memory>

#include "player/core/GopRecord.h"
#include "player/core/Player.h"

// The PCM of one GOP: version-4 u-law expands to twice its bytes.
inline constexpr int kPcmBufferSize = 81920;

struct CPlayer::PlaybackLocals {
    explicit PlaybackLocals(uint64_t thread) : generation(thread) {}

    const uint64_t generation;  // of the playback thread that owns them
    std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();
    std::unique_ptr<uint8_t[]> audio = std::make_unique<uint8_t[]>(kGopAudioBufferSize);
    int state = STATUS_IDLE;  // snapshot of the player state for this GOP
    int speed = 1;
    bool forward = true;
    std::unique_ptr<uint8_t[]> pcm = std::make_unique<uint8_t[]>(kPcmBufferSize);
    int pcmDisplayMs = 0;          // of the last GOP whose audio was timed at speed 1
    bool audioOpenFailed = false;  // this thread's last attempt to open the device failed
    // A step was asked for (continue event) and its frame is not shown yet:
    // it survives an empty queue after the step's repositioning.
    bool stepPending = false;
};
