// CManagedFrameDecoder: the display's decoding through the player's decoder
// manager (player/decode), which it does not own.
#pragma once

#include "player/decode/DecoderManager.h"
#include "player/render/FrameDecoder.h"

class CManagedFrameDecoder final : public CFrameDecoder {
public:
    explicit CManagedFrameDecoder(CDecoderManager& decoders) : m_decoders(decoders) {}

    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) override {
        return m_decoders.DecodeFrame(group, channel, data, length, out, size, width, height);
    }

private:
    CDecoderManager& m_decoders;
};
