// What playback costs beside decoding alone. Each case is a generated
// recording of a busy picture (a moving texture with fresh noise in every
// frame) at a realistic bit rate, every channel with noSkip set, played at
// speed 1 on the system clock by the channel display into a headless window
// with one pane per channel: every frame is decoded and drawn (on a machine
// too busy to keep real time, the display drops the ends of GOPs). The
// frames we decoded are then decoded by `ffmpeg -threads 1` (one process,
// one decoding thread per channel's stream): exactly the same frames. Prints for each
// case and round: whether playback kept real time, our CPU seconds and
// ffmpeg's, their ratio, and both peak resident memories.
//
// Each recording is written by a child process and each playback runs in
// another, so that the playback's peak resident memory is its own. Usage:
// bench_playback [rounds [case name part [GOP display ms]]]. A figure it
// cannot measure is printed as such; nothing is asserted.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/window/BenchWindow.h"
#include "format/FrameHeader.h"
#include "format/gop/GopParser.h"
#include "platform/backend/HeadlessDisplay.h"
#include "player/decode/DecoderManager.h"
#include "player/render/ChannelDisplay.h"
#include "player/render/ManagedFrameDecoder.h"
#include "shared/ByteOrder.h"
#include "shared/PlayerInterface.h"
#include "tools/recgen/RecordingWriter.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kFps = 25;
// A GOP's display time: as the player paces version 4 GOPs, unless the
// command line asks for more (a machine too busy for real time then still
// decodes every frame, for a comparison over whole GOPs).
int g_displayMs = 900;

struct Case {
    const char* name;
    int channels;
    uint32_t resolutionCode;
    int bitRate;  // per channel
    int gops;
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

// Keeps every frame the display decodes, channel by channel (each channel's
// list is only touched by the one thread that shows the channel).
class RecordingFrames final : public CFrameDecoder {
public:
    explicit RecordingFrames(CFrameDecoder& inner) : inner_(inner) {}
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) override {
        if (channel >= 1 && channel <= kMaxChannels)
            decoded[std::size_t(channel - 1)].emplace_back(data, length);
        return inner_.DecodeFrame(group, channel, data, length, out, size, width, height);
    }
    long Count() const {
        long n = 0;
        for (const auto& frames : decoded)
            n += long(frames.size());
        return n;
    }
    std::array<std::vector<std::pair<const unsigned char*, int>>, kMaxChannels> decoded;

private:
    CFrameDecoder& inner_;
};

// CPU seconds (user and system) and peak resident memory of a process.
struct Usage {
    double cpu = -1;
    double peakMiB = 0;
};

