// A CAudioOut on the null waveform device and a fake clock, with the player's
// completion callback and a log of the errors it reports.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/base/FakeClock.h"
#include "platform/media/NullWaveDevice.h"
#include "player/audio/AudioOut.h"
#include "player/errors/ErrorSink.h"

namespace audio_test {

struct RaisedError {
    int code;
    int value;
    bool operator==(const RaisedError&) const = default;
};

inline std::vector<RaisedError>& Raised() {
    static std::vector<RaisedError> raised;
    return raised;
}

inline void RecordError(int code, DWORD, int value) {
    Raised().push_back({code, value});
}

class AudioFixture : public testing::Test {
protected:
    void SetUp() override {
        setenv("DVR_AUDIO", "null", 1);
        TakeNullWavePcm();
        Raised().clear();
        ASSERT_EQ(g_pAudioOut.load(), &audio_);
        audio_.SetCallback(&OnWaveDone);
        SetErrorSink(&RecordError);
    }

    // Waits (at most 5 s of real time) until the count is `count`.
    bool QueuedBecomes(int count) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (audio_.TellQueued() != count) {
            if (std::chrono::steady_clock::now() >= end)
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    // Plays everything queued: 10 s of the clock, then waits for the count to drop.
    void PlayOut() {
        clock_->Advance(10000);
        EXPECT_TRUE(QueuedBecomes(0));
    }

    void TearDown() override { SetErrorSink(nullptr); }

    ScopedFakeClock clock_{1000};
    CAudioOut audio_;
};

}  // namespace audio_test
