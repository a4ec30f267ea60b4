// CPlayer: the one object behind the player interface. It owns the source
// manager, the decoder manager, the GOP queue and the display, and runs the
// threads that turn a command into playback:
// - the command thread runs the single pending command (CommandSlot.h) and
//   reports its result on the message callback;
// - the read thread fills the GOP queue from the source;
// - the playback thread takes GOPs from the queue, parses them, reports their
//   telemetry on the data callback and has the display show them for their
//   display time;
// - the end-of-playback thread reports the end of the data.
//
// Threads and data: the playback parameters (state, speed, direction, step
// index, frame count, jump mode, GOP positions, channel count) are atomics
// written by the command, read and playback threads and read by the others.
// The queue, the source manager and the command slot have locks of their
// own. No lock of the library is held while a callback of the host runs:
// errors raised under the handler lock, the read gate or the source
// manager's lock wait until their thread has let go of it (DeferringLock).
//
// At most one read thread and one playback thread run at a time: a new one
// of either is started only after the previous one has ended
// (StartReadThread, StartPlayThread).
//
// Release ends every thread the player started (command, end-of-playback,
// read, playback with its display threads and audio device, extraction,
// the source's storage threads)
// within a bound each and never runs beside a command handler; it frees
// what they use only once all of them have ended, and a thread handle is
// dropped only once its thread has ended.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "format/gop/GopParser.h"
#include "format/ulaw/UlawTable.h"
#include "platform/base/Handle.h"
#include "player/audio/AudioOut.h"
#include "player/capture/PictureCapture.h"
#include "player/core/CommandSlot.h"
#include "player/core/GopDisplay.h"
#include "player/decode/DecoderManager.h"
#include "player/queue/GopQueue.h"
#include "player/record/RecordWriter.h"
#include "player/storage/SourceManager.h"
#include "shared/PlayerInterface.h"

class CPlayer {
public:
    // The display must outlive the player.
    explicit CPlayer(CGopDisplay& display);
    // Releases as zRelease would.
    ~CPlayer();
    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

    // zInit and zRelease. Init fails, starting nothing, while a thread of an
    // earlier Init still runs, and when an event or a thread cannot be made.
    // Release ends the command thread first, then every other thread (500 ms
    // each at most; a playback is stopped), then closes the source with its
    // storage threads, a rebuild first (the disk's index stays as it was),
    // so that the next Init starts with no source open. False when
    // one outlived its bound (held in a callback of the host): what it uses
    // stays until a later Release or Init finds it ended.
    bool Init(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
              zReservedCallback reserved, zExtractCallback extract, zErrorCallback error);
    bool Release();

    // zPlayMSG: stores the command and wakes the command thread.
    bool PlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text);

    // zOpen and the opening exports.
    bool Open(int type, const char* dataPath, const char* indexPath);
    // Runs the stop and close commands on the caller's thread, 100 ms apart,
    // without reporting their results (zOpenEx). Never at the same time as
    // a command on the command thread. False, doing nothing, on a thread the
    // stop would wait for (a callback on the read, playback or a display
    // thread).
    bool StopAndClose();

    // Queries and settings (PlayerSettings.cpp).
    int TellStatusType() const { return m_state; }
    int TellFullScreenIdx();
    int TellDivStatus();
    int TellSampleRate();
    int TellSampleBits();
    bool SetFullScreen(int channel);
    bool SetDivStatus(int mode);
    bool DisplayOsd(bool on);
    bool SetAudioType(int track);
    bool SetVoiceVolume(int volume);
    bool TellVoiceVolume(int* volume) const;
    bool OpenVoice();
    bool CloseVoice();
    bool SetRecord(const char* baseName, bool on) { return m_record.SetRecord(baseName, on); }
    int StartExtract(uint64_t from, uint64_t to);

    CSourceManager& Source() { return m_source; }

    // For the display (player/api wires it): the decoders its threads decode
    // with, the settings it lays the panes out by, the audio lag it
    // lengthens GOPs by, and message 24. Playback and display threads.
    CDecoderManager& Decoders() { return m_decoders; }
    int FullScreenChannel() const { return m_fullScreen; }
    int DivisionMode() const { return m_divMode; }
    void SetDivisionMode(int mode) { m_divMode = mode; }
    int QueuedAudioBuffers() const { return m_audio.IsOpen() ? m_audio.TellQueued() : 0; }
    void ReportFrameFailure() const;

