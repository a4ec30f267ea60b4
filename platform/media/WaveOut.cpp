#include "platform/media/WaveOut.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/media/WaveBackends.h"

namespace {

// Handles are numbers never reused, so a stale one finds nothing.
std::mutex g_devicesLock;
std::map<HWAVEOUT, std::shared_ptr<WaveDevice>> g_devices;
uintptr_t g_lastHandle = 0;

std::mutex g_holdLock;
std::function<void()> g_nextOpenHold;  // guarded by g_holdLock

void HoldThisOpen() {
    std::function<void()> hold;
    {
        std::lock_guard lock(g_holdLock);
        hold = std::exchange(g_nextOpenHold, nullptr);
    }
    if (hold)
        hold();
}

std::shared_ptr<WaveDevice> DeviceOf(HWAVEOUT handle) {
    std::lock_guard lock(g_devicesLock);
    const auto found = g_devices.find(handle);
    return found != g_devices.end() ? found->second : nullptr;
}

HWAVEOUT Register(std::shared_ptr<WaveDevice> device) {
    std::lock_guard lock(g_devicesLock);
    const HWAVEOUT handle = reinterpret_cast<HWAVEOUT>(++g_lastHandle);
    g_devices.emplace(handle, std::move(device));
    return handle;
}

bool Unregister(HWAVEOUT handle) {
    std::lock_guard lock(g_devicesLock);
    return g_devices.erase(handle) == 1;
}

bool IsUsableFormat(const WAVEFORMATEX& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec > 0 &&
           f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 &&
           f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

MMRESULT CheckHeader(const WAVEHDR* header, UINT size) {
    if (header == nullptr || size < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

template <typename Operation>
MMRESULT WithDevice(HWAVEOUT handle, Operation operation) {
    const std::shared_ptr<WaveDevice> device = DeviceOf(handle);
    return device != nullptr ? operation(*device) : MMSYSERR_INVALHANDLE;
}

}  // namespace

MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    if (device == nullptr || format == nullptr)
        return MMSYSERR_INVALPARAM;
    if (flags != CALLBACK_NULL && flags != CALLBACK_FUNCTION)
        return MMSYSERR_INVALFLAG;
    if (deviceId != WAVE_MAPPER && deviceId != 0)
        return MMSYSERR_BADDEVICEID;
    if (!IsUsableFormat(*format))
        return WAVERR_BADFORMAT;
    HoldThisOpen();
    std::unique_ptr<WaveDevice> opened;
    const MMRESULT result = OpenWaveBackend(*format, &opened);
    if (result != MMSYSERR_NOERROR)
        return result;
    std::shared_ptr<WaveDevice> shared(std::move(opened));
    *device = Register(shared);
    const auto function =
        flags == CALLBACK_FUNCTION ? reinterpret_cast<WaveOutCallback>(callback) : nullptr;
    shared->Start(*device, function, instance);
    shared->Notify(WOM_OPEN);
    return MMSYSERR_NOERROR;
}

void HoldNextWaveOutOpen(std::function<void()> hold) {
    std::lock_guard lock(g_holdLock);
    g_nextOpenHold = std::move(hold);
}

MMRESULT waveOutClose(HWAVEOUT handle) {
    return WithDevice(handle, [handle](WaveDevice& device) {
        const MMRESULT result = device.Close();
        if (result == MMSYSERR_NOERROR && Unregister(handle))
            device.Notify(WOM_CLOSE);
        return result;
    });
}

MMRESULT waveOutPrepareHeader(HWAVEOUT handle, WAVEHDR* header, UINT size) {
    return WithDevice(handle, [&](WaveDevice&) {
        if (const MMRESULT bad = CheckHeader(header, size); bad != MMSYSERR_NOERROR)
            return bad;
        if (header->lpData == nullptr)
            return MMSYSERR_INVALPARAM;
        std::atomic_ref<DWORD>(header->dwFlags).fetch_or(WHDR_PREPARED);
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, WAVEHDR* header, UINT size) {
    return WithDevice(handle, [&](WaveDevice&) {
        if (const MMRESULT bad = CheckHeader(header, size); bad != MMSYSERR_NOERROR)
            return bad;
        std::atomic_ref<DWORD> flags(header->dwFlags);
        if ((flags.load() & WHDR_INQUEUE) != 0)
            return WAVERR_STILLPLAYING;
        flags.fetch_and(~WHDR_PREPARED);
        return MMSYSERR_NOERROR;
    });
}

MMRESULT waveOutWrite(HWAVEOUT handle, WAVEHDR* header, UINT size) {
    return WithDevice(handle, [&](WaveDevice& device) {
        const MMRESULT bad = CheckHeader(header, size);
        return bad != MMSYSERR_NOERROR ? bad : device.Write(header);
    });
}

MMRESULT waveOutPause(HWAVEOUT handle) {
    return WithDevice(handle, [](WaveDevice& device) { return device.Pause(); });
}

MMRESULT waveOutRestart(HWAVEOUT handle) {
    return WithDevice(handle, [](WaveDevice& device) { return device.Restart(); });
}

MMRESULT waveOutReset(HWAVEOUT handle) {
    return WithDevice(handle, [](WaveDevice& device) { return device.Reset(); });
}

MMRESULT waveOutBreakLoop(HWAVEOUT handle) {
    return WithDevice(handle, [](WaveDevice&) { return MMSYSERR_NOERROR; });
}
