#include "platform/media/WaveBackends.h"

#include <cstdlib>
#include <string_view>

#include "platform/media/AlsaWaveDevice.h"
#include "platform/media/NullWaveDevice.h"

MMRESULT OpenWaveBackend(const WAVEFORMATEX& format, std::unique_ptr<WaveDevice>* device) {
    const char* value = std::getenv("DVR_AUDIO");
    const std::string_view name = value != nullptr ? value : "alsa";
    if (name == "alsa")
        return AlsaWaveDevice::Open(format, device);
    if (name == "null") {
        *device = std::make_unique<NullWaveDevice>(format);
        return MMSYSERR_NOERROR;
    }
    if (name == "fail")
        return MMSYSERR_ALLOCATED;
    return MMSYSERR_BADDEVICEID;
}