private:
    using Handler = int (CPlayer::*)(const PlayCommand&);
    static const Handler kHandlers[PLAY_CMD_JUMP + 1];  // by zPlayCmd; null: no handler

    // Threads (Player.cpp, ReadThread.cpp, PlaybackThread.cpp).
    void CommandThread();
    void PlayEndThread();
    void ReadThread();
    void PlaybackThread(uint64_t generation);
    bool StartPlayThread(bool flush, int state);
    void RestartEndedPlayback();
    bool StartReadThread();
    bool EndPlayThread(DWORD waitMs);
    bool EndReadThread(DWORD waitMs);
    void TellThreadsToEnd();
    void Pause(DWORD ms) const;
    bool CreateEvents();
    void CloseEvents();
    static bool IsRunning(int state) {
        return state >= STATUS_PLAYING && state <= STATUS_FAST_BACKWARD;
    }
    void ReportMessage(int code, int lastClose) const;

    // Command handlers (PlayerCommands.cpp): each returns its zMsgCode.
    int DoClose(const PlayCommand& command);
    int DoPlay(const PlayCommand& command);
    int DoPause(const PlayCommand& command);
    int DoForward(const PlayCommand& command);
    int DoBackward(const PlayCommand& command);
    int DoFastForward(const PlayCommand& command);
    int DoFastBackward(const PlayCommand& command);
    int DoSeek(const PlayCommand& command);
    int DoStop(const PlayCommand& command);
    int DoCapture(const PlayCommand& command);
    int SetJumpMode(const PlayCommand& command);
    void TakeRecordingAudioFormat();
    int PlayFromStopped();
    int ResumeFromPause();
    void Reposition(int64_t position, bool forward);
    bool IsNetworkOrRequest() const;

    // Read thread steps.
    GopReadResult ReadNext(int jump, uint8_t* buffer, int* length);
    void ContinueAfterJump(int jump, int length);
    void OnGopRead(uint8_t* buffer, int length, int64_t before, int64_t after, GopInfo* info);
    GopReadResult ReadAndQueue(uint8_t* buffer, GopInfo* info);
    bool SeekAndFlush(const int64_t* position, int jump = 0);
    void FlushForNewPosition();
    int64_t ShownGopBound(bool end) const;
    void TurnAndFlush(bool forward, int speed);

    // Playback thread steps.
    struct PlaybackLocals;
    class ShownGopInterruption;
    bool ShownGopInterrupted(const PlaybackLocals& locals) const;
    void InterruptShownGop();
    bool TakeStateSnapshot(PlaybackLocals& locals, uint64_t generation);
    bool EndOfDataReached();
    void PlayGop(PlaybackLocals& locals, GopBuffer* slot);
    void ComputeAudio(PlaybackLocals& locals);
    void UpdateAudioDevice(const PlaybackLocals& locals);
    void ResetAudioAfterFlush();
    void OpenAudioForGop(PlaybackLocals& locals);
    void WaitForDrawing(uint64_t generation);
    void AdvanceStep(const GopInfo& info, bool forward);
    bool StepKeepsSlot(bool forward) const;
    void RebuildDecoders(DWORD before, DWORD between, DWORD after);
    bool CheckPictureSize(const GopInfo& info);
    void ForgetPictureSizes();
    void ReportTelemetry(const GopInfo& info) const;
    bool IsCurrentPlayback(uint64_t generation) const { return m_playGeneration == generation; }

    // Held while a command handler runs, on whichever thread.
    std::mutex m_handlerLock;

    // Held by the read thread from a read to its push, and by a command
    // while it moves the source or turns the direction of play and empties
    // the queue: no GOP read at the old position is queued after a flush,
    // and none read at the new one or in the new direction is flushed away.
    std::mutex m_readGate;

    // Components.
    CSourceManager m_source;
    CGopDisplay& m_display;
    CDecoderManager m_decoders;
    CGopParser m_parser;  // the read and the playback thread parse with it at once
    CGopQueue m_queue;
    CRecordWriter m_record;
    CCommandSlot m_slot;
    CAudioOut m_audio;
    CUlawTable m_ulaw;  // built with the player, then only read
    CPictureCapture m_capture;

    // Callbacks, set by Init.
    std::atomic<zMsgCallback> m_msgCallback{nullptr};
    std::atomic<zDataCallback> m_dataCallback{nullptr};
    std::atomic<zExtractCallback> m_extractCallback{nullptr};

    // Player state and what the host set.
    std::atomic<int> m_state{STATUS_IDLE};
    std::atomic<bool> m_voice{false};
    HWND m_window = nullptr;
    std::atomic<int> m_channelCount{-1};
    std::atomic<int> m_fullScreen{0};
    std::atomic<int> m_divMode{-1};

    // Playback parameters.
    std::atomic<int> m_speed{1};
    std::atomic<bool> m_forward{true};
    std::atomic<int> m_stepIndex{-1};
    std::atomic<int> m_frameCount{0};
    std::atomic<int> m_jumpMode{0};
    std::atomic<int64_t> m_positionBefore{0};
    std::atomic<int64_t> m_positionAfter{0};
    std::atomic<bool> m_shownForward{true};  // the GOP at those positions was read forward
    // Set by a flush for a new position: the playback thread resets the
    // device's queue before it plays on, so no sound of the old one plays.
    std::atomic<bool> m_audioResetPending{false};
    int m_prevWidth[kMaxChannels] = {};  // playback thread; stop clears them once it has ended
    int m_prevHeight[kMaxChannels] = {};

    // Results.
    std::atomic<int> m_lastCloseResult{0};
    int m_lastResult = -1;  // command thread only; -1 before any command

    // Threads and events (all created by Init, closed by Release).
    std::atomic<bool> m_releasing{false};  // from Release to Init: no handler starts a thread
    std::atomic<bool> m_commandRun{false};
    std::atomic<bool> m_playEndRun{false};
    std::atomic<bool> m_readRun{false};
    std::atomic<uint64_t> m_playGeneration{0};  // grows when a playback thread must end
    std::atomic<bool> m_playbackEnded{false};   // the playback thread ended at the end of the data
    std::atomic<HANDLE> m_commandThread{nullptr};
    std::atomic<HANDLE> m_playEndThread{nullptr};
    std::atomic<HANDLE> m_readThread{nullptr};
    std::atomic<HANDLE> m_playThread{nullptr};
    HANDLE m_commandEvent = nullptr;    // manual
    HANDLE m_playEndEvent = nullptr;    // manual
    HANDLE m_needDataEvent = nullptr;   // manual
    HANDLE m_dataReadyEvent = nullptr;  // manual, never reset
    HANDLE m_continueEvent = nullptr;   // automatic
    HANDLE m_haltEvent = nullptr;       // manual, set by Release: every Pause ends
};
