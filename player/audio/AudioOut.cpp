#include "player/audio/AudioOut.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "player/errors/ErrorSink.h"
#include "shared/ByteOrder.h"

std::atomic<CAudioOut*> g_pAudioOut{nullptr};

namespace {

constexpr UINT kHeaderSize = sizeof(WAVEHDR);

DWORD FlagsOf(WAVEHDR& header) {
    return std::atomic_ref<DWORD>(header.dwFlags).load();
}

// Truncated toward zero and held at [low, high].
int Scaled(int sample, float gain, int low, int high) {
    const double scaled = std::trunc(double(sample) * double(gain));
    return int(std::clamp(scaled, double(low), double(high)));
}

// The chunk of a GOP's bytes: even, and 20 of them hold all the bytes.
int ChunkOf(int bytes) {
    const int chunk = (bytes + CAudioOut::kChunksPerGop - 1) / CAudioOut::kChunksPerGop;
    return chunk + (chunk & 1);
}

}  // namespace

CAudioOut::CAudioOut() {
    SetFormat(22050, 16, 1);
    CAudioOut* none = nullptr;
    g_pAudioOut.compare_exchange_strong(none, this);
}

CAudioOut::~CAudioOut() {
    CloseReset();
    CAudioOut* self = this;
    g_pAudioOut.compare_exchange_strong(self, nullptr);
}

bool CAudioOut::SetFormat(int samplesPerSec, int bits, int channels) {
    if (IsOpen()) {
        ReportError(ERR_AUDIO_FORMAT_CHANGE);
        return false;
    }
    const long blockAlign = long(channels) * bits / 8;
    if (samplesPerSec <= 0 || bits <= 0 || channels <= 0 || blockAlign > 0xFFFF)
        return false;
    m_format.wFormatTag = WAVE_FORMAT_PCM;
    m_format.nChannels = WORD(channels);
    m_format.nSamplesPerSec = DWORD(samplesPerSec);
    m_format.wBitsPerSample = WORD(bits);
    m_format.nBlockAlign = WORD(channels * bits / 8);
    m_format.nAvgBytesPerSec = m_format.nBlockAlign * m_format.nSamplesPerSec;
    m_format.cbSize = 0;
    return true;
}

void CAudioOut::GetFormat(int* samplesPerSec, int* bits, int* channels) const {
    *samplesPerSec = int(m_format.nSamplesPerSec);
    *bits = m_format.wBitsPerSample;
    *channels = m_format.nChannels;
}

bool CAudioOut::Open() {
    if (IsOpen())
        return true;
    const MMRESULT result =
        waveOutOpen(&m_hWaveOut, WAVE_MAPPER, &m_format, reinterpret_cast<DWORD_PTR>(&WaveOutProc),
                    reinterpret_cast<DWORD_PTR>(&m_queued), CALLBACK_FUNCTION);
    if (result != MMSYSERR_NOERROR) {
        m_hWaveOut = nullptr;
        ReportError(
            result == MMSYSERR_BADDEVICEID ? ERR_AUDIO_BAD_DEVICE_ID : ERR_AUDIO_OPEN_FAILED, 0,
            int(result));
        return false;
    }
    if (const MMRESULT prepared = PrepareBuffers(); prepared != MMSYSERR_NOERROR) {
        ShutDown();
        ReportError(ERR_AUDIO_OPEN_FAILED, 0, int(prepared));
        return false;
    }
    m_nNext = 0;
    m_bOpen.store(true);
    return true;
}

MMRESULT CAudioOut::PrepareBuffers() {
    m_pBuffers = std::make_unique_for_overwrite<char[]>(size_t(kHeaderCount) * kBufferSize);
    for (int i = 0; i < kHeaderCount; ++i) {
        m_headers[i] = WAVEHDR{};
        m_headers[i].lpData = m_pBuffers.get() + size_t(i) * kBufferSize;
        m_headers[i].dwLoops = 1;
        const MMRESULT result = waveOutPrepareHeader(m_hWaveOut, &m_headers[i], kHeaderSize);
        if (result != MMSYSERR_NOERROR)
            return result;
    }
    return MMSYSERR_NOERROR;
}

WAVEHDR* CAudioOut::NextHeader() {
    if (!IsOpen())
        return nullptr;
    WAVEHDR* header = &m_headers[m_nNext];
    if ((FlagsOf(*header) & WHDR_INQUEUE) != 0)
        return nullptr;
    m_nNext = (m_nNext + 1) % kHeaderCount;
    return header;
}

bool CAudioOut::Write(WAVEHDR* header) {
    if (!IsOpen())
        return false;
    m_queued.Add();
    if (waveOutWrite(m_hWaveOut, header, kHeaderSize) == MMSYSERR_NOERROR)
        return true;
    m_queued.Sub();
    return false;
}

bool CAudioOut::WriteGopAudio(const unsigned char* pcm, int bytes, bool voice) {
    if (!IsOpen())
        return false;
    const int chunk = ChunkOf(bytes);
    if (chunk > kBufferSize)
        return false;
    for (int offset = 0; offset < bytes; offset += chunk) {
        WAVEHDR* header = NextHeader();
        if (header == nullptr)
            continue;
        const int length = std::min(chunk, bytes - offset);
        std::memcpy(header->lpData, pcm + offset, size_t(length));
        header->dwBufferLength = DWORD(length);
        if (voice)
            ApplyGain(reinterpret_cast<unsigned char*>(header->lpData), length);
        if (!Write(header)) {
            // Nothing more plays until the device is opened again; a count
            // left standing would slow the video for nothing.
            CloseReset();
            return false;
        }
    }
    return true;
}

bool CAudioOut::Close() {
    if (!IsOpen())
        return false;
    ShutDown();
    return true;
}

bool CAudioOut::CloseReset() {
    if (!IsOpen())
        return true;
    m_queued.Clear();
    ShutDown();
    return true;
}

bool CAudioOut::Reset() {
    if (!IsOpen())
        return false;
    return waveOutReset(m_hWaveOut) == MMSYSERR_NOERROR;
}

void CAudioOut::ShutDown() {
    m_bOpen.store(false);
    waveOutPause(m_hWaveOut);
    waveOutBreakLoop(m_hWaveOut);
    // The device reads a queued buffer while it plays it: it hands every one
    // back before the buffers are freed.
    waveOutReset(m_hWaveOut);
    for (WAVEHDR& header : m_headers)
        waveOutUnprepareHeader(m_hWaveOut, &header, kHeaderSize);
    m_pBuffers.reset();
    waveOutClose(m_hWaveOut);
    m_hWaveOut = nullptr;
}

bool CAudioOut::SetGain(float gain) {
    if (!std::isfinite(gain) || gain < 0.0f)
        return false;
    m_fGain.store(gain);
    return true;
}

bool CAudioOut::ApplyGain(unsigned char* data, int length) const {
    const float gain = m_fGain.load();
    if (m_format.wBitsPerSample == 16) {
        for (int i = 0; i + 1 < length; i += 2) {
            const int sample = int16_t(LoadU16(data + i));
            StoreU16(data + i, uint16_t(Scaled(sample, gain, INT16_MIN, INT16_MAX)));
        }
        return true;
    }
    if (m_format.wBitsPerSample == 8) {
        for (int i = 0; i < length; ++i)
            data[i] = uint8_t(Scaled(data[i] - 128, gain, -128, 127) + 128);
        return true;
    }
    return false;
}
