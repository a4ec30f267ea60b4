#include "tests/player/core/CoreFixture.h"

#include <algorithm>
#include <thread>

#include "tests/player/ProcessThreads.h"

namespace {

constexpr auto kBound = std::chrono::milliseconds(kWaitBoundMs);
constexpr int kGiveIntervalMs = 20;

std::mutex g_mutex;
std::condition_variable g_cv;
std::vector<int> g_messages;  // guarded by g_mutex
std::vector<int> g_errors;
size_t g_resultsTaken = 0;
std::function<void(int)> g_messageHook;
std::function<void(int)> g_errorHook;
int g_hooksRunning = 0;

// Runs `hook` (taken under g_mutex) with the lock let go, counted, so that a
// test clearing the hooks can wait until none runs any more.
void RunHook(std::unique_lock<std::mutex>& lock, const std::function<void(int)>& hook, int code) {
    if (!hook)
        return;
    ++g_hooksRunning;
    lock.unlock();
    hook(code);
    lock.lock();
    --g_hooksRunning;
    g_cv.notify_all();
}

void OnMessage(int code, int) {
    std::unique_lock lock(g_mutex);
    g_messages.push_back(code);
    g_cv.notify_all();
    RunHook(lock, std::function<void(int)>(g_messageHook), code);
}

void OnError(int code, DWORD, int) {
    std::unique_lock lock(g_mutex);
    g_errors.push_back(code);
    RunHook(lock, std::function<void(int)>(g_errorHook), code);
}

bool IsCommandResult(int code) {
    return code >= MSG_CLOSE_FAILED && code != MSG_FRAME_FAILED;
}

}  // namespace

bool RecordingDisplay::Init(HWND) {
    std::unique_lock lock(mutex_);
    if (std::exchange(holdNextInit_, false)) {
        initHeld_ = true;
        cv_.notify_all();
        const int interrupts = interrupts_;
        cv_.wait_for(lock, kBound, [&] { return interrupts_ != interrupts; });
    }
    return initSucceeds;
}

int RecordingDisplay::ShowGop(const GopShowRequest& request) {
    std::unique_lock lock(mutex_);
    const size_t index = shown_.size();
    shown_.push_back({int(request.info->time - kFirstTime), request.stepIndex, request.displayMs,
                      request.speed, request.forward, request.state,
                      request.info->frameLength[1][0], false});
    mostAtOnce_ = std::max(mostAtOnce_, ++showing_);
    cv_.notify_all();
    const auto interrupted = [&] {
        return honoursInterruption && request.interruption != nullptr &&
               request.interruption->IsInterrupted();
    };
    if (request.state != STATUS_PAUSED) {
        cv_.wait_for(lock, kBound, [&] { return credits_ > 0 || interrupted(); });
        if (interrupted())
            shown_[index].interrupted = true;
        else if (credits_ > 0)
            --credits_;
    }
    --showing_;
    cv_.notify_all();
    return 0;
}

void RecordingDisplay::Interrupt() {
    std::lock_guard lock(mutex_);
    ++interrupts_;
    cv_.notify_all();
}

void RecordingDisplay::HoldNextInit() {
    std::lock_guard lock(mutex_);
    holdNextInit_ = true;
    initHeld_ = false;
}

bool RecordingDisplay::WaitForHeldInit() {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, kBound, [&] { return initHeld_; });
}

void RecordingDisplay::Give(int credits) {
    std::lock_guard lock(mutex_);
    credits_ += credits;
    cv_.notify_all();
}

std::vector<Shown> RecordingDisplay::WaitForShown(size_t count) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, kBound, [&] { return shown_.size() >= count; });
    return shown_;
}

std::vector<Shown> RecordingDisplay::ShownSoFar() {
    std::lock_guard lock(mutex_);
    return shown_;
}

void CoreFixture::SetUp() {
    {
        std::lock_guard lock(g_mutex);
        g_messages.clear();
        g_errors.clear();
        g_resultsTaken = 0;
        g_messageHook = nullptr;
        g_errorHook = nullptr;
    }
    threadsBefore_ = ThreadCountBaseline();
    ASSERT_TRUE(InitPlayer());
}

void CoreFixture::TearDown() {
    display_.Give(1000000);
    EndHooks();
    player_.Release();
}

