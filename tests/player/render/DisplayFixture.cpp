#include "tests/player/render/DisplayFixture.h"

#include <chrono>
#include <future>
#include <thread>

#include "format/FrameHeader.h"
#include "format/gop/GopParser.h"
#include "platform/base/Thread.h"
#include "tests/tools/recgen/RecordingReader.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/RecordingWriter.h"

std::vector<std::unique_ptr<RecordedGop>> RecordGops(const recgen::RecordingPlan& plan) {
    TempDir dir;
    const std::string dvr = dir.File("rec.dvr"), inx = dir.File("rec.inx");
    std::string error;
    std::vector<std::unique_ptr<RecordedGop>> gops;
    if (!recgen::WriteRecording(plan, dvr, inx, &error)) {
        ADD_FAILURE() << error;
        return gops;
    }
    const std::vector<uint8_t> file = ReadWholeFile(dvr);
    const std::vector<IndexEntry> index = ReadIndex(inx);
    for (size_t i = 0; i + 1 < index.size(); ++i) {
        const uint8_t* at = file.data() + index[i].offset;
        const uint32_t length = ReadFrameHeader(at).gopLength;
        auto gop = std::make_unique<RecordedGop>();
        gop->bytes.assign(at, at + length);
        gop->slot.data = gop->bytes.data();
        gop->slot.length = int(length);
        EXPECT_GE(CGopParser().Parse(gop->slot.data, length, gop->info.get(), false), 0)
            << "GOP " << i;
        gops.push_back(std::move(gop));
    }
    return gops;
}

bool CountingDecoder::DecodeFrame(int group, int channel, const unsigned char* data, int length,
                                  unsigned char* out, int* size, int* width, int* height) {
    {
        std::lock_guard lock(mutex_);
        if (channel >= 1 && channel <= kMaxChannels)
            decodes_[channel - 1].push_back({data, CurrentClock().NowMs()});
    }
    return inner_.DecodeFrame(group, channel, data, length, out, size, width, height);
}

std::vector<int> CountingDecoder::Frames(int channel, const RecordedGop& gop) const {
    std::lock_guard lock(mutex_);
    std::vector<int> frames;
    for (const Decode& d : decodes_[channel]) {
        int found = -1;
        for (int j = 0; j < kMaxFramesPerChannel; ++j)
            if (gop.info->frameLength[channel][j] != 0 &&
                d.data == gop.slot.data + gop.info->frameOffset[channel][j])
                found = j;
        frames.push_back(found);
    }
    return frames;
}

std::vector<uint64_t> CountingDecoder::Times(int channel) const {
    std::lock_guard lock(mutex_);
    std::vector<uint64_t> times;
    for (const Decode& d : decodes_[channel])
        times.push_back(d.atMs);
    return times;
}

int CountingDecoder::Count(int channel) const {
    std::lock_guard lock(mutex_);
    return int(decodes_[channel].size());
}

void CountingDecoder::Clear() {
    std::lock_guard lock(mutex_);
    for (auto& d : decodes_)
        d.clear();
}

DisplayFixture::DisplayFixture() {
    EXPECT_TRUE(decoders_.Create());
    EXPECT_TRUE(display_.Init(host_.Handle()));
}

DisplayFixture::~DisplayFixture() {
    display_.Free();
    decoders_.Destroy();
}

void DisplayFixture::Record(const recgen::RecordingPlan& plan) {
    gops_ = RecordGops(plan);
    ASSERT_FALSE(gops_.empty());
    settings_.sourceChannels = plan.channels;
}

GopShowRequest DisplayFixture::Request(int gop, int state, int speed, int stepIndex, int displayMs,
                                       bool forward) const {
    const RecordedGop& g = *gops_.at(size_t(gop));
    return GopShowRequest{&g.slot, g.info.get(), stepIndex, displayMs, speed, forward, state};
}

bool DisplayFixture::Settle(std::future<int>& shown, int others, int routines) {
    using namespace std::chrono_literals;
    // The clock moves only once every display thread still running sleeps
    // (and ShowGop waits for them, a sleeper too) with none of them due,
    // straight to the next deadline: each thread wakes exactly when it asked
    // to, however slowly the machine runs it. A thread that has ended no
    // longer counts. The bound only stops a display that never settles.
    const auto bound = std::chrono::steady_clock::now() + 60s;
    while (shown.wait_for(0ms) != std::future_status::ready) {
        // Pending sleepers first, then the running threads: a thread
        // started between the two looks raises the count asked for. Once
        // every display thread has ended, ShowGop returns by itself.
        const int pending = clock_->PendingSleepers();
        const int running = RunningThreadRoutines() - routines;
        if (running > 0 && pending >= others + running + 1)
            return false;
        if (std::chrono::steady_clock::now() >= bound) {
            ADD_FAILURE() << "the display threads neither slept nor ended";
            return false;
        }
        std::this_thread::sleep_for(200us);
    }
    return true;
}

void DisplayFixture::AdvanceToNextDeadline() {
    const uint64_t next = clock_->NextDeadline();
    if (next != FakeClock::kNoDeadline && next > clock_->NowMs())
        clock_->Advance(next - clock_->NowMs());
}

int DisplayFixture::ShowPaced(const GopShowRequest& request) {
    const int others = clock_->Sleepers();  // threads of the window system waiting on it
    const int routines = RunningThreadRoutines();
    std::future<int> shown =
        std::async(std::launch::async, [&] { return display_.ShowGop(request); });
    for (int step = 0; step < 1000; ++step) {
        if (Settle(shown, others, routines))
            return shown.get();
        AdvanceToNextDeadline();
    }
    ADD_FAILURE() << "the display did not finish";
    return shown.get();
}

int DisplayFixture::ShowInterrupted(GopShowRequest request, uint64_t atMs, bool comesTrue) {
    using namespace std::chrono_literals;
    request.interruption = &interruption_;
    bool told = clock_->NowMs() >= atMs;
    interruption_.on = told && comesTrue;
    const int others = clock_->Sleepers();
    const int routines = RunningThreadRoutines();
    std::future<int> shown =
        std::async(std::launch::async, [&] { return display_.ShowGop(request); });
    bool waited = false;  // for the interrupted display to return by itself
    for (int step = 0; step < 1000; ++step) {
        if (interruption_.on && !waited) {
            waited = true;
            if (shown.wait_for(30s) == std::future_status::ready)
                return shown.get();
            ADD_FAILURE() << "the interrupted display did not return at once";
        }
        if (Settle(shown, others, routines))
            return shown.get();
        if (!told && clock_->NextDeadline() >= atMs) {
            clock_->Advance(atMs - clock_->NowMs());
            told = true;
            interruption_.on = comesTrue;
            display_.Interrupt();
            continue;
        }
        AdvanceToNextDeadline();
    }
    ADD_FAILURE() << "the display did not finish";
    return shown.get();
}

COLORREF DisplayFixture::PaneCentre(int paneCount, int pane) {
    RECT r{};
    EXPECT_TRUE(PaneRect(kClient, paneCount, pane, &r));
    const POINT c = CentreOf(r);
    return host_.PixelAt(c.x, c.y);
}
