#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <deque>
#include <vector>

#include "WaveCallbackLog.h"
#include "platform/base/FakeClock.h"
#include "platform/media/NullWaveDevice.h"

namespace {

using namespace media_test;

// 8000 Hz, 16 bits, mono: 16000 bytes a second, so 1600 bytes play 100 ms.
constexpr DWORD kBytesPer100Ms = 1600;

struct Buffer {
    std::vector<char> data;
    WAVEHDR header{};
};

class NullWaveOut : public testing::Test {
protected:
    void SetUp() override {
        UseAudioDevice("null");
        TakeNullWavePcm();
        const WAVEFORMATEX format = PcmFormat(8000, 16, 1);
        ASSERT_EQ(waveOutOpen(&device_, WAVE_MAPPER, &format,
                              reinterpret_cast<DWORD_PTR>(&WaveCallbackLog::Callback),
                              log_.Instance(), CALLBACK_FUNCTION),
                  MMSYSERR_NOERROR);
    }

    void TearDown() override {
        waveOutReset(device_);
        EXPECT_EQ(waveOutClose(device_), MMSYSERR_NOERROR);
    }

    // A prepared buffer of `bytes` bytes, all of them `fill`.
    WAVEHDR* Prepared(DWORD bytes, char fill) {
        Buffer& buffer = buffers_.emplace_back();
        buffer.data.assign(bytes, fill);
        buffer.header.lpData = buffer.data.data();
        buffer.header.dwBufferLength = bytes;
        EXPECT_EQ(waveOutPrepareHeader(device_, &buffer.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        return &buffer.header;
    }

    static DWORD Flags(const WAVEHDR* header) {
        return std::atomic_ref<DWORD>(const_cast<WAVEHDR*>(header)->dwFlags).load();
    }

    ScopedFakeClock clock_{1000};
    WaveCallbackLog log_;
    HWAVEOUT device_ = nullptr;
    std::deque<Buffer> buffers_;  // stable addresses
};

TEST_F(NullWaveOut, PlaysBuffersInOrderAtTheFormatsRate) {
    WAVEHDR* first = Prepared(kBytesPer100Ms, 'a');
    WAVEHDR* second = Prepared(2 * kBytesPer100Ms, 'b');
    ASSERT_EQ(waveOutWrite(device_, first, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device_, second, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_TRUE(clock_->WaitForSleepers(1));
    clock_->Advance(99);
    EXPECT_TRUE(clock_->WaitForSleepers(1));
    clock_->Advance(1);
    ASSERT_EQ(log_.WaitForDone(1).size(), 1u);
    clock_->Advance(200);
    const std::vector<WaveCall> done = log_.WaitForDone(2);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].param1, reinterpret_cast<DWORD_PTR>(first));
    EXPECT_EQ(done[0].timeMs, 1100u);
    EXPECT_EQ(done[1].param1, reinterpret_cast<DWORD_PTR>(second));
    EXPECT_EQ(done[1].timeMs, 1300u);
    EXPECT_NE(done[0].thread, std::this_thread::get_id());
    EXPECT_EQ(Flags(first) & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);

    std::vector<uint8_t> expected(kBytesPer100Ms, 'a');
    expected.insert(expected.end(), 2 * kBytesPer100Ms, 'b');
    EXPECT_EQ(TakeNullWavePcm(), expected);
}

TEST_F(NullWaveOut, ReadsTheBufferWhenItHasPlayedIt) {
    WAVEHDR* header = Prepared(kBytesPer100Ms, 'a');
    ASSERT_EQ(waveOutWrite(device_, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    std::memset(header->lpData, 'z', kBytesPer100Ms);  // what a real device would play too
    clock_->Advance(100);
    ASSERT_EQ(log_.WaitForDone(1).size(), 1u);
    EXPECT_EQ(TakeNullWavePcm(), std::vector<uint8_t>(kBytesPer100Ms, 'z'));
}

TEST_F(NullWaveOut, PauseHoldsPlaybackAndRestartGoesOnWhereItStopped) {
    WAVEHDR* header = Prepared(kBytesPer100Ms, 'a');
    ASSERT_EQ(waveOutWrite(device_, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    clock_->Advance(40);
    ASSERT_EQ(waveOutPause(device_), MMSYSERR_NOERROR);
    clock_->Advance(5000);
    EXPECT_NE(Flags(header) & WHDR_INQUEUE, 0u);
    ASSERT_EQ(waveOutRestart(device_), MMSYSERR_NOERROR);
    clock_->Advance(60);
    const std::vector<WaveCall> done = log_.WaitForDone(1);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].timeMs, 1000u + 40 + 5000 + 60);
}

TEST_F(NullWaveOut, ResetHandsBackEveryQueuedBufferBeforeItReturns) {
    std::vector<WAVEHDR*> headers;
    for (char fill : {'a', 'b', 'c'}) {
        headers.push_back(Prepared(kBytesPer100Ms, fill));
        ASSERT_EQ(waveOutWrite(device_, headers.back(), sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
    clock_->Advance(50);
    ASSERT_EQ(waveOutReset(device_), MMSYSERR_NOERROR);
    const std::vector<WaveCall> done = log_.Calls();
    ASSERT_EQ(done.size(), 4u);  // WOM_OPEN, then one WOM_DONE per buffer
    for (size_t i = 0; i < headers.size(); ++i) {
        EXPECT_EQ(done[i + 1].message, WOM_DONE);
        EXPECT_EQ(done[i + 1].param1, reinterpret_cast<DWORD_PTR>(headers[i]));
        EXPECT_EQ(Flags(headers[i]) & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
        EXPECT_EQ(waveOutUnprepareHeader(device_, headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
    EXPECT_TRUE(TakeNullWavePcm().empty());

    // The device plays on from scratch after the reset.
    WAVEHDR* next = Prepared(kBytesPer100Ms, 'd');
    ASSERT_EQ(waveOutWrite(device_, next, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    clock_->Advance(100);
    EXPECT_EQ(log_.WaitForDone(4).size(), 4u);
    EXPECT_EQ(TakeNullWavePcm(), std::vector<uint8_t>(kBytesPer100Ms, 'd'));
}

TEST_F(NullWaveOut, CloseIsRefusedWhileBuffersAreQueued) {
    WAVEHDR* header = Prepared(kBytesPer100Ms, 'a');
    ASSERT_EQ(waveOutWrite(device_, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(device_), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutUnprepareHeader(device_, header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
}

TEST_F(NullWaveOut, WriteRefusesUnpreparedAndQueuedBuffers) {
    char data[16] = {};
    WAVEHDR unprepared{};
    unprepared.lpData = data;
    unprepared.dwBufferLength = sizeof(data);
    EXPECT_EQ(waveOutWrite(device_, &unprepared, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    EXPECT_EQ(waveOutPrepareHeader(device_, &unprepared, sizeof(WAVEHDR) - 1), MMSYSERR_INVALPARAM);
    WAVEHDR noData{};
    EXPECT_EQ(waveOutPrepareHeader(device_, &noData, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);

    WAVEHDR* header = Prepared(kBytesPer100Ms, 'a');
    ASSERT_EQ(waveOutWrite(device_, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutWrite(device_, header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
}

}  // namespace
