#include "platform/media/AlsaWaveDevice.h"

#include <cerrno>
#include <mutex>

namespace {

constexpr unsigned kLatencyUs = 100000;
constexpr int kWaitMs = 20;

// Failures come back as result codes; ALSA's own messages on stderr would
// only be noise (every machine without a sound card prints some).
void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(IgnoreAlsaMessage); });
}

}  // namespace

MMRESULT AlsaWaveDevice::Open(const WAVEFORMATEX& format, std::unique_ptr<WaveDevice>* device) {
    QuietAlsa();
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return MMSYSERR_NODRIVER;
    const snd_pcm_format_t sampleFormat =
        format.wBitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm, sampleFormat, SND_PCM_ACCESS_RW_INTERLEAVED, format.nChannels,
                           format.nSamplesPerSec, 1, kLatencyUs) < 0) {
        snd_pcm_close(pcm);
        return MMSYSERR_ERROR;
    }
    device->reset(new AlsaWaveDevice(format, pcm));
    return MMSYSERR_NOERROR;
}

AlsaWaveDevice::~AlsaWaveDevice() {
    StopThread();
    snd_pcm_close(pcm_);
}

bool AlsaWaveDevice::Play(std::unique_lock<std::mutex>& lock, const WAVEHDR& header) {
    const uint64_t generation = Generation();
    while (offset_ + Format().nBlockAlign <= header.dwBufferLength) {
        if (!Feed(header))
            break;
        if (offset_ + Format().nBlockAlign > header.dwBufferLength)
            break;
        lock.unlock();
        snd_pcm_wait(pcm_, kWaitMs);
        lock.lock();
        if (Generation() != generation)
            return false;
    }
    // A trailing partial frame is not playable; a lost device plays nothing
    // more, but its buffers still come back.
    offset_ = 0;
    return true;
}

bool AlsaWaveDevice::Feed(const WAVEHDR& header) {
    const DWORD frameBytes = Format().nBlockAlign;
    const snd_pcm_uframes_t frames = (header.dwBufferLength - offset_) / frameBytes;
    const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, header.lpData + offset_, frames);
    if (written >= 0) {
        offset_ += DWORD(written) * frameBytes;
        return true;
    }
    if (written == -EAGAIN)
        return true;
    // An underrun (after a pause, say) or a suspend: recover and go on.
    return snd_pcm_recover(pcm_, int(written), 1) >= 0;
}

void AlsaWaveDevice::Discard() {
    snd_pcm_drop(pcm_);
    snd_pcm_prepare(pcm_);
    offset_ = 0;
}
