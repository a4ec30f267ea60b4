#include "player/core/Player.h"

#include "platform/base/Clock.h"
#include "platform/base/Event.h"
#include "platform/base/Thread.h"
#include "player/core/WaitedByStop.h"
#include "player/errors/DeferringLock.h"
#include "player/errors/ErrorSink.h"

namespace {

constexpr DWORD kReleaseWaitMs = 500;
// A handler the command thread runs finishes its work once the threads it
// waits for end (a stop then frees the queue and the decoders): it gets the
// bound of those threads and its own.
constexpr DWORD kCommandEndWaitMs = 4 * kReleaseWaitMs;
constexpr DWORD kStopCloseWaitMs = 100;
constexpr int kInitialSampleRate = 22050;
constexpr int kInitialSampleBits = 16;

void CloseAndReset(HANDLE* handle) {
    if (*handle != nullptr)
        CloseHandle(*handle);
    *handle = nullptr;
}

// Waits at most `ms` for the thread; once it has ended, closes its handle and
// clears it. True when it has ended (or none ran). While the thread runs its
// handle stays, so whoever looks next knows that it runs.
bool EndThread(std::atomic<HANDLE>* thread, DWORD ms) {
    HANDLE handle = thread->load();
    if (handle == nullptr)
        return true;
    if (WaitForSingleObject(handle, ms) == WAIT_TIMEOUT)
        return false;
    if (thread->compare_exchange_strong(handle, nullptr))
        CloseHandle(handle);
    return true;
}

}  // namespace

CPlayer::CPlayer(CGopDisplay& display) : m_display(display) {}

CPlayer::~CPlayer() {
    Release();
}

bool CPlayer::Init(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
                   zReservedCallback reserved, zExtractCallback extract, zErrorCallback error) {
    // Whatever an earlier Init started ends first; while a thread of it
    // still runs, nothing new starts beside it.
    if (!Release())
        return false;
    m_releasing = false;
    m_state = STATUS_IDLE;
    m_voice = true;
    m_window = window;
    m_source.SetSourceCallback(source);
    m_source.SetReservedCallback(reserved);
    m_extractCallback = extract;
    if (!m_display.Init(window) || !CreateEvents()) {
        Release();
        return false;
    }
    m_audio.SetCallback(OnWaveDone);
    m_audio.SetFormat(kInitialSampleRate, kInitialSampleBits, 1);
    m_playEndRun = true;
    m_playEndThread = CreateThread([this] { PlayEndThread(); });
    m_commandRun = true;
    m_commandThread = CreateThread([this] { CommandThread(); });
    if (m_playEndThread == nullptr || m_commandThread == nullptr) {
        Release();
        return false;
    }
    m_msgCallback = msg;
    m_dataCallback = data;
    SetErrorSink(error);
    return true;
}

// False when one of them cannot be made (Init then fails).
bool CPlayer::CreateEvents() {
    m_playEndEvent = CreateEvent(true, false);
    m_needDataEvent = CreateEvent(true, false);
    m_dataReadyEvent = CreateEvent(true, false);
    m_continueEvent = CreateEvent(false, false);
    m_commandEvent = CreateEvent(true, false);
    m_haltEvent = CreateEvent(true, false);
    return m_playEndEvent != nullptr && m_needDataEvent != nullptr && m_dataReadyEvent != nullptr &&
           m_continueEvent != nullptr && m_commandEvent != nullptr && m_haltEvent != nullptr;
}

void CPlayer::CloseEvents() {
    for (HANDLE* event : {&m_playEndEvent, &m_needDataEvent, &m_dataReadyEvent, &m_continueEvent,
                          &m_commandEvent, &m_haltEvent})
        CloseAndReset(event);
}

// Tells every thread to end, then waits for each (500 ms at most): the
// command thread first, so that the handler it runs returns (starting no
// thread) before the rest is waited for with the handler lock held. Only
// when all of them have ended does it free what they use; otherwise it
// leaves everything as it is and answers false, and the next Init or
// Release waits for them again.
bool CPlayer::Release() {
    TellThreadsToEnd();
    const bool commandEnded = EndThread(&m_commandThread, kCommandEndWaitMs);
    std::unique_lock handlers(m_handlerLock, std::defer_lock);
    if (commandEnded)
        handlers.lock();  // a stop and close of zOpenEx ends as the threads do
    else if (!handlers.try_lock())
        return false;  // the handler still runs
    // A handler may have started a thread after the first word: tell again.
    bool ended = commandEnded;
    ended = EndPlayThread(kReleaseWaitMs) && ended;
    ended = EndReadThread(kReleaseWaitMs) && ended;
    ended = EndThread(&m_playEndThread, kReleaseWaitMs) && ended;
    ended = m_source.EndExtraction(kReleaseWaitMs) && ended;
    ended = m_source.EndSource() && ended;  // a rebuild must not outlive the release
    if (!ended)
        return false;
    m_audio.CloseReset();
    ForgetPictureSizes();
    m_queue.FreeBuffers();
    m_readBuffer.reset();
    m_readInfo.reset();
    m_decoders.Destroy();
    m_display.Free();
    CloseEvents();
    m_msgCallback = nullptr;
    m_dataCallback = nullptr;
    SetErrorSink(nullptr);
    return true;
}

