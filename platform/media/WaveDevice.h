// WaveDevice: one open waveform output, the part every backend shares: the
// queue of written buffers, pause and reset, and the device thread that plays
// the queue through the backend and hands each buffer back (WOM_DONE).
//
// Lock: mutex_ guards the queue, the pause, reset and stop flags, the
// generation and the backend's own playing state. The application's threads
// take it in the public operations; the device thread holds it except while
// it calls the callback and while a backend waits with it released.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/media/WaveOut.h"

class WaveDevice {
public:
    virtual ~WaveDevice();
    WaveDevice(const WaveDevice&) = delete;
    WaveDevice& operator=(const WaveDevice&) = delete;

    // Starts the device thread. The callback may be null.
    void Start(HWAVEOUT handle, WaveOutCallback callback, DWORD_PTR instance);

    // Application threads.
    MMRESULT Write(WAVEHDR* header);
    MMRESULT Pause();
    MMRESULT Restart();
    MMRESULT Reset();
    // WAVERR_STILLPLAYING while buffers are queued; else ends the device
    // thread and MMSYSERR_NOERROR (MMSYSERR_INVALHANDLE when already closed).
    MMRESULT Close();

    // The callback the device was opened with, for WOM_OPEN and WOM_CLOSE.
    void Notify(UINT message) const;

    const WAVEFORMATEX& Format() const { return format_; }

protected:
    explicit WaveDevice(const WAVEFORMATEX& format) : format_(format) {}

    // Device thread, with `lock` held on entry and on return (it may release
    // it while waiting). Plays `header` on from where an interrupted call left
    // it. True once all of it has been played; false as soon as Generation()
    // changes (pause, restart, reset, close) before that.
    virtual bool Play(std::unique_lock<std::mutex>& lock, const WAVEHDR& header) = 0;
    // Device thread, lock held: a reset threw the buffer being played away.
    virtual void Discard() = 0;
    // Lock held, on the thread that caused it: playback starts (`running`)
    // or stops; `queueEmpty` says the queue is now empty, so nothing is half
    // played. Running means not paused with a buffer queued.
    virtual void RunningChanged(bool /*running*/, bool /*queueEmpty*/) {}

    // Lock held. Changes whenever a Play must return.
    uint64_t Generation() const { return generation_; }
    std::condition_variable& WakeSignal() { return wake_; }

    // Ends the device thread; each backend's destructor calls it before it
    // releases what Play uses. Idempotent.
    void StopThread();

private:
    void Run();
    // Hands `header` back and calls the callback with the lock released.
    void GiveBack(std::unique_lock<std::mutex>& lock, WAVEHDR* header);
    void GiveBackReturned(std::unique_lock<std::mutex>& lock);
    bool IsRunning() const { return !paused_ && !queue_.empty(); }
    // Lock held: tells the backend when IsRunning() changed by the mutation
    // just made.
    void UpdateRunning();
    void Interrupt();

    const WAVEFORMATEX format_;
    HWAVEOUT handle_ = nullptr;
    WaveOutCallback callback_ = nullptr;
    DWORD_PTR instance_ = 0;

    std::mutex mutex_;
    std::condition_variable wake_;        // the device thread waits on it
    std::condition_variable handedBack_;  // Reset and Close wait on it
    std::deque<WAVEHDR*> queue_;
    std::vector<WAVEHDR*> returned_;  // reset, not yet handed back
    bool paused_ = false;
    bool running_ = false;
    bool discard_ = false;
    bool stopping_ = false;
    bool closed_ = false;
    int callbacksRunning_ = 0;
    uint64_t generation_ = 0;
    std::thread thread_;
};
