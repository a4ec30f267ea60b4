// What a frame of playback costs, and whether a large recording plays in real
// time, on generated recordings played by the channel display into a
// headless window. Each case runs in a child process of its own, so that its
// peak resident memory is its own. Prints
// - for a 4-channel 1920 x 1080 and a 16-channel 352 x 288 recording (all
//   frames skippable) in fast forward (speed 2, no pauses): CPU milliseconds
//   per frame decoded and drawn, against `ffmpeg -threads 1` decoding the same
//   channel streams alone (CPU per frame, like with like);
// - for 16 channels of 1920 x 1080 at 25 fps with no-skip set, played at
//   speed 1 into a 16-pane window: whether it keeps real time (every frame
//   decoded and drawn within its GOP's time), its CPU use and its peak
//   resident memory.
// A figure it cannot measure is printed as such; nothing is asserted.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "bench/window/BenchWindow.h"
#include "platform/backend/HeadlessDisplay.h"
#include "player/decode/DecoderManager.h"
#include "player/render/ChannelDisplay.h"
#include "player/render/ManagedFrameDecoder.h"
#include "shared/ByteOrder.h"
#include "shared/FrameHeader.h"
#include "shared/PlayerInterface.h"
#include "tools/recgen/RecordingWriter.h"

extern char** environ;

