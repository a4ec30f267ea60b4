// The command handlers of the player, one per zPlayCmd, each run on the
// command thread and returning the zMsgCode to report.
#include "format/gop/GopParser.h"
#include "platform/base/Event.h"
#include "platform/base/LastError.h"
#include "platform/base/Thread.h"
#include "platform/user/WindowApi.h"
#include "player/core/Player.h"
#include "player/errors/DeferringLock.h"
#include "player/errors/ErrorSink.h"
#include "player/source/AudioFormat.h"

namespace {

constexpr DWORD kRepositionWaitMs = 50;
constexpr int kJumpBack = 1;
constexpr int kJumpForward = 2;
constexpr DWORD kPlayThreadStartWaitMs = 500;
constexpr int kCaptureQuality = 200;  // the capture holds it to the encoder's 100

bool IsFast(int state) {
    return state == STATUS_FAST_FORWARD || state == STATUS_FAST_BACKWARD;
}

}  // namespace

const CPlayer::Handler CPlayer::kHandlers[] = {
    &CPlayer::DoClose,
    &CPlayer::DoPlay,
    &CPlayer::DoPause,
    &CPlayer::DoForward,
    &CPlayer::DoBackward,
    &CPlayer::DoFastForward,
    &CPlayer::DoFastBackward,
    &CPlayer::DoSeek,
    &CPlayer::DoStop,
    &CPlayer::DoCapture,
    nullptr /* PLAY_CMD_NONE */,
    &CPlayer::SetJumpMode,
};

bool CPlayer::IsNetworkOrRequest() const {
    const int type = m_source.TellType();
    return type == OPENED_NETWORK || type == OPENED_REBUILD_REQUEST;
}

int CPlayer::DoClose(const PlayCommand&) {
    const int state = m_state;
    if (m_source.TellType() == OPENED_NONE)
        return MSG_CLOSE_REFUSED;
    if (state != STATUS_IDLE && state != STATUS_STOPPED)
        return MSG_CLOSE_REFUSED;
    m_state = STATUS_STOPPED;
    const int result = m_source.Close();
    m_lastCloseResult = result;
    if (result == -1) {
        ReportError(ERR_CLOSE_FAILED);
        return MSG_CLOSE_FAILED;
    }
    m_state = STATUS_IDLE;
    return MSG_CLOSE_DONE;
}

int CPlayer::DoPlay(const PlayCommand& command) {
    g_nAudioType = int(command.a);
    const int type = m_source.TellType();
    if (type < OPENED_FILE_PAIR || type > OPENED_CARD)
        return MSG_PLAY_FAILED;
    switch (m_state.load()) {
        case STATUS_IDLE:
            TakeRecordingAudioFormat();
            return PlayFromStopped();
        case STATUS_STOPPED:
            return PlayFromStopped();
        case STATUS_PLAYING:
            if (!StartPlayThread(true, STATUS_PLAYING))
                return MSG_PLAY_FAILED;
            return MSG_PLAY_DONE;
        case STATUS_PAUSED:
            return ResumeFromPause();
        default:  // fast play
            if (m_state == STATUS_FAST_FORWARD && m_speed <= 8) {
                m_speed = 1;  // reads on as before: the queue stays
                m_forward = true;
            } else {
                TurnAndFlush(true, 1);
            }
            m_state = STATUS_PLAYING;
            InterruptShownGop();
            RestartEndedPlayback();
            return MSG_PLAY_DONE;
    }
}

// Play and seek from idle: the audio output takes the open recording's rate
// and bits, mono. The device is closed while idle, so this fails only when
// it was left open: error 40001, and playback goes on in the format the
// device has. A format the device refuses is met when it opens.
void CPlayer::TakeRecordingAudioFormat() {
    int rate = 0, bits = 0;
    GetAudioFormat(&rate, &bits);
    if (!m_audio.SetFormat(rate, bits, 1))
        ReportError(ERR_AUDIO_FORMAT_NOT_SET);
}

// Starts the read thread and a playback thread from the current position.
// A display that cannot be prepared answers 6 and leaves the player usable;
// so does a player being released, which starts no thread.
int CPlayer::PlayFromStopped() {
    if (m_releasing)
        return MSG_PLAY_FAILED;
    m_display.Free();
    if (!m_display.Init(m_window))
        return MSG_PLAY_FAILED;
    m_forward = true;
    m_speed = 1;
    // Steps turn at the bounds of the GOP on screen; until this playback
    // shows its first, that is where it starts, not where the last one (of
    // this recording or another) left off.
    m_positionBefore = m_positionAfter = int64_t(m_source.Tellp());
    m_shownForward = true;
    m_jumpMode = 0;
    m_display.Refresh();
    if (!StartReadThread()) {
        ReportError(ERR_READ_THREAD_NOT_STARTED, GetLastError());
        return MSG_PLAY_FAILED;
    }
    // The queue starts empty and the read thread may have filled it already:
    // emptying it again would drop the first GOPs.
    if (!StartPlayThread(false, STATUS_PLAYING))
        return MSG_PLAY_FAILED;
    return MSG_PLAY_DONE;
}

