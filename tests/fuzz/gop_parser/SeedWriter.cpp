// Writes the seed GOPs of the parser's fuzz target into the folder given as
// the only argument: well-formed GOPs of every version (PCM and u-law audio,
// every telemetry sub-block) and a few damaged ones.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"

namespace {

using Gop = std::vector<uint8_t>;

recgen::TelemetryBlock FullTelemetry() {
    recgen::TelemetryBlock t;
    t.vehicle = std::vector<recgen::VehicleRecord>(3, {"SEED-TRUCK", -5, 0x3C, 0x09});
    t.speed = {telemetry::TenthsWord(42.5f), telemetry::TenthsWord(43.0f)};
    t.gps = std::vector<recgen::GpsRecord>(2, {"2232.1234N", "11403.5678E", "00123.4"});
    t.gsensor = std::vector<recgen::GSensorRecord>(2, {-3, 4, 100});
    recgen::TyreBlock tyres;
    tyres.recordCount = 2;
    tyres.tyres = std::vector<recgen::TyreEntry>(10, {1, 0x14, 210, 90});
    tyres.truck = {2, 3, 0, 0x1B};
    t.tyres = tyres;
    t.reserved5Count = 1;
    t.reserved6Count = 1;
    t.voltage = {telemetry::TenthsWord(24.1f)};
    return t;
}

Gop Build(uint32_t version, uint32_t fps, std::vector<uint8_t> audio, bool telemetry,
          uint32_t bitsCode = 0, uint32_t channelsCode = 0) {
    recgen::GopFields fields;
    fields.version = version;
    fields.channelCountCode = 3;
    fields.sampleBitsCode = bitsCode;
    fields.audioChannelsCode = channelsCode;
    recgen::GopBuilder b(fields);
    for (uint32_t n = 1; n <= 2; ++n)
        for (uint32_t c = 0; c < 2; ++c) {
            recgen::GopFrame f;
            f.channel = c;
            f.frameNumber = n;
            f.fps = fps;
            f.resolutionCode = 1 + c;
            f.data.assign(24, uint8_t(n));
            b.AddFrame(f);
        }
    b.SetAudio(std::move(audio));
    if (telemetry)
        b.SetTelemetry(FullTelemetry());
    return b.Build();
}

std::vector<uint8_t> Ulaw(int tracks, uint16_t headerSize, uint16_t chunkSize) {
    recgen::UlawAudio audio;
    audio.chunkHeaderSize = headerSize;
    audio.chunkSize = chunkSize;
    for (int k = 0; k < tracks; ++k) {
        recgen::UlawTrack t;
        for (int i = 0; i < 3; ++i)
            t.chunks.emplace_back(chunkSize, uint8_t(0x80 + i));
        audio.tracks.push_back(t);
    }
    return recgen::EncodeUlawAudio(audio);
}

int32_t Sample(int channel, int index) {
    return channel * 100 + index;
}

// The GOP cut to `length` bytes, its gopLength saying so.
Gop Cut(Gop gop, size_t length) {
    gop.resize(length);
    StoreU32(gop.data() + 32, uint32_t(length));
    return gop;
}

std::vector<Gop> Seeds() {
    std::vector<Gop> seeds;
    seeds.push_back(Build(0, 25, recgen::InterleavedPcm(1, 16, 320, Sample), false));
    seeds.push_back(Build(1, 25, recgen::InterleavedPcm(2, 16, 320, Sample), true, 0, 2));
    seeds.push_back(Build(2, 15, recgen::InterleavedPcm(4, 8, 300, Sample), true, 1, 3));
    seeds.push_back(Build(3, 25, recgen::InterleavedPcm(1, 32, 100, Sample), true, 2, 0));
    seeds.push_back(Build(4, 25, Ulaw(2, 4, 76), true));
    seeds.push_back(Build(4, 30, Ulaw(1, 0, 80), true));
    seeds.push_back(Build(4, 0, {}, true));
    seeds.push_back(Build(3, 31, recgen::InterleavedPcm(1, 8, 310, Sample), true, 1, 0));
    const Gop full = Build(4, 25, Ulaw(2, 4, 76), true);
    seeds.push_back(Cut(full, full.size() - 7));  // telemetry cut short
    seeds.push_back(Cut(full, 200));              // audio cut short
    Gop zeroChunks = Build(4, 25, Ulaw(2, 4, 76), false);
    StoreU32(zeroChunks.data() + 4 * 64 + 16, 0);  // after 4 frames: chunk sizes 0 and 0
    seeds.push_back(zeroChunks);
    Gop badLog = full;
    StoreU16(badLog.data() + 24 + 2, 0xFFFF);  // logLength above gopLength
    seeds.push_back(badLog);
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::vector<Gop> seeds = Seeds();
    for (size_t i = 0; i < seeds.size(); ++i) {
        const std::string path = std::string(argv[1]) + "/seed-" + std::to_string(i);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(seeds[i].data()), std::streamsize(seeds[i].size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("%zu seeds written\n", seeds.size());
    return 0;
}
