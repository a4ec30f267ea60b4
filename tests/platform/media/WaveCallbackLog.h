// Records what a waveform device's callback receives, with the thread and the
// clock's time of each call, and waits (bounded, in real time) for calls.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/media/WaveOut.h"

namespace media_test {

struct WaveCall {
    UINT message;
    DWORD_PTR param1;
    std::thread::id thread;
    uint64_t timeMs;
};

class WaveCallbackLog {
public:
    static void Callback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
        auto* log = reinterpret_cast<WaveCallbackLog*>(instance);
        std::lock_guard lock(log->mutex_);
        log->calls_.push_back(
            {message, param1, std::this_thread::get_id(), CurrentClock().NowMs()});
        log->changed_.notify_all();
    }

    DWORD_PTR Instance() { return reinterpret_cast<DWORD_PTR>(this); }

    // The WOM_DONE calls, once at least `count` have come (or after 5 s).
    std::vector<WaveCall> WaitForDone(size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(5),
                          [&] { return DoneLocked().size() >= count; });
        return DoneLocked();
    }

    std::vector<WaveCall> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    std::vector<WaveCall> DoneLocked() const {
        std::vector<WaveCall> done;
        for (const WaveCall& call : calls_) {
            if (call.message == WOM_DONE)
                done.push_back(call);
        }
        return done;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<WaveCall> calls_;
};

inline WAVEFORMATEX PcmFormat(DWORD rate, WORD bits, WORD channels) {
    const WORD align = WORD(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

// Selects the device for waveOutOpen in this process.
inline void UseAudioDevice(const char* name) {
    setenv("DVR_AUDIO", name, 1);
}

}  // namespace media_test