// Ends the read thread that may run still, then starts one with the decoders
// and queue buffers it reads into: there is never more than one read thread.
bool CPlayer::StartReadThread() {
    EndReadThread(INFINITE);
    m_decoders.Create();
    m_queue.Reset();
    m_readRun = true;
    HANDLE thread = CreateThread([this] { ReadThread(); });
    if (thread == nullptr) {
        m_readRun = false;
        return false;
    }
    m_readThread = thread;
    return true;
}

int CPlayer::ResumeFromPause() {
    m_speed = 1;
    if (!m_forward)
        Reposition(m_positionAfter, true);
    m_state = STATUS_PLAYING;
    SetEvent(m_continueEvent);
    RestartEndedPlayback();
    return MSG_PLAY_DONE;
}

// Moves the source for a change of direction, the direction first, so that
// the read thread reads on from the new position in the new direction.
void CPlayer::Reposition(int64_t position, bool forward) {
    ResetEvent(m_needDataEvent);
    m_forward = forward;
    SeekAndFlush(&position);
    SetEvent(m_needDataEvent);
    Pause(kRepositionWaitMs);
}

int CPlayer::DoPause(const PlayCommand&) {
    if (m_state != STATUS_PLAYING) {
        ReportError(ERR_PAUSE_NOT_PLAYING);
        return MSG_PAUSE_REFUSED;
    }
    // A resume that came before the playback thread saw the pause left the
    // continue event set: it would take a step nobody asked for.
    ResetEvent(m_continueEvent);
    m_state = STATUS_PAUSED;
    RestartEndedPlayback();
    return MSG_PAUSE_DONE;
}

int CPlayer::DoForward(const PlayCommand&) {
    if (IsNetworkOrRequest()) {
        ReportError(ERR_STEP_FORWARD_TYPE);
        return MSG_STEP_FORWARD_REFUSED;
    }
    if (m_state != STATUS_PAUSED)
        return MSG_STEP_FORWARD_REFUSED;
    if (!m_forward) {
        const bool atLast = m_stepIndex == m_frameCount - 1;
        Reposition(atLast ? m_positionBefore : m_positionAfter, true);
    }
    RestartEndedPlayback();
    SetEvent(m_continueEvent);
    return MSG_STEP_FORWARD_DONE;
}

int CPlayer::DoBackward(const PlayCommand&) {
    if (IsNetworkOrRequest()) {
        ReportError(ERR_STEP_BACKWARD_TYPE);
        return MSG_STEP_BACKWARD_REFUSED;
    }
    if (m_state != STATUS_PAUSED)
        return MSG_STEP_BACKWARD_REFUSED;
    if (m_forward)
        Reposition(m_stepIndex == 0 ? m_positionBefore : m_positionAfter, false);
    RestartEndedPlayback();
    SetEvent(m_continueEvent);
    return MSG_STEP_BACKWARD_DONE;
}

int CPlayer::DoFastForward(const PlayCommand& command) {
    if (IsNetworkOrRequest()) {
        ReportError(ERR_FAST_FORWARD_TYPE);
        return MSG_FAST_FORWARD_REFUSED;
    }
    if (command.a < 1 || command.a > 7) {
        ReportError(ERR_FAST_FORWARD_SPEED);
        return MSG_FAST_FORWARD_REFUSED;
    }
    const int state = m_state;
    if (state != STATUS_PLAYING && !IsFast(state)) {
        m_forward = true;  // refused, play still turns forward
        ReportError(ERR_FAST_FORWARD_STATE);
        return MSG_FAST_FORWARD_REFUSED;
    }
    if (state == STATUS_FAST_BACKWARD) {
        TurnAndFlush(true, 1 << command.a);
    } else {
        m_forward = true;
        m_speed = 1 << command.a;
    }
    m_state = STATUS_FAST_FORWARD;
    InterruptShownGop();
    RestartEndedPlayback();
    return MSG_FAST_FORWARD_DONE;
}

