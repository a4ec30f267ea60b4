#include "export/mov/MovGopAudio.h"

#include <algorithm>

#include "format/CodeTables.h"
#include "format/TelemetryLayout.h"
#include "format/ulaw/UlawTable.h"
#include "shared/ByteOrder.h"

namespace {

constexpr int kUlawRate = 8000;

// The byte length a track's entry in the block states; 0 past the block.
uint64_t TrackLength(const uint8_t* block, size_t blockLength, int track) {
    const size_t lengthAt = size_t(ulaw_audio::kTrackLengthsAt) + 4 * size_t(track);
    return lengthAt + 4 <= blockLength ? LoadU32(block + lengthAt) : 0;
}

// The chunk bytes of the track of `length` bytes at `start` in the block:
// whole [chunk header][chunk] pairs that lie inside the block.
std::vector<uint8_t> TrackSamples(const uint8_t* block, size_t blockLength, uint64_t start,
                                  uint64_t length) {
    const uint32_t sizes = LoadU32(block + ulaw_audio::kChunkSizesAt);
    const size_t headerSize = sizes >> 16, chunkSize = sizes & 0xFFFF;
    std::vector<uint8_t> samples;
    if (chunkSize == 0)
        return samples;
    const uint64_t end = std::min<uint64_t>(start + length, blockLength);
    for (uint64_t at = start; at + headerSize + chunkSize <= end; at += headerSize + chunkSize)
        samples.insert(samples.end(), block + at + headerSize, block + at + headerSize + chunkSize);
    return samples;
}

// The tracks lie back to back from the track data offset: each begins where
// the ones before it end, whatever their lengths.
void ReadUlawBlock(const uint8_t* block, size_t blockLength, MovGop* out) {
    if (blockLength < size_t(ulaw_audio::kAudioHeaderSize))
        return;
    const int tracks = LoadU16(block + ulaw_audio::kTrackCountAt);
    if (tracks < 1 || tracks > ulaw_audio::kMaxTracks)
        return;
    std::array<std::vector<uint8_t>, ulaw_audio::kMaxTracks> samples;
    uint64_t start = LoadU32(block + ulaw_audio::kTrackDataOffsetAt);
    for (int t = 0; t < tracks; ++t) {
        const uint64_t length = TrackLength(block, blockLength, t);
        samples[size_t(t)] = TrackSamples(block, blockLength, start, length);
        start += length;
    }
    for (int h = 0; h < out->channelCount; ++h)
        out->audio[size_t(h)] = samples[size_t(h < tracks ? h : 0)];
}

// The movie's audio track is u-law: one channel of 16-bit PCM is encoded,
// for every channel of the GOP. With more than one it is the second, the one
// the player plays and the AVI files carry.
void ReadPcmBlock(const uint8_t* block, size_t blockLength, const FrameHeader& first, MovGop* out) {
    const int channels = AudioChannelsOfCode(int(first.audioChannelsCode));
    if (SampleBitsOfCode(int(first.sampleBitsCode)) != 16 || channels < 1)
        return;
    const size_t stride = 2 * size_t(channels);
    const size_t taken = channels > 1 ? 2 : 0;
    std::vector<uint8_t> samples;
    samples.reserve(blockLength / stride);
    for (size_t at = 0; at + stride <= blockLength; at += stride)
        samples.push_back(UlawEncode(int16_t(LoadU16(block + at + taken))));
    for (int h = 0; h < out->channelCount; ++h)
        out->audio[size_t(h)] = samples;
}

}  // namespace

void ReadMovGopAudio(const uint8_t* gop, const FrameHeader& first, size_t blockAt, MovGop* out) {
    const uint8_t* block = gop + blockAt;
    if (first.version == 4) {
        out->sampleRate = kUlawRate;
        out->sampleBits = SampleBitsOfCode(int(first.sampleBitsCode));
        ReadUlawBlock(block, first.audioLength, out);
    } else {
        out->sampleRate = SampleRateOfCode(int(first.sampleRateCode));
        out->sampleBits = 16;
        ReadPcmBlock(block, first.audioLength, first, out);
    }
}
