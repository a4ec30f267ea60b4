// The audio of a GOP as u-law bytes per channel, for the MOV writer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "export/mov/MovGop.h"
#include "format/FrameHeader.h"

// Fills the sample rate, the sample bits and the audio of `out` from the
// audio block that starts at `blockAt` (the first header's `audioLength`
// bytes). Version 4 blocks are u-law tracks: channel h takes track h, or
// track 0 when the block has fewer tracks. Version 3 blocks are PCM: one
// channel of 16-bit samples (the second of several) is turned into u-law.
// Audio that cannot be read stays empty.
void ReadMovGopAudio(const uint8_t* gop, const FrameHeader& first, size_t blockAt, MovGop* out);