// Every thread of the player learns that it must end: run flags, a new
// playback generation (which interrupts the GOP being shown), the events
// they wait on, the halt that cuts their pauses, and the extraction's stop.
// No handler starts a thread from now on, and no extraction starts.
void CPlayer::TellThreadsToEnd() {
    m_releasing = true;
    m_extractCallback = nullptr;
    if (IsRunning(m_state))
        m_state = STATUS_STOPPED;
    m_commandRun = false;
    m_playEndRun = false;
    m_readRun = false;
    ++m_playGeneration;
    SetEvent(m_haltEvent);
    InterruptShownGop();
    m_source.StopExtract();
    for (HANDLE event :
         {m_commandEvent, m_playEndEvent, m_needDataEvent, m_dataReadyEvent, m_continueEvent})
        SetEvent(event);
}

// Waits `ms`, or less once the player is being released.
void CPlayer::Pause(DWORD ms) const {
    WaitForSingleObject(m_haltEvent, ms);
}

// Ends the running playback thread: a new generation makes it leave its loop
// and stops the GOP it shows, the events wake it wherever it waits.
bool CPlayer::EndPlayThread(DWORD waitMs) {
    ++m_playGeneration;
    InterruptShownGop();
    SetEvent(m_continueEvent);
    SetEvent(m_dataReadyEvent);
    const bool ended = EndThread(&m_playThread, waitMs);
    ResetEvent(m_continueEvent);
    return ended;
}

bool CPlayer::EndReadThread(DWORD waitMs) {
    m_readRun = false;
    SetEvent(m_needDataEvent);
    return EndThread(&m_readThread, waitMs);
}

// False with no command thread to run it (before Init, after Release).
bool CPlayer::PlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text) {
    if (!m_commandRun || m_releasing)
        return false;
    PlayCommand command;
    command.cmd = cmd;
    command.a = a;
    command.position = int64_t((uint64_t(uint32_t(hi)) << 32) | lo);
    command.hasText = text != nullptr;
    if (text != nullptr)
        command.text = text;
    m_slot.Put(std::move(command));
    SetEvent(m_commandEvent);
    return true;
}

bool CPlayer::Open(int type, const char* dataPath, const char* indexPath) {
    if (m_source.TellType() != OPENED_NONE)
        return false;
    m_channelCount = -1;
    if (m_source.Open(type, dataPath, indexPath) != 0)
        return false;
    const int channels = m_source.TellScreenNum();
    m_channelCount = channels;
    m_fullScreen = 0;
    const int mode = channels == 4    ? DIV_GROUP_1
                     : channels == 12 ? DIV_GRID_4X3
                     : channels == 16 ? DIV_GRID_4X4
                     : channels < 0   ? -1
                                      : DIV_GRID_3X3;
    m_divMode = mode;
    m_display.SetShownDivisionMode(mode);
    m_display.ClearDecodedSizes();
    return true;
}

// Refused (false) on a thread the stop would wait for, from a callback of the
// host: it would wait for itself, and every later command with it.
bool CPlayer::StopAndClose() {
    if (CWaitedByStop::ThisThread())
        return false;
    DeferringLock running(m_handlerLock);
    PlayCommand command;
    command.cmd = PLAY_CMD_STOP;
    DoStop(command);
    Sleep(kStopCloseWaitMs);
    command.cmd = PLAY_CMD_CLOSE;
    DoClose(command);
    return true;
}

void CPlayer::ReportFrameFailure() const {
    const CWaitedByStop displayThread;
    ReportMessage(MSG_FRAME_FAILED, m_lastCloseResult);
}

void CPlayer::ReportMessage(int code, int lastClose) const {
    zMsgCallback callback = m_msgCallback.load();
    if (callback != nullptr)
        callback(code, lastClose);
}

void CPlayer::CommandThread() {
    while (m_commandRun) {
        WaitForSingleObject(m_commandEvent, INFINITE);
        if (!m_commandRun)
            break;
        const PlayCommand command = m_slot.Take();
        const bool known = command.cmd >= PLAY_CMD_CLOSE && command.cmd <= PLAY_CMD_JUMP;
        if (known && command.cmd != PLAY_CMD_NONE) {
            DeferringLock running(m_handlerLock);
            if (!m_commandRun)
                break;  // released meanwhile: no handler runs after it
            m_lastResult = (this->*kHandlers[command.cmd])(command);
        }
        ResetEvent(m_commandEvent);
        // An unknown code repeats the previous result; before any, there is none.
        if (command.cmd != PLAY_CMD_NONE && m_lastResult >= 0)
            ReportMessage(m_lastResult, m_lastCloseResult);
    }
}

void CPlayer::PlayEndThread() {
    while (m_playEndRun) {
        WaitForSingleObject(m_playEndEvent, INFINITE);
        if (!m_playEndRun)
            break;
        // Reset before the message: the end of a playback the host starts
        // while it handles this message then sets the event anew and is
        // reported in turn, never cleared unseen.
        ResetEvent(m_playEndEvent);
        ReportMessage(MSG_PLAY_END, 0);
    }
}
