// The playback thread: takes GOPs from the queue in order, parses them with
// audio, reports their telemetry and has the display show each for its
// display time. Paused, it shows one frame per step.
#include <algorithm>
#include <memory>

#include "format/gop/FrameCount.h"
#include "platform/base/Event.h"
#include "player/core/PlaybackLocals.h"
#include "player/core/Player.h"
#include "player/core/WaitedByStop.h"
#include "player/errors/DeferringLock.h"

namespace {

constexpr DWORD kEmptyQueueWaitMs = 150;
constexpr DWORD kSkippedGopWaitMs = 20;
constexpr DWORD kEndWaitMs = 50;
constexpr DWORD kSizeChangeWaitMs = 800;
constexpr int kV4DisplayMs = 900;
constexpr int kFastDisplayMs = 1000;
constexpr int kOlderFastDisplayMs = 500;

}  // namespace

// The GOP the playback thread shows with these locals, as the display asks
// about it.
class CPlayer::ShownGopInterruption final : public CShowInterruption {
public:
    ShownGopInterruption(const CPlayer& player, const PlaybackLocals& locals)
        : m_player(player), m_locals(locals) {}
    bool IsInterrupted() const override { return m_player.ShownGopInterrupted(m_locals); }

private:
    const CPlayer& m_player;
    const PlaybackLocals& m_locals;
};

void CPlayer::PlaybackThread(uint64_t generation) {
    const CWaitedByStop playbackThread;
    PlaybackLocals locals(generation);
    while (m_state != STATUS_STOPPED && IsCurrentPlayback(generation)) {
        WaitForSingleObject(m_dataReadyEvent, INFINITE);
        ResetAudioAfterFlush();
        if (!TakeStateSnapshot(locals, generation))
            continue;
        WaitForDrawing(generation);
        if (m_queue.IsEmpty()) {
            // Ends as soon as the read thread queues something: after a
            // seek, the new position's first GOP is shown as soon as read.
            SetEvent(m_needDataEvent);
            m_queue.WaitUntilNotEmpty(kEmptyQueueWaitMs);
            continue;
        }
        int state = kSlotEmpty;
        GopBuffer* slot = m_queue.Oldest(&state);
        if (slot == nullptr) {
            Pause(kSkippedGopWaitMs);
            SetEvent(m_needDataEvent);
            continue;
        }
        if (IsEndMarker(state)) {
            if (EndOfDataReached())
                break;
            continue;
        }
        PlayGop(locals, slot);
    }
    m_audio.CloseReset();
}

// The end marker at the head: every GOP before it has been shown, and the
// thread ends, unless a flush (a seek, a turn) has taken the marker away
// meanwhile: then the new position plays. Decided under the read gate, so a
// command that repositions either comes before (and this thread plays on)
// or finds the playback ended and starts another.
bool CPlayer::EndOfDataReached() {
    {
        DeferringLock gate(m_readGate);
        const bool flushed = m_queue.IsPinStale();
        m_queue.Consume();
        if (flushed)
            return false;
        m_queue.Flush();
        m_playbackEnded = true;
    }
    SetEvent(m_playEndEvent);
    Pause(kEndWaitMs);
    return true;
}

// Reads the state for this GOP; paused, waits for the next step. False when
// the loop must start over (the state changed while paused, or this thread
// must end).
bool CPlayer::TakeStateSnapshot(PlaybackLocals& locals, uint64_t generation) {
    const int state = m_state;
    locals.state = state;
    if (state == STATUS_STOPPED || !IsCurrentPlayback(generation))
        return false;
    UpdateAudioDevice(locals);
    if (state == STATUS_PAUSED) {
        if (!locals.stepPending) {
            WaitForSingleObject(m_continueEvent, INFINITE);
            m_display.Free();
            m_display.Init(m_window);
        }
        locals.stepPending = m_state == state && IsCurrentPlayback(generation);
        locals.forward = m_forward;
        return locals.stepPending;
    }
    locals.stepPending = false;
    locals.speed = m_speed;
    locals.forward = m_forward;
    return true;
}

// The GOP taken with these locals must stop: this thread must end, a flush
// emptied the queue around it (a new position or direction), or playback
// went on at another speed or direction. A paused step is shown whole.
bool CPlayer::ShownGopInterrupted(const PlaybackLocals& locals) const {
    if (!IsCurrentPlayback(locals.generation))
        return true;
    if (locals.state == STATUS_PAUSED)
        return false;
    return m_queue.IsPinStale() || m_speed != locals.speed || m_forward != locals.forward;
}

// Called once a shown GOP's interruption has come true.
void CPlayer::InterruptShownGop() {
    m_display.Interrupt();
}

