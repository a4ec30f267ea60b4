// The playback thread's audio: the device follows the state (open while
// playing, closed with reset otherwise), each GOP's samples become PCM and go
// to the audio output; and the wait while drawing is not possible.
#include <algorithm>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/media/Desktop.h"
#include "player/core/PlaybackLocals.h"

namespace {

// More PCM than this for one GOP: the GOP is neither played nor shown.
constexpr int kLargestGopPcm = 51200;
constexpr int kLargestCopiedPcm = 80000;  // older versions: bytes copied at most

}  // namespace

// A device that did not open is not tried again by this thread: every GOP
// would report the same failure on the error callback.
void CPlayer::UpdateAudioDevice(PlaybackLocals& locals) {
    if (locals.state != STATUS_PLAYING) {
        if (m_audio.IsOpen())
            m_audio.CloseReset();
        return;
    }
    if (m_audio.IsOpen() || locals.audioOpenFailed)
        return;
    m_audio.CloseReset();  // clears the queued count
    locals.audioOpenFailed = !m_audio.Open();
}

// The voice flag follows whether the GOP has audio; the PCM of older GOPs
// sets their display time. False when the GOP has more PCM than the device
// takes for one GOP (it is then dropped).
bool CPlayer::ComputeAudio(PlaybackLocals& locals) {
    const GopInfo& info = *locals.info;
    m_voice = info.audioLength > 0;
    const int length = info.audioData != nullptr ? std::max(info.audioLength, 0) : 0;
    int bytes = 0;
    if (info.version >= 4) {
        int samples = 0;
        m_ulaw.ToPcm(reinterpret_cast<int16_t*>(locals.pcm.get()), kPcmBufferSize / 2, &samples,
                     info.audioData, length);
        // u-law that does not fit the buffer is more than a GOP may play.
        bytes = length * 2 > kPcmBufferSize ? length * 2 : samples * 2;
    } else {
        if (length < kLargestCopiedPcm)
            std::memcpy(locals.pcm.get(), info.audioData, size_t(length));
        const double seconds = length / (info.audioChannels == 1 ? 16000.0 : 32000.0);
        const int ms = int(seconds * 500);
        locals.pcmDisplayMs = ms != 0 ? ms : 500;
        bytes = length < kLargestCopiedPcm ? length / 2 : 0;
    }
    if (!m_audio.IsOpen() || bytes == 0)
        return true;
    if (bytes > kLargestGopPcm)
        return false;
    m_audio.WriteGopAudio(locals.pcm.get(), bytes, m_voice);  // a failure closes the device
    return true;
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