Usage UsageOf(const rusage& r) {
    return {double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
                double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6,
            double(r.ru_maxrss) / 1024};
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The GOPs of a pair, by its index (header: first and last entry; entries
// of 16 bytes with the offset at 8).
std::vector<std::unique_ptr<Gop>> ReadGops(const std::string& dvr, const std::string& inx) {
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
        if (CGopParser().Parse(gop->slot.data, length, gop->info.get(), false) >= 0)
            gops.push_back(std::move(gop));
    }
    return gops;
}

// The frames the display decoded, in order, one Annex B stream per channel:
// what ffmpeg is to decode. Frames a late display dropped are the ends of
// their GOPs, so every stream stays decodable.
void WriteChannelStreams(const RecordingFrames& frames, int channels, const fs::path& dir) {
    for (int c = 0; c < channels; ++c) {
        std::ofstream out(dir / ("ch" + std::to_string(c) + ".h264"), std::ios::binary);
        for (const auto& [data, length] : frames.decoded[std::size_t(c)])
            out.write(reinterpret_cast<const char*>(data), std::streamsize(length));
    }
}

long FramesIn(const std::vector<std::unique_ptr<Gop>>& gops, int channels) {
    long frames = 0;
    for (const auto& gop : gops)
        for (int c = 0; c < channels; ++c)
            frames += std::min<long>(gop->info->fps[c], kMaxFramesPerChannel);
    return frames;
}

// Runs `work` in a child process; false when the child did not end well.
bool InChild(const std::function<void()>& work) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        work();
        std::fflush(stdout);
        std::_Exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// ffmpeg decoding every stream with one thread each, its output discarded.
Usage FfmpegDecoding(const std::vector<std::string>& streams, const fs::path& dir) {
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostdin", "-loglevel", "error"};
    for (const std::string& stream : streams)
        args.insert(args.end(), {"-threads", "1", "-f", "h264", "-i", stream});
    for (std::size_t i = 0; i < streams.size(); ++i)
        args.insert(args.end(), {"-map", std::to_string(i) + ":v", "-f", "null", "-"});
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string log = (dir / "ffmpeg.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (started != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};
    return UsageOf(usage);
}

bool WriteCaseRecording(const Case& c, const fs::path& dir) {
    return InChild([&] {
        recgen::RecordingPlan plan;
        plan.channels = c.channels;
        plan.resolutionCodes = {c.resolutionCode};
        plan.fps = kFps;
        plan.gopCount = c.gops;
        plan.audio = recgen::AudioKind::kNone;
        plan.busyBitRate = c.bitRate;
        std::string error;
        if (!recgen::WriteRecording(plan, (dir / "rec.dvr").string(), (dir / "rec.inx").string(),
                                    &error)) {
            std::printf("%s: cannot write the recording: %s\n", c.name, error.c_str());
            std::fflush(stdout);
            std::_Exit(1);
        }
    });
}

// Speed 1 with every frame decoded and drawn; the child's own figures.
void Play(const Case& c, const fs::path& dir, const fs::path& usageFile) {
    HeadlessDisplay screen(1920, 1080, RGB(0, 0, 0));
    HWND window = CreateBenchWindow(c.windowWidth, c.windowHeight);
    CDecoderManager decoders;
    decoders.Create();
    const auto gops = ReadGops((dir / "rec.dvr").string(), (dir / "rec.inx").string());
    CManagedFrameDecoder managed(decoders);
    RecordingFrames recording(managed);
    BenchHost host(c.channels);
    CRenderer renderer;
    CChannelDisplay display(renderer, recording, host);
    display.Init(window);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    for (const auto& gop : gops)
        display.ShowGop({&gop->slot, gop->info.get(), -1, g_displayMs, 1, true, STATUS_PLAYING});
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    const long decoded = recording.Count(), frames = FramesIn(gops, c.channels);
    WriteChannelStreams(recording, c.channels, dir);
    std::printf(
        "%s: %s real time (%ld of %ld frames decoded and drawn, %.2f s for %.2f s of GOP "
        "time, %d not decoded or drawn)\n",
        c.name, decoded == frames ? "keeps" : "does not keep", decoded, frames, wall,
        double(gops.size()) * g_displayMs / 1000, host.failures.load());
    std::ofstream(usageFile) << UsageOf(after).cpu - UsageOf(before).cpu << ' '
                             << UsageOf(after).peakMiB << ' ' << gops.size() << '\n';
    display.Free();
    decoders.Destroy();
    DestroyWindow(window);
}

void RunRound(const Case& c, const fs::path& dir) {
    const fs::path usageFile = dir / "usage.txt";
    fs::remove(usageFile);
    double ours = -1, oursPeak = 0;
    std::size_t gops = 0;
    if (InChild([&] { Play(c, dir, usageFile); }))
        std::ifstream(usageFile) >> ours >> oursPeak >> gops;
    std::vector<std::string> streams;
    for (int ch = 0; ch < c.channels; ++ch)
        streams.push_back((dir / ("ch" + std::to_string(ch) + ".h264")).string());
    const Usage ffmpeg = FfmpegDecoding(streams, dir);
    if (ours < 0 || ffmpeg.cpu <= 0) {
        std::printf("%s: not measured (ours %.2f s, ffmpeg %.2f s)\n", c.name, ours, ffmpeg.cpu);
        return;
    }
    const double seconds = double(gops);  // each GOP holds a second of frames
    std::printf(
        "%s: CPU ours %.2f s (%.2f per second of recording), ffmpeg -threads 1 %.2f s; "
        "ours / ffmpeg %.2f; peak resident memory ours %.0f MiB, ffmpeg %.0f MiB\n",
        c.name, ours, ours / seconds, ffmpeg.cpu, ours / ffmpeg.cpu, oursPeak, ffmpeg.peakMiB);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const char* only = argc > 2 ? argv[2] : "";
    if (argc > 3)
        g_displayMs = std::max(g_displayMs, std::atoi(argv[3]));
    fs::path dir = fs::temp_directory_path() / "bench-playback-XXXXXX";
    std::string pattern = dir.string();
    if (mkdtemp(pattern.data()) == nullptr)
        return 1;
    dir = pattern;
    const Case cases[] = {
        {"16 x 1920x1080 at 4 Mbit/s", 16, 1, 4'000'000, 6, 1920, 1080},
        {"4 x 1920x1080 at 4 Mbit/s", 4, 1, 4'000'000, 6, 1280, 720},
        {"16 x 352x288 at 1 Mbit/s", 16, 6, 1'000'000, 6, 1280, 720},
    };
    for (const Case& c : cases) {
        if (std::strstr(c.name, only) == nullptr)
            continue;
        if (!WriteCaseRecording(c, dir)) {
            std::printf("%s: the recording was not written\n", c.name);
            continue;
        }
        for (int r = 0; r < rounds; ++r)
            RunRound(c, dir);
    }
    fs::remove_all(dir);
    return 0;
}