void CPlayer::PlayGop(PlaybackLocals& locals, GopBuffer* slot) {
    const ShownGopInterruption interruption(*this, locals);
    // Interrupted before it was shown: a GOP flushed away is dropped, one
    // met at a new speed is taken again with it.
    if (interruption.IsInterrupted()) {
        m_queue.Release();
        SetEvent(m_needDataEvent);
        return;
    }
    GopInfo& info = *locals.info;
    OpenAudioForGop(locals);
    ResetGopRecord(&info, locals.audio.get());
    const int version = m_parser.Parse(slot->data, uint32_t(std::max(slot->length, 0)), &info,
                                       !locals.audioOpenFailed);
    // Flushed away while the device opened or the GOP was parsed: it sends
    // nothing, neither its sound nor its telemetry.
    if (interruption.IsInterrupted()) {
        m_queue.Release();
        SetEvent(m_needDataEvent);
        return;
    }
    m_positionBefore = slot->positionBefore;
    m_positionAfter = slot->positionAfter;
    m_shownForward = locals.forward;
    if (version < 0) {
        m_queue.Consume();
        Pause(kSkippedGopWaitMs);
        SetEvent(m_needDataEvent);
        return;
    }
    if (CheckPictureSize(info))
        RebuildDecoders(kSizeChangeWaitMs, kSizeChangeWaitMs, kSizeChangeWaitMs);
    if (locals.state == STATUS_PLAYING)
        ComputeAudio(locals);
    if (locals.state == STATUS_PAUSED)
        AdvanceStep(info, locals.forward);
    m_channelCount = info.channels;
    ReportTelemetry(info);

    const int displayMs = version == 4
                              ? (locals.speed == 1 ? kV4DisplayMs : kFastDisplayMs)
                              : (locals.speed == 1 ? locals.pcmDisplayMs : kOlderFastDisplayMs);
    const GopShowRequest request{slot,         &info,          m_stepIndex,  displayMs,
                                 locals.speed, locals.forward, locals.state, &interruption};
    const bool shown = m_display.ShowGop(request) == 0;
    locals.stepPending = false;
    if (locals.state != STATUS_PAUSED)
        m_stepIndex = -1;
    if (!shown) {
        RebuildDecoders(600, 100, 100);
        m_queue.Consume();
        Pause(kSkippedGopWaitMs);
    } else if (locals.state == STATUS_PAUSED && StepKeepsSlot(locals.forward)) {
        m_queue.Release();  // the next step shows the next frame of this GOP
        return;
    } else {
        m_queue.Consume();
    }
    SetEvent(m_needDataEvent);
}

// One frame on while paused: forward wraps from the last frame to 0,
// backward from 0 to the last.
void CPlayer::AdvanceStep(const GopInfo& info, bool forward) {
    const int frames = StepFrameCount(info);
    m_frameCount = frames;
    const int index = m_stepIndex;
    int next;
    if (forward)
        next = index < 0 ? 0 : (index < frames - 1 ? index + 1 : 0);
    else
        next = index < 0 ? frames - 2 : (index == 0 ? frames - 1 : index - 1);
    m_stepIndex = std::max(next, 0);
}

// The slot stays for the next step unless this step showed its last frame
// in the direction of travel.
bool CPlayer::StepKeepsSlot(bool forward) const {
    const int index = m_stepIndex;
    return forward ? index < m_frameCount - 1 : index > 0;
}

void CPlayer::RebuildDecoders(DWORD before, DWORD between, DWORD after) {
    Pause(before);
    m_decoders.Destroy();
    Pause(between);
    m_decoders.Create();
    Pause(after);
}

// Once the playback thread has ended (a stop, a release): the next playback,
// of this recording or another, starts without a size to compare with.
void CPlayer::ForgetPictureSizes() {
    std::fill(std::begin(m_prevWidth), std::end(m_prevWidth), 0);
    std::fill(std::begin(m_prevHeight), std::end(m_prevHeight), 0);
}

// True when a channel seen before changed its picture size (it takes the new
// size; later channels keep theirs until the next GOP).
bool CPlayer::CheckPictureSize(const GopInfo& info) {
    for (int c = 0; c < std::min(info.channelCount, kMaxChannels); ++c) {
        const bool seen = m_prevWidth[c] != 0 || m_prevHeight[c] != 0;
        const bool changed = info.width[c] != m_prevWidth[c] || info.height[c] != m_prevHeight[c];
        m_prevWidth[c] = info.width[c];
        m_prevHeight[c] = info.height[c];
        if (seen && changed)
            return true;
    }
    return false;
}

void CPlayer::ReportTelemetry(const GopInfo& info) const {
    zDataCallback callback = m_dataCallback.load();
    if (callback != nullptr)
        ReportGopTelemetry(info, callback);
}