int CPlayer::DoFastBackward(const PlayCommand& command) {
    if (IsNetworkOrRequest()) {
        ReportError(ERR_FAST_BACKWARD_TYPE);
        return MSG_FAST_BACKWARD_REFUSED;
    }
    if (command.a < 1 || command.a > 7) {
        ReportError(ERR_FAST_BACKWARD_SPEED);
        return MSG_FAST_BACKWARD_REFUSED;
    }
    const int state = m_state;
    if (state != STATUS_PLAYING && !IsFast(state)) {
        m_forward = false;  // refused, play still turns backward
        ReportError(ERR_FAST_BACKWARD_STATE);
        return MSG_FAST_BACKWARD_REFUSED;
    }
    if (state != STATUS_FAST_BACKWARD) {
        TurnAndFlush(false, 1 << command.a);
    } else {
        m_forward = false;
        m_speed = 1 << command.a;
    }
    m_state = STATUS_FAST_BACKWARD;
    InterruptShownGop();
    RestartEndedPlayback();
    return MSG_FAST_BACKWARD_DONE;
}

// After any seek playback runs at speed 1 forward.
int CPlayer::DoSeek(const PlayCommand& command) {
    if (IsNetworkOrRequest()) {
        ReportError(ERR_SEEK_TYPE);
        return MSG_SEEK_FAILED;
    }
    const int64_t length = int64_t(m_source.TellTotalLen());
    const int64_t position = command.position;
    if (length < 0) {
        ReportError(ERR_SEEK_NO_DATA);
        return MSG_SEEK_FAILED;
    }
    if (position < 0 || position >= length) {
        ReportError(ERR_SEEK_OUT_OF_RANGE);
        return MSG_SEEK_FAILED;
    }
    if (m_state == STATUS_IDLE && m_source.TellType() == OPENED_NONE) {
        ReportError(ERR_SEEK_IDLE_NO_SOURCE);
        return MSG_SEEK_FAILED;
    }
    const bool playing = m_state == STATUS_PLAYING;
    const bool fromIdle = m_state == STATUS_IDLE;
    if (!playing) {
        EndPlayThread(INFINITE);  // it must show nothing more, old or new
        m_state = STATUS_IDLE;
    }
    m_speed = 1;
    m_forward = true;
    if (!SeekAndFlush(&position)) {
        // Idle now, nothing reads until the next play starts a read thread.
        if (!playing)
            EndReadThread(INFINITE);
        ReportError(playing ? ERR_SEEK_FAILED_PLAYING : ERR_SEEK_FAILED_NOT_PLAYING);
        return MSG_SEEK_FAILED;
    }
    if (playing) {
        RestartEndedPlayback();
        return MSG_SEEK_DONE;
    }
    // From idle or stopped nothing reads yet: start as play does.
    if (fromIdle)
        TakeRecordingAudioFormat();
    if (m_readThread.load() == nullptr)
        return PlayFromStopped() == MSG_PLAY_DONE ? MSG_SEEK_DONE : MSG_SEEK_FAILED;
    if (!StartPlayThread(false, STATUS_PLAYING))
        return MSG_SEEK_FAILED;
    return MSG_SEEK_DONE;
}

int CPlayer::DoStop(const PlayCommand& command) {
    const int type = m_source.TellType();
    if (type < OPENED_FILE_PAIR || type > OPENED_CARD)
        return MSG_STOP_REFUSED;
    if (!IsRunning(m_state))
        return MSG_STOP_REFUSED;
    m_state = STATUS_STOPPED;
    EndPlayThread(INFINITE);
    // Only once the playback thread, which writes them, has ended: cleared
    // under it, a channel could keep half its size and the next playback
    // would take that for a size change and rebuild the decoders.
    ForgetPictureSizes();
    EndReadThread(INFINITE);
    m_decoders.Destroy();
    m_jumpMode = 0;
    m_source.Seek(0);
    if (command.a == 0)
        m_display.Refresh();
    m_queue.FreeBuffers();
    m_display.Free();
    return MSG_STOP_DONE;
}

// Saves the rectangle of the screen (the part of it on the screen) as JPEG:
// 23 when the file was written, 22 when nothing of the rectangle is on the
// screen or no file could be written.
int CPlayer::DoCapture(const PlayCommand& command) {
    if (m_source.TellType() == OPENED_NONE) {
        ReportError(ERR_CAPTURE_NO_SOURCE);
        return MSG_CAPTURE_FAILED;
    }
    if (m_channelCount < 0) {
        ReportError(ERR_CAPTURE_CHANNELS_UNKNOWN);
        return MSG_CAPTURE_FAILED;
    }
    const auto* area = reinterpret_cast<const RECT*>(command.a);
    if (area == nullptr || !command.hasText)
        return MSG_CAPTURE_FAILED;
    const RECT r = *area;
    // The rectangle's own size, in 64 bits: one from one end of the int range
    // to the other is 2^32 wide. A capture that wrote no file says so.
    const int64_t width = int64_t(r.right) - r.left, height = int64_t(r.bottom) - r.top;
    const bool saved = m_capture.Capture(GetDesktopWindow(), r.left, r.top, r.right, r.bottom,
                                         command.text.c_str(), width, height, kCaptureQuality,
                                         uint32_t(command.position));
    return saved ? MSG_CAPTURE_DONE : MSG_CAPTURE_FAILED;
}

