#include <gtest/gtest.h>

#include "WaveCallbackLog.h"

namespace {

using namespace media_test;

TEST(AlsaWaveOut, PlaysABufferOnTheDefaultDevice) {
    UseAudioDevice("alsa");
    WaveCallbackLog log;
    HWAVEOUT device = nullptr;
    const WAVEFORMATEX format = PcmFormat(22050, 16, 1);
    const MMRESULT opened = waveOutOpen(&device, WAVE_MAPPER, &format,
                                        reinterpret_cast<DWORD_PTR>(&WaveCallbackLog::Callback),
                                        log.Instance(), CALLBACK_FUNCTION);
    if (opened != MMSYSERR_NOERROR) {
        // Without a playback device the open fails as a machine without sound does.
        ASSERT_EQ(opened, MMSYSERR_NODRIVER);
        GTEST_SKIP() << "no ALSA playback device can be opened on this machine";
    }
    std::vector<char> silence(format.nAvgBytesPerSec / 20, 0);  // 50 ms
    WAVEHDR header{};
    header.lpData = silence.data();
    header.dwBufferLength = DWORD(silence.size());
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    EXPECT_EQ(log.WaitForDone(1).size(), 1u);
    EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof(header)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

}  // namespace
