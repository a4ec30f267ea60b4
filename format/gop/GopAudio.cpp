// Step 6 of Parse: the audio block, PCM (versions 0 to 3) or G.711 u-law
// (version 4), copied into the record's 204800-byte audioData.
#include <algorithm>
#include <cstring>

#include "GopParts.h"
#include "format/TelemetryLayout.h"

namespace gop_detail {
namespace {

constexpr uint32_t kBufferSize = uint32_t(kAudioBufferSize);

// The chunk table of PCM audio: `split` bytes in framesPerChannel chunks, each
// a whole number of samples, the last taking the rest. framesPerChannel 0
// (fps 0 in versions 3 and 4) enters no chunk rather than dividing by 0.
void FillPcmChunks(uint32_t split, uint32_t sampleBytes, GopInfo* info) {
    const uint32_t frames = uint32_t(std::max(info->framesPerChannel, 0));
    if (frames == 0)
        return;
    const uint32_t share = split / frames;
    const uint32_t chunk = share - share % sampleBytes;
    for (uint32_t k = 0; k < frames; ++k) {
        info->chunkOffset[k] = chunk * k;
        info->chunkLength[k] = (k + 1 == frames) ? split - k * chunk : chunk;
    }
}

// Keeps the second channel's sample of each group of `channels` samples;
// returns the bytes written.
uint32_t CopySecondChannel(const uint8_t* src, uint32_t length, uint32_t sampleBytes,
                           uint32_t channels, uint8_t* out) {
    const uint32_t groups = std::min((length / sampleBytes) / channels, kBufferSize / sampleBytes);
    for (uint32_t i = 0; i < groups; ++i)
        std::memcpy(out + sampleBytes * i, src + sampleBytes + channels * sampleBytes * i,
                    sampleBytes);
    return groups * sampleBytes;
}

// Walks track bytes from `start`: [chunk header][chunk] pairs until `length`
// bytes are walked (at least one chunk). Returns the chunks taken. It stops
// early, keeping what it took, at 200 chunks, when the next chunk would not
// fit the audio buffer or would pass the GOP's end, and takes nothing when
// both sizes are 0 (the walk would never advance).
int WalkTrack(const GopView& gop, uint64_t start, uint32_t length, uint32_t headerSize,
              uint32_t chunkSize, GopInfo* info) {
    const uint64_t step = uint64_t(headerSize) + chunkSize;
    if (step == 0)
        return 0;
    int n = 0;
    uint64_t walked = 0;
    do {
        const uint64_t from = start + walked + headerSize;
        if (n == kMaxAudioChunks || uint64_t(chunkSize) * (n + 1) > kBufferSize ||
            from + chunkSize > gop.end)
            break;
        std::memcpy(info->audioData + uint64_t(chunkSize) * n, gop.bytes + from, chunkSize);
        info->chunkOffset[n] = uint32_t(ulaw_audio::kRecordedChunkStride * n);
        info->chunkLength[n] = uint32_t(ulaw_audio::kRecordedChunkStride);
        ++n;
        walked += step;
    } while (walked < length);
    return n;
}

// The length of track k, from its ChannelHeader; 0 when that lies past the GOP.
uint32_t TrackLength(const GopView& gop, uint32_t block, int k) {
    ByteCursor at(gop.bytes, gop.end, block);
    uint32_t length = 0;
    if (!at.Skip(uint64_t(ulaw_audio::kTrackLengthsAt) + 4u * uint32_t(k)) || !at.ReadU32(&length))
        return 0;
    return length;
}

}  // namespace

// A mono block is copied whole; with more channels only the second channel is
// kept. The audio read stops at the GOP's end and the copy at the buffer's
// end; audioLength keeps the header's value but is cut to what the GOP holds
// after the cursor and to the buffer, so that no consumer reads past either.
void CopyPcmAudio(const GopView& gop, uint32_t cursor, GopInfo* info) {
    const uint32_t sampleBytes = uint32_t(info->sampleBits / 8);  // 1, 2 or 4
    const uint32_t channels = uint32_t(info->audioChannels);      // 1 to 16
    const uint32_t length = std::min(gop.first.audioLength, gop.end - cursor);
    const uint8_t* src = gop.bytes + cursor;
    uint32_t split;
    if (channels <= 1) {
        split = std::min(length, kBufferSize);
        std::memcpy(info->audioData, src, split);
    } else {
        split = CopySecondChannel(src, length, sampleBytes, channels, info->audioData);
    }
    info->audioLength = int32_t(std::min(length, kBufferSize));
    FillPcmChunks(split, sampleBytes, info);
}

// An AudioHeader cut off by the GOP's end gives no audio. A track whose
// ChannelHeader lies past the GOP counts as empty.
bool CopyUlawAudio(const GopView& gop, uint32_t cursor, GopInfo* info) {
    ByteCursor block(gop.bytes, gop.end, cursor);
    const uint8_t* header = block.Take(ulaw_audio::kAudioHeaderSize);
    if (header == nullptr) {
        info->audioLength = 0;
        return true;
    }
    const uint32_t dataOffset = LoadU32(header + ulaw_audio::kTrackDataOffsetAt);
    const int tracks = LoadU16(header + ulaw_audio::kTrackCountAt);
    const uint32_t sizes = LoadU32(header + ulaw_audio::kChunkSizesAt);
    if (tracks > ulaw_audio::kMaxTracks)
        return false;
    const uint32_t headerSize = sizes >> 16, chunkSize = sizes & 0xFFFF;
    int chunks = 0;
    for (int k = 0; k < tracks; ++k) {
        const uint32_t length = TrackLength(gop, cursor, k);
        if (length == 0 || k != gop.audioTrack)
            continue;
        const uint64_t start = uint64_t(cursor) + dataOffset + uint64_t(k) * length;
        chunks = WalkTrack(gop, start, length, headerSize, chunkSize, info);
    }
    info->audioLength = int32_t(chunkSize * uint32_t(chunks));
    return true;
}

}  // namespace gop_detail