namespace {

constexpr int kFps = 25;

struct Case {
    const char* name;
    int channels;
    uint32_t resolutionCode;
    int gops;
    bool skippable;  // noSkip clear on every channel
    bool realTime;   // speed 1 rather than the cost of a frame
    int windowWidth, windowHeight;
};

struct Gop {
    std::vector<uint8_t> bytes;
    GopBuffer slot{};
    std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();
};

class BenchHost final : public CDisplayHost {
public:
    explicit BenchHost(int channels) : channels_(channels) {}
    int FullScreenChannel() override { return 0; }
    int DivisionMode() override { return mode_; }
    void SetDivisionMode(int mode) override { mode_ = mode; }
    int SourceChannelCount() override { return channels_; }
    int QueuedAudioBuffers() override { return 0; }
    void ReportFrameFailure() override { ++failures; }
    std::atomic<int> failures{0};

private:
    int channels_;
    int mode_ = -1;
};

class CountingFrames final : public CFrameDecoder {
public:
    explicit CountingFrames(CFrameDecoder& inner) : inner_(inner) {}
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) override {
        ++decoded;
        return inner_.DecodeFrame(group, channel, data, length, out, size, width, height);
    }
    std::atomic<long> decoded{0};

private:
    CFrameDecoder& inner_;
};

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The GOPs of a pair, by its index (header: first and last entry; entries
// of 16 bytes with the offset at 8).
std::vector<std::unique_ptr<Gop>> ReadGops(const std::string& dvr, const std::string& inx,
                                           CDecoderManager& decoders) {
    const std::vector<uint8_t> data = ReadFile(dvr), index = ReadFile(inx);
    std::vector<std::unique_ptr<Gop>> gops;
    if (index.size() < 16)
        return gops;
    for (uint32_t i = LoadU32(&index[4]); i < LoadU32(&index[8]); ++i) {
        const uint64_t offset = LoadU64(&index[16 * i + 8]);
        const uint32_t length = ReadFrameHeader(&data[offset]).gopLength;
        auto gop = std::make_unique<Gop>();
        gop->bytes.assign(data.begin() + std::ptrdiff_t(offset),
                          data.begin() + std::ptrdiff_t(offset + length));
        gop->slot.data = gop->bytes.data();
        gop->slot.length = int(length);
        if (decoders.Parse(gop->slot.data, gop->slot.length, gop->info.get(), false) >= 0)
            gops.push_back(std::move(gop));
    }
    return gops;
}

// Each channel's frames in order, one Annex B stream per channel.
std::vector<std::string> WriteChannelStreams(const std::vector<std::unique_ptr<Gop>>& gops,
                                             int channels, const std::filesystem::path& dir) {
    std::vector<std::string> paths;
    for (int c = 0; c < channels; ++c) {
        paths.push_back((dir / ("ch" + std::to_string(c) + ".h264")).string());
        std::ofstream out(paths.back(), std::ios::binary);
        for (const auto& gop : gops)
            for (int j = 0; j < gop->info->fps[c] && j < kMaxFramesPerChannel; ++j)
                out.write(
                    reinterpret_cast<const char*>(gop->slot.data + gop->info->frameOffset[c][j]),
                    std::streamsize(gop->info->frameLength[c][j]));
    }
    return paths;
}

// ffmpeg's CPU seconds (user and system, its -benchmark figures) for decoding
// one stream with one thread, or < 0.
double FfmpegCpuSeconds(const std::string& stream, const std::filesystem::path& dir) {
    const std::string log = (dir / "ffmpeg.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostdin", "-benchmark", "-threads",
                                     "1",      "-f",           "h264",     "-i",         stream,
                                     "-f",     "null",         "-"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (started != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    const std::vector<uint8_t> text = ReadFile(log);
    std::smatch match;
    const std::string s(text.begin(), text.end());
    if (!std::regex_search(s, match, std::regex("utime=([0-9.]+)s stime=([0-9.]+)s")))
        return -1;
    return std::stod(match[1]) + std::stod(match[2]);
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long FramesIn(const std::vector<std::unique_ptr<Gop>>& gops, int channels) {
    long frames = 0;
    for (const auto& gop : gops)
        for (int c = 0; c < channels; ++c)
            frames += std::min<long>(gop->info->fps[c], kMaxFramesPerChannel);
    return frames;
}

// A recording of the case, parsed; empty when it cannot be written.
std::vector<std::unique_ptr<Gop>> Record(const Case& c, const std::filesystem::path& dir,
                                         CDecoderManager& decoders) {
    recgen::RecordingPlan plan;
    plan.channels = c.channels;
    plan.resolutionCodes = {c.resolutionCode};
    plan.fps = kFps;
    plan.gopCount = c.gops;
    plan.audio = recgen::AudioKind::kNone;
    for (int ch = 0; ch < c.channels && c.skippable; ++ch)
        plan.skippableChannels.insert(ch);
    const std::string dvr = (dir / "rec.dvr").string(), inx = (dir / "rec.inx").string();
    std::string error;
    if (!recgen::WriteRecording(plan, dvr, inx, &error)) {
        std::printf("%s: cannot write the recording: %s\n", c.name, error.c_str());
        return {};
    }
    return ReadGops(dvr, inx, decoders);
}

// Fast forward without pauses, against ffmpeg decoding each channel alone.
void MeasureFrameCost(const Case& c, const std::vector<std::unique_ptr<Gop>>& gops,
                      CChannelDisplay& display, CountingFrames& counting,
                      const std::filesystem::path& dir) {
    const double cpuBefore = CpuSeconds();
    for (const auto& gop : gops)
        display.ShowGop({&gop->slot, gop->info.get(), -1, 0, 2, true, STATUS_FAST_FORWARD});
    const long ours = counting.decoded.exchange(0);
    const double oursMs = (CpuSeconds() - cpuBefore) * 1000 / double(std::max(ours, 1L));
    std::printf("%s fast forward: %.2f CPU ms per frame decoded and drawn (%ld frames)\n", c.name,
                oursMs, ours);
    double ffmpegCpu = 0;
    for (const std::string& stream : WriteChannelStreams(gops, c.channels, dir)) {
        const double s = FfmpegCpuSeconds(stream, dir);
        if (s < 0) {
            std::printf("%s ffmpeg -threads 1: not measured\n", c.name);
            return;
        }
        ffmpegCpu += s;
    }
    const double ffmpegMs = ffmpegCpu * 1000 / double(FramesIn(gops, c.channels));
    std::printf("%s ffmpeg -threads 1: %.2f CPU ms per frame decoded; ours / ffmpeg %.2f\n", c.name,
                ffmpegMs, oursMs / ffmpegMs);
}

// Playback at speed 1 on the system clock, paced as the player paces
// version 4 GOPs.
void MeasureRealTime(const Case& c, const std::vector<std::unique_ptr<Gop>>& gops,
                     CChannelDisplay& display, CountingFrames& counting) {
    constexpr int kDisplayMs = 900;
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (const auto& gop : gops)
        display.ShowGop({&gop->slot, gop->info.get(), -1, kDisplayMs, 1, true, STATUS_PLAYING});
    const double wall = Seconds(start);
    const long shown = counting.decoded.exchange(0), frames = FramesIn(gops, c.channels);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "%s speed 1: %s real time (%ld of %ld frames decoded and drawn, %.2f s for %.2f s "
        "of GOP time)\n",
        c.name, shown == frames ? "keeps" : "does not keep", shown, frames, wall,
        double(gops.size()) * kDisplayMs / 1000);
    std::printf("%s speed 1: CPU %.0f %% of one core; peak resident memory %.0f MiB\n", c.name,
                (CpuSeconds() - cpuBefore) / wall * 100, double(usage.ru_maxrss) / 1024);
}

void RunCase(const Case& c, const std::filesystem::path& dir) {
    HeadlessDisplay screen(1920, 1080, RGB(0, 0, 0));
    HWND window = CreateBenchWindow(c.windowWidth, c.windowHeight);
    CDecoderManager decoders;
    decoders.Create();
    const std::vector<std::unique_ptr<Gop>> gops = Record(c, dir, decoders);
    CManagedFrameDecoder managed(decoders);
    CountingFrames counting(managed);
    BenchHost host(c.channels);
    CRenderer renderer;
    CChannelDisplay display(renderer, counting, host);
    display.Init(window);
    if (!gops.empty()) {
        if (c.realTime)
            MeasureRealTime(c, gops, display, counting);
        else
            MeasureFrameCost(c, gops, display, counting, dir);
    }
    if (host.failures != 0)
        std::printf("%s: %d frames not decoded or drawn\n", c.name, host.failures.load());
    display.Free();
    decoders.Destroy();
    DestroyWindow(window);
}

}  // namespace

int main() {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "bench-playback-XXXXXX";
    std::string pattern = dir.string();
    if (mkdtemp(pattern.data()) == nullptr)
        return 1;
    dir = pattern;
    const Case cases[] = {
        {"4 x 1920x1080", 4, 1, 4, true, false, 1280, 720},
        {"16 x 352x288", 16, 6, 4, true, false, 1280, 720},
        {"16 x 1920x1080 no-skip", 16, 1, 6, false, true, 1920, 1080},
    };
    for (const Case& c : cases) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            RunCase(c, dir);
            std::fflush(stdout);
            std::_Exit(0);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
            std::printf("%s: the case did not finish\n", c.name);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
