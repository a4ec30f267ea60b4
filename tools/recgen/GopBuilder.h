// Assembles the bytes of one GOP: frames in the order they are added, then
// the audio block, then the telemetry block. Build() fills the first
// header's gopLength, audioLength and logLength. Used on one thread; throws
// std::length_error when a length does not fit its header field.
#pragma once

#include <cstdint>
#include <vector>

#include "format/FrameHeader.h"
#include "tools/recgen/TelemetryBlock.h"

namespace recgen {

// Fields of the GOP as a whole, taken from its first header.
struct GopFields {
    uint32_t version = 4;
    uint32_t channelCountCode = 2;  // 4 channels
    uint32_t time = 0;
    uint32_t sampleBitsCode = 0;
    uint32_t sampleRateCode = 1;  // 8000 Hz
    uint32_t audioChannelsCode = 0;
    uint32_t prevGopLength = 0;  // PairWriter sets it when it places the GOP
    // Some recorders copy the GOP-wide fields (gopLength, audioLength,
    // logLength, prevGopLength) from the first header into every later one.
    bool copyGopFields = false;
};

struct GopFrame {
    uint32_t channel = 0;      // 0 to 15
    uint32_t frameNumber = 1;  // counted from 1 within the channel
    uint32_t resolutionCode = 6;
    bool pal = true;
    uint32_t fps = 25;
    bool noSkip = true;
    uint32_t frameType = 0;  // 1 = key frame
    std::vector<uint8_t> data = {};
};

class GopBuilder {
public:
    explicit GopBuilder(const GopFields& fields) : fields_(fields) {}

    void AddFrame(GopFrame frame) { frames_.push_back(std::move(frame)); }
    // A PCM block (InterleavedPcm) or a u-law block (EncodeUlawAudio).
    void SetAudio(std::vector<uint8_t> block) { audio_ = std::move(block); }
    void SetTelemetry(const TelemetryBlock& block) { telemetry_ = EncodeTelemetry(block); }
    void SetRawTelemetry(std::vector<uint8_t> block) { telemetry_ = std::move(block); }

    // The GOP's bytes. Without frames the GOP is one header followed by the
    // audio and telemetry blocks (a GOP without video).
    std::vector<uint8_t> Build() const;

private:
    FrameHeader HeaderOf(const GopFrame& frame) const;

    GopFields fields_;
    std::vector<GopFrame> frames_;
    std::vector<uint8_t> audio_;
    std::vector<uint8_t> telemetry_;
};

// Writes the first header's GOP-wide fields into every later frame header
// that carries a GOP length, as a copying recorder does: called after the
// first header changed (a back link set when the GOP is placed).
void RefreshCopiedGopFields(std::vector<uint8_t>& gop);

}  // namespace recgen
