// CFrameDecoder: what the display threads decode frames with. The player's
// decoder manager stands behind it (CManagedFrameDecoder); tests put a
// counting decorator in front of it.
//
// Threads: DecodeFrame for channel c only from the one display thread
// showing c; different channels at once.
#pragma once

class CFrameDecoder {
public:
    virtual ~CFrameDecoder() = default;

    // Decodes one frame of `channel` (1..16) of `group` (0) into `out`
    // (YV12, pitch = width), setting its size in bytes and pixels; false on
    // failure.
    virtual bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                             unsigned char* out, int* size, int* width, int* height) = 0;
};
