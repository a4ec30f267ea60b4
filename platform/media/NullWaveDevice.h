// NullWaveDevice: a waveform device without sound (DVR_AUDIO=null). It plays
// each buffer in real time as the format gives it (bytes / average bytes per
// second) on the injectable clock, so tests run it on a fake clock, and keeps
// every byte it played, read from the buffer as it finishes playing it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/media/WaveDevice.h"

class NullWaveDevice final : public WaveDevice {
public:
    explicit NullWaveDevice(const WAVEFORMATEX& format);
    ~NullWaveDevice() override { StopThread(); }

protected:
    bool Play(std::unique_lock<std::mutex>& lock, const WAVEHDR& header) override;
    void Discard() override { playedMs_ = 0; }
    void RunningChanged(bool running, bool queueEmpty) override;

private:
    // Play time of a buffer of `bytes`, rounded up to whole milliseconds.
    uint64_t DurationMs(DWORD bytes) const;

    // The head buffer has played playedMs_ before runSinceMs_; from then on
    // it plays while the device runs.
    uint64_t playedMs_ = 0;
    uint64_t runSinceMs_ = 0;
};

// Every byte the null devices of this process have played since the last
// call, in playing order; the store is emptied. Any thread.
std::vector<uint8_t> TakeNullWavePcm();
// The format the last null device of this process was opened with since the
// last call (all zero when none was opened); it is then forgotten. Any thread.
WAVEFORMATEX TakeNullWaveFormat();
