#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "AudioFixture.h"

namespace {

using namespace audio_test;

class AudioOut : public AudioFixture {};

TEST_F(AudioOut, FormatChangesOnlyWhileClosed) {
    ASSERT_TRUE(audio_.SetFormat(8000, 16, 1));
    int rate = 0, bits = 0, channels = 0;
    audio_.GetFormat(&rate, &bits, &channels);
    EXPECT_EQ((std::vector<int>{rate, bits, channels}), (std::vector<int>{8000, 16, 1}));

    ASSERT_TRUE(audio_.Open());
    EXPECT_FALSE(audio_.SetFormat(44100, 8, 2));
    EXPECT_EQ(Raised(), (std::vector<RaisedError>{{int(ERR_AUDIO_FORMAT_CHANGE), 0}}));
    audio_.GetFormat(&rate, &bits, &channels);
    EXPECT_EQ((std::vector<int>{rate, bits, channels}), (std::vector<int>{8000, 16, 1}));
    EXPECT_FALSE(audio_.SetFormat(0, 16, 1));
}

struct OpenFailure {
    const char* device;
    RaisedError error;
};

class AudioOpenFailure : public AudioFixture, public testing::WithParamInterface<OpenFailure> {};

TEST_P(AudioOpenFailure, ReportsTheDevicesResultAndStaysClosed) {
    setenv("DVR_AUDIO", GetParam().device, 1);
    EXPECT_FALSE(audio_.Open());
    EXPECT_FALSE(audio_.IsOpen());
    EXPECT_EQ(audio_.GetHandle(), nullptr);
    EXPECT_EQ(audio_.NextHeader(), nullptr);
    EXPECT_EQ(Raised(), (std::vector<RaisedError>{GetParam().error}));
    EXPECT_TRUE(audio_.CloseReset());
    EXPECT_FALSE(audio_.Close());
}

INSTANTIATE_TEST_SUITE_P(
    Devices, AudioOpenFailure,
    testing::Values(OpenFailure{"none", {int(ERR_AUDIO_BAD_DEVICE_ID), int(MMSYSERR_BADDEVICEID)}},
                    OpenFailure{"fail", {int(ERR_AUDIO_OPEN_FAILED), int(MMSYSERR_ALLOCATED)}}),
    [](const testing::TestParamInfo<OpenFailure>& param) {
        return std::string(param.param.device);
    });

TEST_F(AudioOut, WithoutASoundCardTheOpenFailsAsAnyOtherFailure) {
    setenv("DVR_AUDIO", "alsa", 1);
    if (audio_.Open())
        GTEST_SKIP() << "this machine has an ALSA playback device";
    EXPECT_EQ(Raised(),
              (std::vector<RaisedError>{{int(ERR_AUDIO_OPEN_FAILED), int(MMSYSERR_NODRIVER)}}));
}

TEST_F(AudioOut, OpeningTwiceKeepsTheOneDevice) {
    ASSERT_TRUE(audio_.Open());
    const HWAVEOUT first = audio_.GetHandle();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(audio_.Open());
    EXPECT_EQ(audio_.GetHandle(), first);
}

TEST_F(AudioOut, TheFiftyFirstHeaderIsTheFirstAgain) {
    ASSERT_TRUE(audio_.Open());
    std::vector<WAVEHDR*> headers;
    for (int i = 0; i < CAudioOut::kHeaderCount + 1; ++i)
        headers.push_back(audio_.NextHeader());
    EXPECT_EQ(std::set<WAVEHDR*>(headers.begin(), headers.end() - 1).size(), 50u);
    EXPECT_EQ(headers[50], headers[0]);
    EXPECT_NE(headers[0]->lpData, headers[1]->lpData);
}

TEST_F(AudioOut, ABufferStillQueuedIsNotHandedOutAgain) {
    ASSERT_TRUE(audio_.SetFormat(8000, 16, 1));
    ASSERT_TRUE(audio_.Open());
    ASSERT_EQ(waveOutPause(audio_.GetHandle()), MMSYSERR_NOERROR);
    std::vector<uint8_t> written;
    for (int i = 0; i < CAudioOut::kHeaderCount; ++i) {
        WAVEHDR* header = audio_.NextHeader();
        ASSERT_NE(header, nullptr) << i;
        header->lpData[0] = char(i);
        header->lpData[1] = 0;
        header->dwBufferLength = 2;
        ASSERT_TRUE(audio_.Write(header));
        written.insert(written.end(), {uint8_t(i), 0});
    }
    EXPECT_EQ(audio_.NextHeader(), nullptr);
    // A whole GOP finding no free buffer is dropped, not written over the queue.
    const std::vector<uint8_t> late(400, 0x77);
    EXPECT_TRUE(audio_.WriteGopAudio(late.data(), int(late.size()), false));
    EXPECT_EQ(audio_.TellQueued(), 50);

    ASSERT_EQ(waveOutRestart(audio_.GetHandle()), MMSYSERR_NOERROR);
    PlayOut();
    EXPECT_EQ(TakeNullWavePcm(), written);
    EXPECT_NE(audio_.NextHeader(), nullptr);
}

TEST_F(AudioOut, TheQueuedCountFollowsWritesAndCompletions) {
    ASSERT_TRUE(audio_.SetFormat(8000, 16, 1));  // 16 bytes a millisecond
    ASSERT_TRUE(audio_.Open());
    for (int i = 0; i < 3; ++i) {
        WAVEHDR* header = audio_.NextHeader();
        header->dwBufferLength = 1600;  // 100 ms
        ASSERT_TRUE(audio_.Write(header));
    }
    EXPECT_EQ(audio_.TellQueued(), 3);
    clock_->Advance(100);
    EXPECT_TRUE(QueuedBecomes(2));
    clock_->Advance(200);
    EXPECT_TRUE(QueuedBecomes(0));
    audio_.SubQueued();
    EXPECT_EQ(audio_.TellQueued(), 0);
    audio_.AddQueued();
    EXPECT_EQ(audio_.TellQueued(), 1);
}

TEST_F(AudioOut, CloseKeepsTheCountAndCloseResetClearsIt) {
    ASSERT_TRUE(audio_.Open());
    for (int i = 0; i < 4; ++i) {
        WAVEHDR* header = audio_.NextHeader();
        header->dwBufferLength = 2;
        ASSERT_TRUE(audio_.Write(header));
    }
    ASSERT_TRUE(audio_.Close());
    EXPECT_EQ(audio_.TellQueued(), 4);
    ASSERT_TRUE(audio_.Open());
    ASSERT_TRUE(audio_.CloseReset());
    EXPECT_EQ(audio_.TellQueued(), 0);
}

TEST_F(AudioOut, ClosingHandsEveryQueuedBufferBackBeforeFreeingIt) {
    ASSERT_TRUE(audio_.Open());
    const HWAVEOUT device = audio_.GetHandle();
    const std::vector<uint8_t> pcm(16000, 0x11);
    ASSERT_TRUE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), false));
    ASSERT_TRUE(audio_.Close());
    EXPECT_FALSE(audio_.IsOpen());
    EXPECT_EQ(audio_.GetHandle(), nullptr);
    // The device was really closed, not left playing freed buffers.
    EXPECT_EQ(waveOutPause(device), MMSYSERR_INVALHANDLE);
    EXPECT_TRUE(TakeNullWavePcm().empty());
    EXPECT_FALSE(audio_.Close());
    EXPECT_TRUE(audio_.CloseReset());
}

