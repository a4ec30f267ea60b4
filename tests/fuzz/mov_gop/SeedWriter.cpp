// Writes the seed GOPs of the MOV writer's fuzz target into the folder given
// as the only argument: version 3 and 4 GOPs with key frames carrying their
// parameter sets, u-law and PCM audio and a full telemetry block.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"

namespace {

using Gop = std::vector<uint8_t>;

const Gop kKeyFrame = {0,    0, 0, 1, 0x06, 5,    1,    0x80, 0, 0, 0, 1, 0x67, 0x42, 0,
                       0x1E, 0, 0, 1, 0x68, 0xCE, 0x38, 0x80, 0, 0, 0, 1, 0x65, 0x88, 0x84};
const Gop kFrame = {0, 0, 0, 1, 0x41, 0x9A, 0x02, 0, 0, 1, 0x41, 0x9B};

recgen::TelemetryBlock Telemetry() {
    recgen::TelemetryBlock t;
    t.vehicle = std::vector<recgen::VehicleRecord>(2, {"SEED-TRUCK", -5, 0, 0});
    t.speed = std::vector<uint16_t>{0x503C};
    t.gps = std::vector<recgen::GpsRecord>(1, {"2232.1234N", "11403.5678E", "00123.4"});
    return t;
}

Gop Build(uint32_t version, std::vector<uint8_t> audio, uint32_t channelsCode) {
    recgen::GopBuilder b(
        {.version = version, .channelCountCode = 2, .audioChannelsCode = channelsCode});
    for (uint32_t c = 0; c < 2; ++c) {
        b.AddFrame({.channel = c, .frameNumber = 1, .fps = 2, .frameType = 1, .data = kKeyFrame});
        b.AddFrame({.channel = c, .frameNumber = 2, .fps = 2, .data = kFrame});
    }
    b.SetAudio(std::move(audio));
    b.SetTelemetry(Telemetry());
    return b.Build();
}

std::vector<uint8_t> Ulaw(int tracks) {
    recgen::UlawAudio audio;
    for (int k = 0; k < tracks; ++k) {
        recgen::UlawTrack t;
        for (int i = 0; i < 3; ++i)
            t.chunks.emplace_back(audio.chunkSize, uint8_t(0x80 + i));
        audio.tracks.push_back(t);
    }
    return recgen::EncodeUlawAudio(audio);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const auto pcm = [](int channel, int index) { return channel * 100 + index; };
    const std::vector<Gop> seeds = {Build(4, Ulaw(1), 0), Build(4, Ulaw(2), 0), Build(4, {}, 0),
                                    Build(3, recgen::InterleavedPcm(2, 16, 200, pcm), 2)};
    for (size_t i = 0; i < seeds.size(); ++i) {
        const std::string path = std::string(argv[1]) + "/seed-" + std::to_string(i);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(seeds[i].data()), std::streamsize(seeds[i].size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
