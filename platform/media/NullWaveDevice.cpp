#include "platform/media/NullWaveDevice.h"

#include <utility>

#include "platform/base/Clock.h"

namespace {

std::mutex g_pcmLock;
std::vector<uint8_t> g_pcm;      // guarded by g_pcmLock
WAVEFORMATEX g_lastFormat = {};  // guarded by g_pcmLock

void Keep(const WAVEHDR& header) {
    std::lock_guard lock(g_pcmLock);
    const auto* data = reinterpret_cast<const uint8_t*>(header.lpData);
    g_pcm.insert(g_pcm.end(), data, data + header.dwBufferLength);
}

}  // namespace

NullWaveDevice::NullWaveDevice(const WAVEFORMATEX& format) : WaveDevice(format) {
    std::lock_guard lock(g_pcmLock);
    g_lastFormat = format;
}

WAVEFORMATEX TakeNullWaveFormat() {
    std::lock_guard lock(g_pcmLock);
    return std::exchange(g_lastFormat, WAVEFORMATEX{});
}

std::vector<uint8_t> TakeNullWavePcm() {
    std::lock_guard lock(g_pcmLock);
    std::vector<uint8_t> taken;
    taken.swap(g_pcm);
    return taken;
}

bool NullWaveDevice::Play(std::unique_lock<std::mutex>& lock, const WAVEHDR& header) {
    const uint64_t total = DurationMs(header.dwBufferLength);
    const uint64_t left = total > playedMs_ ? total - playedMs_ : 0;
    const uint64_t deadline = runSinceMs_ + left;
    const uint64_t generation = Generation();
    if (CurrentClock().WaitUntil(lock, WakeSignal(), deadline,
                                 [&] { return Generation() != generation; }))
        return false;
    Keep(header);
    // The next buffer starts where this one ended, however late this thread woke.
    playedMs_ = 0;
    runSinceMs_ = deadline;
    return true;
}

void NullWaveDevice::RunningChanged(bool running, bool queueEmpty) {
    const uint64_t now = CurrentClock().NowMs();
    if (queueEmpty)
        playedMs_ = 0;
    else if (!running)
        playedMs_ += now > runSinceMs_ ? now - runSinceMs_ : 0;
    if (running)
        runSinceMs_ = now;
}

uint64_t NullWaveDevice::DurationMs(DWORD bytes) const {
    const uint64_t rate = Format().nAvgBytesPerSec;
    return (uint64_t(bytes) * 1000 + rate - 1) / rate;
}
