// AlsaWaveDevice: the system's default ALSA playback device (DVR_AUDIO=alsa).
// The device thread feeds each buffer with non-blocking writes and hands it
// back once ALSA has taken all of it; ALSA's own buffer is kept short (about
// 100 ms) so that handed-back buffers are close to played ones. Only the
// device thread touches the PCM handle between Open and the destructor.
#pragma once

#include <alsa/asoundlib.h>

#include <memory>

#include "platform/media/WaveDevice.h"

class AlsaWaveDevice final : public WaveDevice {
public:
    // MMSYSERR_NODRIVER when the default device cannot be opened (no sound
    // card, say), MMSYSERR_ERROR when it refuses the format.
    static MMRESULT Open(const WAVEFORMATEX& format, std::unique_ptr<WaveDevice>* device);
    ~AlsaWaveDevice() override;

protected:
    bool Play(std::unique_lock<std::mutex>& lock, const WAVEHDR& header) override;
    void Discard() override;

private:
    AlsaWaveDevice(const WAVEFORMATEX& format, snd_pcm_t* pcm) : WaveDevice(format), pcm_(pcm) {}
    // Writes what ALSA takes now; false when the device is lost for good.
    bool Feed(const WAVEHDR& header);

    snd_pcm_t* pcm_;
    DWORD offset_ = 0;  // bytes of the head buffer ALSA has taken
};
