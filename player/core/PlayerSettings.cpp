// The player's synchronous queries and settings (zTell*, zSet* and the voice).
#include <cmath>

#include "format/gop/GopParser.h"
#include "platform/base/Clock.h"
#include "player/core/ExtractSink.h"
#include "player/core/Player.h"
#include "player/source/AudioFormat.h"

namespace {

constexpr DWORD kFullScreenWaitMs = 1000;
constexpr DWORD kAudioTypeWaitMs = 100;
constexpr int kFewestDividedChannels = 8;

}  // namespace

int CPlayer::TellFullScreenIdx() {
    if (m_source.TellType() == OPENED_NONE || m_channelCount < 0)
        return -1;
    return m_fullScreen;
}

int CPlayer::TellDivStatus() {
    if (m_source.TellType() == OPENED_NONE || m_channelCount < kFewestDividedChannels)
        return -1;
    return m_divMode;
}

int CPlayer::TellSampleRate() {
    return m_source.TellType() == OPENED_NONE ? -1 : g_nSampleRate.load();
}

int CPlayer::TellSampleBits() {
    return m_source.TellType() == OPENED_NONE ? -1 : g_nSampleBits.load();
}

bool CPlayer::SetFullScreen(int channel) {
    const int channels = m_channelCount;
    if (m_source.TellType() == OPENED_NONE || channels < 0 || channel < 0 || channel > channels)
        return false;
    m_fullScreen = channel;
    Sleep(kFullScreenWaitMs);
    m_display.Refresh();
    return true;
}

bool CPlayer::SetDivStatus(int mode) {
    const int channels = m_source.TellScreenNum();
    m_channelCount = channels;
    if (channels < kFewestDividedChannels || mode < DIV_GROUP_1 || mode > DIV_GRID_4X4)
        return false;
    m_divMode = mode;
    return true;
}

bool CPlayer::DisplayOsd(bool on) {
    m_display.SetOsd(on);
    return true;
}

bool CPlayer::SetAudioType(int track) {
    Sleep(kAudioTypeWaitMs);
    g_nAudioType = track;
    Sleep(kAudioTypeWaitMs);
    return true;
}

// Volume 0..50 is a gain of 0..1, 51..100 one of 1..3.
bool CPlayer::SetVoiceVolume(int volume) {
    if (volume < 0 || volume > 100)
        return false;
    const double gain = volume <= 50 ? volume / 50.0 : 1.0 + (volume - 50) * 2.0 / 50.0;
    m_audio.SetGain(float(gain));
    return true;
}

// The inverse of SetVoiceVolume, rounded to the nearest volume so that a
// volume read back is the one that was set.
bool CPlayer::TellVoiceVolume(int* volume) const {
    const double gain = m_audio.GetGain();
    if (volume == nullptr || gain < 0.0 || gain > 3.0)
        return false;
    const double value = gain <= 1.0 ? gain * 50.0 : (gain - 1.0) * 50.0 / 2.0 + 50.0;
    *volume = int(std::lround(value));
    return true;
}

bool CPlayer::OpenVoice() {
    m_audio.SetGain(2.0f);
    return !m_voice.exchange(true);
}

bool CPlayer::CloseVoice() {
    m_voice = false;
    m_audio.SetGain(0.0f);
    return true;
}

int CPlayer::StartExtract(uint64_t from, uint64_t to) {
    zExtractCallback callback = m_extractCallback.load();
    if (callback == nullptr)
        return -1;
    return m_source.StartExtract(from, to, MakeExtractSink(callback));
}
