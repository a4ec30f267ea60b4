// The playback thread's audio: the format play and seek give the device, a
// device that fails to open while playing, and GOPs with more sound than
// the device takes for one GOP.
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/media/WaveOut.h"

#include "platform/media/NullWaveDevice.h"
#include "player/audio/AudioOut.h"
#include "tests/player/core/CoreFixture.h"
#include "tools/recgen/AudioBlock.h"

namespace {

using PlaybackAudioTest = CoreFixture;

constexpr DWORD kRecordingRate = 8000;  // the fixture's GOPs: rate code 1, 16 bits

int CountOf(const std::vector<int>& codes, int code) {
    return int(std::count(codes.begin(), codes.end(), code));
}

// Two seconds of u-law sound per GOP: 20 buffers of 100 ms at the device.
std::vector<uint8_t> TwoSecondsOfSound() {
    recgen::UlawAudio block;
    block.chunkSize = 160;
    block.tracks = {recgen::UlawTrack{
        std::vector<std::vector<uint8_t>>(100, std::vector<uint8_t>(160, uint8_t(0x55)))}};
    return recgen::EncodeUlawAudio(block);
}

std::mutex g_timesMutex;
std::vector<unsigned> g_times;  // guarded by g_timesMutex: GOP times the data callback got

void RecordTime(unsigned time, const char*, const GpsText*, const int*, float, float, int,
                const AlarmFlags*, int, const TpmsTyre*, int, int, int, int, int, int) {
    std::lock_guard lock(g_timesMutex);
    g_times.push_back(time);
}

std::vector<unsigned> ReportedTimes() {
    std::lock_guard lock(g_timesMutex);
    return g_times;
}

int PlayingGops(const std::vector<Shown>& shown) {
    int playing = 0;
    for (const Shown& s : shown)
        playing += s.state == STATUS_PLAYING;
    return playing;
}

// Seek from idle starts playback as play does, in the recording's format,
// not in the one the device had before (22050 Hz after Init).
TEST_F(PlaybackAudioTest, SeekFromIdlePlaysInTheRecordingsFormat) {
    TakeNullWaveFormat();
    WritePair(6);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, int64_t(OffsetOfGop(2))), MSG_SEEK_DONE);
    display_.Give(1);
    // The first GOP may still see the idle state; the second is played.
    const std::vector<Shown> shown = display_.WaitForShown(2);
    ASSERT_GE(shown.size(), 2u);
    const WAVEFORMATEX format = TakeNullWaveFormat();
    EXPECT_EQ(format.nSamplesPerSec, kRecordingRate);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(CountOf(Errors(), ERR_AUDIO_FORMAT_NOT_SET), 0);
    display_.Give(100);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

