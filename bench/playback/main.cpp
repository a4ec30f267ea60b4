// Playback throughput of the channel display on generated recordings: a
// 4-channel 1920 x 1080 and a 16-channel 352 x 288 recording, all frames
// skippable. Prints
// - frames decoded and drawn per second in fast forward (speed 2, no pauses)
//   into a headless 1280 x 720 window, against the same channel streams
//   decoded alone by `ffmpeg -benchmark -f h264 -i <stream> -f null -`, as a
//   ratio;
// - CPU seconds per second of real-time playback at speed 1.
// A figure it cannot measure is printed as such; nothing is asserted.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

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

#include "platform/backend/HeadlessDisplay.h"
#include "platform/user/User.h"
#include "player/decode/DecoderManager.h"
#include "player/render/ChannelDisplay.h"
#include "player/render/ManagedFrameDecoder.h"
#include "shared/ByteOrder.h"
#include "shared/FrameHeader.h"
#include "shared/PlayerInterface.h"
#include "tools/recgen/RecordingWriter.h"

extern char** environ;

namespace {

constexpr int kGops = 4;
constexpr int kFps = 25;

struct Case {
    const char* name;
    int channels;
    uint32_t resolutionCode;
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

LRESULT BlackProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

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

// ffmpeg's own decoding time of one stream (its -benchmark rtime), or < 0.
double FfmpegSeconds(const std::string& stream, const std::filesystem::path& dir) {
    const std::string log = (dir / "ffmpeg.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostdin", "-benchmark",
                                     "-f",     "h264",         "-i",       stream,
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
    if (!std::regex_search(s, match, std::regex("rtime=([0-9.]+)s")))
        return -1;
    return std::stod(match[1]);
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

void RunCase(const Case& c, HWND window, const std::filesystem::path& dir) {
    recgen::RecordingPlan plan;
    plan.channels = c.channels;
    plan.resolutionCodes = {c.resolutionCode};
    plan.fps = kFps;
    plan.gopCount = kGops;
    plan.audio = recgen::AudioKind::kNone;
    for (int ch = 0; ch < c.channels; ++ch)
        plan.skippableChannels.insert(ch);
    const std::string dvr = (dir / "rec.dvr").string(), inx = (dir / "rec.inx").string();
    std::string error;
    if (!recgen::WriteRecording(plan, dvr, inx, &error)) {
        std::printf("%s: cannot write the recording: %s\n", c.name, error.c_str());
        return;
    }
    CDecoderManager decoders;
    decoders.Create();
    const std::vector<std::unique_ptr<Gop>> gops = ReadGops(dvr, inx, decoders);
    CManagedFrameDecoder managed(decoders);
    CountingFrames counting(managed);
    BenchHost host(c.channels);
    CRenderer renderer;
    CChannelDisplay display(renderer, counting, host);
    display.Init(window);

    // Fast forward without pauses: every second frame decoded and drawn.
    const auto start = std::chrono::steady_clock::now();
    for (const auto& gop : gops)
        display.ShowGop({&gop->slot, gop->info.get(), -1, 0, 2, true, STATUS_FAST_FORWARD});
    const double ours = double(counting.decoded) / Seconds(start);

    double ffmpegSeconds = 0;
    long ffmpegFrames = 0;
    for (const std::string& stream : WriteChannelStreams(gops, c.channels, dir)) {
        const double s = FfmpegSeconds(stream, dir);
        if (s < 0) {
            ffmpegSeconds = -1;
            break;
        }
        ffmpegSeconds += s;
        ffmpegFrames += long(gops.size()) * kFps;
    }
    std::printf("%s fast forward: %.0f frames decoded and drawn per second (%ld frames)\n", c.name,
                ours, long(counting.decoded));
    if (ffmpegSeconds > 0) {
        const double alone = double(ffmpegFrames) / ffmpegSeconds;
        std::printf("%s ffmpeg decoding alone: %.0f frames per second; ratio %.2f\n", c.name, alone,
                    ours / alone);
    } else {
        std::printf("%s ffmpeg decoding alone: not measured\n", c.name);
    }

    // Real-time playback at speed 1 on the system clock.
    const double cpuBefore = CpuSeconds();
    const auto playStart = std::chrono::steady_clock::now();
    for (const auto& gop : gops)
        display.ShowGop({&gop->slot, gop->info.get(), -1, 900, 1, true, STATUS_PLAYING});
    const double wall = Seconds(playStart);
    std::printf("%s speed 1: %.3f CPU seconds per second of playback (%.1f s played)\n", c.name,
                (CpuSeconds() - cpuBefore) / wall, wall);
    if (host.failures != 0)
        std::printf("%s: %d frames not decoded or drawn\n", c.name, host.failures.load());
    display.Free();
    decoders.Destroy();
}

}  // namespace

int main() {
    HeadlessDisplay screen(1280, 720, RGB(0, 0, 0));
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW),
                   0,
                   BlackProc,
                   0,
                   0,
                   nullptr,
                   nullptr,
                   nullptr,
                   nullptr,
                   nullptr,
                   L"Bench",
                   nullptr};
    RegisterClassEx(&wc);
    HWND window = CreateWindowEx(0, L"Bench", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 720, nullptr,
                                 nullptr, nullptr, nullptr);
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "bench-playback-XXXXXX";
    std::string pattern = dir.string();
    if (mkdtemp(pattern.data()) == nullptr)
        return 1;
    dir = pattern;
    const Case cases[] = {{"4 x 1920x1080", 4, 1}, {"16 x 352x288", 16, 6}};
    for (const Case& c : cases)
        RunCase(c, window, dir);
    DestroyWindow(window);
    std::filesystem::remove_all(dir);
    return 0;
}
