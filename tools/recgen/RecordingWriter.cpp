#include "tools/recgen/RecordingWriter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "format/CodeTables.h"
#include "format/ulaw/UlawTable.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/H264ChannelEncoder.h"
#include "tools/recgen/PairWriter.h"

namespace recgen {
namespace {

constexpr uint32_t kOversizedGop = 12582912 + 512;  // one sector more than a reader's buffer
constexpr int kUlawRate = 8000;
constexpr uint16_t kUlawChunk = 80;
constexpr uint16_t kUlawChunkHeader = 4;

uint32_t ChannelCountCode(int channels) {
    switch (channels) {
        case 1:
            return 1;
        case 4:
            return 2;
        case 8:
            return 3;
        case 12:
            return 4;
        case 16:
            return 5;
        default:
            return 0;
    }
}

uint32_t ResolutionOf(const RecordingPlan& plan, int channel, int gop) {
    const std::size_t n = plan.resolutionCodes.size();
    uint32_t code = plan.resolutionCodes[std::min(std::size_t(channel), n - 1)];
    for (const ResolutionChange& change : plan.resolutionChanges) {
        if (change.channel == channel && gop >= change.fromGop)
            code = change.code;
    }
    return code;
}

// The channel of every frame of a GOP, in the order they are written.
std::vector<int> FrameOrder(const RecordingPlan& plan, int gop) {
    std::vector<int> order;
    for (int f = 0; f < FramesPerChannel(plan); ++f) {
        for (int c = 0; c < plan.channels; ++c)
            order.push_back(c);
    }
    if (plan.shuffledFrames) {
        std::mt19937 random(uint32_t(gop) + 1);
        std::shuffle(order.begin(), order.end(), random);
    }
    return order;
}

bool Refuse(std::string* error, const char* why) {
    *error = why;
    return false;
}

bool CheckPlan(const RecordingPlan& s, std::string* error) {
    if (s.version > 4)
        return Refuse(error, "version must be 0 to 4");
    if (ChannelCountCode(s.channels) == 0)
        return Refuse(error, "channels must be 1, 4, 8, 12 or 16");
    if (s.version <= 1 && s.channels > 4)
        return Refuse(error, "versions 0 and 1 hold 4 channels");
    if (s.version == 2 && s.channels > 8)
        return Refuse(error, "version 2 holds 8 channels");
    if (s.fps < 1 || s.fps > 30)
        return Refuse(error, "fps must be 1 to 30");
    if (s.gopCount < 0)
        return Refuse(error, "GOP count must not be negative");
    if (s.resolutionCodes.empty())
        return Refuse(error, "no resolution code");
    PictureSize size{};
    for (uint32_t code : s.resolutionCodes) {
        if (!PictureSizeOfCode(int(code), s.pal, &size))
            return Refuse(error, "resolution code has no size");
    }
    for (const ResolutionChange& change : s.resolutionChanges) {
        if (!PictureSizeOfCode(int(change.code), s.pal, &size))
            return Refuse(error, "resolution code has no size");
        if (change.channel < 0 || change.channel >= s.channels)
            return Refuse(error, "resolution change of a channel the recording lacks");
    }
    if (s.audio == AudioKind::kPcm && s.version == 4)
        return Refuse(error, "version 4 audio is u-law");
    if (s.audio == AudioKind::kUlaw && s.version != 4)
        return Refuse(error, "u-law audio needs version 4");
    if (s.audio == AudioKind::kUlaw && (s.audioTracks < 1 || s.audioTracks > 2))
        return Refuse(error, "u-law audio has 1 or 2 tracks");
    if (s.sampleBitsCode > 3 || s.sampleRateCode > 7 || s.audioChannelsCode > 7)
        return Refuse(error, "audio code out of its field");
    return true;
}

// 8-bit PCM is unsigned; wider samples are signed, the tone scaled to the width.
int32_t PcmValue(int16_t tone, int bits) {
    if (bits == 8)
        return 128 + tone / 256;
    return bits == 32 ? tone * 65536 : tone;
}

std::vector<uint8_t> PcmBlock(const RecordingPlan& s, int gop) {
    const int rate = SampleRateOfCode(int(s.sampleRateCode));
    const int64_t first = int64_t(gop) * rate;
    const int bits = SampleBitsOfCode(int(s.sampleBitsCode));
    return InterleavedPcm(
        AudioChannelsOfCode(int(s.audioChannelsCode)), bits, rate,
        [&](int c, int i) { return PcmValue(ToneSample(c, first + i, rate), bits); });
}

std::vector<uint8_t> UlawBlock(const RecordingPlan& s, int gop) {
    UlawAudio audio;
    audio.chunkHeaderSize = kUlawChunkHeader;
    audio.chunkSize = kUlawChunk;
    for (int t = 0; t < s.audioTracks; ++t) {
        UlawTrack track;
        for (int64_t n = 0; n < kUlawRate; n += kUlawChunk) {
            std::vector<uint8_t> chunk(kUlawChunk);
            for (int i = 0; i < kUlawChunk; ++i)
                chunk[std::size_t(i)] =
                    UlawEncode(ToneSample(t, int64_t(gop) * kUlawRate + n + i, kUlawRate));
            track.chunks.push_back(std::move(chunk));
        }
        audio.tracks.push_back(std::move(track));
    }
    return EncodeUlawAudio(audio);
}

// Writes the recording GOP by GOP; holds one encoder per channel.
class RecordingWriter {
public:
    RecordingWriter(const RecordingPlan& plan, const TelemetryTrack& track)
        : plan_(plan), track_(track) {}