// A device left open while idle cannot take the recording's format: play
// says so and plays on.
TEST_F(PlaybackAudioTest, PlayThatCannotSetTheFormatReportsItAndPlaysOn) {
    WritePair(4);
    Open();
    CAudioOut* audio = g_pAudioOut.load();
    ASSERT_NE(audio, nullptr);
    ASSERT_TRUE(audio->Open());
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    const std::vector<int> errors = Errors();
    EXPECT_EQ(CountOf(errors, ERR_AUDIO_FORMAT_NOT_SET), 1);
    EXPECT_EQ(CountOf(errors, ERR_AUDIO_FORMAT_CHANGE), 1);
    display_.Give(1);
    EXPECT_GE(display_.WaitForShown(2).size(), 2u);
    display_.Give(100);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

// While playing, a device that failed to open is tried again for every GOP,
// each failure reported, and plays once it opens.
TEST_F(PlaybackAudioTest, ADeviceThatFailsToOpenIsTriedForEveryGop) {
    TakeNullWaveFormat();
    WritePair(8);
    Open();
    setenv("DVR_AUDIO", "fail", 1);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.Give(3);
    // The fourth GOP is held on screen: its attempt has been made, the
    // fifth's not yet.
    const std::vector<Shown> shown = display_.WaitForShown(4);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_GE(PlayingGops(shown), 3);
    EXPECT_EQ(CountOf(Errors(), ERR_AUDIO_OPEN_FAILED), PlayingGops(shown));
    EXPECT_EQ(TakeNullWaveFormat().nSamplesPerSec, 0u);  // never opened

    setenv("DVR_AUDIO", "null", 1);  // the device is back
    display_.Give(1);
    ASSERT_EQ(display_.WaitForShown(5).size(), 5u);
    EXPECT_EQ(TakeNullWaveFormat().nSamplesPerSec, kRecordingRate);
    EXPECT_EQ(CountOf(Errors(), ERR_AUDIO_OPEN_FAILED), 0);
    display_.Give(100);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

// u-law whose PCM is more than the 51200 bytes the device takes for one GOP:
// every GOP is still shown.
TEST_F(PlaybackAudioTest, GopsWithMoreSoundThanFitsAreShown) {
    recgen::UlawAudio block;
    block.chunkSize = 160;
    block.tracks = {recgen::UlawTrack{std::vector<std::vector<uint8_t>>(
        200, std::vector<uint8_t>(160, uint8_t(0x55)))}};  // 32000 bytes, 64000 of PCM
    WritePair(4, {.audio = recgen::EncodeUlawAudio(block)});
    TakeNullWaveFormat();
    Open();
    display_.Give(100);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    EXPECT_EQ(display_.ShownSoFar().size(), 4u);
    EXPECT_EQ(TakeNullWaveFormat().nSamplesPerSec, kRecordingRate);  // played with the device open
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

// A seek while playing throws the old place's sound away at the device: only
// the new place's buffers are queued. The null device plays on the fake
// clock, which stands still once playback runs, so nothing plays meanwhile.
using PlaybackAudioOnStillClockTest = FakeClockPlayerTest;

TEST_F(PlaybackAudioOnStillClockTest, ASeekWhilePlayingDropsTheSoundOfTheOldPlace) {
    WritePair(6, {.audio = TwoSecondsOfSound()});
    Open();
    ASSERT_EQ(CommandOnMovingClock(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // GOP 0 on screen, its sound queued
    CAudioOut* audio = g_pAudioOut.load();
    ASSERT_NE(audio, nullptr);
    ASSERT_TRUE(audio->IsOpen());
    ASSERT_GT(audio->TellQueued(), 0);
    ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, int64_t(OffsetOfGop(3))), MSG_SEEK_DONE);
    const std::vector<Shown> shown = display_.WaitForShown(2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].gop, 3);
    EXPECT_EQ(audio->TellQueued(), CAudioOut::kChunksPerGop);  // GOP 3's alone
}

// A seek while the first GOP opens the audio device (held there): that GOP
// is parsed after the seek, and sends nothing, neither its telemetry nor its
// sound; the GOP sought to is the first reported and shown.
TEST_F(PlaybackAudioTest, AGopFlushedWhileTheDeviceOpensSendsNothing) {
    {
        std::lock_guard lock(g_timesMutex);
        g_times.clear();
    }
    player_.Release();
    ASSERT_TRUE(InitPlayer(RecordTime));
    WritePair(6, {.audio = TwoSecondsOfSound()});
    Open();
    auto opening = std::make_shared<std::atomic<bool>>(false);
    auto sought = std::make_shared<std::atomic<bool>>(false);
    HoldNextWaveOutOpen([opening, sought] {
        *opening = true;
        WaitFor([&] { return sought->load(); });
    });
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitFor([&] { return opening->load(); }));
    ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, int64_t(OffsetOfGop(3))), MSG_SEEK_DONE);
    *sought = true;
    const std::vector<Shown> shown = display_.WaitForShown(1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].gop, 3);
    const std::vector<unsigned> times = ReportedTimes();
    ASSERT_FALSE(times.empty());
    EXPECT_EQ(times.front(), kFirstTime + 3);
    CAudioOut* audio = g_pAudioOut.load();
    ASSERT_NE(audio, nullptr);
    EXPECT_LE(audio->TellQueued(), CAudioOut::kChunksPerGop);  // GOP 3's at most
}

// zOpenEx from a callback on the playback thread (here the error of a
// device that fails to open) cannot stop the playback it is called from: it
// refuses at once, and the player goes on answering.
TEST_F(PlaybackAudioTest, AStopAndCloseFromThePlaybackThreadIsRefused) {
    WritePair(4);
    Open();
    setenv("DVR_AUDIO", "fail", 1);
    auto result = std::make_shared<std::atomic<int>>(-1);  // 0 refused, 1 ran
    OnEachError([this, result](int code) {
        int none = -1;
        if (code == ERR_AUDIO_OPEN_FAILED && result->compare_exchange_strong(none, 2))
            *result = player_.StopAndClose() ? 1 : 0;
    });
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_TRUE(WaitFor([&] { return *result == 0 || *result == 1; }));
    EXPECT_EQ(*result, 0);
    setenv("DVR_AUDIO", "null", 1);
    display_.Give(100);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
}

}  // namespace
