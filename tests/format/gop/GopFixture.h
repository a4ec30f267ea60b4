// Test fixture of the parser tests: a zeroed GopInfo with its own audio
// buffer (and guard bytes after it), and raw GOP bytes for the damaged inputs
// that recgen::GopBuilder cannot express. Well-formed GOPs come from the
// builder.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "format/FrameHeader.h"
#include "format/TelemetryLayout.h"
#include "format/gop/GopParser.h"
#include "shared/ByteOrder.h"

namespace gop_test {

inline constexpr uint32_t kSentinel = 0xEEEEEEEEu;
inline constexpr int kGuardBytes = 4096;
inline constexpr uint8_t kGuardByte = 0xA5;

// A GopInfo as a record owner holds it: on the heap, zeroed, audioData
// pointing at a 204800-byte buffer followed by guard bytes.
struct Record {
    Record() : info(std::make_unique<GopInfo>()), audio(kAudioBufferSize + kGuardBytes, 0) {
        std::memset(info.get(), 0, sizeof(GopInfo));
        std::memset(audio.data() + kAudioBufferSize, kGuardByte, kGuardBytes);
        info->audioData = audio.data();
    }
    GopInfo* operator->() { return info.get(); }
    GopInfo* get() { return info.get(); }
    bool GuardIntact() const {
        for (int i = 0; i < kGuardBytes; ++i)
            if (audio[size_t(kAudioBufferSize + i)] != kGuardByte)
                return false;
        return true;
    }
    // Fills the frame tables, sizes and chunk table with kSentinel.
    void FillSentinels() {
        std::memset(info->frameOffset, 0xEE, sizeof(info->frameOffset));
        std::memset(info->frameLength, 0xEE, sizeof(info->frameLength));
        std::memset(info->fps, 0xEE, sizeof(info->fps));
        std::memset(info->chunkOffset, 0xEE, sizeof(info->chunkOffset));
        std::memset(info->chunkLength, 0xEE, sizeof(info->chunkLength));
        std::memset(info->axleKind, 0xEE, sizeof(info->axleKind));
    }

    std::unique_ptr<GopInfo> info;
    std::vector<uint8_t> audio;
};

inline CGopParser MakeParser() {
    return CGopParser();
}

// Raw bytes of a GOP, written field by field at given offsets.
class RawGop {
public:
    explicit RawGop(uint32_t size) : bytes_(size, 0) {}

    void Header(uint32_t at, const FrameHeader& h) { WriteFrameHeader(h, &bytes_[at]); }
    void U8(uint32_t at, uint8_t v) { bytes_[at] = v; }
    void U16(uint32_t at, uint16_t v) { StoreU16(&bytes_[at], v); }
    void U32(uint32_t at, uint32_t v) { StoreU32(&bytes_[at], v); }

    const uint8_t* data() const { return bytes_.data(); }
    uint32_t size() const { return uint32_t(bytes_.size()); }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// A first header: the given version and lengths, channel 0 frame 1, fps 25.
inline FrameHeader FirstHeader(uint32_t version, uint32_t gopLength, uint32_t frameLength = 0,
                               uint32_t audioLength = 0, uint32_t logLength = 0) {
    FrameHeader h;
    h.version = version;
    h.frameNumber = 1;
    h.channelCountCode = 2;
    h.resolutionCode = 6;
    h.fps = 25;
    h.gopLength = gopLength;
    h.frameLength = frameLength;
    h.audioLength = audioLength;
    h.logLength = logLength;
    return h;
}

// A later frame's header.
inline FrameHeader FrameOf(uint32_t channel, uint32_t frameNumber, uint32_t frameLength) {
    FrameHeader h;
    h.channel = channel;
    h.frameNumber = frameNumber;
    h.frameLength = frameLength;
    h.resolutionCode = 6;
    h.fps = 25;
    return h;
}

}  // namespace gop_test
