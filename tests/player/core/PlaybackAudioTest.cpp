// The playback thread's audio: the format play and seek give the device, a
// device that fails to open while playing, and GOPs with more sound than
// the device takes for one GOP.
#include <cstdlib>
#include <vector>

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

}  // namespace
