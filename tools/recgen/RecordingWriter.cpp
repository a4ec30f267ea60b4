#include "tools/recgen/RecordingWriter.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "shared/CodeTables.h"
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

uint32_t ResolutionOf(const RecordingSpec& spec, int channel) {
    const std::size_t n = spec.resolutionCodes.size();
    return spec.resolutionCodes[std::min(std::size_t(channel), n - 1)];
}

bool Refuse(std::string* error, const char* why) {
    *error = why;
    return false;
}

bool CheckSpec(const RecordingSpec& s, std::string* error) {
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

std::vector<uint8_t> PcmBlock(const RecordingSpec& s, int gop) {
    const int rate = SampleRateOfCode(int(s.sampleRateCode));
    const int64_t first = int64_t(gop) * rate;
    const int bits = SampleBitsOfCode(int(s.sampleBitsCode));
    return InterleavedPcm(
        AudioChannelsOfCode(int(s.audioChannelsCode)), bits, rate,
        [&](int c, int i) { return PcmValue(ToneSample(c, first + i, rate), bits); });
}

std::vector<uint8_t> UlawBlock(const RecordingSpec& s, int gop) {
    UlawAudio audio;
    audio.chunkHeaderSize = kUlawChunkHeader;
    audio.chunkSize = kUlawChunk;
    for (int t = 0; t < s.audioTracks; ++t) {
        UlawTrack track;
        for (int64_t n = 0; n < kUlawRate; n += kUlawChunk) {
            std::vector<uint8_t> chunk(kUlawChunk);
            for (int i = 0; i < kUlawChunk; ++i)
                chunk[std::size_t(i)] =
                    LinearToUlaw(ToneSample(t, int64_t(gop) * kUlawRate + n + i, kUlawRate));
            track.chunks.push_back(std::move(chunk));
        }
        audio.tracks.push_back(std::move(track));
    }
    return EncodeUlawAudio(audio);
}

// Writes the recording GOP by GOP; holds one encoder per channel.
class RecordingWriter {
public:
    RecordingWriter(const RecordingSpec& spec, const TelemetryTrack& track)
        : spec_(spec), track_(track) {}

    bool OpenEncoders(std::string* error) {
        for (int c = 0; c < spec_.channels; ++c) {
            PictureSize size{};
            PictureSizeOfCode(int(ResolutionOf(spec_, c)), spec_.pal, &size);
            encoders_.push_back(
                H264ChannelEncoder::Create({.channel = c,
                                            .width = size.width,
                                            .height = size.height,
                                            .framesPerGop = FramesPerChannel(spec_),
                                            .skippable = spec_.skippableChannels.contains(c)},
                                           error));
            if (!encoders_.back())
                return false;
        }
        return true;
    }

    bool BuildGop(int gop, std::vector<uint8_t>* bytes, std::string* error) {
        GopBuilder builder(
            {.version = spec_.version,
             .channelCountCode = ChannelCountCode(spec_.channels),
             .time = spec_.startTime + uint32_t(gop),
             .sampleBitsCode = spec_.sampleBitsCode,
             // u-law tracks are always 8000 Hz; the code says so to the player.
             .sampleRateCode = spec_.audio == AudioKind::kUlaw ? 1 : spec_.sampleRateCode,
             .audioChannelsCode = spec_.audioChannelsCode,
             .prevGopLength = 0});
        const int frames = FramesPerChannel(spec_);
        for (int f = 1; f <= frames; ++f) {
            for (int c = 0; c < spec_.channels; ++c) {
                if (!AddFrame(builder, c, f, error))
                    return false;
            }
        }
        if (spec_.audio == AudioKind::kPcm)
            builder.SetAudio(PcmBlock(spec_, gop));
        if (spec_.audio == AudioKind::kUlaw)
            builder.SetAudio(UlawBlock(spec_, gop));
        if (spec_.telemetry && spec_.version >= 1) {
            TelemetryBlock block = track_.Block(gop, frames);
            block.invalidTag = spec_.damage.invalidLogGops.contains(gop);
            builder.SetTelemetry(block);
        }
        *bytes = builder.Build();
        return true;
    }

private:
    bool AddFrame(GopBuilder& builder, int c, int f, std::string* error) {
        EncodedFrame encoded;
        if (!encoders_[std::size_t(c)]->EncodeNext(&encoded, error))
            return false;
        builder.AddFrame({.channel = uint32_t(c),
                          .frameNumber = uint32_t(f),
                          .resolutionCode = ResolutionOf(spec_, c),
                          .pal = spec_.pal,
                          .fps = spec_.version >= 3 ? spec_.fps : uint32_t(FramesPerChannel(spec_)),
                          .noSkip = !spec_.skippableChannels.contains(c),
                          .frameType = encoded.keyFrame ? 1u : 0u,
                          .data = std::move(encoded.data)});
        return true;
    }

    const RecordingSpec& spec_;
    const TelemetryTrack& track_;
    std::vector<std::unique_ptr<H264ChannelEncoder>> encoders_;
};

GopDamage DamageOf(const RecordingSpec& s, int gop) {
    return {.badMagic = s.damage.badMagicGops.contains(gop),
            .growTo = s.damage.oversizedGops.contains(gop) ? kOversizedGop : 0};
}

}  // namespace

int FramesPerChannel(const RecordingSpec& spec) {
    if (spec.version <= 1)
        return 16;
    if (spec.version == 2)
        return 15;
    return int(spec.fps);
}

int16_t ToneSample(int tone, int64_t index, int sampleRate) {
    const double hz = 400.0 + 200.0 * tone;
    const double cycles = std::fmod(double(index) * hz / double(sampleRate), 1.0);
    return int16_t(std::lround(8000.0 * std::sin(2.0 * std::numbers::pi * cycles)));
}

bool WriteRecording(const RecordingSpec& spec, const std::string& dvrPath,
                    const std::string& inxPath, std::string* error) {
    if (!CheckSpec(spec, error))
        return false;
    const TelemetryTrack track(spec.route, spec.vehicleId);
    RecordingWriter writer(spec, track);
    if (!writer.OpenEncoders(error))
        return false;
    std::unique_ptr<PairWriter> pair = PairWriter::Create(dvrPath, inxPath);
    if (!pair)
        return Refuse(error, "cannot create the recording files");
    pair->AddGap(spec.leadingFillerBytes);
    for (int gop = 0; gop < spec.gopCount; ++gop) {
        std::vector<uint8_t> bytes;
        if (!writer.BuildGop(gop, &bytes, error))
            return false;
        if (auto gap = spec.gapsBefore.find(gop); gap != spec.gapsBefore.end())
            pair->AddGap(gap->second);
        if (!pair->AddGop(std::move(bytes), DamageOf(spec, gop)))
            return Refuse(error, "writing a GOP failed");
    }
    if (!pair->Finish({.omittedEntries = spec.damage.omittedIndexEntries,
                       .cutBytes = spec.damage.cutBytes,
                       .endTime = std::nullopt}))
        return Refuse(error, "writing the index failed");
    return true;
}

}  // namespace recgen
