// The playback thread's audio: the device follows the state (open while
// playing, closed with reset otherwise), each GOP's samples become PCM and go
// to the audio output; and the wait while drawing is not possible.
#include <algorithm>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/media/Desktop.h"
#include "player/core/PlaybackLocals.h"

namespace {

// The most PCM the device is given for one GOP.
constexpr int kLargestGopPcm = 51200;
constexpr int kLargestCopiedPcm = 80000;  // older versions: bytes copied at most

}  // namespace

// Out of the playing state the device is closed (with reset).
void CPlayer::UpdateAudioDevice(const PlaybackLocals& locals) {
    if (locals.state != STATUS_PLAYING && m_audio.IsOpen())
        m_audio.CloseReset();
}

// The sound queued at the device belongs to the position playback left: it
// stops, and the queued count comes down with it.
void CPlayer::ResetAudioAfterFlush() {
    if (m_audioResetPending.exchange(false))
        m_audio.Reset();
}

// While playing, a device that is not open is tried for every GOP taken from
// the queue: one that failed (or was closed by a failed write) plays again
// as soon as it opens, and each failure is reported (40013 or 40014). A GOP
// met with the device closed is parsed without audio.
void CPlayer::OpenAudioForGop(PlaybackLocals& locals) {
    if (locals.state != STATUS_PLAYING || m_audio.IsOpen())
        return;
    m_audio.CloseReset();  // clears the queued count
    locals.audioOpenFailed = !m_audio.Open();
}

// The voice flag follows whether the GOP has audio; the PCM of older GOPs
// sets their display time. A GOP with more sound than the device takes for
// one GOP plays the part that fits (older versions' PCM beyond the copy
// limit plays none); its pictures are shown all the same.
void CPlayer::ComputeAudio(PlaybackLocals& locals) {
    const GopInfo& info = *locals.info;
    m_voice = info.audioLength > 0;
    const int length = info.audioData != nullptr ? std::max(info.audioLength, 0) : 0;
    int bytes = 0;
    if (info.version >= 4) {
        int samples = 0;  // at most what the PCM buffer holds
        m_ulaw.ToPcm(reinterpret_cast<int16_t*>(locals.pcm.get()), kPcmBufferSize / 2, &samples,
                     info.audioData, length);
        bytes = samples * 2;
    } else {
        if (length < kLargestCopiedPcm)
            std::memcpy(locals.pcm.get(), info.audioData, size_t(length));
        const double seconds = length / (info.audioChannels == 1 ? 16000.0 : 32000.0);
        const int ms = int(seconds * 500);
        locals.pcmDisplayMs = ms != 0 ? ms : 500;
        bytes = length < kLargestCopiedPcm ? length / 2 : 0;
    }
    bytes = std::min(bytes, kLargestGopPcm);
    if (m_audio.IsOpen() && bytes > 0)
        m_audio.WriteGopAudio(locals.pcm.get(), bytes, m_voice);  // a failure closes the device
}

// Another desktop (a lock screen) has the input: the display lets go of its
// surfaces until drawing is possible again, or playback stops.
void CPlayer::WaitForDrawing(uint64_t generation) {
    if (!DrawingPossible()) {
        m_display.Free();
        while (!DrawingPossible() && m_state != STATUS_STOPPED && IsCurrentPlayback(generation))
            Sleep(1);
    }
    m_display.Init(m_window);
}
