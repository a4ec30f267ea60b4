// How soon a command that moves playback shows its first frame: the player
// as the library builds it (player, display link, channel display, renderer)
// plays a recording into a headless window at real time, and the benchmark
// measures, on the system clock, the time from sending a command to the
// first presentation of the window after the first GOP the command leads to
// reached the data callback. Prints, for the bundled 4-channel sample and a
// generated 16-channel 1920 x 1080 recording, the median and the worst of
// - 20 seeks (command 7) to GOPs drawn at random while playing, each sent
//   at a random moment of a GOP's display time;
// - 20 fast-forward commands (command 5, speed 2) sent the same way, the
//   first frame being that of the first GOP shown after the command.
// Each case runs in a child process of its own. Nothing is asserted.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/window/BenchWindow.h"
#include "platform/user/DisplayBackend.h"
#include "player/api/PlayerDisplayLink.h"
#include "player/render/ChannelDisplay.h"
#include "shared/PlayerInterface.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

constexpr int kRuns = 20;
constexpr int kFastForwardSpeedCode = 1;  // speed 2
constexpr auto kBound = std::chrono::seconds(15);

struct Case {
    const char* name;
    std::string dvr, inx;
    int windowWidth, windowHeight;
};

int64_t NowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// What the callbacks and the display saw. kNoGop: nothing awaited; kAnyGop:
// the next GOP to reach the data callback.
constexpr uint32_t kNoGop = 0;
constexpr uint32_t kAnyGop = 0xffffffff;
std::atomic<uint32_t> g_awaited{kNoGop};
std::atomic<bool> g_drawArmed{false};
std::atomic<int64_t> g_drawnAtUs{0};
std::atomic<int> g_results[32] = {};

void OnMessage(int code, int) {
    if (code >= 0 && code < 32)
        ++g_results[code];
}

void OnError(int, DWORD, int) {}

// On the playback thread, just before the GOP is handed to the display:
// the next presentation is this GOP's first frame.
void OnData(unsigned time, const char*, const GpsText*, const int*, float, float, int,
            const AlarmFlags*, int, const TpmsTyre*, int, int, int, int, int, int) {
    const uint32_t awaited = g_awaited;
    if (awaited != kNoGop && (awaited == kAnyGop || awaited == time)) {
        g_awaited = kNoGop;
        g_drawArmed = true;
    }
}

// The screen: every drawn frame asks for the window to be presented.
class TimingDisplay final : public DisplayBackend {
public:
    void PresentationRequested(HWND) override {
        if (g_drawArmed.exchange(false))
            g_drawnAtUs = NowUs();
    }
    void CursorChanged(HCURSOR) override {}
};

