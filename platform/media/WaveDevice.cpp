#include "platform/media/WaveDevice.h"

#include <atomic>

namespace {

void MarkDone(WAVEHDR* header) {
    std::atomic_ref<DWORD> flags(header->dwFlags);
    flags.fetch_and(~WHDR_INQUEUE);
    flags.fetch_or(WHDR_DONE);
}

}  // namespace

WaveDevice::~WaveDevice() {
    StopThread();
}

void WaveDevice::Start(HWAVEOUT handle, WaveOutCallback callback, DWORD_PTR instance) {
    handle_ = handle;
    callback_ = callback;
    instance_ = instance;
    thread_ = std::thread([this] { Run(); });
}

MMRESULT WaveDevice::Write(WAVEHDR* header) {
    std::atomic_ref<DWORD> flags(header->dwFlags);
    if ((flags.load() & WHDR_PREPARED) == 0)
        return WAVERR_UNPREPARED;
    std::lock_guard lock(mutex_);
    if ((flags.load() & WHDR_INQUEUE) != 0)
        return WAVERR_STILLPLAYING;
    if (stopping_)
        return MMSYSERR_INVALHANDLE;
    flags.fetch_and(~WHDR_DONE);
    flags.fetch_or(WHDR_INQUEUE);
    queue_.push_back(header);
    UpdateRunning();
    wake_.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::Pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
    UpdateRunning();
    Interrupt();
    return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::Restart() {
    std::lock_guard lock(mutex_);
    paused_ = false;
    UpdateRunning();
    Interrupt();
    return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::Reset() {
    std::unique_lock lock(mutex_);
    if (stopping_)
        return MMSYSERR_INVALHANDLE;
    returned_.insert(returned_.end(), queue_.begin(), queue_.end());
    queue_.clear();
    discard_ = true;
    UpdateRunning();
    Interrupt();
    // The caller may free the buffers once this returns: wait until the
    // device thread has let go of every one of them.
    handedBack_.wait(lock, [this] { return returned_.empty() && callbacksRunning_ == 0; });
    return MMSYSERR_NOERROR;
}

MMRESULT WaveDevice::Close() {
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return MMSYSERR_INVALHANDLE;
        if (!queue_.empty())
            return WAVERR_STILLPLAYING;
        closed_ = true;
    }
    StopThread();
    return MMSYSERR_NOERROR;
}

void WaveDevice::Notify(UINT message) const {
    if (callback_ != nullptr)
        callback_(handle_, message, instance_, 0, 0);
}

void WaveDevice::StopThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        Interrupt();
    }
    if (thread_.joinable())
        thread_.join();
}

void WaveDevice::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (discard_) {
            Discard();
            discard_ = false;
        }
        GiveBackReturned(lock);
        if (stopping_)
            return;
        if (!IsRunning()) {
            wake_.wait(lock, [this] {
                return stopping_ || discard_ || !returned_.empty() || IsRunning();
            });
            continue;
        }
        WAVEHDR* head = queue_.front();
        // A reset during Play may have taken the head away already.
        if (Play(lock, *head) && !queue_.empty() && queue_.front() == head) {
            queue_.pop_front();
            UpdateRunning();
            GiveBack(lock, head);
        }
    }
}

void WaveDevice::GiveBack(std::unique_lock<std::mutex>& lock, WAVEHDR* header) {
    MarkDone(header);
    ++callbacksRunning_;
    lock.unlock();
    if (callback_ != nullptr)
        callback_(handle_, WOM_DONE, instance_, reinterpret_cast<DWORD_PTR>(header), 0);
    lock.lock();
    --callbacksRunning_;
    handedBack_.notify_all();
}

void WaveDevice::GiveBackReturned(std::unique_lock<std::mutex>& lock) {
    while (!returned_.empty()) {
        WAVEHDR* header = returned_.front();
        returned_.erase(returned_.begin());
        GiveBack(lock, header);
    }
}

void WaveDevice::UpdateRunning() {
    if (IsRunning() == running_)
        return;
    running_ = IsRunning();
    RunningChanged(running_, queue_.empty());
}

void WaveDevice::Interrupt() {
    ++generation_;
    wake_.notify_all();
}
