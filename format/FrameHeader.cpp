#include "format/FrameHeader.h"

#include "shared/ByteOrder.h"

namespace {

uint32_t Bits(uint32_t word, int first, int count) {
    return (word >> first) & ((count == 32) ? 0xFFFFFFFFu : ((1u << count) - 1));
}

uint32_t Field(uint32_t value, int first, int count) {
    return Bits(value, 0, count) << first;
}

}  // namespace

FrameHeader ReadFrameHeader(const uint8_t* bytes) {
    const uint32_t w4 = LoadU32(bytes + 4), w8 = LoadU32(bytes + 8), w16 = LoadU32(bytes + 16);
    const uint32_t w20 = LoadU32(bytes + 20), w28 = LoadU32(bytes + 28);
    FrameHeader h;
    h.magic = LoadU32(bytes);
    h.version = Bits(w4, 0, 24);
    h.frameNumber = Bits(w4, 24, 8);
    h.channel = Bits(w8, 0, 4);
    h.channelCountCode = Bits(w8, 4, 4);
    h.resolutionCode = Bits(w8, 8, 4);
    h.time = LoadU32(bytes + 12);
    h.prevGopLength = Bits(w16, 0, 20);
    h.pal = Bits(w16, 23, 1) != 0;
    h.frameLength = Bits(w20, 0, 20);
    h.sampleBitsCode = Bits(w20, 22, 2);
    h.sampleRateCode = Bits(w20, 25, 3);
    h.audioChannelsCode = Bits(w20, 28, 3);
    h.logLength = Bits(LoadU32(bytes + 24), 16, 16);
    h.frameType = Bits(w28, 0, 2);
    h.fps = Bits(w28, 2, 5);
    h.noSkip = Bits(w28, 16, 1) != 0;
    h.gopLength = LoadU32(bytes + 32);
    h.audioLength = LoadU32(bytes + 36);
    return h;
}

void WriteFrameHeader(const FrameHeader& h, uint8_t* bytes) {
    StoreU32(bytes, h.magic);
    StoreU32(bytes + 4, Field(h.version, 0, 24) | Field(h.frameNumber, 24, 8));
    StoreU32(bytes + 8, Field(h.channel, 0, 4) | Field(h.channelCountCode, 4, 4) |
                            Field(h.resolutionCode, 8, 4));
    StoreU32(bytes + 12, h.time);
    StoreU32(bytes + 16, Field(h.prevGopLength, 0, 20) | Field(h.pal, 23, 1));
    StoreU32(bytes + 20, Field(h.frameLength, 0, 20) | Field(h.sampleBitsCode, 22, 2) |
                             Field(h.sampleRateCode, 25, 3) | Field(h.audioChannelsCode, 28, 3));
    StoreU32(bytes + 24, Field(h.logLength, 16, 16));
    StoreU32(bytes + 28, Field(h.frameType, 0, 2) | Field(h.fps, 2, 5) | Field(h.noSkip, 16, 1));
    StoreU32(bytes + 32, h.gopLength);
    StoreU32(bytes + 36, h.audioLength);
}

bool StartsGop(const uint8_t* sector) {
    return LoadU32(sector) == kFrameMagic && LoadU32(sector + 32) != 0;
}