    // Each channel's encoder at the channel's size in `gop`; a channel whose
    // size changes there gets a new one, which starts with a key frame.
    bool OpenEncoders(int gop, std::string* error) {
        encoders_.resize(std::size_t(plan_.channels));
        codes_.resize(std::size_t(plan_.channels));
        for (int c = 0; c < plan_.channels; ++c) {
            const uint32_t code = ResolutionOf(plan_, c, gop);
            auto& encoder = encoders_[std::size_t(c)];
            if (encoder && codes_[std::size_t(c)] == code)
                continue;
            PictureSize size{};
            PictureSizeOfCode(int(code), plan_.pal, &size);
            encoder = H264ChannelEncoder::Create({.channel = c,
                                                  .width = size.width,
                                                  .height = size.height,
                                                  .framesPerGop = FramesPerChannel(plan_),
                                                  .skippable = plan_.skippableChannels.contains(c),
                                                  .busyBitRate = plan_.busyBitRate},
                                                 error);
            codes_[std::size_t(c)] = code;
            if (!encoder)
                return false;
        }
        return true;
    }

    bool BuildGop(int gop, std::vector<uint8_t>* bytes, std::string* error) {
        if (!OpenEncoders(gop, error))
            return false;
        GopBuilder builder(
            {.version = plan_.version,
             .channelCountCode = ChannelCountCode(plan_.channels),
             .time = plan_.startTime + uint32_t(gop),
             .sampleBitsCode = plan_.sampleBitsCode,
             // u-law tracks are always 8000 Hz; the code says so to the player.
             .sampleRateCode = plan_.audio == AudioKind::kUlaw ? 1 : plan_.sampleRateCode,
             .audioChannelsCode = plan_.audioChannelsCode,
             .prevGopLength = 0});
        const int frames = FramesPerChannel(plan_);
        std::vector<uint32_t> frameNumbers(std::size_t(plan_.channels), 0);
        for (int c : FrameOrder(plan_, gop)) {
            if (!AddFrame(builder, c, ++frameNumbers[std::size_t(c)], error))
                return false;
        }
        if (plan_.audio == AudioKind::kPcm)
            builder.SetAudio(PcmBlock(plan_, gop));
        if (plan_.audio == AudioKind::kUlaw)
            builder.SetAudio(UlawBlock(plan_, gop));
        if (plan_.telemetry && plan_.version >= 1) {
            TelemetryBlock block = track_.Block(gop, frames);
            block.invalidTag = plan_.damage.invalidLogGops.contains(gop);
            builder.SetTelemetry(block);
        }
        *bytes = builder.Build();
        return true;
    }

private:
    bool AddFrame(GopBuilder& builder, int c, uint32_t f, std::string* error) {
        EncodedFrame encoded;
        if (!encoders_[std::size_t(c)]->EncodeNext(&encoded, error))
            return false;
        builder.AddFrame({.channel = uint32_t(c),
                          .frameNumber = f,
                          .resolutionCode = codes_[std::size_t(c)],
                          .pal = plan_.pal,
                          .fps = plan_.version >= 3 ? plan_.fps : uint32_t(FramesPerChannel(plan_)),
                          .noSkip = !plan_.skippableChannels.contains(c),
                          .frameType = encoded.keyFrame ? 1u : 0u,
                          .data = std::move(encoded.data)});
        return true;
    }

    const RecordingPlan& plan_;
    const TelemetryTrack& track_;
    std::vector<std::unique_ptr<H264ChannelEncoder>> encoders_;
    std::vector<uint32_t> codes_;  // each encoder's resolution code
};

GopDamage DamageOf(const RecordingPlan& s, int gop) {
    return {.badMagic = s.damage.badMagicGops.contains(gop),
            .growTo = s.damage.oversizedGops.contains(gop) ? kOversizedGop : 0};
}

}  // namespace

int FramesPerChannel(const RecordingPlan& plan) {
    if (plan.version <= 1)
        return 16;
    if (plan.version == 2)
        return 15;
    return int(plan.fps);
}

int16_t ToneSample(int tone, int64_t index, int sampleRate) {
    const double hz = 400.0 + 200.0 * tone;
    const double cycles = std::fmod(double(index) * hz / double(sampleRate), 1.0);
    return int16_t(std::lround(8000.0 * std::sin(2.0 * std::numbers::pi * cycles)));
}

bool WriteRecording(const RecordingPlan& plan, const std::string& dvrPath,
                    const std::string& inxPath, std::string* error) {
    if (!CheckPlan(plan, error))
        return false;
    const TelemetryTrack track(plan.route, plan.vehicleId);
    RecordingWriter writer(plan, track);
    std::unique_ptr<PairWriter> pair = PairWriter::Create(dvrPath, inxPath);
    if (!pair)
        return Refuse(error, "cannot create the recording files");
    pair->AddGap(plan.leadingFillerBytes);
    for (int gop = 0; gop < plan.gopCount; ++gop) {
        std::vector<uint8_t> bytes;
        if (!writer.BuildGop(gop, &bytes, error))
            return false;
        if (auto gap = plan.gapsBefore.find(gop); gap != plan.gapsBefore.end())
            pair->AddGap(gap->second);
        if (!pair->AddGop(std::move(bytes), DamageOf(plan, gop)))
            return Refuse(error, "writing a GOP failed");
    }
    if (!pair->Finish({.omittedEntries = plan.damage.omittedIndexEntries,
                       .cutBytes = plan.damage.cutBytes,
                       .endTime = std::nullopt}))
        return Refuse(error, "writing the index failed");
    return true;
}

}  // namespace recgen
