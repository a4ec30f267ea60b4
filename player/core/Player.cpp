#include "player/core/Player.h"

#include "platform/base/Clock.h"
#include "platform/base/Event.h"
#include "platform/base/Thread.h"
#include "player/errors/DeferringLock.h"
#include "player/errors/ErrorSink.h"

namespace {

constexpr DWORD kReleaseWaitMs = 500;
constexpr DWORD kStopCloseWaitMs = 100;
constexpr int kInitialSampleRate = 22050;
constexpr int kInitialSampleBits = 16;

void CloseAndReset(HANDLE* handle) {
    if (*handle != nullptr)
        CloseHandle(*handle);
    *handle = nullptr;
}

// Takes the thread's handle, waits at most `ms` for the thread and closes the
// handle. True when the thread has ended (or none ran). Two callers never
// wait on the same handle: the first takes it.
bool EndThread(std::atomic<HANDLE>* thread, DWORD ms) {
    HANDLE handle = thread->exchange(nullptr);
    if (handle == nullptr)
        return true;
    const bool ended = WaitForSingleObject(handle, ms) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return ended;
}

}  // namespace

CPlayer::CPlayer(CGopDisplay& display) : m_display(display) {}

CPlayer::~CPlayer() {
    Release();
}

bool CPlayer::Init(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
                   zReservedCallback reserved, zExtractCallback extract, zErrorCallback error) {
    if (m_commandThread != nullptr)
        Release();
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
    m_ulaw.Build();
    return true;
}

bool CPlayer::CreateEvents() {
    m_playEndEvent = CreateEvent(true, false);
    m_needDataEvent = CreateEvent(true, false);
    m_dataReadyEvent = CreateEvent(true, false);
    m_continueEvent = CreateEvent(false, false);
    m_commandEvent = CreateEvent(true, false);
    return true;
}

void CPlayer::CloseEvents() {
    for (HANDLE* event :
         {&m_playEndEvent, &m_needDataEvent, &m_dataReadyEvent, &m_continueEvent, &m_commandEvent})
        CloseAndReset(event);
}

bool CPlayer::Release() {
    // The command thread ends first: a handler running beside the rest could
    // start a read or playback thread after those were ended. One running
    // now is waited for; a later one finds the run flag cleared (the command
    // thread reads it under the handler lock).
    m_commandRun = false;
    SetEvent(m_commandEvent);
    m_handlerLock.lock();
    m_handlerLock.unlock();
    EndThread(&m_commandThread, kReleaseWaitMs);
    const int state = m_state;
    if (state >= STATUS_PLAYING && state <= STATUS_FAST_BACKWARD)
        m_state = STATUS_STOPPED;
    // The read thread is ended even when the playback thread outlasts its
    // wait. Buffers and decoders go only when nothing can use them any more.
    const bool playEnded = EndPlayThread(kReleaseWaitMs);
    const bool readEnded = EndReadThread(kReleaseWaitMs);
    if (playEnded && readEnded) {
        m_queue.FreeBuffers();
        m_decoders.Destroy();
    }
    m_playEndRun = false;
    SetEvent(m_playEndEvent);
    EndThread(&m_playEndThread, kReleaseWaitMs);
    CloseEvents();
    m_display.Free();
    m_msgCallback = nullptr;
    m_dataCallback = nullptr;
    SetErrorSink(nullptr);
    return true;
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

bool CPlayer::PlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text) {
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

void CPlayer::StopAndClose() {
    DeferringLock running(m_handlerLock);
    PlayCommand command;
    command.cmd = PLAY_CMD_STOP;
    DoStop(command);
    Sleep(kStopCloseWaitMs);
    command.cmd = PLAY_CMD_CLOSE;
    DoClose(command);
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
        ReportMessage(MSG_PLAY_END, 0);
        ResetEvent(m_playEndEvent);
    }
}
