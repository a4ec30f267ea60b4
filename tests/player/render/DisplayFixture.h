// The display under test over generated recordings: a headless host window,
// the renderer, the real decoders behind a counting decorator, a host whose
// settings the test sets, and a driver that moves the fake clock while the
// display threads sleep.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/base/FakeClock.h"
#include "player/decode/DecoderManager.h"
#include "player/render/ChannelDisplay.h"
#include "player/render/ManagedFrameDecoder.h"
#include "tests/player/render/RenderTestSupport.h"
#include "tools/recgen/RecordingPlan.h"

// One GOP of a generated recording in a queue slot of its own, parsed.
struct RecordedGop {
    std::vector<uint8_t> bytes;
    GopBuffer slot{};
    std::unique_ptr<GopInfo> info = std::make_unique<GopInfo>();
};

// Writes the plan's recording and reads back its GOPs, parsed by `decoders`.
std::vector<std::unique_ptr<RecordedGop>> RecordGops(const recgen::RecordingPlan& plan);

class FakeDisplayHost final : public CDisplayHost {
public:
    int FullScreenChannel() override { return fullScreen; }
    int DivisionMode() override { return mode; }
    void SetDivisionMode(int m) override { mode = m; }
    int SourceChannelCount() override { return sourceChannels; }
    int QueuedAudioBuffers() override { return queuedAudio; }
    void ReportFrameFailure() override { ++failures; }

    std::atomic<int> fullScreen{0};
    std::atomic<int> mode{-1};
    std::atomic<int> sourceChannels{4};
    std::atomic<int> queuedAudio{0};
    std::atomic<int> failures{0};
};

// Counts the frames decoded per channel, with the clock's time of each.
class CountingDecoder final : public CFrameDecoder {
public:
    struct Decode {
        const unsigned char* data;
        uint64_t atMs;
    };

    explicit CountingDecoder(CFrameDecoder& inner) : inner_(inner) {}
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) override;

    // Frame indices decoded for channel c (0-based) of `gop`, in order.
    std::vector<int> Frames(int channel, const RecordedGop& gop) const;
    std::vector<uint64_t> Times(int channel) const;
    int Count(int channel) const;
    void Clear();

private:
    CFrameDecoder& inner_;
    mutable std::mutex mutex_;
    std::vector<Decode> decodes_[kMaxChannels];
};

// An interruption the test turns on.
struct TestInterruption final : CShowInterruption {
    bool IsInterrupted() const override { return on; }
    std::atomic<bool> on{false};
};

class DisplayFixture : public ::testing::Test {
protected:
    static constexpr RECT kClient{0, 0, 320, 240};

    DisplayFixture();
    ~DisplayFixture() override;

    // Writes and parses a recording; fails the test when it cannot.
    void Record(const recgen::RecordingPlan& plan);
    GopShowRequest Request(int gop, int state, int speed, int stepIndex, int displayMs,
                           bool forward = true) const;
    // ShowGop on a thread of its own, the fake clock moved to each pause's
    // end while all its running display threads sleep, until it returns.
    int ShowPaced(const GopShowRequest& request);
    // As ShowPaced with interruption_ in the request, until the clock
    // reaches `atMs`: then the interruption comes true (or, for a wake for
    // nothing, stays false) and the display is told. Once it is true ShowGop
    // must return without the clock moving on: a failure when it does not
    // within 30 s of real time, a bound that only stops a hang (the clock
    // then moves on so that it ends).
    int ShowInterrupted(GopShowRequest request, uint64_t atMs, bool comesTrue = true);
    COLORREF PaneCentre(int paneCount, int pane);

    TestInterruption interruption_;

    ScopedFakeClock clock_{1000};
    TestHostWindow host_{320, 240, kClient};
    CDecoderManager decoders_;
    CManagedFrameDecoder managed_{decoders_};
    CountingDecoder counting_{managed_};
    FakeDisplayHost settings_;
    CRenderer renderer_;
    CChannelDisplay display_{renderer_, counting_, settings_};
    std::vector<std::unique_ptr<RecordedGop>> gops_;

private:
    // Waits until ShowGop has returned, or all display threads still running
    // (those started beyond the `routines` running before) and ShowGop sleep
    // with none of them due. True when it returned.
    bool Settle(std::future<int>& shown, int others, int routines);
    // Moves the clock to the earliest deadline of those waiting, when later.
    void AdvanceToNextDeadline();
};