template <typename Done>
bool WaitFor(Done done) {
    const auto end = std::chrono::steady_clock::now() + kBound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Sends the command, waits for its result, and gives the milliseconds from
// sending it to the first frame of the awaited GOP; < 0 when that did not
// come within the bound.
double TimeToFirstFrame(CPlayer& player, int cmd, intptr_t a, int64_t position, uint32_t awaited,
                        int result) {
    const int results = g_results[result];
    g_drawnAtUs = 0;
    g_drawArmed = false;
    g_awaited = awaited;
    const int64_t sent = NowUs();
    player.PlayMSG(cmd, a, uint32_t(uint64_t(position)), int(uint64_t(position) >> 32), nullptr);
    const bool drawn = WaitFor([] { return g_drawnAtUs != 0; });
    g_awaited = kNoGop;
    const bool answered = WaitFor([&] { return g_results[result] > results; });
    return drawn && answered ? double(g_drawnAtUs - sent) / 1000 : -1;
}

bool Command(CPlayer& player, int cmd, intptr_t a, int result) {
    const int results = g_results[result];
    player.PlayMSG(cmd, a, 0, 0, nullptr);
    return WaitFor([&] { return g_results[result] > results; });
}

void PrintFigures(const char* caseName, const char* what, std::vector<double> ms) {
    const size_t missed =
        size_t(std::count_if(ms.begin(), ms.end(), [](double m) { return m < 0; }));
    ms.erase(std::remove_if(ms.begin(), ms.end(), [](double m) { return m < 0; }), ms.end());
    if (ms.empty()) {
        std::printf("%s %s: not measured (no first frame came)\n", caseName, what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    const double median =
        ms.size() % 2 == 1 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
    std::printf("%s %s to first frame: median %.1f ms, worst %.1f ms (%zu runs", caseName, what,
                median, ms.back(), ms.size());
    if (missed != 0)
        std::printf(", %zu without a first frame", missed);
    std::printf(")\n");
}

struct IndexedGop {
    uint32_t time;
    int64_t offset;
};

// The recording's GOPs by its time index, but the last: a seek there would
// end the data.
std::vector<IndexedGop> IndexedGops(CSourceManager& source) {
    InxHd header{};
    std::vector<IndexedGop> gops;
    if (!source.ReadTimeInxHd(&header))
        return gops;
    for (uint32_t i = header.first; i + 1 < header.last; ++i) {
        InxUnit unit{};
        if (source.ReadTimeInxUnit(int(i), &unit))
            gops.push_back({unit.time, int64_t(unit.offset)});
    }
    return gops;
}

// Each run plays on for a random part of a GOP's display time first, so that
// the command meets a GOP in flight anywhere in its time.
void PlayOnAWhile(std::mt19937& random) {
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(100, 1000)(random)));
}

void MeasureCommands(const Case& c, CPlayer& player) {
    const std::vector<IndexedGop> gops = IndexedGops(player.Source());
    if (gops.empty() || !Command(player, PLAY_CMD_PLAY, 0, MSG_PLAY_DONE)) {
        std::printf("%s: does not play\n", c.name);
        return;
    }
    std::mt19937 random(25);
    std::uniform_int_distribution<size_t> pick(0, gops.size() - 1);
    std::vector<double> seeks, fastForwards;
    for (int run = 0; run < kRuns; ++run) {
        PlayOnAWhile(random);
        const IndexedGop& to = gops[pick(random)];
        seeks.push_back(
            TimeToFirstFrame(player, PLAY_CMD_SEEK, 0, to.offset, to.time, MSG_SEEK_DONE));
    }
    for (int run = 0; run < kRuns; ++run) {
        const IndexedGop& to = gops[pick(random)];
        TimeToFirstFrame(player, PLAY_CMD_SEEK, 0, to.offset, to.time, MSG_SEEK_DONE);
        PlayOnAWhile(random);
        fastForwards.push_back(TimeToFirstFrame(player, PLAY_CMD_FAST_FORWARD,
                                                kFastForwardSpeedCode, 0, kAnyGop,
                                                MSG_FAST_FORWARD_DONE));
        Command(player, PLAY_CMD_PLAY, 0, MSG_PLAY_DONE);
    }
    PrintFigures(c.name, "seek", seeks);
    PrintFigures(c.name, "fast forward", fastForwards);
    Command(player, PLAY_CMD_STOP, 1, MSG_STOP_DONE);
}

void RunCase(const Case& c) {
    setenv("DVR_AUDIO", "null", 1);
    TimingDisplay screen;
    SetDisplayBackend(&screen);
    HWND window = CreateBenchWindow(c.windowWidth, c.windowHeight);
    CRenderer renderer;
    CPlayerDisplayLink link;
    CChannelDisplay display(renderer, link, link);
    CPlayer player(display);
    link.Attach(&player);
    if (!player.Init(window, OnMessage, OnData, nullptr, nullptr, nullptr, OnError) ||
        !player.Open(OPENED_FILE_PAIR, c.dvr.c_str(), c.inx.c_str())) {
        std::printf("%s: the player does not open the recording\n", c.name);
    } else {
        MeasureCommands(c, player);
        Command(player, PLAY_CMD_CLOSE, 0, MSG_CLOSE_DONE);
    }
    player.Release();
    DestroyWindow(window);
    SetDisplayBackend(nullptr);
}

// 16 channels of 1920 x 1080 at 25 fps, P-frame chains (every frame decoded).
bool WriteLargeRecording(const std::string& dvr, const std::string& inx) {
    recgen::RecordingPlan plan;
    plan.channels = 16;
    plan.resolutionCodes = {1};
    plan.fps = 25;
    plan.gopCount = 24;
    std::string error;
    if (recgen::WriteRecording(plan, dvr, inx, &error))
        return true;
    std::printf("16 x 1920x1080: cannot write the recording: %s\n", error.c_str());
    return false;
}

void RunInChild(const Case& c) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        RunCase(c);
        std::fflush(stdout);
        std::_Exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        std::printf("%s: the case did not finish\n", c.name);
}

}  // namespace

int main() {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "bench-seek-XXXXXX";
    std::string pattern = dir.string();
    if (mkdtemp(pattern.data()) == nullptr)
        return 1;
    dir = pattern;
    const std::string sample = DVR_SAMPLE_BASE;
    RunInChild({"4 x CIF sample", sample + ".dvr", sample + ".inx", 1280, 720});
    const std::string dvr = (dir / "large.dvr").string(), inx = (dir / "large.inx").string();
    if (WriteLargeRecording(dvr, inx))
        RunInChild({"16 x 1920x1080", dvr, inx, 1920, 1080});
    std::filesystem::remove_all(dir);
    return 0;
}
