// AVI export throughput of the export controller against the ffmpeg program
// transcoding the same H.264 frames to MPEG-4 in AVI on one thread. A
// generated 4-channel 704 x 576 recording is exported to four channel files
// (no texts, then with both text lines) and to the mosaic; ffmpeg gets each
// channel's frames as an elementary stream. Prints frames per CPU second (so
// that a busy machine changes the figures little), the ratio export / ffmpeg
// and the ratio with texts / without. Usage: bench_export [rounds].
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "export/controller/ExportController.h"
#include "format/FrameHeader.h"
#include "format/gop/GopParser.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr int kChannels = 4;
constexpr int kFps = 25;
constexpr int kGops = 8;

// CPU seconds (user and system) of this process or of its ended children.
double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Gop {
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> audio = std::vector<uint8_t>(kAudioBufferSize);
    std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();
};

std::vector<Gop> Load(const std::string& dvr) {
    std::ifstream in(dvr, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    CGopParser parser;
    std::vector<Gop> gops;
    for (std::size_t at = 0; at + kFrameHeaderSize <= file.size();) {
        const FrameHeader h = ReadFrameHeader(file.data() + at);
        if (h.magic != kFrameMagic || at + h.gopLength > file.size())
            break;
        Gop gop;
        gop.bytes.assign(file.begin() + long(at), file.begin() + long(at + h.gopLength));
        std::memset(gop.info.get(), 0, sizeof(GopInfo));
        gop.info->audioData = gop.audio.data();
        if (parser.Parse(gop.bytes.data(), uint32_t(gop.bytes.size()), gop.info.get(), true) < 0)
            break;
        gops.push_back(std::move(gop));
        at += (h.gopLength + 511) / 512 * 512;
    }
    return gops;
}

ExtractParams Params(const GopInfo& first, const fs::path& out) {
    ExtractParams p{};
    p.numChannels = kChannels;
    p.audioRate = 8000;
    p.audioBits = 16;
    p.refWidth = first.lastWidth;
    p.refHeight = first.lastHeight;
    for (int k = 0; k < kChannels; ++k) {
        p.outWidth[k] = first.width[k];
        p.outHeight[k] = first.height[k];
        p.outFps[k] = first.fps[k];
        std::snprintf(p.aviPath[k], kExtractPathSize, "%s/ch%d.avi", out.c_str(), k + 1);
    }
    std::snprintf(p.mosaicPath, kExtractPathSize, "%s/all.avi", out.c_str());
    return p;
}

// Frames per CPU second of one export; the output folder is emptied first.
double Export(std::vector<Gop>& gops, ExtractParams params, const fs::path& out, int frames) {
    fs::remove_all(out);
    fs::create_directories(out);
    oskulo::CExportController controller;
    const double start = CpuSeconds(RUSAGE_SELF);
    if (!controller.ExtractPre(params))
        return 0;
    for (Gop& gop : gops)
        controller.ExtractWrite(1, gop.bytes.data(), int(gop.bytes.size()), gop.info.get());
    controller.ExtractFin();
    return frames / (CpuSeconds(RUSAGE_SELF) - start);
}

// ffmpeg transcoding each channel's elementary stream; frames per CPU second.
double Ffmpeg(const std::vector<Gop>& gops, const fs::path& dir) {
    std::vector<std::string> streams;
    for (int k = 0; k < kChannels; ++k) {
        const std::string name = (dir / ("ch" + std::to_string(k + 1) + ".h264")).string();
        std::ofstream es(name, std::ios::binary);
        for (const Gop& gop : gops)
            for (int i = 0; i < gop.info->fps[k]; ++i)
                es.write(
                    reinterpret_cast<const char*>(gop.bytes.data()) + gop.info->frameOffset[k][i],
                    std::streamsize(gop.info->frameLength[k][i]));
        streams.push_back(name);
    }
    const int bitRate = gops[0].info->width[0] * gops[0].info->height[0];
    const double start = CpuSeconds(RUSAGE_CHILDREN);
    for (const std::string& es : streams) {
        const std::string command = "ffmpeg -v error -y -threads 1 -f h264 -r 25 -i " + es +
                                    " -threads 1 -c:v mpeg4 -g 12 -b:v " + std::to_string(bitRate) +
                                    " -f avi " + es + ".avi";
        if (std::system(command.c_str()) != 0)
            return 0;
    }
    const int frames = kGops * kFps * kChannels;
    return frames / (CpuSeconds(RUSAGE_CHILDREN) - start);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const fs::path dir = fs::temp_directory_path() / "bench_export";
    fs::remove_all(dir);
    fs::create_directories(dir);
    setenv("DVR_ROOT", (dir / "dvr").c_str(), 1);
    recgen::RecordingPlan plan;
    plan.channels = kChannels;
    plan.resolutionCodes = {4};  // 704 x 576
    plan.fps = kFps;
    plan.gopCount = kGops;
    std::string error;
    if (!recgen::WriteRecording(plan, (dir / "r.dvr").string(), (dir / "r.inx").string(), &error)) {
        std::fprintf(stderr, "recording: %s\n", error.c_str());
        return 1;
    }
    std::vector<Gop> gops = Load((dir / "r.dvr").string());
    if (int(gops.size()) != kGops) {
        std::fprintf(stderr, "recording: %zu GOPs read\n", gops.size());
        return 1;
    }
    const int frames = kGops * kFps * kChannels;
    ExtractParams plain = Params(*gops[0].info, dir / "out");
    for (int k = 0; k < kChannels; ++k)
        plain.aviOn[k] = 1;
    ExtractParams texts = plain;
    texts.osdDateTime = texts.osdVehicleId = texts.osdSpeed = 1;
    ExtractParams mosaic = Params(*gops[0].info, dir / "out");
    mosaic.mosaicOn = 1;

    std::printf("%d channels 704x576, %d GOPs of %d frames; frames per CPU second\n", kChannels,
                kGops, kFps);
    for (int r = 0; r < rounds; ++r) {
        const double ffmpeg = Ffmpeg(gops, dir);
        const double exportPlain = Export(gops, plain, dir / "out", frames);
        const double exportTexts = Export(gops, texts, dir / "out", frames);
        const double exportMosaic = Export(gops, mosaic, dir / "out", kGops * kFps);
        std::printf("ffmpeg h264 -> mpeg4/avi, 1 thread : %8.1f frames/s\n", ffmpeg);
        std::printf("export, no texts                   : %8.1f frames/s  ratio %.2f\n",
                    exportPlain, ffmpeg > 0 ? exportPlain / ffmpeg : 0.0);
        std::printf(
            "export, date and telemetry lines   : %8.1f frames/s  ratio %.2f; "
            "with texts / without %.2f\n",
            exportTexts, ffmpeg > 0 ? exportTexts / ffmpeg : 0.0, exportTexts / exportPlain);
        std::printf("export, mosaic 1280x720            : %8.1f mosaic frames/s\n", exportMosaic);
        std::fflush(stdout);
    }
    fs::remove_all(dir);
    return 0;
}
