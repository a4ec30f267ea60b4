#include "tools/recgen/AudioBlock.h"

#include <algorithm>
#include <stdexcept>

#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"

namespace recgen {

std::vector<uint8_t> InterleavedPcm(int channels, int bits, int groups,
                                    const std::function<int32_t(int, int)>& sample) {
    if (bits != 8 && bits != 16 && bits != 32)
        throw std::invalid_argument("pcm: sample width");
    const int bytes = bits / 8;
    std::vector<uint8_t> out(std::size_t(channels) * std::size_t(groups) * std::size_t(bytes));
    uint8_t* at = out.data();
    for (int i = 0; i < groups; ++i) {
        for (int c = 0; c < channels; ++c, at += bytes) {
            const uint32_t v = uint32_t(sample(c, i));
            for (int b = 0; b < bytes; ++b)
                at[b] = uint8_t(v >> (8 * b));
        }
    }
    return out;
}

namespace {

std::size_t TrackLength(const UlawAudio& audio, const UlawTrack& track) {
    return track.chunks.size() * (std::size_t(audio.chunkHeaderSize) + audio.chunkSize);
}

void PutTrack(const UlawAudio& audio, const UlawTrack& track, uint8_t* at) {
    for (const std::vector<uint8_t>& chunk : track.chunks) {
        // The chunk header is not interpreted; a recognisable tag and the size help a reader's
        // debugger.
        if (audio.chunkHeaderSize >= 4) {
            StoreU16(at, 0x0100);
            StoreU16(at + 2, audio.chunkSize);
        }
        at += audio.chunkHeaderSize;
        std::copy_n(chunk.begin(), std::min<std::size_t>(chunk.size(), audio.chunkSize), at);
        at += audio.chunkSize;
    }
}

}  // namespace

std::vector<uint8_t> EncodeUlawAudio(const UlawAudio& audio) {
    using namespace ulaw_audio;
    const std::size_t count = audio.tracks.size();
    const std::size_t dataOffset = kTrackLengthsAt + 4 * count;
    std::size_t size = dataOffset;
    for (const UlawTrack& track : audio.tracks)
        size += TrackLength(audio, track);
    std::vector<uint8_t> out(size, 0);
    StoreU32(out.data() + kTrackDataOffsetAt, uint32_t(dataOffset));
    StoreU16(out.data() + kTrackCountAt, audio.declaredTrackCount.value_or(uint16_t(count)));
    StoreU32(out.data() + kChunkSizesAt, (uint32_t(audio.chunkHeaderSize) << 16) | audio.chunkSize);
    std::size_t at = dataOffset;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t length = TrackLength(audio, audio.tracks[k]);
        StoreU32(out.data() + kTrackLengthsAt + 4 * k, uint32_t(length));
        PutTrack(audio, audio.tracks[k], out.data() + at);
        at += length;
    }
    return out;
}

}  // namespace recgen