// A jump repositions at once, as a seek does: the queue is emptied, the GOP
// on screen stops, and the next read is the jump's, 20 GOPs before (1) or
// after (2) the GOP on screen. With nothing reading (idle, stopped) there is
// nothing to move, and no jump waits for a later playback.
int CPlayer::SetJumpMode(const PlayCommand& command) {
    const int jump = int(command.a);
    const bool known = jump == kJumpBack || jump == kJumpForward;
    if (known && IsRunning(m_state) && m_readThread.load() != nullptr) {
        // From the end of the GOP on screen 20 back reads the twentieth
        // before it; from its start 20 on, the twentieth after it.
        const int64_t from = ShownGopBound(jump == kJumpBack);
        SeekAndFlush(&from, jump);
    }
    return MSG_JUMP_STORED;
}

// The start or the end of the GOP on screen, whichever way it was read: a
// GOP read backward starts at the position after its read.
int64_t CPlayer::ShownGopBound(bool end) const {
    return end == m_shownForward.load() ? m_positionAfter.load() : m_positionBefore.load();
}

// Moves the source to `position` (none: stays) and empties the queue, as one
// step for the read thread, which then reads on at once with `jump` (a jump
// stored before is dropped); the GOP being shown stops, and so does the
// sound queued at the device. False, flushing nothing, when the seek fails.
bool CPlayer::SeekAndFlush(const int64_t* position, int jump) {
    {
        DeferringLock gate(m_readGate);
        if (position != nullptr && m_source.Seek(uint64_t(*position)) != 0)
            return false;
        // Until a GOP of the new position is shown, turns and jumps start
        // there, not at the GOP shown before.
        if (position != nullptr) {
            m_positionBefore = m_positionAfter = *position;
            m_shownForward = m_forward.load();
        }
        m_jumpMode = jump;
        FlushForNewPosition();
    }
    SetEvent(m_needDataEvent);
    InterruptShownGop();
    return true;
}

// Under the read gate: the queue is emptied and the playback thread throws
// the sound of the old position away before it plays any more.
void CPlayer::FlushForNewPosition() {
    m_queue.Flush();
    m_audioResetPending = true;
}

// Sets the direction and speed the read thread reads with, moves the source
// to the GOP on screen (its end going forward, its start going backward,
// as steps turn) and empties the queue, as one step for the read thread,
// which then reads on at once from the GOP after (or before) the one on
// screen, not from where its read-ahead stopped; the GOP being shown stops.
// Done apart, a read between them would take the next GOP in the new
// direction and the flush would drop it with the source already past it.
void CPlayer::TurnAndFlush(bool forward, int speed) {
    {
        DeferringLock gate(m_readGate);
        m_source.Seek(uint64_t(ShownGopBound(forward)));
        m_forward = forward;
        m_speed = speed;
        m_jumpMode = 0;
        FlushForNewPosition();
    }
    SetEvent(m_needDataEvent);
    InterruptShownGop();
}

// Ends the running playback thread first: two never run at once. `flush`
// empties the queue (a seek has emptied it already). The player is in
// `state` before the thread can look at it: a thread that reached its loop
// before its starter went on would otherwise find the state before (stopped)
// and end at once. False, starting none and the state as it was, once the
// player is being released or when no thread can start.
bool CPlayer::StartPlayThread(bool flush, int state) {
    EndPlayThread(INFINITE);
    if (flush)
        SeekAndFlush(nullptr);
    SetEvent(m_needDataEvent);
    Pause(kPlayThreadStartWaitMs);
    m_stepIndex = -1;
    m_frameCount = 0;
    m_playbackEnded = false;
    int before = m_state.exchange(state);
    const uint64_t generation = m_playGeneration;
    HANDLE thread =
        m_releasing ? nullptr : CreateThread([this, generation] { PlaybackThread(generation); });
    if (thread == nullptr) {
        m_state.compare_exchange_strong(state, before);  // unless Release stopped it meanwhile
        return false;
    }
    m_playThread = thread;
    SetEvent(m_dataReadyEvent);
    return true;
}

// After the end of the data the state stays as it was and no playback thread
// runs: a command that goes on playing (a seek, a pause and its steps, fast
// play, a resume) starts one in its new state, as play does. The read
// thread still runs.
void CPlayer::RestartEndedPlayback() {
    const int state = m_state;
    if (m_playbackEnded && IsRunning(state))
        StartPlayThread(false, state);
}
