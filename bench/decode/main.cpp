// Decoding speed of the decoder manager on generated recordings: a 4-channel
// 1920 x 1080 stream and a 16-channel 352 x 288 stream, each decoded once on
// one thread and once with one thread per channel, as the display runs them.
// Prints frames per second.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "format/CodeTables.h"
#include "format/gop/GopParser.h"
#include "player/decode/DecoderManager.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/H264ChannelEncoder.h"

namespace {

constexpr int kFramesPerGop = 25;
constexpr int kGops = 4;

struct Stream {
    const char* name;
    int channels;
    uint32_t channelCountCode;
    uint32_t resolutionCode;
};

using Gop = std::vector<uint8_t>;

bool Generate(const Stream& s, std::vector<Gop>* gops) {
    PictureSize size{};
    PictureSizeOfCode(int(s.resolutionCode), true, &size);
    std::string error;
    std::vector<std::unique_ptr<recgen::H264ChannelEncoder>> encoders;
    for (int c = 0; c < s.channels; ++c) {
        encoders.push_back(recgen::H264ChannelEncoder::Create(
            {.channel = c, .width = size.width, .height = size.height}, &error));
        if (!encoders.back()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }
    }
    for (int g = 0; g < kGops; ++g) {
        recgen::GopBuilder builder({.version = 4, .channelCountCode = s.channelCountCode});
        for (int k = 0; k < kFramesPerGop; ++k) {
            for (int c = 0; c < s.channels; ++c) {
                recgen::EncodedFrame frame;
                if (!encoders[size_t(c)]->EncodeNext(&frame, &error)) {
                    std::fprintf(stderr, "%s\n", error.c_str());
                    return false;
                }
                builder.AddFrame({.channel = uint32_t(c),
                                  .frameNumber = uint32_t(k + 1),
                                  .resolutionCode = s.resolutionCode,
                                  .fps = kFramesPerGop,
                                  .data = std::move(frame.data)});
            }
        }
        gops->push_back(builder.Build());
    }
    return true;
}

// Decodes every frame of `channel` (0-based) of the parsed GOP; the count decoded.
int DecodeChannel(CDecoderManager& manager, const Gop& gop, const GopInfo& info, int channel,
                  std::vector<uint8_t>& picture) {
    int decoded = 0;
    for (int k = 0; k < kFramesPerGop; ++k) {
        int size = 0, width = 0, height = 0;
        decoded += manager.DecodeFrame(0, channel + 1, gop.data() + info.frameOffset[channel][k],
                                       int(info.frameLength[channel][k]), picture.data(), &size,
                                       &width, &height);
    }
    return decoded;
}

double Run(const Stream& s, const std::vector<Gop>& gops, bool threadPerChannel, int* frames) {
    CDecoderManager manager;
    manager.Create();
    CGopParser parser;
    auto info = std::make_unique<GopInfo>();
    std::vector<std::vector<uint8_t>> pictures(size_t(s.channels),
                                               std::vector<uint8_t>(CH264Dec::kPictureBufferSize));
    std::vector<int> decoded(size_t(s.channels), 0);
    const auto start = std::chrono::steady_clock::now();
    for (const Gop& gop : gops) {
        std::memset(info.get(), 0, sizeof(GopInfo));
        parser.Parse(gop.data(), uint32_t(gop.size()), info.get(), false);
        std::vector<std::thread> threads;
        for (int c = 0; c < s.channels; ++c) {
            auto work = [&, c] {
                decoded[size_t(c)] += DecodeChannel(manager, gop, *info, c, pictures[size_t(c)]);
            };
            if (threadPerChannel)
                threads.emplace_back(work);
            else
                work();
        }
        for (std::thread& t : threads)
            t.join();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    *frames = 0;
    for (int d : decoded)
        *frames += d;
    return *frames / took.count();
}

}  // namespace

int main() {
    const Stream streams[] = {{"4 x 1920x1080", 4, 2, 1}, {"16 x 352x288", 16, 5, 6}};
    for (const Stream& s : streams) {
        std::vector<Gop> gops;
        if (!Generate(s, &gops))
            return 1;
        for (bool parallel : {false, true}) {
            int frames = 0;
            const double fps = Run(s, gops, parallel, &frames);
            std::printf("%-14s %-22s %5d frames  %8.1f frames/s\n", s.name,
                        parallel ? "one thread per channel" : "one thread", frames, fps);
        }
    }
    return 0;
}