TEST_F(AudioOut, AFailedWriteClosesWithReset) {
    ASSERT_TRUE(audio_.Open());
    const std::vector<uint8_t> pcm(1600, 0x22);
    ASSERT_TRUE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), false));
    ASSERT_EQ(audio_.TellQueued(), 20);
    // The device goes away under the audio output.
    ASSERT_EQ(waveOutReset(audio_.GetHandle()), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutClose(audio_.GetHandle()), MMSYSERR_NOERROR);
    EXPECT_FALSE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), false));
    EXPECT_FALSE(audio_.IsOpen());
    EXPECT_EQ(audio_.TellQueued(), 0);
    EXPECT_FALSE(audio_.Write(audio_.NextHeader()));
}

struct ChunkCase {
    int bytes;
    size_t chunks;
};

class AudioChunks : public AudioFixture, public testing::WithParamInterface<ChunkCase> {};

TEST_P(AudioChunks, AGopGoesOutInAtMostTwentyEvenChunksHoldingAllOfIt) {
    ASSERT_TRUE(audio_.Open());
    std::vector<uint8_t> pcm(size_t(GetParam().bytes));
    std::iota(pcm.begin(), pcm.end(), uint8_t(1));
    ASSERT_TRUE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), false));
    EXPECT_EQ(size_t(audio_.TellQueued()), GetParam().chunks);
    PlayOut();
    EXPECT_EQ(TakeNullWavePcm(), pcm);
}

INSTANTIATE_TEST_SUITE_P(Sizes, AudioChunks,
                         testing::Values(ChunkCase{16000, 20}, ChunkCase{51200, 20},
                                         ChunkCase{59, 15}, ChunkCase{39, 20}, ChunkCase{1, 1},
                                         ChunkCase{0, 0}));

TEST_F(AudioOut, AGopTooLargeForTheBuffersIsRefused) {
    ASSERT_TRUE(audio_.Open());
    const std::vector<uint8_t> pcm(size_t(CAudioOut::kBufferSize) * 20 + 2);
    EXPECT_FALSE(audio_.WriteGopAudio(pcm.data(), int(pcm.size()), false));
    EXPECT_EQ(audio_.TellQueued(), 0);
    EXPECT_TRUE(audio_.IsOpen());
}

std::vector<UINT> g_passed;

void RecordPassed(HWAVEOUT, UINT message, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    g_passed.push_back(message);
}

TEST_F(AudioOut, WaveOutProcPassesCallsOnOnlyWhileOpenWithACallback) {
    g_passed.clear();
    audio_.SetCallback(&RecordPassed);
    WaveOutProc(nullptr, WOM_DONE, 0, 0, 0);
    ASSERT_TRUE(audio_.Open());
    WaveOutProc(nullptr, WOM_DONE, 0, 0, 0);
    audio_.SetCallback(nullptr);
    WaveOutProc(nullptr, WOM_DONE, 0, 0, 0);
    EXPECT_EQ(g_passed, (std::vector<UINT>{WOM_DONE}));
}

TEST(OnWaveDone, TakesOneOffForEachDoneMessageOnly) {
    CQueuedCount count;
    count.Add();
    count.Add();
    const auto instance = reinterpret_cast<DWORD_PTR>(&count);
    OnWaveDone(nullptr, WOM_OPEN, instance, 0, 0);
    OnWaveDone(nullptr, WOM_CLOSE, instance, 0, 0);
    EXPECT_EQ(count.Tell(), 2);
    for (int i = 0; i < 3; ++i)
        OnWaveDone(nullptr, WOM_DONE, instance, 0, 0);
    EXPECT_EQ(count.Tell(), 0);
}

}  // namespace