void CoreFixture::EndHooks() {
    std::unique_lock lock(g_mutex);
    g_messageHook = nullptr;
    g_errorHook = nullptr;
    g_cv.wait_for(lock, kBound, [] { return g_hooksRunning == 0; });
}

bool CoreFixture::InitPlayer(zDataCallback data, zExtractCallback extract) {
    return player_.Init(nullptr, OnMessage, data, nullptr, nullptr, extract, OnError);
}

void CoreFixture::ExpectNoThreadLeft() {
    EXPECT_LE(WaitForThreadCount(threadsBefore_), threadsBefore_);
}

bool CoreFixture::WaitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

void CoreFixture::WritePair(int count, const PairOptions& options) {
    const uint32_t frames = uint32_t(std::min(options.fps, kMaxFramesPerChannel));
    auto writer = recgen::PairWriter::Create(Dvr(), Inx());
    ASSERT_NE(writer, nullptr);
    for (int i = 0; i < count; ++i) {
        recgen::GopBuilder builder({.version = uint32_t(options.version),
                                    .time = kFirstTime + uint32_t(i),
                                    .sampleRateCode = 1});
        const std::vector<int>& few = options.oneChannelGops;
        const bool oneChannel = std::find(few.begin(), few.end(), i) != few.end();
        for (uint32_t frame = 1; frame <= frames; ++frame)
            for (uint32_t channel = 0; channel < (oneChannel ? 1u : 4u); ++channel)
                builder.AddFrame({.channel = channel,
                                  .frameNumber = frame,
                                  .resolutionCode = options.resolutionCode,
                                  .fps = uint32_t(options.fps),
                                  .data = std::vector<uint8_t>(16 + channel, uint8_t(i))});
        if (!options.audio.empty())
            builder.SetAudio(options.audio);
        ASSERT_TRUE(writer->AddGop(builder.Build()));
    }
    placements_ = writer->Placements();
    dataLength_ = writer->DataLength();
    ASSERT_TRUE(writer->Finish({.indexedLength = dataLength_ + options.indexedPastEnd}));
}

int CoreFixture::Command(int cmd, intptr_t a, int64_t position) {
    player_.PlayMSG(cmd, a, uint32_t(uint64_t(position)), int(uint64_t(position) >> 32), nullptr);
    return NextResult();
}

int CoreFixture::NextResult() {
    std::unique_lock lock(g_mutex);
    int result = -1;
    g_cv.wait_for(lock, kBound, [&] {
        for (; g_resultsTaken < g_messages.size(); ++g_resultsTaken) {
            if (IsCommandResult(g_messages[g_resultsTaken])) {
                result = g_messages[g_resultsTaken++];
                return true;
            }
        }
        return false;
    });
    return result;
}

bool CoreFixture::WaitForMessage(int code, int timeoutMs, int count) {
    std::unique_lock lock(g_mutex);
    return g_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::count(g_messages.begin(), g_messages.end(), code) >= count;
    });
}

bool CoreFixture::GiveUntilMessage(int code, int count) {
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (!WaitForMessage(code, kGiveIntervalMs, count)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        display_.Give(1);
    }
    return true;
}

void CoreFixture::OnEachMessage(std::function<void(int)> hook) {
    std::lock_guard lock(g_mutex);
    g_messageHook = std::move(hook);
}

void CoreFixture::OnEachError(std::function<void(int)> hook) {
    std::lock_guard lock(g_mutex);
    g_errorHook = std::move(hook);
}

std::vector<int> CoreFixture::Messages() {
    std::lock_guard lock(g_mutex);
    return g_messages;
}

std::vector<int> CoreFixture::Errors() {
    std::lock_guard lock(g_mutex);
    return std::exchange(g_errors, {});
}

void FakeClockPlayerTest::TearDown() {
    ClockTicker ticker(*clock_);
    CoreFixture::TearDown();
}

int FakeClockPlayerTest::CommandOnMovingClock(int cmd) {
    ClockTicker ticker(*clock_);
    return Command(cmd);
}

int FakeClockPlayerTest::CountOf(int code) {
    const std::vector<int> messages = Messages();
    return int(std::count(messages.begin(), messages.end(), code));
}
