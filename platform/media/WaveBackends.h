// The choice of waveform device by DVR_AUDIO (WaveOut.h lists the values).
#pragma once

#include <memory>

#include "platform/media/WaveDevice.h"

// Opens the device that DVR_AUDIO names for `format` (already checked). On
// success *device is the opened device, its thread not yet started.
MMRESULT OpenWaveBackend(const WAVEFORMATEX& format, std::unique_ptr<WaveDevice>* device);
